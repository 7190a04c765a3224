// Opening the chart screens on a SQLite book whose chart holds 5,000 subjects,
// all in the assets class: 100 level-1 subjects with 49 sub-accounts each.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/period.h"
#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "host/users.h"
#include "subjects/subject_archives_model.h"
#include "subjects/subject_chooser_model.h"

namespace {

struct LargeChartBook {
  std::string folder;
  std::unique_ptr<qj::host::BookSession> session;
  qj::host::ScriptedMessageBoxes boxes;
  std::unique_ptr<qj::host::HostApplication> host;

  LargeChartBook() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    qj::host::NewBook book;
    book.location = folder + "/book.sqlite";
    book.start = qj::Period{2011, 1};
    qj::host::CreateBook(book);
    session = qj::host::BookSession::Open(book.location);
    auto& db = session->db();
    qj::data::Transaction tx(db);
    for (int top = 100; top < 200; ++top) {
      const std::string code = std::to_string(top);
      db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', 'F')",
                 {{"c", code}, {"n", "一级科目" + code}});
      for (int child = 1; child < 50; ++child)
        db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, HELPCODE) VALUES (:c, :n, 'T', 'T', :h)",
                   {{"c", code + qj::IntToStr(child, 2)}, {"n", "明细科目" + std::to_string(child)}, {"h", "MX"}});
    }
    tx.commit();
    host = std::make_unique<qj::host::HostApplication>(*session, boxes, qj::host::kAdministrator);
  }
  ~LargeChartBook() {
    host.reset();
    session.reset();
    std::filesystem::remove_all(folder);
  }
};

LargeChartBook& book() {
  static LargeChartBook instance;
  return instance;
}

void OpenMaintenanceOn5000Subjects(benchmark::State& state) {
  auto& host = *book().host;
  for (auto _ : state) {
    qj::subjects::SubjectArchivesModel screen(host);
    benchmark::DoNotOptimize(screen.tree().nodes().size());
  }
}
BENCHMARK(OpenMaintenanceOn5000Subjects)->Unit(benchmark::kMillisecond);

void OpenChooserAndSearch5000Subjects(benchmark::State& state) {
  auto& host = *book().host;
  for (auto _ : state) {
    qj::subjects::SubjectChooserModel chooser(host);
    chooser.setSearch("明细科目4");
    benchmark::DoNotOptimize(chooser.matches().size());
  }
}
BENCHMARK(OpenChooserAndSearch5000Subjects)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
