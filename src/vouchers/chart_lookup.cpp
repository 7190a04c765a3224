#include "vouchers/chart_lookup.h"

#include <algorithm>

#include "base/upper_case.h"
#include "vouchers/voucher_book_queries.h"

namespace qj::vouchers {

ChartLookup::ChartLookup(std::vector<ChartSubject> subjects, const base::CodeStructure& structure)
    : subjects_(std::move(subjects)) {
  std::sort(subjects_.begin(), subjects_.end(),
            [](const ChartSubject& a, const ChartSubject& b) { return a.code < b.code; });
  byCode_.reserve(subjects_.size());
  for (std::size_t i = 0; i < subjects_.size(); ++i) byCode_.emplace(subjects_[i].code, i);
  for (std::size_t i = 0; i < subjects_.size(); ++i) {
    ChartSubject& subject = subjects_[i];
    subject.detail = i + 1 == subjects_.size() || subjects_[i + 1].code.size() <= subject.code.size();
    // The full name: the names of the parents that exist, outermost first.
    std::string fullName = subject.name;
    for (std::string code = structure.parentOf(subject.code); code != subject.code;) {
      const auto parent = byCode_.find(code);
      if (parent != byCode_.end()) fullName.insert(0, subjects_[parent->second].name + " → ");
      const std::string above = structure.parentOf(code);
      if (above == code) break;
      code = above;
    }
    subject.fullName = std::move(fullName);
    if (!subject.helpCode.empty()) byHelpCode_.emplace(base::UpperCase(subject.helpCode), i);  // the first one stays
  }
}

ChartLookup ChartLookup::load(data::Connection& db, const base::CodeStructure& structure) {
  return ChartLookup(SelectChartSubjects(db), structure);
}

const ChartSubject* ChartLookup::find(const std::string& code) const {
  const auto found = byCode_.find(code);
  return found == byCode_.end() ? nullptr : &subjects_[found->second];
}

const ChartSubject* ChartLookup::findByHelpCode(const std::string& helpCode) const {
  const auto found = byHelpCode_.find(base::UpperCase(helpCode));
  return found == byHelpCode_.end() ? nullptr : &subjects_[found->second];
}

const ChartSubject* ChartLookup::resolve(const std::string& text) const {
  if (const ChartSubject* subject = find(text)) return subject;
  return findByHelpCode(text);
}

std::optional<Refusal> ChartLookup::detailRefusal(const std::string& code) const {
  if (code.empty()) return Refusal{"科目编码不能为空"};
  const ChartSubject* subject = find(code);
  if (subject == nullptr) return Refusal{"科目'" + code + "'不存在"};
  if (!subject->detail) return Refusal{"科目'" + code + "'不是一个明细科目"};
  return std::nullopt;
}

}  // namespace qj::vouchers
