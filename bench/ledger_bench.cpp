// The ledgers over a year: 12 months of 25,000 posted vouchers (1,200,000
// lines, a quarter of the vouchers with a line in one of three foreign
// currencies) on a 4-level chart of 3,120 subjects, with each month's Balance
// rows written directly. Timed: the detail ledger of one level-1 subject and
// all its descendants over the year, the detail ledger of the whole chart,
// the cash journal of one month and the general ledger of the whole chart,
// each to its complete rows, and what the detail ledger window reads before it
// first paints on a whole-chart run.
// Budgets on SQLite: 150 ms, 3 s and 400 MB peak, 30 ms, 100 ms, 300 ms.
// With QJ_BENCH_PG_URI set the same book is built on that server as well.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/schema.h"
#include "four_level_chart.h"
#include "ledgers/detail_ledger.h"
#include "ledgers/general_ledger.h"
#include "ledgers/journal.h"
#include "ledgers/ledger_screen_models.h"
#include "peak_memory.h"
#include "throwaway_database.h"

namespace {

constexpr int kYear = 2011;
constexpr int kVouchersPerMonth = 25000;
const qj::base::CodeStructure kStructure({3, 5, 7, 9});

// Four lines per voucher: two debits and two credits; every fourth voucher's
// first debit in currency 1, 2 or 3.
void addMonth(qj::data::Connection& db, int month, const std::vector<std::string>& details) {
  const qj::Money rates[] = {qj::Money::parse("6.5"), qj::Money::parse("7.8"), qj::Money::parse("0.05")};
  const auto orNull = [](qj::Money m) { return m.isZero() ? qj::data::Value() : qj::data::Value(m); };
  for (int serial = 1; serial <= kVouchersPerMonth; ++serial) {
    const std::string id = qj::ConvYearMon(kYear, month) + qj::IntToStr(serial, 6);
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'T', 'T', 'admin')",
        {{"id", id}, {"no", serial}, {"date", qj::Date(kYear, month, 1 + serial % 28)}});
    const qj::Money raw = qj::Money::fromUnits(100 * (1 + serial % 9973));
    const int currency = serial % 4 == 0 ? 1 + serial % 3 : 0;
    const qj::Money first = currency ? raw.times(rates[currency - 1], 2) : raw;
    const qj::Money second = qj::Money::fromUnits(100 * (1 + serial % 101));
    const qj::Money debits[] = {first, {}, second, {}};
    const qj::Money credits[] = {{}, first, {}, second};
    for (int no = 0; no < 4; ++no) {
      const std::size_t subject = static_cast<std::size_t>(serial * 7 + no * 613 + month) % details.size();
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, MONEYID, RAWDEBIT, DEBIT, CREDIT) "
          "VALUES (:id, :no, :subject, :summary, :money, :raw, :debit, :credit)",
          {{"id", id},
           {"no", no},
           {"subject", details[subject]},
           {"summary", no < 2 ? "收到货款" : "支付费用"},
           {"money", no == 0 ? currency : 0},
           {"raw", orNull(no == 0 && currency ? raw : qj::Money())},
           {"debit", orNull(debits[no])},
           {"credit", orNull(credits[no])}});
    }
  }
}

// A Balance row per subject, month and the local and aggregate currencies,
// with made-up figures: the ledgers read them, they do not check them.
void addBalances(qj::data::Connection& db, const std::vector<std::string>& subjects) {
  for (int month = 1; month <= 12; ++month)
    for (std::size_t i = 0; i < subjects.size(); ++i)
      for (const int money : {0, 99})
        db.execute(
            "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, BDEBIT, DEBIT, CREDIT, YDEBIT, YCREDIT) "
            "VALUES (:ym, :money, :subject, :open, :debit, :credit, :ydebit, :ycredit)",
            {{"ym", qj::ConvYearMon(kYear, month)},
             {"money", money},
             {"subject", subjects[i]},
             {"open", qj::Money::fromInteger(static_cast<std::int64_t>(1000 + i))},
             {"debit", qj::Money::fromInteger(month * 10)},
             {"credit", qj::Money::fromInteger(month * 7)},
             {"ydebit", qj::Money::fromInteger(month * 100)},
             {"ycredit", qj::Money::fromInteger(month * 70)}});
}

// The year's book on each engine, built once for all cases.
qj::data::Connection& yearBook(qj::data::Engine engine) {
  struct Book {
    std::unique_ptr<qj::bench::ThrowawayDatabase> database;
    std::unique_ptr<qj::data::Connection> db;
  };
  static std::map<qj::data::Engine, Book> books;
  auto& book = books[engine];
  if (!book.db) {
    book.database = std::make_unique<qj::bench::ThrowawayDatabase>(engine, "ledgers");
    book.db = qj::data::OpenConnection(book.database->location(), qj::data::OpenMode::CreateIfMissing);
    qj::data::CreateSchema(*book.db);
    qj::data::Transaction tx(*book.db);
    book.db->execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (1, '记')");
    const auto chart = qj::bench::AddFourLevelChart(*book.db);
    for (int month = 1; month <= 12; ++month) addMonth(*book.db, month, chart.details);
    addBalances(*book.db, chart.all);
    tx.commit();
    if (engine == qj::data::Engine::Postgres) book.db->executeScript("ANALYZE");
  }
  return *book.db;
}

// Builds every subject's rows of the run; the number of rows.
std::size_t detailRows(qj::data::Connection& db, const qj::ledgers::CodeRange& range) {
  const qj::ledgers::DetailLedgerRun run(db, kStructure, {kYear, 1, 12, 0, false, range});
  std::size_t rows = 0;
  for (std::size_t i = 0; i < run.subjects().size(); ++i) rows += run.rows(i).size();
  return rows;
}

void BM_DetailLedgerOfOneTopSubject(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  auto& db = yearBook(engine);
  std::size_t rows = 0;
  for (auto _ : state) rows = detailRows(db, {"101", "101"});
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_DetailLedgerOfOneTopSubject, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_DetailLedgerOfOneTopSubject, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_CashJournalOfOneMonth(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  auto& db = yearBook(engine);
  std::size_t rows = 0;
  for (auto _ : state) {
    const qj::ledgers::Journal journal(db, {kYear, 6, 6, 0, false, {}}, {"100", "科目100", true});
    rows = journal.rows().size();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_CashJournalOfOneMonth, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_CashJournalOfOneMonth, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_GeneralLedgerOfTheWholeChart(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  auto& db = yearBook(engine);
  std::size_t rows = 0;
  for (auto _ : state) rows = qj::ledgers::BuildGeneralLedger(db, kStructure, {kYear, 1, 12, 4, 0, false, {}}).size();
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_GeneralLedgerOfTheWholeChart, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_GeneralLedgerOfTheWholeChart, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// What the detail ledger window reads before it first paints, over the
// whole chart: the run's subjects and the first subject's rows.
void BM_DetailLedgerWindowFirstSubject(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  auto& db = yearBook(engine);
  std::size_t rows = 0;
  for (auto _ : state) {
    qj::ledgers::DetailLedgerModel model;
    model.load(db, kStructure, {kYear, 1, 12, 0, false, {}});
    rows = model.cells().size();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK_CAPTURE(BM_DetailLedgerWindowFirstSubject, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_DetailLedgerWindowFirstSubject, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Last, so that its peak is the one the counter shows.
void BM_DetailLedgerOfTheWholeChart(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  auto& db = yearBook(engine);
  const double before = qj::bench::PeakMegabytes();
  std::size_t rows = 0;
  for (auto _ : state) rows = detailRows(db, {});
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["peak MB before"] = before;
  state.counters["peak MB"] = qj::bench::PeakMegabytes();
}
BENCHMARK_CAPTURE(BM_DetailLedgerOfTheWholeChart, Sqlite, qj::data::Engine::Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DetailLedgerOfTheWholeChart, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
