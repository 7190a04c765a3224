#include "subjects/add_subject.h"

#include "subjects/code_proposal.h"
#include "subjects/counterparty_queries.h"
#include "subjects/draft_validation.h"
#include "subjects/ledger_lock.h"
#include "subjects/subject_classes.h"
#include "subjects/subject_code_move_store.h"
#include "subjects/subject_store.h"
#include "subjects/subject_usage_queries.h"

namespace qj::subjects {
namespace {

constexpr int kSubjectFunction = 8;
constexpr int kActionAdd = 2;

constexpr const char* kMoveQuestion =
    "科目已经有单据发生或被引用，如果在该科目下设明细科目,"
    "这样该科目发生的所有单据和引用都将转移到新增加的明细科目中。\r\n\r\n"
    "是否确认这种引起科目级别发生的修改？";
const Refusal kNoSelection{"请先选择一个科目，然后再增加"};
const Refusal kDeletedMeanwhile{"所选科目已被其他用户删除。"};
const Refusal kChangedMeanwhile{"所选科目已被其他用户修改，请重新操作。"};
const Refusal kExhausted{"科目编号出现异常情况"};

Refusal missingParent(const std::string& code) { return {"上级科目'" + code + "'不存在"}; }

AddPlan topLevelPlan(int classDigit, std::string proposal) {
  AddPlan plan;
  plan.classDigit = classDigit;
  plan.proposedSegment = std::move(proposal);
  return plan;
}

// The choice of customer or supplier and the draft's own checks.
std::optional<Refusal> checkDraftOfPlan(data::Connection& db, const ChartRules& rules, const AddPlan& plan,
                                        const SubjectDraft& draft) {
  if (plan.kind == AddKind::Counterparty && !draft.counterparty) return Refusal{"客户或供应商未选择，不能保存"};
  if (auto refusal = CheckDraft(db, rules, {plan.parent, plan.level, plan.classDigit, ""}, draft)) return refusal;
  if (plan.kind == AddKind::Counterparty) {
    bool unlinked = false;
    for (const auto& candidate : UnlinkedCounterparties(db, plan.controlCode))
      unlinked = unlinked || candidate.id == *draft.counterparty;
    if (!unlinked) return Refusal{"所选" + CounterpartyKind(plan.controlCode) + "已经设有往来科目"};
  }
  return std::nullopt;
}

template <class T>
std::optional<T> shownOrValue(HostServices& host, std::variant<T, Refusal> checked) {
  if (auto* refusal = std::get_if<Refusal>(&checked)) {
    Show(host, *refusal);
    return std::nullopt;
  }
  return std::get<T>(std::move(checked));
}

}  // namespace

std::variant<AddPlan, Refusal> CheckAddUnder(data::Connection& db, const ChartRules& rules, const Subject& parent) {
  const int parentLevel = rules.structure.levelOf(parent.code);
  if (parentLevel == 0) return CodeFormatRefusal(rules);
  if (rules.structure.isLowestLevel(parent.code))
    return Refusal{"本帐套最多为" + std::to_string(rules.structure.levels()) + "级科目，你不可再设更多级科目",
                   caption::Notice};
  if ((parent.attrFlag & rules.noSubAccountBit()) != 0)
    return Refusal{std::string(parent.specialLevelCode == 0 ? "该科目受系统限制" : "该科目为系统保留科目") +
                   "，不设下级明细科目。"};
  AddPlan plan;
  plan.parent = parent.code;
  plan.level = parentLevel + 1;
  plan.classDigit = ClassOf(parent.code);
  if (parentLevel == 1 && IsControlAccountCode(parent.specialLevelCode)) {
    if (rules.subjectRuleFlag) return Refusal{"此会计科目不能增加下级科目"};
    plan.kind = AddKind::Counterparty;
    plan.controlCode = parent.specialLevelCode;
  }
  const int width = rules.structure.segmentWidth(plan.level);
  const bool hasSubAccounts = CountSubAccounts(db, parent.code) > 0;
  if (!hasSubAccounts && IsUsed(db, parent.code)) {
    // Without the rule flag the level of a used subject may not change; a
    // sub-account added anyway would leave its documents on a summary subject.
    if (!rules.subjectRuleFlag) return Refusal{"科目已经有单据发生或被引用，不能再设下级明细科目。"};
    plan.takesOverData = true;
  }
  const auto highest =
      hasSubAccounts ? HighestSubAccount(db, parent.code, static_cast<int>(parent.code.size()) + width) : std::nullopt;
  if (!highest)
    plan.proposedSegment = FirstSegment(width);
  else
    plan.proposedSegment = NextSegment(highest->substr(parent.code.size())).value_or("");
  return plan;
}

std::variant<AddPlan, Refusal> CheckAddOfCode(data::Connection& db, const ChartRules& rules, const std::string& code) {
  if (auto refusal = NonDigitCodeRefusal(code)) return *refusal;
  const int level = rules.structure.levelOf(code);
  if (level == 0) return CodeFormatRefusal(rules);
  if (level == 1) {
    if (ClassOf(code) == 0) return Refusal{"科目编码首位必须为科目类别 1 到 5"};
    return topLevelPlan(ClassOf(code), code);
  }
  const std::string parentCode = rules.structure.parentOf(code);
  const auto parent = FindSubject(db, parentCode);
  if (!parent) return missingParent(parentCode);
  return CheckAddUnder(db, rules, *parent);
}

std::optional<Refusal> StoreNewSubject(data::Connection& db, const ChartRules& rules, const AddPlan& plan,
                                       const SubjectDraft& draft, bool moveConfirmed) {
  data::Transaction tx(db);
  if (!plan.parent.empty()) {
    const auto parent = FindSubject(db, plan.parent);
    if (!parent) return kDeletedMeanwhile;
    auto checked = CheckAddUnder(db, rules, *parent);
    if (auto* refusal = std::get_if<Refusal>(&checked)) return *refusal;
    const auto& now = std::get<AddPlan>(checked);
    if (now.takesOverData != moveConfirmed || now.kind != plan.kind) return kChangedMeanwhile;
  }
  if (auto refusal = checkDraftOfPlan(db, rules, plan, draft)) return refusal;

  Subject subject;
  subject.code = plan.parent + draft.segment;
  subject.name = draft.name;
  subject.debit = *draft.debit;
  subject.cashFlow = draft.cashFlow;
  subject.foreignCurrency = draft.foreignCurrency;
  subject.moneyId = draft.foreignCurrency == foreign::Single ? draft.moneyId : 0;
  subject.helpCode = draft.helpCode;
  if (plan.kind == AddKind::Counterparty) {
    subject.attrFlag = 4;
    subject.relevantId = RelevantIdOf(plan.controlCode, *draft.counterparty);
  }
  InsertSubject(db, subject);
  if (!plan.parent.empty()) SetDetailFlag(db, plan.parent, false);
  if (moveConfirmed) MoveDataToNewSubAccount(db, plan.parent, subject);
  tx.commit();
  return std::nullopt;
}

std::optional<AddPlan> PlanAddChild(HostServices& host, const std::string& selected) {
  if (!host.HasOvoPrivilege2(kSubjectFunction, kActionAdd, true)) return std::nullopt;
  auto& db = host.FindStartupDB();
  if (selected.empty()) return Refuse(host, kNoSelection);
  const auto parent = FindSubject(db, selected);
  if (!parent) return Refuse(host, kDeletedMeanwhile);
  auto plan = shownOrValue(host, CheckAddUnder(db, ChartRules::Of(host.accountBooksData()), *parent));
  if (plan && plan->proposedSegment.empty()) return Refuse(host, kExhausted);
  return plan;
}

std::optional<AddPlan> PlanAddSibling(HostServices& host, const std::string& selected, int shownClass) {
  if (!host.HasOvoPrivilege2(kSubjectFunction, kActionAdd, true)) return std::nullopt;
  auto& db = host.FindStartupDB();
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  if (selected.empty()) {
    // The first subject of an empty class can only be added as a level-1 sibling.
    if (ClassHasSubjects(db, shownClass)) return Refuse(host, kNoSelection);
    const int width = rules.structure.segmentWidth(1);
    return topLevelPlan(shownClass, std::to_string(shownClass) + (width > 1 ? FirstSegment(width - 1) : ""));
  }
  if (!FindSubject(db, selected)) return Refuse(host, kDeletedMeanwhile);
  const int level = rules.structure.levelOf(selected);
  if (level == 0) return Refuse(host, CodeFormatRefusal(rules));
  std::optional<AddPlan> plan;
  if (level == 1) {
    plan = topLevelPlan(ClassOf(selected), "");
  } else {
    const auto parent = FindSubject(db, rules.structure.parentOf(selected));
    if (!parent) return Refuse(host, missingParent(rules.structure.parentOf(selected)));
    plan = shownOrValue(host, CheckAddUnder(db, rules, *parent));
    if (!plan) return std::nullopt;
  }
  const auto next = NextSegment(selected.substr(plan->parent.size()));
  if (!next) return Refuse(host, kExhausted);
  plan->proposedSegment = *next;
  return plan;
}

std::optional<AddPlan> PlanAddOfCode(HostServices& host, const std::string& code) {
  if (!host.HasOvoPrivilege2(kSubjectFunction, kActionAdd, true)) return std::nullopt;
  return shownOrValue(host, CheckAddOfCode(host.FindStartupDB(), ChartRules::Of(host.accountBooksData()), code));
}

SaveResult AddSubject(HostServices& host, const AddPlan& plan, const SubjectDraft& draft) {
  auto& db = host.FindStartupDB();
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  if (auto refusal = checkDraftOfPlan(db, rules, plan, draft)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  if (plan.takesOverData && !Confirm(host, kMoveQuestion)) return SaveResult::Declined;
  std::optional<base::HostLock> lock;
  if (plan.takesOverData && !TakeLedgerLock(host, lock)) return SaveResult::Refused;
  if (auto refusal = StoreNewSubject(db, rules, plan, draft, plan.takesOverData)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  return SaveResult::Saved;
}

}  // namespace qj::subjects
