// Posting a month of 100,000 vouchers (400,000 lines, a quarter of them in
// three foreign currencies) on a 4-level chart of about 3,000 subjects, as
// the posting screen runs it: the checks before posting, the claim of the
// voucher set, the sums per subject and currency, the Balance rows of every
// subject and ancestor in its currency and in row 99, and the marking. Each
// run is rolled back, so every iteration posts the whole month. A second case
// posts the month once and then times posting again with nothing left.
// Budget on SQLite: under 0.6 s and 60 MB peak resident memory; nothing left
// to post under 50 ms.
// With QJ_BENCH_PG_URI set, the same book is built in a scratch schema on that
// server and posted there as well.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <variant>

#include "data/connection.h"
#include "data/schema.h"
#include "four_level_chart.h"
#include "peak_memory.h"
#include "periodend/posting.h"
#include "throwaway_database.h"

namespace {

constexpr qj::Period kMonth{2011, 7};
constexpr int kVouchers = 100000;

// Four lines per voucher: two debits and two credits of deterministic
// amounts; every fourth voucher's first debit is in currency 1, 2 or 3.
void addVouchers(qj::data::Connection& db, const std::vector<std::string>& details) {
  const qj::Money rates[] = {qj::Money::parse("6.5"), qj::Money::parse("7.8"), qj::Money::parse("0.05")};
  for (int serial = 1; serial <= kVouchers; ++serial) {
    const std::string id = kMonth.text() + qj::IntToStr(serial, 6);
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'T', 'F', 'admin')",
        {{"id", id}, {"no", serial}, {"date", qj::Date(kMonth.year, kMonth.month, 1 + serial % 28)}});
    const qj::Money raw = qj::Money::fromUnits(100 * (1 + serial % 9973));
    const int currency = serial % 4 == 0 ? 1 + serial % 3 : 0;
    const qj::Money first = currency ? raw.times(rates[currency - 1], 2) : raw;
    const qj::Money second = qj::Money::fromUnits(100 * (1 + serial % 101));
    struct Line {
      qj::Money debit, credit, rawDebit;
      int money;
    };
    const Line lines[] = {{first, {}, currency ? raw : qj::Money(), currency},
                          {{}, first, {}, 0},
                          {second, {}, {}, 0},
                          {{}, second, {}, 0}};
    for (int no = 0; no < 4; ++no) {
      const auto orNull = [](qj::Money m) { return m.isZero() ? qj::data::Value() : qj::data::Value(m); };
      const std::size_t subject = static_cast<std::size_t>(serial * 7 + no * 613) % details.size();
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, RAWDEBIT, DEBIT, CREDIT) "
          "VALUES (:id, :no, :subject, :money, :raw, :debit, :credit)",
          {{"id", id},
           {"no", no},
           {"subject", details[subject]},
           {"money", lines[no].money},
           {"raw", orNull(lines[no].rawDebit)},
           {"debit", orNull(lines[no].debit)},
           {"credit", orNull(lines[no].credit)}});
    }
  }
}

void fillBook(qj::data::Connection& db) {
  qj::data::CreateSchema(db);
  qj::data::Transaction tx(db);
  addVouchers(db, qj::bench::AddFourLevelChart(db).details);
  tx.commit();
}

const qj::periodend::PostingContext kContext{kMonth, true, "admin", qj::base::CodeStructure({3, 5, 7, 9}), "161"};

// What the posting screen posts; -1 when the checks refuse.
std::int64_t postChecked(qj::data::Connection& db) {
  const auto outcome = qj::periodend::PostCurrentPeriodChecked(db, kContext, true);
  const auto* posted = std::get_if<std::int64_t>(&outcome);
  return posted ? *posted : -1;
}

void runPosting(benchmark::State& state, qj::data::Connection& db) {
  const double before = qj::bench::PeakMegabytes();
  std::int64_t posted = 0;
  for (auto _ : state) {
    {
      const qj::data::Transaction tx(db);
      posted = postChecked(db);
      state.PauseTiming();
    }  // rolled back, untimed
    if (posted != kVouchers) state.SkipWithError("not every voucher was posted");
    state.ResumeTiming();
  }
  state.counters["vouchers"] = static_cast<double>(posted);
  state.counters["peak MB before"] = before;
  state.counters["peak MB"] = qj::bench::PeakMegabytes();
}

// The filled book in `database`.
std::unique_ptr<qj::data::Connection> openBook(qj::data::Engine engine, const qj::bench::ThrowawayDatabase& database) {
  auto db = qj::data::OpenConnection(database.location(), qj::data::OpenMode::CreateIfMissing);
  fillBook(*db);
  if (engine == qj::data::Engine::Postgres) db->executeScript("ANALYZE");
  return db;
}

void BM_PostMonth(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "posting");
  runPosting(state, *openBook(engine, database));
}
BENCHMARK_CAPTURE(BM_PostMonth, Sqlite, qj::data::Engine::Sqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_PostMonth, Postgres, qj::data::Engine::Postgres)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PostNothingLeft(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "posted");
  const auto db = openBook(engine, database);
  if (postChecked(*db) != kVouchers) {
    state.SkipWithError("the month was not posted");
    return;
  }
  for (auto _ : state)
    if (postChecked(*db) != 0) state.SkipWithError("posting found something left to post");
}
BENCHMARK_CAPTURE(BM_PostNothingLeft, Sqlite, qj::data::Engine::Sqlite)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_PostNothingLeft, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
