// Importing a file of 100,000 vouchers (400,000 lines) into an empty month of a
// SQLite book with a 5,000-subject chart, from CSV and from JSON: reading the
// file, every check of the voucher screen on every voucher, and the one
// transaction that stores them, with the peak memory of the whole run. With
// QJ_BENCH_PG_URI set, the CSV file is imported into a book on that server too.

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "bench_book.h"
#include "peak_memory.h"
#include "throwaway_database.h"
#include "vouchers/voucher_import.h"

namespace {

constexpr int kVouchers = 100000;

// The date, amount and subject of line `line` (0 to 3) of voucher `n`: two
// debits and two credits of the same amount.
std::string dateOf(int n) { return "2011-07-" + qj::IntToStr(1 + n % 28, 2); }
std::string amountOf(int n) { return std::to_string(n % 9000 + 1) + "." + qj::IntToStr(n % 100, 2); }
std::string subjectOf(int n, int line) {
  return std::to_string(100 + (n + line) % 100) + qj::IntToStr(1 + (n * 7 + line) % 49, 2);
}

std::string CsvFile() {
  std::ostringstream csv;
  csv << "凭证,日期,凭证字,摘要,科目,借方,贷方\n";
  for (int n = 1; n <= kVouchers; ++n) {
    for (int line = 0; line < 4; ++line) {
      csv << n << ',' << (line == 0 ? dateOf(n) : "") << ",记,日常业务" << n % 50 << ',' << subjectOf(n, line) << ','
          << (line < 2 ? amountOf(n) : "") << ',' << (line < 2 ? "" : amountOf(n)) << '\n';
    }
  }
  return csv.str();
}

std::string JsonFile() {
  std::ostringstream json;
  json << "[\n";
  for (int n = 1; n <= kVouchers; ++n) {
    json << (n == 1 ? "" : ",\n") << R"({"voucher": ")" << n << R"(", "date": ")" << dateOf(n)
         << R"(", "type": "记", "lines": [)";
    for (int line = 0; line < 4; ++line) {
      json << (line == 0 ? "" : ", ") << R"({"summary": "日常业务)" << n % 50 << R"(", "subject": ")"
           << subjectOf(n, line) << R"(", ")" << (line < 2 ? "debit" : "credit") << R"(": )" << amountOf(n) << '}';
    }
    json << "]}";
  }
  json << "\n]\n";
  return json.str();
}

using Reader = std::optional<qj::vouchers::ImportFileFault> (*)(std::string_view, const qj::vouchers::VoucherSink&);

// The file is made before the clock starts; like the command line, the run
// holds its text in memory while it imports.
void BM_ImportVouchers(benchmark::State& state, qj::data::Engine engine, std::string (*makeFile)(), Reader reader) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const std::string text = makeFile();
  const auto read = [&](const qj::vouchers::VoucherSink& take) { return reader(text, take); };
  const double before = qj::bench::PeakMegabytes();
  for (auto _ : state) {
    state.PauseTiming();
    const qj::bench::ThrowawayDatabase database(engine, "import");
    auto book = std::make_unique<qj::bench::BenchBook>(qj::Period{2011, 7}, false, database.location());
    {
      qj::data::Transaction tx(book->db());
      qj::bench::AddLargeChart(book->db(), false);
      tx.commit();
    }
    auto& host = book->openHost();
    state.ResumeTiming();
    const auto report = qj::vouchers::ImportVouchers(host, read, {});
    if (report.stored.count != kVouchers || !report.rejected.empty()) state.SkipWithError("import refused");
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["vouchers"] = kVouchers;
  state.counters["peak MB before"] = before;
  state.counters["peak MB"] = qj::bench::PeakMegabytes();
}

BENCHMARK_CAPTURE(BM_ImportVouchers, SqliteCsv, qj::data::Engine::Sqlite, CsvFile, qj::vouchers::ReadVoucherCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ImportVouchers, SqliteJson, qj::data::Engine::Sqlite, JsonFile, qj::vouchers::ReadVoucherJson)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ImportVouchers, PostgresCsv, qj::data::Engine::Postgres, CsvFile, qj::vouchers::ReadVoucherCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
