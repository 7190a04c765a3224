#include "subjects/subject_code_move_store.h"

#include <map>
#include <stdexcept>

#include "data/schema.h"

namespace qj::subjects {
namespace {

struct CodeColumn {
  const char* table;
  const char* column;
};

// Where documents and other modules' references hold a subject code.
constexpr CodeColumn kReferences[] = {
    {"VoucherDetail", "SUBJECTID"},
    {"Bank", "SUBJECTID"},
    {"Discount", "SUBJECTID"},
    {"IncomePayoutType", "SUBJECTID"},
    {"FixedAssetsCard", "SUBJECTID"},
    {"EmployeeTypeLaborage", "DSubjectID"},
    {"EmployeeTypeLaborage", "CSubjectID"},
    {"CostMeans", "iSubjectID"},
    {"CostMeans", "sSubjectID"},
    {"CostMeans", "pSubjectID"},
};

// Definitions that name a subject: they follow a code change only.
constexpr CodeColumn kDefinitions[] = {
    {"ManyColumn", "SUBJECTID"},
    {"ManyColumnItem", "SUBJECTID"},
    {"CashSub", "SubjectID"},
    {"HostReservedSub", "SUBJECTID"},
};

// The ledger's per-subject rows, keyed by the code.
constexpr const char* kLedgerTables[] = {"Balance", "ProfitAndLoss"};

void moveReferences(data::Connection& db, const std::string& from, const std::string& to) {
  for (const auto& [table, column] : kReferences)
    db.execute(std::string("UPDATE ") + table + " SET " + column + "=:to WHERE " + column + "=:from",
               {{"to", to}, {"from", from}});
}

// Copies the rows of `table` whose SUBJECTID is :from, with some columns
// replaced by SQL expressions over the given parameters.
void copyRows(data::Connection& db, const std::string& table, const std::map<std::string, std::string>& replaced,
              const data::Params& params) {
  const data::TableDef* def = data::FindSchemaTable(table);
  if (!def) throw std::logic_error("no table " + table);
  std::string columns;
  std::string values;
  for (const auto& column : def->columns) {
    const auto it = replaced.find(column.name);
    columns += (columns.empty() ? "" : ", ") + column.name;
    values += (values.empty() ? "" : ", ") + (it == replaced.end() ? column.name : it->second);
  }
  db.execute(
      "INSERT INTO " + table + " (" + columns + ") SELECT " + values + " FROM " + table + " WHERE SUBJECTID=:from",
      params);
}

// Rows under a code that is no subject's are leftovers; a subject about to
// take that code must not collide with them.
void dropLeftovers(data::Connection& db, const std::string& code) {
  for (const char* table : kLedgerTables)
    db.execute(std::string("DELETE FROM ") + table + " WHERE SUBJECTID=:code", {{"code", code}});
  db.execute("DELETE FROM SubjectStartData WHERE SUBJECTID=:code", {{"code", code}});
}

const char* directionName(bool debit) { return debit ? "借" : "贷"; }

}  // namespace

void MoveDataToNewSubAccount(data::Connection& db, const std::string& parent, const Subject& child) {
  dropLeftovers(db, child.code);
  moveReferences(db, parent, child.code);
  for (const char* table : kLedgerTables)
    copyRows(db, table, {{"SUBJECTID", ":child"}}, {{"child", child.code}, {"from", parent}});
  copyRows(db, "SubjectStartData",
           {{"MNYIDSUBJECTID", "substr(MNYIDSUBJECTID, 1, 2) || :key"},
            {"SUBJECTID", ":child"},
            {"NAME", ":name"},
            {"DCFLAG", ":dc"},
            {"DCFLAGNAME", ":dcName"},
            {"DETAILFLAG", "'T'"}},
           {{"key", child.code},
            {"child", child.code},
            {"name", child.name},
            {"dc", child.debit ? "T" : "F"},
            {"dcName", directionName(child.debit)},
            {"from", parent}});
}

void MoveDataToParent(data::Connection& db, const std::string& child, const Subject& parent) {
  moveReferences(db, child, parent.code);
  // The child's opening figures are the parent's now: its rows replace the
  // parent's summary rows of the same currencies.
  db.execute(
      "DELETE FROM SubjectStartData WHERE SUBJECTID=:parent AND substr(MNYIDSUBJECTID, 1, 2) IN "
      "(SELECT substr(MNYIDSUBJECTID, 1, 2) FROM SubjectStartData WHERE SUBJECTID=:child)",
      {{"parent", parent.code}, {"child", child}});
  copyRows(db, "SubjectStartData",
           {{"MNYIDSUBJECTID", "substr(MNYIDSUBJECTID, 1, 2) || :key"},
            {"SUBJECTID", ":parent"},
            {"NAME", ":name"},
            {"DCFLAG", ":dc"},
            {"DCFLAGNAME", ":dcName"},
            {"DETAILFLAG", "'T'"}},
           {{"key", parent.code},
            {"parent", parent.code},
            {"name", parent.name},
            {"dc", parent.debit ? "T" : "F"},
            {"dcName", directionName(parent.debit)},
            {"from", child}});
  dropLeftovers(db, child);
}

void CarryCodeChange(data::Connection& db, const std::string& from, const std::string& to) {
  dropLeftovers(db, to);
  moveReferences(db, from, to);
  for (const auto& [table, column] : kDefinitions)
    db.execute(std::string("UPDATE ") + table + " SET " + column + "=:to WHERE " + column + "=:from",
               {{"to", to}, {"from", from}});
  for (const char* table : kLedgerTables)
    db.execute(std::string("UPDATE ") + table + " SET SUBJECTID=:to WHERE SUBJECTID=:from",
               {{"to", to}, {"from", from}});
  db.execute(
      "UPDATE SubjectStartData SET SUBJECTID=:to, MNYIDSUBJECTID=substr(MNYIDSUBJECTID, 1, 2) || :key "
      "WHERE SUBJECTID=:from",
      {{"to", to}, {"key", to}, {"from", from}});
}

}  // namespace qj::subjects
