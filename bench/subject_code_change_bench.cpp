// A used subject's data changing code in a SQLite book with 1,000,000 voucher
// lines and a year of balances: its first sub-account taking over 100,000
// lines and the sibling modules' references, the sub-account's deletion
// moving them back, and a code change carried through every table.

#include <benchmark/benchmark.h>

#include "bench_book.h"
#include "data/period.h"
#include "subjects/add_subject.h"
#include "subjects/delete_subject.h"
#include "subjects/modify_subject.h"
#include "subjects/subject_store.h"

namespace {

constexpr const char* kUsed = "10101";  // a detail subject carrying every tenth line
constexpr const char* kNewChild = "1010101";
constexpr const char* kRenamed = "15004";  // a detail subject with balances but no lines

struct LedgerBook : qj::bench::BenchBook {
  LedgerBook() : BenchBook(qj::Period{2011, 1}, true) {
    auto& db = this->db();
    qj::data::Transaction tx(db);
    // 50 level-1 subjects 101 to 150 with four sub-accounts each.
    db.executeScript(
        "WITH RECURSIVE top(i) AS (SELECT 101 UNION ALL SELECT i+1 FROM top WHERE i<150), "
        "sub(j) AS (SELECT 1 UNION ALL SELECT j+1 FROM sub WHERE j<4) "
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) "
        "SELECT i, '科目' || i, 'T', 'F' FROM top UNION ALL "
        "SELECT i || printf('%02d', j), '科目' || i || printf('%02d', j), 'T', 'T' FROM top, sub;"
        // 200,000 vouchers of five lines over the twelve months of 2011.
        "WITH RECURSIVE v(n) AS (SELECT 0 UNION ALL SELECT n+1 FROM v WHERE n<199999) "
        "INSERT INTO VoucherMaster (CREDID, CREDNO, CHECKFLAG, POSTFLAG) "
        "SELECT '2011' || printf('%02d', n % 12 + 1) || printf('%06d', n / 12 + 1), n / 12 + 1, 'T', 'T' FROM v;"
        "WITH RECURSIVE l(n) AS (SELECT 0 UNION ALL SELECT n+1 FROM l WHERE n<999999) "
        "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, DEBIT) "
        "SELECT '2011' || printf('%02d', (n / 5) % 12 + 1) || printf('%06d', (n / 5) / 12 + 1), n % 5 + 1, "
        "CASE WHEN n % 10 = 0 THEN '10101' ELSE (101 + n % 49) || printf('%02d', (n / 49) % 4 + 1) END, 0, 10000 "
        "FROM l;"
        // A year of balances in local currency and the aggregate, for every subject.
        "WITH RECURSIVE m(k) AS (SELECT 1 UNION ALL SELECT k+1 FROM m WHERE k<12) "
        "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, DEBIT, EDEBIT) "
        "SELECT '2011' || printf('%02d', k), c.id, s.SUBJECTID, 10000, 10000 * k "
        "FROM m, Subject s, (SELECT 0 AS id UNION ALL SELECT 99) c;"
        "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, NAME, DCFLAG, DETAILFLAG, Balance) "
        "SELECT c.key || s.SUBJECTID, c.id, s.SUBJECTID, s.NAME, 'T', s.DETAILFLAG, 10000 "
        "FROM Subject s, (SELECT '00' AS key, 0 AS id UNION ALL SELECT '99', 99) c;"
        "UPDATE SubjectStartData SET Balance=0 WHERE SUBJECTID='15004';"
        "INSERT INTO Bank (ID, NAME, SUBJECTID) VALUES (1, '工商银行', '10101');"
        "INSERT INTO FixedAssetsCard (ID, CODE, SUBJECTID) VALUES (1, 'GZ-1', '10101');");
    tx.commit();
    db.executeScript("ANALYZE;");
    openHost();
  }

  void addChild(benchmark::State& state) {
    const auto plan = qj::subjects::PlanAddChild(host(), kUsed);
    qj::subjects::SubjectDraft draft;
    draft.segment = std::string(kNewChild).substr(5);
    draft.name = "人民币";
    draft.debit = true;
    if (!plan || !plan->takesOverData ||
        qj::subjects::AddSubject(host(), *plan, draft) != qj::subjects::SaveResult::Saved)
      state.SkipWithError("the used subject did not get its first sub-account");
  }
  void deleteChild(benchmark::State& state) {
    if (qj::subjects::DeleteSubject(host(), kNewChild) != qj::subjects::SaveResult::Saved)
      state.SkipWithError("the only sub-account was not deleted");
  }
};

LedgerBook& book() {
  static LedgerBook instance;
  return instance;
}

void FirstSubAccountTakesOver100000Lines(benchmark::State& state) {
  auto& b = book();
  for (auto _ : state) {
    b.addChild(state);
    state.PauseTiming();
    b.deleteChild(state);
    state.ResumeTiming();
  }
}
BENCHMARK(FirstSubAccountTakesOver100000Lines)->Unit(benchmark::kMillisecond)->Iterations(5);

void OnlySubAccountGives100000LinesBack(benchmark::State& state) {
  auto& b = book();
  for (auto _ : state) {
    state.PauseTiming();
    b.addChild(state);
    state.ResumeTiming();
    b.deleteChild(state);
  }
}
BENCHMARK(OnlySubAccountGives100000LinesBack)->Unit(benchmark::kMillisecond)->Iterations(5);

void CodeChangeCarriedThroughTheBook(benchmark::State& state) {
  auto& b = book();
  const auto rules = qj::subjects::ChartRules::Of(b.host().accountBooksData());
  std::string from = kRenamed;
  std::string to = "15009";
  for (auto _ : state) {
    auto draft = qj::subjects::DraftOf(rules, *qj::subjects::FindSubject(b.db(), from));
    draft.segment = to.substr(3);
    if (qj::subjects::ModifySubject(b.host(), from, draft) != qj::subjects::SaveResult::Saved)
      state.SkipWithError("the code change was refused");
    std::swap(from, to);
  }
}
BENCHMARK(CodeChangeCarriedThroughTheBook)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
