// A database for a benchmark that lives as long as the object: a SQLite file
// in a temporary folder, or a schema of its own on the PostgreSQL server that
// QJ_BENCH_PG_URI names. Benchmarks that time both engines run the server
// case only when that variable is set.
#pragma once

#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/connection.h"

namespace qj::bench {

// The benchmark server's URI, or nullptr when none is set.
inline const char* BenchServerUri() {
  const char* uri = std::getenv("QJ_BENCH_PG_URI");
  return uri && *uri ? uri : nullptr;
}

// Marks a server case skipped when no server is named; true when it was.
inline bool SkippedWithoutServer(benchmark::State& state, data::Engine engine) {
  if (engine != data::Engine::Postgres || BenchServerUri()) return false;
  state.SkipWithError("QJ_BENCH_PG_URI is not set");
  return true;
}

class ThrowawayDatabase {
 public:
  // `name` tells the server schemas of different benchmarks apart.
  ThrowawayDatabase(data::Engine engine, const std::string& name) : engine_(engine) {
    if (engine == data::Engine::Sqlite) {
      std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
      folder_ = ::mkdtemp(pattern.data());
      location_ = folder_ + "/book.sqlite";
      return;
    }
    schema_ = "qj_bench_" + name + "_" + std::to_string(::getpid());
    data::OpenConnection(BenchServerUri(), data::OpenMode::ExistingOnly)
        ->executeScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE; CREATE SCHEMA " + schema_);
    const std::string base(BenchServerUri());
    location_ = base + (base.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema_;
  }
  ThrowawayDatabase(const ThrowawayDatabase&) = delete;
  ThrowawayDatabase& operator=(const ThrowawayDatabase&) = delete;
  ~ThrowawayDatabase() {
    try {
      if (engine_ == data::Engine::Sqlite)
        std::filesystem::remove_all(folder_);
      else
        data::OpenConnection(BenchServerUri(), data::OpenMode::ExistingOnly)
            ->executeScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    } catch (...) {
      // A leftover scratch database must not end the benchmark program.
    }
  }

  [[nodiscard]] data::Engine engine() const { return engine_; }
  // A location OpenConnection accepts; nothing is created there yet on SQLite.
  [[nodiscard]] const std::string& location() const { return location_; }

 private:
  data::Engine engine_;
  std::string folder_;
  std::string schema_;
  std::string location_;
};

}  // namespace qj::bench
