#include "host/book_creation.h"

#include <sodium.h>

#include <filesystem>

#include "data/connection.h"
#include "data/schema.h"
#include "host/book_record_store.h"
#include "host/host_error.h"
#include "host/new_book_store.h"
#include "host/user_store.h"
#include "hostapi/refusal.h"

namespace qj::host {
namespace {

std::string newGuid() {
  if (sodium_init() < 0) throw HostError("无法初始化随机数");
  unsigned char bytes[16];
  randombytes_buf(bytes, sizeof bytes);
  bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0f) | 0x40);  // version 4
  bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3f) | 0x80);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    out += kHex[bytes[i] >> 4];
    out += kHex[bytes[i] & 0x0f];
  }
  return out;
}

std::string joined(const std::vector<int>& values) {
  std::string out;
  for (int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
  return out;
}

void fill(data::Connection& db, const NewBook& book, const base::CodeStructure& structure) {
  InsertBookState(db, newGuid(), book.start);
  WriteBookParam(db, bookparam::CompanyName, book.companyName);
  WriteBookParam(db, bookparam::SubjectLevelLen, joined(structure.cumulativeLengths()));
  WriteBookParam(db, bookparam::NeedCarryPL, book.needCarryPL ? "T" : "F");
  WriteBookParam(db, bookparam::AccountVoucherType, std::to_string(book.voucherTypeScheme));
  WriteBookParam(db, bookparam::CredCheckEdit, "F");
  WriteBookParam(db, bookparam::SubjectRuleFlag, book.subjectRuleFlag ? "T" : "F");
  InsertVoucherTypes(db);
  InsertLocalCurrency(db);
  InsertAggregateRate(db);
  if (book.installChart) book.installChart(db, structure, book.subjectRuleFlag);
  UserStore(db).addFirstAdministrator();
}

}  // namespace

void CreateBook(const NewBook& book) {
  if (!book.start.isValid()) throw HostError("启用期间不正确，应为 YYYY-MM，月份 1 到 12");
  if (book.voucherTypeScheme < 1 || book.voucherTypeScheme > 3) throw HostError("凭证字方案应为 1、2 或 3");
  if (book.companyName.size() > 255) throw HostError("单位名称太长");
  base::CodeStructure structure({});
  try {
    structure = base::CodeStructure::FromSegments(book.segmentLengths);
  } catch (const RefusalError& refused) {
    throw HostError(refused.refusal().text);
  }
  const bool isFile = !data::IsServerLocation(book.location);
  if (isFile && std::filesystem::exists(book.location))
    throw HostError("文件 " + book.location + " 已经存在，不能在其上新建帐套");
  // A failed creation leaves no file behind (a server book's schema rolls back).
  const auto removeFile = [&] {
    if (!isFile) return;
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(book.location + suffix, ignored);
  };
  try {
    auto db = data::OpenConnection(book.location, data::OpenMode::CreateIfMissing);
    data::Transaction tx(*db);
    data::CreateSchema(*db);
    fill(*db, book, structure);
    tx.commit();
  } catch (const RefusalError& refused) {
    removeFile();
    throw HostError(refused.refusal().text);
  } catch (...) {
    removeFile();
    throw;
  }
}

}  // namespace qj::host
