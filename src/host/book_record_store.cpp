#include "host/book_record_store.h"

#include <charconv>
#include <stdexcept>

#include "base/code_structure.h"
#include "host/book_record_queries.h"
#include "host/host_error.h"
#include "hostapi/refusal.h"

namespace qj::host {
namespace {

// The cumulative level lengths, checked by the rules a new book's structure
// follows (levels, segment widths, total length).
std::vector<int> parseLengths(const std::string& text) {
  const HostError damaged("帐套参数中的科目编码结构不正确（“" + text + "”），无法打开此帐套。");
  std::vector<int> segments;
  int previous = 0;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t comma = text.find(',', from);
    if (comma == std::string::npos) comma = text.size();
    int value = 0;
    auto [end, ec] = std::from_chars(text.data() + from, text.data() + comma, value);
    if (ec != std::errc() || end != text.data() + comma || value < 0) throw damaged;
    segments.push_back(value - previous);
    previous = value;
    from = comma + 1;
  }
  try {
    return base::CodeStructure::FromSegments(segments).cumulativeLengths();
  } catch (const RefusalError&) {
    throw damaged;
  }
}

// Every subject's code must be as long as one of the levels: otherwise its
// parents cannot be found, and posting would book it without them.
void checkChartFits(data::Connection& db, const std::vector<int>& lengths) {
  if (const auto misfit = FirstSubjectOutsideLevels(db, lengths))
    throw HostError("帐套参数中的科目编码结构与科目表不符：科目 " + *misfit +
                    " 的编码长度不属于任何一级，无法打开此帐套。");
}

int parseInt(const std::string& text, int fallback) {
  int value = fallback;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::optional<std::string> ReadBookParam(data::Connection& db, const std::string& name) {
  const auto row = db.queryOne("SELECT PARAMVALUE FROM HostBookParam WHERE PARAMNAME=:name", {{"name", name}});
  if (!row) return std::nullopt;
  return row->text("PARAMVALUE");
}

void WriteBookParam(data::Connection& db, const std::string& name, const std::string& value) {
  db.execute(
      "INSERT INTO HostBookParam (PARAMNAME, PARAMVALUE) VALUES (:name, :value) "
      "ON CONFLICT (PARAMNAME) DO UPDATE SET PARAMVALUE=excluded.PARAMVALUE",
      {{"name", name}, {"value", value}});
}

AccountBooksData LoadAccountBooksData(data::Connection& db) {
  const auto state = db.queryOne(
      "SELECT STARTDATE, CURRYEAR, CURRMON, MUSTCHECK, SAMEUSER, STATUS, POSYEAR, POSMON FROM AccountState");
  if (!state) throw HostError("帐套中没有帐套状态记录，无法打开");
  AccountBooksData book;
  const auto start = state->date("STARTDATE");
  if (!start) throw HostError("帐套尚未设置启用期间");
  book.StartDate = *start;
  book.StartYear = start->year();
  book.StartMonth = start->month();
  book.CurrYear = static_cast<int>(state->integer("CURRYEAR"));
  book.CurrMon = static_cast<int>(state->integer("CURRMON"));
  book.MustCheck = state->flag("MUSTCHECK");
  book.SameUser = state->flag("SAMEUSER");
  book.Status = static_cast<int>(state->integer("STATUS"));
  book.CompanyName = ReadBookParam(db, bookparam::CompanyName).value_or("");
  const auto lengths = ReadBookParam(db, bookparam::SubjectLevelLen);
  if (!lengths) throw HostError("帐套参数中缺少科目编码结构，无法打开此帐套。");
  book.SubjectLevelLen = parseLengths(*lengths);
  checkChartFits(db, book.SubjectLevelLen);
  book.SubjectLevels = static_cast<int>(book.SubjectLevelLen.size());
  book.NeedCarryPL = ReadBookParam(db, bookparam::NeedCarryPL).value_or("T") == "T";
  book.AccountVoucherType = parseInt(ReadBookParam(db, bookparam::AccountVoucherType).value_or("1"), 1);
  book.CredCheckEdit = ReadBookParam(db, bookparam::CredCheckEdit).value_or("F") == "T";
  book.SubjectRuleFlag = ReadBookParam(db, bookparam::SubjectRuleFlag).value_or("T") == "T";
  book.LinkInventory = ReadBookParam(db, bookparam::LinkInventory).value_or("F") == "T";
  if (book.LinkInventory) {
    book.InventoryYear = static_cast<int>(state->integer("POSYEAR"));  // null reads as 0
    book.InventoryMonth = static_cast<int>(state->integer("POSMON"));
  }
  return book;
}

ReservedSubjects LoadReservedSubjects(data::Connection& db) {
  ReservedSubjects reserved;
  for (const auto& row : db.query("SELECT RESERVEDID, SUBJECTID FROM HostReservedSub"))
    reserved[static_cast<int>(row.integer("RESERVEDID"))] = row.text("SUBJECTID");
  return reserved;
}

std::string BookIdentity(data::Connection& db) {
  const auto row = db.queryOne("SELECT GUID FROM AccountState");
  if (!row) throw HostError("帐套中没有帐套状态记录，无法打开");
  return row->text("GUID");
}

void WriteAuditOptions(data::Connection& db, bool mustCheck, bool sameUser) {
  db.execute("UPDATE AccountState SET MUSTCHECK=:mustCheck, SAMEUSER=:sameUser",
             {{"mustCheck", mustCheck ? "T" : "F"}, {"sameUser", sameUser ? "T" : "F"}});
}

}  // namespace qj::host
