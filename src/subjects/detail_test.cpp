#include "subjects/detail_test.h"

#include <vector>

#include "subjects/subject_queries.h"

namespace qj::subjects {

std::optional<Refusal> DetailSubjectRefusal(data::Connection& db, const std::string& code) {
  if (code.empty()) return Refusal{"科目编码不能为空"};
  const std::vector<std::string> codes = FirstTwoCodesFrom(db, code);
  if (codes.empty() || codes[0] != code) return Refusal{"科目'" + code + "'不存在"};
  if (codes.size() > 1 && codes[1].size() > code.size()) return Refusal{"科目'" + code + "'不是一个明细科目"};
  return std::nullopt;
}

bool IsDetailSubject(HostServices& host, const std::string& code, bool showMessages) {
  const auto refusal = DetailSubjectRefusal(host.FindStartupDB(), code);
  if (refusal && showMessages) Show(host, *refusal);
  return !refusal;
}

}  // namespace qj::subjects
