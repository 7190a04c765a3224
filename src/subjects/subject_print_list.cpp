#include "subjects/subject_print_list.h"

namespace qj::subjects {

PrintList SubjectPrintList(const std::vector<Subject>& subjects) {
  PrintList list{{"科目编码", "科目名称", "余额方向", "是否核算外币", "是否核算现金流量", "助记码"}, {}};
  list.rows.reserve(subjects.size());
  for (const Subject& s : subjects)
    list.rows.push_back({s.code, s.name, s.debit ? "借" : "贷", s.foreignCurrency == foreign::None ? "否" : "是",
                         s.cashFlow ? "是" : "否", s.helpCode});
  return list;
}

}  // namespace qj::subjects
