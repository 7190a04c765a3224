// Typing a voucher of 1,000 lines on the entry screen's model, on a SQLite
// book whose month holds 100,000 vouchers and whose chart holds 5,000
// subjects. Every event the screen forwards (a text change, a cell move, a
// key) is timed on its own; the counters give the mean and the worst, which
// must stay well below a frame (16 ms).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "bench_book.h"
#include "data/period.h"
#include "vouchers/voucher_entry_model.h"

namespace {

using qj::vouchers::Column;
using qj::vouchers::Key;

constexpr int kVouchers = 100000;
constexpr int kLines = 1000;

struct BusyBook : qj::bench::BenchBook {
  BusyBook() : BenchBook(qj::Period{2011, 7}) {
    auto& db = this->db();
    qj::data::Transaction tx(db);
    // The sub-accounts carry help codes of their own.
    qj::bench::AddLargeChart(db, true);
    qj::bench::AddJulyVouchers(db, kVouchers);
    tx.commit();
    openHost().setBusinessDate(qj::Date(2011, 7, 31));
  }
};

BusyBook& book() {
  static BusyBook instance;
  return instance;
}

// Times every event of a scripted entry.
class EventClock {
 public:
  template <class Event>
  void operator()(Event event) {
    const auto start = std::chrono::steady_clock::now();
    event();
    const double micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    total_ += micros;
    worst_ = std::max(worst_, micros);
    ++events_;
  }
  [[nodiscard]] double mean() const { return events_ == 0 ? 0 : total_ / static_cast<double>(events_); }
  [[nodiscard]] double worst() const { return worst_; }
  [[nodiscard]] long events() const { return events_; }

 private:
  double total_ = 0;
  double worst_ = 0;
  long events_ = 0;
};

// One line: the summary, the subject typed character by character (by code
// on even lines, by help code on odd ones), the amount key by key (or F3 on
// every second line), then Down.
void typeLine(qj::vouchers::VoucherEntryModel& model, EventClock& clock, int index) {
  const int top = 100 + index % 100;
  const std::string child = qj::IntToStr(1 + index % 49, 2);
  const std::string subject = index % 2 == 0 ? std::to_string(top) + child : "MX" + std::to_string(top) + child;
  const std::size_t line = model.currentLine();
  clock([&] { model.moveTo(line, Column::Summary); });
  clock([&] { model.editSummary("支付第" + std::to_string(index) + "笔货款"); });
  clock([&] { model.moveTo(line, Column::Subject); });
  for (std::size_t length = 1; length <= subject.size(); ++length)
    clock([&] { model.editSubjectText(subject.substr(0, length)); });
  if (index % 2 == 1) {
    clock([&] { model.moveTo(line, Column::Credit); });
    clock([&] { model.pressKey(Key::F3); });
  } else {
    clock([&] { model.moveTo(line, Column::Debit); });
    for (const char c : std::to_string(1000 + index) + ".56")
      clock([&] { model.pressKey(c == '.' ? Key::Point : qj::vouchers::DigitKey(c - '0')); });
  }
  clock([&] { model.pressKey(Key::Down); });
}

void TypeAThousandLineVoucher(benchmark::State& state) {
  auto& host = book().host();
  for (auto _ : state) {
    EventClock clock;
    qj::vouchers::VoucherEntryModel model(host, {});
    double openMillis = 0;
    {
      const auto start = std::chrono::steady_clock::now();
      if (!model.open()) state.SkipWithError("the entry model did not open");
      openMillis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    for (int index = 0; index < kLines; ++index) typeLine(model, clock, index);
    clock([&] { model.pressKey(Key::Up); });  // drops the line Down appended last
    bool ready = false;
    clock([&] { ready = model.checkForSave() == qj::vouchers::SaveReadiness::Ready; });
    benchmark::DoNotOptimize(model.debitTotal());
    state.counters["open_ms"] = openMillis;
    state.counters["events"] = static_cast<double>(clock.events());
    state.counters["mean_us"] = clock.mean();
    state.counters["worst_us"] = clock.worst();
    state.counters["lines"] = static_cast<double>(model.lines().size());
    state.counters["ready"] = ready ? 1 : 0;
    state.counters["messages"] = static_cast<double>(book().boxes().shown().size());
  }
}
BENCHMARK(TypeAThousandLineVoucher)->Unit(benchmark::kMillisecond)->Iterations(3);

// Moving to the neighbouring voucher among the 100,000 of the month.
void StepThroughStoredVouchers(benchmark::State& state) {
  auto& host = book().host();
  qj::vouchers::VoucherEntryModel model(host, {});
  if (!model.open("201107050000")) state.SkipWithError("the entry model did not open");
  for (auto _ : state) {
    model.nextVoucher();
    model.previousVoucher();
  }
}
BENCHMARK(StepThroughStoredVouchers)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
