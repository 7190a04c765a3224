// Opening the chart screens on a SQLite book whose chart holds 5,000 subjects,
// all in the assets class: 100 level-1 subjects with 49 sub-accounts each.

#include <benchmark/benchmark.h>

#include "bench_book.h"
#include "data/period.h"
#include "subjects/subject_archives_model.h"
#include "subjects/subject_chooser_model.h"

namespace {

struct LargeChartBook : qj::bench::BenchBook {
  LargeChartBook() : BenchBook(qj::Period{2011, 1}) {
    qj::data::Transaction tx(db());
    qj::bench::AddLargeChart(db(), false);
    tx.commit();
    openHost();
  }
};

LargeChartBook& book() {
  static LargeChartBook instance;
  return instance;
}

void OpenMaintenanceOn5000Subjects(benchmark::State& state) {
  auto& host = book().host();
  for (auto _ : state) {
    qj::subjects::SubjectArchivesModel screen(host);
    benchmark::DoNotOptimize(screen.tree().nodes().size());
  }
}
BENCHMARK(OpenMaintenanceOn5000Subjects)->Unit(benchmark::kMillisecond);

void OpenChooserAndSearch5000Subjects(benchmark::State& state) {
  auto& host = book().host();
  for (auto _ : state) {
    qj::subjects::SubjectChooserModel chooser(host);
    chooser.setSearch("明细科目4");
    benchmark::DoNotOptimize(chooser.matches().size());
  }
}
BENCHMARK(OpenChooserAndSearch5000Subjects)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
