#include "subjects/modify_subject.h"

#include "subjects/draft_validation.h"
#include "subjects/ledger_lock.h"
#include "subjects/opening_row_store.h"
#include "subjects/subject_classes.h"
#include "subjects/subject_code_move_store.h"
#include "subjects/subject_store.h"

namespace qj::subjects {
namespace {

constexpr int kSubjectFunction = 8;
constexpr int kActionModify = 3;

const Refusal kDeletedMeanwhile{"所选科目已被其他用户删除。"};

DraftPlace placeOf(const ChartRules& rules, const std::string& code) {
  return {FixedPrefixOf(rules, code), rules.structure.levelOf(code), ClassOf(code), code};
}

std::optional<Refusal> checkAgainst(data::Connection& db, const ChartRules& rules, const std::string& code,
                                    const SubjectDraft& draft) {
  if (rules.structure.levelOf(code) == 0) return CodeFormatRefusal(rules);
  return CheckDraft(db, rules, placeOf(rules, code), draft);
}

}  // namespace

std::string FixedPrefixOf(const ChartRules& rules, const std::string& code) {
  return rules.structure.levelOf(code) >= 2 ? rules.structure.parentOf(code) : std::string();
}

SubjectDraft DraftOf(const ChartRules& rules, const Subject& subject) {
  SubjectDraft draft;
  draft.segment = subject.code.substr(FixedPrefixOf(rules, subject.code).size());
  draft.name = subject.name;
  draft.debit = subject.debit;
  draft.cashFlow = subject.cashFlow;
  draft.foreignCurrency = subject.foreignCurrency;
  draft.moneyId = subject.moneyId;
  draft.helpCode = subject.helpCode;
  return draft;
}

std::optional<Refusal> StoreModifiedSubject(data::Connection& db, const ChartRules& rules, const std::string& code,
                                            const SubjectDraft& draft) {
  data::Transaction tx(db);
  auto subject = FindSubject(db, code);
  if (!subject) return kDeletedMeanwhile;
  if (auto refusal = checkAgainst(db, rules, code, draft)) return refusal;
  subject->code = FixedPrefixOf(rules, code) + draft.segment;
  subject->name = draft.name;
  subject->debit = *draft.debit;
  subject->cashFlow = draft.cashFlow;
  subject->foreignCurrency = draft.foreignCurrency;
  subject->moneyId = draft.foreignCurrency == foreign::Single ? draft.moneyId : 0;
  subject->helpCode = draft.helpCode;
  UpdateSubject(db, code, *subject);
  if (subject->code != code) CarryCodeChange(db, code, subject->code);
  // The opening rows keep copies of the name and direction.
  CopySubjectIntoOpeningRows(db, *subject);
  tx.commit();
  return std::nullopt;
}

std::optional<Subject> PlanModify(HostServices& host, const std::string& selected) {
  if (!host.HasOvoPrivilege2(kSubjectFunction, kActionModify, true)) return std::nullopt;
  if (selected.empty()) return Refuse(host, {"请先选择一个科目，然后再修改"});
  auto subject = FindSubject(host.FindStartupDB(), selected);
  if (!subject) return Refuse(host, kDeletedMeanwhile);
  return subject;
}

SaveResult ModifySubject(HostServices& host, const std::string& code, const SubjectDraft& draft) {
  auto& db = host.FindStartupDB();
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  if (auto refusal = checkAgainst(db, rules, code, draft)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  const bool codeChanges = FixedPrefixOf(rules, code) + draft.segment != code;
  std::optional<base::HostLock> lock;
  if (codeChanges && !TakeLedgerLock(host, lock)) return SaveResult::Refused;
  if (auto refusal = StoreModifiedSubject(db, rules, code, draft)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  // The reserved-subject entries may have followed the code.
  if (codeChanges) host.ReloadAccountBooksData();
  return SaveResult::Saved;
}

}  // namespace qj::subjects
