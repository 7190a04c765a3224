// The opening-balance totals over a chart of 5,000 subjects (50 level-1, 450
// level-2 summaries, 4,500 details) kept in all five currencies of the book
// plus the all-currency aggregate: 30,000 rows on a SQLite book.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/schema.h"
#include "subjects/opening_row_store.h"
#include "subjects/opening_total_store.h"

namespace {

struct ChartBook {
  std::string folder;
  std::unique_ptr<qj::data::Connection> db;

  ChartBook() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    db = qj::data::OpenConnection(folder + "/book.sqlite", qj::data::OpenMode::CreateIfMissing);
    qj::data::CreateSchema(*db);
    qj::data::Transaction tx(*db);
    for (int currency = 0; currency < 5; ++currency)
      db->execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (:id, :name, :rate)",
                  {{"id", currency},
                   {"name", "币种" + std::to_string(currency)},
                   {"rate", qj::Money::fromUnits(10000 + currency * 5000)}});
    const auto add = [&](const std::string& code, bool detail) {
      db->execute(
          "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorWBFlag) VALUES (:code, :code, :dc, :detail, 2)",
          {{"code", code}, {"dc", code[0] == '1' ? "T" : "F"}, {"detail", detail ? "T" : "F"}});
    };
    for (int top = 0; top < 50; ++top) {
      const std::string one = std::to_string(top < 25 ? 101 + top : 201 + top - 25);
      add(one, false);
      for (int mid = 1; mid <= 9; ++mid) {
        const std::string two = one + "0" + std::to_string(mid);
        add(two, false);
        for (int leaf = 10; leaf < 20; ++leaf) add(two + std::to_string(leaf), true);
      }
    }
    qj::subjects::CreateSubjectStartData(*db);
    db->execute(
        "UPDATE SubjectStartData SET Balance=(length(MNYIDSUBJECTID) * 7919 + MONEYID * 104729) * 100, "
        "DEBIT=MONEYID * 1230000, CREDIT=4560000, RAWBalance=MONEYID * 990000 WHERE DETAILFLAG='T' AND MONEYID<>99");
    tx.commit();
  }
  ~ChartBook() {
    db.reset();
    std::filesystem::remove_all(folder);
  }
};

void ReWriteSubjectDataTotalOf5000Subjects(benchmark::State& state) {
  static ChartBook book;
  const qj::base::CodeStructure structure({3, 5, 7, 9});
  for (auto _ : state) qj::subjects::ReWriteSubjectDataTotal(*book.db, structure);
  state.counters["rows"] =
      static_cast<double>(qj::data::IntegerOf(book.db->scalar("SELECT COUNT(*) FROM SubjectStartData")));
}
BENCHMARK(ReWriteSubjectDataTotalOf5000Subjects)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
