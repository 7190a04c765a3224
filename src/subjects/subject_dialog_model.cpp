#include "subjects/subject_dialog_model.h"

#include "subjects/chart_rules.h"
#include "subjects/modify_subject.h"
#include "subjects/subject_store.h"

namespace qj::subjects {

SubjectDialogModel::SubjectDialogModel(HostServices& host, std::string caption)
    : host_(&host), caption_(std::move(caption)), currencies_(ForeignCurrencies(host.FindStartupDB())) {}

SubjectDialogModel SubjectDialogModel::ForAdd(HostServices& host, AddPlan plan) {
  const bool counterparty = plan.kind == AddKind::Counterparty;
  SubjectDialogModel dialog(host, counterparty ? "新增往来科目" : "新增科目");
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  dialog.prefix_ = plan.parent;
  dialog.segmentWidth_ = rules.structure.segmentWidth(plan.level);
  dialog.draft_.segment = plan.proposedSegment;
  // A sub-account usually keeps its parent's balance direction.
  if (!plan.parent.empty())
    if (const auto parent = FindSubject(host.FindStartupDB(), plan.parent)) dialog.draft_.debit = parent->debit;
  if (counterparty) dialog.counterparties_ = UnlinkedCounterparties(host.FindStartupDB(), plan.controlCode);
  dialog.plan_ = std::move(plan);
  return dialog;
}

SubjectDialogModel SubjectDialogModel::ForModify(HostServices& host, const Subject& subject) {
  SubjectDialogModel dialog(host, IsCounterpartyAccount(subject.relevantId) ? "修改往来科目" : "修改科目");
  const ChartRules rules = ChartRules::Of(host.accountBooksData());
  dialog.currentCode_ = subject.code;
  dialog.prefix_ = FixedPrefixOf(rules, subject.code);
  dialog.segmentWidth_ = rules.structure.segmentWidth(rules.structure.levelOf(subject.code));
  dialog.draft_ = DraftOf(rules, subject);
  return dialog;
}

const std::vector<std::string>& SubjectDialogModel::ForeignCurrencyChoices() {
  static const std::vector<std::string> choices = {"不核算外币", "核算单一外币", "核算所有外币"};
  return choices;
}

void SubjectDialogModel::setForeignCurrency(int choice) {
  draft_.foreignCurrency = choice;
  if (choice != foreign::Single)
    draft_.moneyId = 0;
  else if (draft_.moneyId == 0 && !currencies_.empty())
    draft_.moneyId = currencies_.front().moneyId;
}

void SubjectDialogModel::chooseCounterparty(std::int64_t id) {
  for (const auto& candidate : counterparties_) {
    if (candidate.id != id) continue;
    draft_.counterparty = id;
    draft_.name = candidate.abbreviation;
  }
}

bool SubjectDialogModel::confirm() {
  const SaveResult result = plan_ ? AddSubject(*host_, *plan_, draft_) : ModifySubject(*host_, *currentCode_, draft_);
  return result == SaveResult::Saved;
}

}  // namespace qj::subjects
