// A package attached to a recording host over a fresh book, on each test engine.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/host.h"
#include "package/dispatcher.h"
#include "support/scratch_database.h"
#include "support/test_host.h"

namespace qj::test {

class PackageTest : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    db_ = scratch_->open();
    SeedBook(*db_, Period{2011, 7});
    host_ = std::make_unique<TestHost>(*db_);
    base::AttachHost(host_.get());
  }
  void TearDown() override { base::AttachHost(nullptr); }

  data::Connection& db() { return *db_; }
  TestHost& host() { return *host_; }

  // Runs a command as the host would and returns the bag afterwards.
  VorParams call(const std::string& command, VorParams bag = {}, const std::string& param = {}) {
    EXPECT_EQ(package::Dispatch(command, param, &bag), 0);
    return bag;
  }

  void addVoucher(const std::string& credId, int typeId, int code, bool posted = false) {
    db_->execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
        "VALUES (:id, :no, :type, :code, 'F', :posted)",
        {{"id", credId},
         {"no", std::stoi(credId.substr(6))},
         {"type", typeId},
         {"code", code},
         {"posted", posted ? "T" : "F"}});
  }

  // Makes the next change of that kind on `table` fail inside the engine, until healed.
  void failOn(const std::string& table, const std::string& event) {
    if (GetParam() == data::Engine::Sqlite) {
      db_->executeScript("CREATE TRIGGER injected_failure BEFORE " + event + " ON " + table +
                         " BEGIN SELECT RAISE(ABORT, 'injected'); END;");
    } else {
      db_->executeScript(
          "CREATE FUNCTION injected_failure() RETURNS trigger LANGUAGE plpgsql AS "
          "$$BEGIN RAISE EXCEPTION 'injected'; END$$; CREATE TRIGGER injected_failure BEFORE " +
          event + " ON " + table + " FOR EACH ROW EXECUTE FUNCTION injected_failure();");
    }
  }
  void heal(const std::string& table) {
    if (GetParam() == data::Engine::Sqlite)
      db_->executeScript("DROP TRIGGER injected_failure;");
    else
      db_->executeScript("DROP TRIGGER injected_failure ON " + table + "; DROP FUNCTION injected_failure();");
  }

  void addSubject(const std::string& code, const std::string& name) {
    db_->execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:code, :name, 'T', 'T')",
                 {{"code", code}, {"name", name}});
  }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
  std::unique_ptr<data::Connection> db_;
  std::unique_ptr<TestHost> host_;
};

#define QJ_ON_EVERY_ENGINE(Suite) \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(::qj::test::TestEngines()), ::qj::test::EngineParamName)

}  // namespace qj::test
