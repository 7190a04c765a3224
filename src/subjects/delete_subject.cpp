#include "subjects/delete_subject.h"

#include "subjects/ledger_lock.h"
#include "subjects/opening_row_store.h"
#include "subjects/subject_code_move_store.h"
#include "subjects/subject_store.h"
#include "subjects/subject_usage_queries.h"

namespace qj::subjects {
namespace {

constexpr int kSubjectFunction = 8;
constexpr int kActionDelete = 4;

constexpr const char* kMoveQuestion =
    "科目已经有单据发生或被引用，但它是它的上级科目的唯一一个下级科目，如果将该"
    "科目删除，则其上级科目将成为明细科目，但要将该科目所发生的单据和引用全部都转移到"
    "其上级科目中去。\r\n\r\n"
    "是否确认这种引起科目级别发生变化的操作。";
constexpr const char* kPlainQuestion = "确定要删除该科目";

}  // namespace

std::variant<DeletePlan, Refusal> CheckDelete(data::Connection& db, const ChartRules& rules, const std::string& code) {
  if (code.empty()) return Refusal{"请先选择一个科目，然后再删除"};
  if (CountSubAccounts(db, code) > 0) return Refusal{"不能删除非明细科目"};
  const auto subject = FindSubject(db, code);
  if (!subject) return Refusal{"所选科目已被其他用户删除。"};
  if ((subject->attrFlag & rules.noDeleteBit()) != 0) return Refusal{"该科目被系统保留，不能被删除"};
  if (IsCostReferenced(db, code)) return Refusal{"不能删除已经使用的科目（或被系统引用）"};

  DeletePlan plan{*subject, {}, false, IsUsed(db, code)};
  // A level-1 subject is its own parent: it is nobody's only child.
  if (rules.structure.levelOf(code) >= 2) {
    plan.parent = rules.structure.parentOf(code);
    plan.onlyChild = CountSubAccounts(db, plan.parent) == 1 && FindSubject(db, plan.parent).has_value();
  }
  const bool counterpartyLocked = rules.subjectRuleFlag && IsCounterpartyAccount(subject->relevantId);
  if (counterpartyLocked || (plan.movesData && (!plan.onlyChild || IsControlAccountCode(subject->specialLevelCode))))
    return Refusal{"不能删除已经使用的科目"};
  return plan;
}

std::optional<Refusal> StoreDeletion(data::Connection& db, const ChartRules& rules, const DeletePlan& confirmed) {
  data::Transaction tx(db);
  auto checked = CheckDelete(db, rules, confirmed.subject.code);
  if (auto* refusal = std::get_if<Refusal>(&checked)) return *refusal;
  const auto& plan = std::get<DeletePlan>(checked);
  if (plan.movesData != confirmed.movesData || plan.onlyChild != confirmed.onlyChild)
    return Refusal{"所选科目已被其他用户修改，请重新操作。"};
  const std::string& code = plan.subject.code;
  if (plan.movesData)
    MoveDataToParent(db, code, *FindSubject(db, plan.parent));
  else
    DeleteSubjectOpeningRows(db, code);  // rows of zeros
  DeleteSubjectRow(db, code);
  if (plan.onlyChild) SetDetailFlag(db, plan.parent, true);
  tx.commit();
  return std::nullopt;
}

SaveResult DeleteSubject(HostServices& host, const std::string& selected) {
  if (!host.HasOvoPrivilege2(kSubjectFunction, kActionDelete, true)) return SaveResult::Refused;
  auto& db = host.FindStartupDB();
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  auto checked = CheckDelete(db, rules, selected);
  if (auto* refusal = std::get_if<Refusal>(&checked)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  const auto& plan = std::get<DeletePlan>(checked);
  if (!Confirm(host, plan.movesData ? kMoveQuestion : kPlainQuestion)) return SaveResult::Declined;
  std::optional<base::HostLock> lock;
  if (plan.movesData && !TakeLedgerLock(host, lock)) return SaveResult::Refused;
  if (auto refusal = StoreDeletion(db, rules, plan)) {
    Show(host, *refusal);
    return SaveResult::Refused;
  }
  return SaveResult::Saved;
}

}  // namespace qj::subjects
