#include "support/scratch_database.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qj::test {

namespace {
const char* serverUri() {
  const char* uri = std::getenv("QJ_TEST_PG_URI");
  return uri && *uri ? uri : nullptr;
}

std::string uniqueName() {
  static std::atomic<int> counter{0};
  return "qj_t_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
         std::to_string(std::rand() % 100000);
}
}  // namespace

std::vector<data::Engine> TestEngines() {
  std::vector<data::Engine> engines{data::Engine::Sqlite};
  if (serverUri()) engines.push_back(data::Engine::Postgres);
  return engines;
}

std::string EngineName(data::Engine engine) { return engine == data::Engine::Sqlite ? "Sqlite" : "Postgres"; }

ScratchDatabase::ScratchDatabase(data::Engine engine) : engine_(engine) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qj-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  folder_ = pattern;
  if (engine == data::Engine::Sqlite) {
    location_ = folder_ + "/book.sqlite";
    return;
  }
  const char* uri = serverUri();
  if (!uri) throw std::runtime_error("QJ_TEST_PG_URI is not set");
  schema_ = uniqueName();
  {
    auto admin = data::OpenConnection(uri, data::OpenMode::ExistingOnly);
    admin->executeScript("CREATE SCHEMA " + schema_);
  }
  const std::string base(uri);
  location_ = base + (base.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema_;
}

ScratchDatabase::~ScratchDatabase() {
  try {
    std::filesystem::remove_all(folder_);
    if (engine_ == data::Engine::Postgres) {
      auto admin = data::OpenConnection(serverUri(), data::OpenMode::ExistingOnly);
      admin->executeScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    }
  } catch (...) {
    // Leaving a scratch database behind must not fail the test that used it.
  }
}

std::unique_ptr<data::Connection> ScratchDatabase::open() const {
  return data::OpenConnection(location_, data::OpenMode::CreateIfMissing);
}

}  // namespace qj::test
