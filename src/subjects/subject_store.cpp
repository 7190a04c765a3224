#include "subjects/subject_store.h"

namespace qj::subjects {
namespace {

constexpr const char* kColumns =
    "SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorCash, VorWBFlag, MONEYID, ATTRFLAG, HELPCODE, SPECIALEVELCODE, "
    "RELEVANTID";

Subject subjectOf(const data::Row& row) {
  Subject s;
  s.code = row.text("SUBJECTID");
  s.name = row.text("NAME");
  s.debit = row.flag("DCFLAG");
  s.detail = row.flag("DETAILFLAG");
  s.cashFlow = row.flag("VorCash");
  s.foreignCurrency = static_cast<int>(row.integer("VorWBFlag"));
  s.moneyId = static_cast<int>(row.integer("MONEYID"));
  s.attrFlag = static_cast<int>(row.integer("ATTRFLAG"));
  s.helpCode = row.text("HELPCODE");
  s.specialLevelCode = static_cast<int>(row.integer("SPECIALEVELCODE"));
  s.relevantId = row.integer("RELEVANTID");
  return s;
}

const char* flag(bool value) { return value ? "T" : "F"; }

data::Params paramsOf(const Subject& s) {
  return {{"code", s.code},
          {"name", s.name},
          {"dc", flag(s.debit)},
          {"detail", flag(s.detail)},
          {"cash", flag(s.cashFlow)},
          {"wb", s.foreignCurrency},
          {"money", s.moneyId},
          {"attr", s.attrFlag},
          {"help", s.helpCode},
          {"special", s.specialLevelCode == 0 ? data::Value() : data::Value(s.specialLevelCode)},
          {"relevant", s.relevantId == 0 ? data::Value() : data::Value(static_cast<long long>(s.relevantId))}};
}

}  // namespace

std::optional<Subject> FindSubject(data::Connection& db, const std::string& code) {
  const auto row =
      db.queryOne(std::string("SELECT ") + kColumns + " FROM Subject WHERE SUBJECTID=:code", {{"code", code}});
  if (!row) return std::nullopt;
  return subjectOf(*row);
}

std::vector<Subject> ClassSubjects(data::Connection& db, int classDigit) {
  std::vector<Subject> out;
  const auto rows = db.query(
      std::string("SELECT ") + kColumns + " FROM Subject WHERE SUBJECTID>:low AND SUBJECTID<:high ORDER BY SUBJECTID",
      {{"low", std::to_string(classDigit)}, {"high", std::to_string(classDigit + 1)}});
  out.reserve(rows.size());
  for (const auto& row : rows) out.push_back(subjectOf(row));
  return out;
}

bool ClassHasSubjects(data::Connection& db, int classDigit) {
  return db
      .queryOne("SELECT 1 FROM Subject WHERE SUBJECTID>:low AND SUBJECTID<:high LIMIT 1",
                {{"low", std::to_string(classDigit)}, {"high", std::to_string(classDigit + 1)}})
      .has_value();
}

int CountSubAccounts(data::Connection& db, const std::string& code) {
  const auto count =
      db.scalar("SELECT COUNT(*) FROM Subject WHERE substr(SUBJECTID, 1, :length)=:code AND length(SUBJECTID)>:length",
                {{"length", static_cast<long>(code.size())}, {"code", code}});
  return static_cast<int>(data::IntegerOf(count));
}

std::optional<std::string> HighestSubAccount(data::Connection& db, const std::string& prefix, int length) {
  const auto highest = db.scalar(
      "SELECT MAX(SUBJECTID) FROM Subject WHERE substr(SUBJECTID, 1, :prefixLength)=:prefix "
      "AND length(SUBJECTID)=:length",
      {{"prefixLength", static_cast<long>(prefix.size())}, {"prefix", prefix}, {"length", length}});
  if (highest.isNull()) return std::nullopt;
  return data::TextOf(highest);
}

void InsertSubject(data::Connection& db, const Subject& subject) {
  db.execute(std::string("INSERT INTO Subject (") + kColumns +
                 ") VALUES (:code, :name, :dc, :detail, :cash, :wb, :money, :attr, :help, :special, :relevant)",
             paramsOf(subject));
}

void UpdateSubject(data::Connection& db, const std::string& code, const Subject& subject) {
  auto params = paramsOf(subject);
  params.push_back({"old", code});
  db.execute(
      "UPDATE Subject SET SUBJECTID=:code, NAME=:name, DCFLAG=:dc, DETAILFLAG=:detail, VorCash=:cash, "
      "VorWBFlag=:wb, MONEYID=:money, ATTRFLAG=:attr, HELPCODE=:help, SPECIALEVELCODE=:special, "
      "RELEVANTID=:relevant WHERE SUBJECTID=:old",
      params);
}

void SetDetailFlag(data::Connection& db, const std::string& code, bool detail) {
  db.execute("UPDATE Subject SET DETAILFLAG=:flag WHERE SUBJECTID=:code", {{"flag", flag(detail)}, {"code", code}});
  db.execute("UPDATE SubjectStartData SET DETAILFLAG=:flag WHERE SUBJECTID=:code",
             {{"flag", flag(detail)}, {"code", code}});
}

void DeleteSubjectRow(data::Connection& db, const std::string& code) {
  db.execute("DELETE FROM Subject WHERE SUBJECTID=:code", {{"code", code}});
}

void InsertReservedSubject(data::Connection& db, int entry, const std::string& code) {
  db.execute("INSERT INTO HostReservedSub (RESERVEDID, SUBJECTID) VALUES (:entry, :code)",
             {{"entry", entry}, {"code", code}});
}

}  // namespace qj::subjects
