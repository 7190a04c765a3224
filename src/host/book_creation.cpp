#include "host/book_creation.h"

#include <sodium.h>

#include <filesystem>

#include "cashflow/statement_items.h"
#include "data/connection.h"
#include "data/schema.h"
#include "host/book_record.h"
#include "host/host_error.h"
#include "host/users.h"
#include "subjects/chart_rules.h"
#include "subjects/code_structure.h"
#include "subjects/national_chart.h"
#include "subjects/standard_chart.h"
#include "subjects/subject_import.h"

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

struct VoucherType {
  int id;
  const char* name;
};
// Every scheme's types; the book's scheme chooses which the screens offer.
constexpr VoucherType kVoucherTypes[] = {{1, "记"},   {2, "收"},   {3, "付"},   {4, "转"}, {5, "现收"},
                                         {6, "现付"}, {7, "银收"}, {8, "银付"}, {9, "转"}};

void importChart(data::Connection& db, const NewBook& book, const subjects::CodeStructure& structure) {
  const subjects::ImportReport report =
      subjects::ImportSubjectsInto(db, subjects::ChartRules{structure, book.subjectRuleFlag}, book.chartCsv);
  if (report.problems.empty()) return;
  constexpr std::size_t kShown = 10;
  std::string message = "科目表文件有 " + std::to_string(report.problems.size()) + " 行不能导入，帐套没有建立：";
  for (std::size_t i = 0; i < report.problems.size() && i < kShown; ++i)
    message += "\n第 " + std::to_string(report.problems[i].line) + " 行：" + report.problems[i].refusal.text;
  if (report.problems.size() > kShown) message += "\n……";
  throw HostError(message);
}

void fill(data::Connection& db, const NewBook& book, const subjects::CodeStructure& structure) {
  db.execute(
      "INSERT INTO AccountState (GUID, STARTDATE, CURRYEAR, CURRMON, MUSTCHECK, SAMEUSER, STATUS, VERSION) "
      "VALUES (:guid, :start, :year, :month, 'F', 'F', 0, '1')",
      {{"guid", newGuid()}, {"start", book.start.firstDay()}, {"year", book.start.year}, {"month", book.start.month}});
  WriteBookParam(db, bookparam::CompanyName, book.companyName);
  WriteBookParam(db, bookparam::SubjectLevelLen, joined(structure.cumulativeLengths()));
  WriteBookParam(db, bookparam::NeedCarryPL, book.needCarryPL ? "T" : "F");
  WriteBookParam(db, bookparam::AccountVoucherType, std::to_string(book.voucherTypeScheme));
  WriteBookParam(db, bookparam::CredCheckEdit, "F");
  WriteBookParam(db, bookparam::SubjectRuleFlag, book.subjectRuleFlag ? "T" : "F");
  for (const VoucherType& type : kVoucherTypes)
    db.execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (:id, :name)", {{"id", type.id}, {"name", type.name}});
  db.execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (0, '人民币', :rate)",
             {{"rate", Money::fromInteger(1)}});
  db.execute("INSERT INTO RateInit (MONEYID, RATE) VALUES (99, :rate)", {{"rate", Money::fromInteger(1)}});
  switch (book.chart) {
    case StartingChart::Empty:
      break;
    case StartingChart::SmallEnterprise:
      subjects::InstallNationalChart(db, structure);
      cashflow::InstallStatementItems(db);
      break;
    case StartingChart::Legacy:
      subjects::InstallStandardChart(db, structure);
      break;
    case StartingChart::Imported:
      importChart(db, book, structure);
      break;
  }
  UserStore(db).add(kAdministrator, "", true);
}

}  // namespace

void CreateBook(const NewBook& book) {
  if (!book.start.isValid()) throw HostError("启用期间不正确，应为 YYYY-MM，月份 1 到 12");
  if (book.voucherTypeScheme < 1 || book.voucherTypeScheme > 3) throw HostError("凭证字方案应为 1、2 或 3");
  if (book.companyName.size() > 255) throw HostError("单位名称太长");
  subjects::CodeStructure structure({});
  try {
    structure = subjects::CodeStructure::FromSegments(book.segmentLengths);
  } catch (const std::invalid_argument& error) {
    throw HostError(error.what());
  }
  if (book.chart == StartingChart::SmallEnterprise && !subjects::NationalChartFits(structure))
    throw HostError("小企业会计准则科目表的一级科目编码为 4 位，不能用于编码结构 " + structure.describe());
  if (book.chart == StartingChart::Legacy && !subjects::StandardChartFits(structure))
    throw HostError("旧科目表的一级科目编码为 3 位，不能用于编码结构 " + structure.describe());
  const bool isFile = !data::IsServerLocation(book.location);
  if (isFile && std::filesystem::exists(book.location))
    throw HostError("文件 " + book.location + " 已经存在，不能在其上新建帐套");
  try {
    auto db = data::OpenConnection(book.location, data::OpenMode::CreateIfMissing);
    data::Transaction tx(*db);
    data::CreateSchema(*db);
    fill(*db, book, structure);
    tx.commit();
  } catch (...) {
    if (isFile) {
      std::error_code ignored;
      for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(book.location + suffix, ignored);
    }
    throw;
  }
}

}  // namespace qj::host
