// Reverse posting of a month holding 100,000 posted vouchers, in a book of
// 3,110 subjects on four levels (3-2-2-2) with Balance rows for every subject
// in local money, two foreign currencies and the aggregate, for the month and
// the month before: one transaction that clears the flags of every voucher of
// the month and rebuilds its Balance, ProfitAndLoss and surplus rows from the
// month before. The flags are set again between runs, untimed.
// Budget: 2 s on SQLite. With QJ_BENCH_PG_URI naming a PostgreSQL database
// the benchmark also runs there, in a schema of its own.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "data/connection.h"
#include "data/period.h"
#include "host/book_creation.h"
#include "periodend/unposting.h"
#include "throwaway_database.h"

namespace {

constexpr int kVouchers = 100000;
const qj::Period kStart{2011, 7};
const qj::Period kMonth{2011, 8};

// A throwaway book started in kStart, opened.
class ThrowawayBook {
 public:
  explicit ThrowawayBook(qj::data::Engine engine) : database_(engine, "unposting") {
    qj::host::NewBook book;
    book.location = database_.location();
    book.start = kStart;
    qj::host::CreateBook(book);
    db_ = qj::data::OpenConnection(database_.location(), qj::data::OpenMode::ExistingOnly);
  }
  ~ThrowawayBook() { db_.reset(); }
  ThrowawayBook(const ThrowawayBook&) = delete;
  ThrowawayBook& operator=(const ThrowawayBook&) = delete;

  qj::data::Connection& db() { return *db_; }

 private:
  qj::bench::ThrowawayDatabase database_;
  std::unique_ptr<qj::data::Connection> db_;
};

// Ten level-1 subjects, each with ten children, five grandchildren each and
// five detail subjects under every grandchild.
void addChart(qj::data::Connection& db) {
  const auto add = [&db](const std::string& code, bool detail) {
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', :d)",
               {{"c", code}, {"n", "科目" + code}, {"d", detail ? "T" : "F"}});
  };
  for (int top = 101; top <= 110; ++top) {
    const std::string first = std::to_string(top);
    add(first, false);
    for (int second = 1; second <= 10; ++second) {
      const std::string two = first + qj::IntToStr(second, 2);
      add(two, false);
      for (int third = 1; third <= 5; ++third) {
        const std::string three = two + qj::IntToStr(third, 2);
        add(three, false);
        for (int fourth = 1; fourth <= 5; ++fourth) add(three + qj::IntToStr(fourth, 2), true);
      }
    }
  }
}

// A row per subject and currency (0, 1, 2, 99) with a year-opening, an
// opening and an ending balance, movements and year movements.
void addBalances(qj::data::Connection& db, const qj::Period& period, int moved) {
  db.execute(
      "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, YBDEBIT, BDEBIT, DEBIT, CREDIT, EDEBIT, YDEBIT, YCREDIT, "
      "YBRAWDEBIT, BRAWDEBIT, RAWDEBIT, ERAWDEBIT, YRAWDEBIT) "
      "SELECT :ym, C.M, S.SUBJECTID, 1000000, 2000000, :moved, 10000, 2000000+:moved-10000, :moved, 10000, "
      "CASE WHEN C.M IN (1, 2) THEN 100000 END, CASE WHEN C.M IN (1, 2) THEN 200000 END, "
      "CASE WHEN C.M IN (1, 2) THEN 30000 END, CASE WHEN C.M IN (1, 2) THEN 230000 END, "
      "CASE WHEN C.M IN (1, 2) THEN 30000 END "
      "FROM Subject S, (SELECT 0 AS M UNION ALL SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 99) C",
      {{"ym", period.text()}, {"moved", moved}});
}

void postAll(qj::data::Connection& db) { db.execute("UPDATE VoucherMaster SET POSTFLAG='T', BILLPOST='admin'"); }

struct PostedMonth {
  explicit PostedMonth(qj::data::Engine engine) : book(engine) {
    auto& db = book.db();
    qj::data::Transaction tx(db);
    addChart(db);
    addBalances(db, kStart, 50000);
    addBalances(db, kMonth, 90000);
    db.execute(
        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I+1 FROM N WHERE I<:count) "
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG, "
        "AccountVoucherType) SELECT CAST(CAST(:base AS BIGINT)+I AS VARCHAR(12)), I, 1, I, 'T', 'T', 0 FROM N",
        {{"count", kVouchers}, {"base", std::int64_t{201108000000}}});
    postAll(db);
    db.execute("UPDATE AccountState SET CURRYEAR=:y, CURRMON=:m", {{"y", kMonth.year}, {"m", kMonth.month}});
    tx.commit();
    data.StartDate = kStart.firstDay();
    data.StartYear = kStart.year;
    data.StartMonth = kStart.month;
    data.CurrYear = kMonth.year;
    data.CurrMon = kMonth.month;
    data.SubjectLevels = 4;
    data.SubjectLevelLen = {3, 5, 7, 9};
  }
  ThrowawayBook book;
  qj::AccountBooksData data;
};

void BM_UnpostMonth(benchmark::State& state, qj::data::Engine engine) {
  PostedMonth month(engine);
  auto& db = month.book.db();
  const qj::base::CodeStructure structure(month.data.SubjectLevelLen);
  std::int64_t vouchers = 0;
  for (auto _ : state) {
    qj::data::Transaction tx(db);
    vouchers = qj::periodend::UnpostCurrentPeriod(db, structure, month.data);
    tx.commit();
    state.PauseTiming();
    postAll(db);
    state.ResumeTiming();
  }
  state.counters["vouchers"] = static_cast<double>(vouchers);
  state.counters["balance rows"] = static_cast<double>(
      qj::data::IntegerOf(db.scalar("SELECT COUNT(*) FROM Balance WHERE YEARMON=:ym", {{"ym", kMonth.text()}})));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("BM_UnpostMonth/Sqlite", BM_UnpostMonth, qj::data::Engine::Sqlite)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(5);
  if (qj::bench::BenchServerUri())
    benchmark::RegisterBenchmark("BM_UnpostMonth/Postgres", BM_UnpostMonth, qj::data::Engine::Postgres)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
