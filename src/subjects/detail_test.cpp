#include "subjects/detail_test.h"

namespace qj::subjects {

std::optional<Refusal> DetailSubjectRefusal(data::Connection& db, const std::string& code) {
  if (code.empty()) return Refusal{"科目编码不能为空"};
  const auto rows =
      db.query("SELECT SUBJECTID FROM Subject WHERE SUBJECTID>=:code ORDER BY SUBJECTID LIMIT 2", {{"code", code}});
  if (rows.empty() || rows[0].text("SUBJECTID") != code) return Refusal{"科目'" + code + "'不存在"};
  if (rows.size() > 1 && rows[1].text("SUBJECTID").size() > code.size())
    return Refusal{"科目'" + code + "'不是一个明细科目"};
  return std::nullopt;
}

bool IsDetailSubject(HostServices& host, const std::string& code, bool showMessages) {
  const auto refusal = DetailSubjectRefusal(host.FindStartupDB(), code);
  if (refusal && showMessages) Show(host, *refusal);
  return !refusal;
}

}  // namespace qj::subjects
