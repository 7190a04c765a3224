// Fresh, empty databases for tests, on every engine the machine offers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::test {

// SQLite always; PostgreSQL when QJ_TEST_PG_URI names a server the tests may use.
std::vector<data::Engine> TestEngines();
std::string EngineName(data::Engine engine);
// Names parameterized cases by their engine ("Sqlite", "Postgres").
inline std::string EngineParamName(const ::testing::TestParamInfo<data::Engine>& info) {
  return EngineName(info.param);
}

// A database that exists for the lifetime of the object: a file in a fresh
// temporary folder, or a schema of its own on the test server (reached through
// a URI whose search_path names it), with the folder beside it. Removed again
// on destruction.
class ScratchDatabase {
 public:
  explicit ScratchDatabase(data::Engine engine);
  ScratchDatabase(const ScratchDatabase&) = delete;
  ScratchDatabase& operator=(const ScratchDatabase&) = delete;
  ~ScratchDatabase();

  [[nodiscard]] data::Engine engine() const { return engine_; }
  // A location OpenConnection accepts.
  [[nodiscard]] const std::string& location() const { return location_; }
  [[nodiscard]] std::unique_ptr<data::Connection> open() const;
  // The temporary folder (on every engine) where a test may put further files.
  [[nodiscard]] const std::string& folder() const { return folder_; }

 private:
  data::Engine engine_;
  std::string location_;
  std::string folder_;
  std::string schema_;
};

}  // namespace qj::test
