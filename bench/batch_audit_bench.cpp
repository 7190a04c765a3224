// The batch audit of a month of 100,000 vouchers (200,000 lines): the marker
// of the month cleared, every voucher audited and stamped by one statement,
// the commit, then the list of the stamped vouchers' lines read back for the
// screen. Between runs the vouchers are made unaudited again, untimed; on
// PostgreSQL the book is then vacuumed, as the server's autovacuum would have
// done between one month's batch audit and the next, so that each run meets
// the state a user's run meets rather than the rewrites of the run before.
// Budget on SQLite: under 1 s. With QJ_BENCH_PG_URI set, the same book is
// built in a scratch schema on that server and audited there as well.

#include <benchmark/benchmark.h>

#include <string>

#include "data/connection.h"
#include "data/schema.h"
#include "periodend/audit_store.h"
#include "periodend/batch_audit.h"
#include "throwaway_database.h"

namespace {

constexpr qj::Period kMonth{2011, 7};
constexpr int kVouchers = 100000;

void fillBook(qj::data::Connection& db) {
  qj::data::CreateSchema(db);
  qj::data::Transaction tx(db);
  db.execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (1, '记')");
  for (int subject = 100; subject < 200; ++subject)
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', 'T')",
               {{"c", std::to_string(subject)}, {"n", "科目" + std::to_string(subject)}});
  for (int serial = 1; serial <= kVouchers; ++serial) {
    const std::string id = kMonth.text() + qj::IntToStr(serial, 6);
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'F', 'F', '制单员')",
        {{"id", id}, {"no", serial}, {"date", qj::Date(2011, 7, 1 + serial % 28)}});
    for (int line = 0; line < 2; ++line)
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, MONEYID, DEBIT, CREDIT) "
          "VALUES (:id, :no, :subject, '摘要', 0, :debit, :credit)",
          {{"id", id},
           {"no", line},
           {"subject", std::to_string(100 + (serial + line) % 100)},
           {"debit", line == 0 ? qj::data::Value(qj::Money::fromInteger(serial)) : qj::data::Value()},
           {"credit", line == 1 ? qj::data::Value(qj::Money::fromInteger(serial)) : qj::data::Value()}});
  }
  tx.commit();
}

// On PostgreSQL, the vouchers' dead row versions cleared away (and, with
// `analyze`, their statistics gathered), as autovacuum does on a live book.
void vacuumed(qj::data::Connection& db, bool analyze) {
  if (db.engine() == qj::data::Engine::Postgres)
    db.executeScript(analyze ? "VACUUM ANALYZE VoucherMaster, VoucherDetail" : "VACUUM VoucherMaster");
}

void runBatchAudit(benchmark::State& state, qj::data::Connection& db) {
  qj::periodend::AuditFilter filter;
  filter.period = kMonth;
  filter.typeId = 1;
  std::int64_t audited = 0;
  std::size_t listed = 0;
  for (auto _ : state) {
    {
      qj::data::Transaction tx(db);
      audited = qj::periodend::StampVouchers(db, filter, "审核员", false, "2011-07-31 18:00:00");
      tx.commit();
    }
    listed = qj::periodend::QueryStampedVouchers(db, kMonth).size();
    state.PauseTiming();
    if (audited != kVouchers || listed != 2u * kVouchers) state.SkipWithError("not every voucher was audited");
    db.execute("UPDATE VoucherMaster SET CHECKFLAG='F', BILLCHECK=NULL");
    vacuumed(db, false);
    state.ResumeTiming();
  }
  state.counters["vouchers"] = static_cast<double>(audited);
  state.counters["lines listed"] = static_cast<double>(listed);
}

void BM_BatchAuditMonth(benchmark::State& state, qj::data::Engine engine) {
  if (qj::bench::SkippedWithoutServer(state, engine)) return;
  const qj::bench::ThrowawayDatabase database(engine, "batch_audit");
  auto db = qj::data::OpenConnection(database.location(), qj::data::OpenMode::CreateIfMissing);
  fillBook(*db);
  vacuumed(*db, true);
  runBatchAudit(state, *db);
}
BENCHMARK_CAPTURE(BM_BatchAuditMonth, Sqlite, qj::data::Engine::Sqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_BatchAuditMonth, Postgres, qj::data::Engine::Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
