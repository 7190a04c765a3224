// Taking and giving back "CREDWLOCK", which every voucher save, batch audit and
// reverse audit pays for, on an embedded book and (when QJ_BENCH_PG_URI names a
// server) on a book on a server.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/named_locks.h"

namespace {

void takeAndRelease(benchmark::State& state, const std::string& location, const std::string& identity) {
  auto locks = qj::host::NamedLocks::ForBook(location, identity);
  if (!locks->openBook()) {
    state.SkipWithError(("cannot open the book: " + locks->lastError()).c_str());
    return;
  }
  for (auto _ : state) {
    if (!locks->acquire("CREDWLOCK")) {
      state.SkipWithError(("CREDWLOCK refused: " + locks->lastError()).c_str());
      break;
    }
    locks->release("CREDWLOCK");
  }
}

void embeddedBook(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "qj-lock-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data())) {
    state.SkipWithError("cannot make a temporary folder");
    return;
  }
  takeAndRelease(state, folder + "/book.sqlite", "qj-lock-bench:" + folder);
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("CredwlockTakeAndRelease/Sqlite", embeddedBook)->Unit(benchmark::kMicrosecond);
  if (const char* uri = std::getenv("QJ_BENCH_PG_URI"); uri && *uri) {
    const std::string location = uri;
    benchmark::RegisterBenchmark("CredwlockTakeAndRelease/Postgres", [location](benchmark::State& state) {
      takeAndRelease(state, location, "qj-lock-bench:" + std::to_string(::getpid()));
    })->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
