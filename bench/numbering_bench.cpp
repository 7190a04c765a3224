// Next voucher identifier, next number within type and the proposed type, on a
// SQLite book whose month already holds 999,000 vouchers.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "data/connection.h"
#include "data/schema.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_types.h"

namespace {

constexpr int kVouchers = 999000;
constexpr int kTypes = 4;

struct FullMonthBook {
  std::string folder;
  std::unique_ptr<qj::data::Connection> db;

  FullMonthBook() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qj-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    db = qj::data::OpenConnection(folder + "/book.sqlite", qj::data::OpenMode::CreateIfMissing);
    qj::data::CreateSchema(*db);
    qj::data::Transaction tx(*db);
    for (int serial = 1; serial <= kVouchers; ++serial) {
      db->execute(
          "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
          "VALUES (:id, :no, :type, :code, 'F', 'F')",
          {{"id", "201107" + qj::IntToStr(serial, 6)},
           {"no", serial},
           {"type", serial % kTypes + 1},
           {"code", (serial - 1) / kTypes + 1}});
    }
    tx.commit();
  }
  ~FullMonthBook() {
    db.reset();
    std::filesystem::remove_all(folder);
  }
};

FullMonthBook& book() {
  static FullMonthBook instance;
  return instance;
}

void NextCredIdInAFullMonth(benchmark::State& state) {
  auto& db = *book().db;
  for (auto _ : state) benchmark::DoNotOptimize(qj::vouchers::NextCredId(db, qj::Period{2011, 7}));
}
BENCHMARK(NextCredIdInAFullMonth)->Unit(benchmark::kMicrosecond);

void NextTypeCodeInAFullMonth(benchmark::State& state) {
  auto& db = *book().db;
  for (auto _ : state) benchmark::DoNotOptimize(qj::vouchers::NextTypeCode(db, qj::Period{2011, 7}, 3));
}
BENCHMARK(NextTypeCodeInAFullMonth)->Unit(benchmark::kMicrosecond);

void NextTypeCodeOfAStoredVoucher(benchmark::State& state) {
  auto& db = *book().db;
  for (auto _ : state) benchmark::DoNotOptimize(qj::vouchers::NextTypeCode(db, qj::Period{2011, 7}, 3, "201107500002"));
}
BENCHMARK(NextTypeCodeOfAStoredVoucher)->Unit(benchmark::kMicrosecond);

void DefaultVoucherTypeInAFullMonth(benchmark::State& state) {
  auto& db = *book().db;
  for (auto _ : state) benchmark::DoNotOptimize(qj::vouchers::DefaultVoucherType(db, qj::Period{2011, 7}, 2));
}
BENCHMARK(DefaultVoucherTypeInAFullMonth)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
