// Importing a file of 100,000 vouchers (400,000 lines) into an empty month of a
// SQLite book with a 5,000-subject chart: reading the CSV, every check of the
// voucher screen on every voucher, and the one transaction that stores them.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "bench_book.h"
#include "vouchers/voucher_import.h"

namespace {

constexpr int kVouchers = 100000;

std::string ImportFile() {
  std::ostringstream csv;
  csv << "凭证,日期,凭证字,摘要,科目,借方,贷方\n";
  for (int n = 1; n <= kVouchers; ++n) {
    const std::string date = "2011-07-" + qj::IntToStr(1 + n % 28, 2);
    const std::string amount = std::to_string(n % 9000 + 1) + "." + qj::IntToStr(n % 100, 2);
    for (int line = 0; line < 4; ++line) {
      const std::string subject = std::to_string(100 + (n + line) % 100) + qj::IntToStr(1 + (n * 7 + line) % 49, 2);
      csv << n << ',' << (line == 0 ? date : "") << ",记,日常业务" << n % 50 << ',' << subject << ','
          << (line < 2 ? amount : "") << ',' << (line < 2 ? "" : amount) << '\n';
    }
  }
  return csv.str();
}

void BM_ImportVouchers(benchmark::State& state) {
  const std::string text = ImportFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto book = std::make_unique<qj::bench::BenchBook>(qj::Period{2011, 7});
    {
      qj::data::Transaction tx(book->db());
      qj::bench::AddLargeChart(book->db(), false);
      tx.commit();
    }
    auto& host = book->openHost();
    state.ResumeTiming();
    auto read = qj::vouchers::ReadVoucherCsv(text);
    auto report =
        qj::vouchers::ImportVouchers(host, std::move(std::get<std::vector<qj::vouchers::ImportedVoucher>>(read)), {});
    if (report.stored.size() != kVouchers || !report.rejected.empty()) state.SkipWithError("import refused");
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["vouchers"] = kVouchers;
}
BENCHMARK(BM_ImportVouchers)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
