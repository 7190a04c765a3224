// Saving a voucher of ten lines from the entry screen's model on a SQLite
// book whose month already holds 100,000 vouchers and whose chart holds
// 5,000 subjects: the checks, the save lock, the identifier check under it
// and the transaction that stores header and lines, then the reload of the
// stored voucher. Typing the voucher is not timed. Budget: 5 ms per save.

#include <benchmark/benchmark.h>

#include "bench_book.h"
#include "data/period.h"
#include "vouchers/voucher_entry_model.h"

namespace {

using qj::vouchers::Column;
using qj::vouchers::Key;

constexpr int kVouchers = 100000;
constexpr int kLines = 10;

struct FullMonth : qj::bench::BenchBook {
  FullMonth() : BenchBook(qj::Period{2011, 7}) {
    auto& db = this->db();
    qj::data::Transaction tx(db);
    qj::bench::AddLargeChart(db, true);
    qj::bench::AddJulyVouchers(db, kVouchers);
    tx.commit();
    openHost().setBusinessDate(qj::Date(2011, 7, 31));
  }
};

// Nine debit lines of 1 to 9 yuan and one credit line of their total.
void typeVoucher(qj::vouchers::VoucherEntryModel& model) {
  for (int line = 0; line < kLines; ++line) {
    if (line > 0) model.pressKey(Key::Down);
    model.moveTo(model.currentLine(), Column::Summary);
    model.editSummary("报销差旅费");
    model.moveTo(model.currentLine(), Column::Subject);
    model.editSubjectText(std::to_string(100 + line) + "01");
    const bool credit = line == kLines - 1;
    model.moveTo(model.currentLine(), credit ? Column::Credit : Column::Debit);
    for (const char digit : std::to_string(credit ? 45 : line + 1)) model.pressKey(qj::vouchers::DigitKey(digit - '0'));
  }
}

void BM_SaveTenLineVoucher(benchmark::State& state) {
  FullMonth book;
  qj::vouchers::VoucherEntryModel model(book.host(), {});
  if (!model.open()) {
    state.SkipWithError("the voucher screen did not open");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    model.newVoucher();
    typeVoucher(model);
    state.ResumeTiming();
    if (!model.save()) {
      state.SkipWithError("the voucher was not stored");
      return;
    }
  }
  state.counters["stored lines"] = static_cast<double>(model.lines().size());
}
BENCHMARK(BM_SaveTenLineVoucher)->Unit(benchmark::kMillisecond)->Iterations(500);

}  // namespace

BENCHMARK_MAIN();
