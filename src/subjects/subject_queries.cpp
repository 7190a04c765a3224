#include "subjects/subject_queries.h"

namespace qj::subjects {

std::string SubjectName(data::Connection& db, const std::string& code) {
  const auto row = db.queryOne("SELECT NAME FROM Subject WHERE SUBJECTID=:code", {{"code", code}});
  return row ? row->text("NAME") : std::string();
}

int SubjectPrefixCount(data::Connection& db, const std::string& code) {
  // substr comparison instead of LIKE: a typed "_" or "%" must not act as a wildcard.
  const auto rows =
      db.query("SELECT SUBJECTID FROM Subject WHERE substr(SUBJECTID, 1, :length)=:code ORDER BY SUBJECTID LIMIT 2",
               {{"length", static_cast<long>(code.size())}, {"code", code}});
  if (rows.empty()) return 0;
  return rows.size() == 1 ? 2 : 1;
}

std::vector<std::string> FirstTwoCodesFrom(data::Connection& db, const std::string& code) {
  std::vector<std::string> codes;
  for (const auto& row :
       db.query("SELECT SUBJECTID FROM Subject WHERE SUBJECTID>=:code ORDER BY SUBJECTID LIMIT 2", {{"code", code}}))
    codes.push_back(row.text("SUBJECTID"));
  return codes;
}

std::string FullSubjectName(data::Connection& db, const base::CodeStructure& structure, const std::string& code,
                            bool withCode) {
  std::string names;
  std::string current = code;
  while (true) {
    const auto row = db.queryOne("SELECT NAME FROM Subject WHERE SUBJECTID=:code", {{"code", current}});
    if (!row) break;
    std::string name = row->text("NAME");
    if (!names.empty()) name.append(" → ").append(names);
    names = std::move(name);
    const std::string parent = structure.parentOf(current);
    if (parent == current) break;
    current = parent;
  }
  return withCode ? code + " " + names : names;
}

}  // namespace qj::subjects
