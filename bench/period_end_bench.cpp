// The month end of a large book: a 3,000-subject four-level chart with 500
// profit-and-loss detail subjects and a posted month of 100,000 vouchers
// (400,000 lines, half of them on profit-and-loss subjects). Times the
// carry-forward with its posting, the close, and the reverse close with the
// carry-forward vouchers taken back. Each run is rolled back, so every
// iteration works on the same month.
// Budgets on SQLite: each under 1 s.
// The year cycle posts, carries and closes twelve months of 10,000 vouchers
// each across a year end, then reopens them all back to the start.
// With QJ_BENCH_PG_URI set, the same book is built on that server as well.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/schema.h"
#include "periodend/carry_forward.h"
#include "periodend/machine_voucher.h"
#include "periodend/period_close.h"
#include "periodend/posting.h"
#include "throwaway_database.h"
#include "vouchers/voucher_batch.h"

namespace {

constexpr qj::Period kMonth{2011, 7};
constexpr int kVouchers = 100000;
const qj::base::CodeStructure kStructure({3, 5, 7, 9});
constexpr const char* kProfit = "313";

// Level 1: 100 to 119 (balance-sheet subjects) and 500 to 503 (profit and
// loss), each with five sub-accounts down to level 4, whose codes are the
// detail subjects; 313 is the current-year profit.
struct Chart {
  std::vector<std::string> sheet;
  std::vector<std::string> profitLoss;
};

Chart addChart(qj::data::Connection& db) {
  Chart chart;
  const auto add = [&](const std::string& code, bool detail, std::vector<std::string>* into) {
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, :dc, :d)",
               {{"c", code},
                {"n", "科目" + code},
                {"dc", code.starts_with("500") || code.starts_with("501") ? "F" : "T"},
                {"d", detail ? "T" : "F"}});
    if (detail && into) into->push_back(code);
  };
  add(kProfit, true, nullptr);
  for (const int top : {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111,
                        112, 113, 114, 115, 116, 117, 118, 119, 500, 501, 502, 503}) {
    const std::string first = std::to_string(top);
    std::vector<std::string>* details = top >= 500 ? &chart.profitLoss : &chart.sheet;
    add(first, false, nullptr);
    for (int a = 1; a <= 5; ++a) {
      const std::string second = first + qj::IntToStr(a, 2);
      add(second, false, nullptr);
      for (int b = 1; b <= 5; ++b) {
        const std::string third = second + qj::IntToStr(b, 2);
        add(third, false, nullptr);
        for (int c = 1; c <= 5; ++c) add(third + qj::IntToStr(c, 2), true, details);
      }
    }
  }
  return chart;
}

// Four lines per voucher: a sale (a sheet subject against a profit-and-loss
// one) and a cost (the other way round).
void addVouchers(qj::data::Connection& db, const Chart& chart, const qj::Period& month = kMonth,
                 int count = kVouchers) {
  for (int serial = 1; serial <= count; ++serial) {
    const std::string id = month.text() + qj::IntToStr(serial, 6);
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'T', 'F', 'admin')",
        {{"id", id}, {"no", serial}, {"date", qj::Date(month.year, month.month, 1 + serial % 28)}});
    const qj::Money sale = qj::Money::fromUnits(100 * (1 + serial % 9973));
    const qj::Money cost = qj::Money::fromUnits(100 * (1 + serial % 101));
    const std::string& sheet = chart.sheet[static_cast<std::size_t>(serial * 7) % chart.sheet.size()];
    // Income on the first half of the profit-and-loss subjects, costs on the second.
    const std::size_t half = chart.profitLoss.size() / 2;
    const std::string& income = chart.profitLoss[static_cast<std::size_t>(serial * 11) % half];
    const std::string& expense = chart.profitLoss[half + static_cast<std::size_t>(serial * 13) % half];
    struct Line {
      const std::string& subject;
      qj::Money debit, credit;
    };
    const Line lines[] = {{sheet, sale, {}}, {income, {}, sale}, {expense, cost, {}}, {sheet, {}, cost}};
    for (int no = 0; no < 4; ++no) {
      const auto orNull = [](qj::Money m) { return m.isZero() ? qj::data::Value() : qj::data::Value(m); };
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, DEBIT, CREDIT) "
          "VALUES (:id, :no, :subject, 0, :debit, :credit)",
          {{"id", id},
           {"no", no},
           {"subject", lines[no].subject},
           {"debit", orNull(lines[no].debit)},
           {"credit", orNull(lines[no].credit)}});
    }
  }
}

qj::periodend::PostingContext postingContext(const qj::Period& month = kMonth) {
  return {month, false, "admin", kStructure, {}};
}

qj::periodend::PeriodContext periodContext(const qj::Period& month) {
  return {month, kMonth, kStructure, true, kProfit, std::nullopt};
}

// The carry-forward as the screen runs it once the checks have passed:
// built, written and posted.
std::size_t carry(qj::data::Connection& db, const qj::Period& month = kMonth) {
  const qj::periodend::CarrySetting setting{month.lastDay(), qj::periodend::MachineVoucherType(1), kProfit,
                                            qj::periodend::CarryDirection::AlwaysPositive};
  auto made = qj::periodend::BuildCarryForwardVouchers(qj::periodend::ProfitLossBalances(db, month), setting);
  if (qj::vouchers::WriteNewVouchers(db, made)) return 0;
  qj::periodend::PostCurrentPeriod(db, postingContext(month));
  return made.size();
}

std::unique_ptr<qj::data::Connection> openBook(benchmark::State& state, qj::data::Engine engine,
                                               const qj::bench::ThrowawayDatabase& database) {
  auto db = qj::data::OpenConnection(database.location(), qj::data::OpenMode::CreateIfMissing);
  qj::data::CreateSchema(*db);
  {
    qj::data::Transaction tx(*db);
    addVouchers(*db, addChart(*db));
    qj::periodend::PostCurrentPeriod(*db, postingContext());
    tx.commit();
  }
  if (engine == qj::data::Engine::Postgres) db->executeScript("ANALYZE");
  state.counters["vouchers"] = kVouchers;
  return db;
}

void BM_CarryForwardAndPost(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "carry");
  auto db = openBook(state, engine, database);
  for (auto _ : state) {
    std::size_t made = 0;
    {
      const qj::data::Transaction tx(*db);
      made = carry(*db);
      state.PauseTiming();
    }  // rolled back, untimed
    state.ResumeTiming();
    if (made != 2) {
      state.SkipWithError(("carry-forward vouchers: " + std::to_string(made)).c_str());
      break;
    }
  }
}

// Times `step` once per iteration, each run rolled back (untimed) so that
// every iteration starts from the same book; a refusal ends the benchmark.
void timeRolledBack(benchmark::State& state, qj::data::Connection& db,
                    const std::function<std::optional<qj::Refusal>()>& step) {
  for (auto _ : state) {
    std::optional<qj::Refusal> refused;
    {
      const qj::data::Transaction tx(db);
      refused = step();
      state.PauseTiming();
    }
    state.ResumeTiming();
    if (refused) {
      state.SkipWithError(refused->text.c_str());
      break;
    }
  }
}

void BM_ClosePeriod(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "close");
  auto db = openBook(state, engine, database);
  const qj::data::Transaction carried(*db);
  carry(*db);
  timeRolledBack(state, *db, [&] { return qj::periodend::ClosePeriod(*db, periodContext(kMonth)); });
}

void BM_ReopenPeriodTakingTheCarryBack(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "reopen");
  auto db = openBook(state, engine, database);
  const qj::data::Transaction closed(*db);
  carry(*db);
  if (const auto refused = qj::periodend::ClosePeriod(*db, periodContext(kMonth))) {
    state.SkipWithError(refused->text.c_str());
    return;
  }
  timeRolledBack(state, *db,
                 [&] { return qj::periodend::ReopenPreviousPeriod(*db, periodContext(kMonth.next()), true); });
}

// Twelve months from July to June: each month's vouchers are written
// (untimed), then posted, carried and closed; afterwards the year is reopened
// month by month with the carry-forward vouchers taken back. The counters give
// the mean of a month's post-carry-close and of its reopening.
void BM_YearOfClosesAndReopens(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  constexpr int kMonths = 12;
  constexpr int kMonthVouchers = 10000;
  using Clock = std::chrono::steady_clock;
  const auto millis = [](Clock::duration spent) {
    return std::chrono::duration<double, std::milli>(spent).count() / kMonths;
  };
  for (auto _ : state) {
    state.PauseTiming();
    const qj::bench::ThrowawayDatabase database(engine, "year");
    auto db = qj::data::OpenConnection(database.location(), qj::data::OpenMode::CreateIfMissing);
    qj::data::CreateSchema(*db);
    const Chart chart = addChart(*db);
    Clock::duration closing{};
    qj::Period month = kMonth;
    for (int i = 0; i < kMonths; ++i, month = month.next()) {
      {
        qj::data::Transaction tx(*db);
        addVouchers(*db, chart, month, kMonthVouchers);
        tx.commit();
      }
      state.ResumeTiming();
      const auto started = Clock::now();
      qj::data::Transaction tx(*db);
      qj::periodend::PostCurrentPeriod(*db, postingContext(month));
      const bool carried = carry(*db, month) == 2;
      const auto refused = qj::periodend::ClosePeriod(*db, periodContext(month));
      tx.commit();
      closing += Clock::now() - started;
      state.PauseTiming();
      if (!carried || refused) {
        state.SkipWithError(refused ? refused->text.c_str() : "the carry-forward made no vouchers");
        return;
      }
    }
    state.ResumeTiming();
    const auto started = Clock::now();
    for (int i = 0; i < kMonths; ++i) {
      qj::data::Transaction tx(*db);
      const auto refused = qj::periodend::ReopenPreviousPeriod(*db, periodContext(month), true);
      tx.commit();
      if (refused) {
        state.SkipWithError(refused->text.c_str());
        return;
      }
      month = month.previous();
    }
    const Clock::duration reopening = Clock::now() - started;
    state.PauseTiming();
    state.counters["post+carry+close ms/month"] = millis(closing);
    state.counters["reopen ms/month"] = millis(reopening);
    state.counters["vouchers"] = kMonths * kMonthVouchers;
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_CarryForwardAndPost, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_CarryForwardAndPost, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ClosePeriod, Sqlite, qj::data::Engine::Sqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ClosePeriod, Postgres, qj::data::Engine::Postgres)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ReopenPeriodTakingTheCarryBack, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReopenPeriodTakingTheCarryBack, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_CAPTURE(BM_YearOfClosesAndReopens, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_YearOfClosesAndReopens, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
