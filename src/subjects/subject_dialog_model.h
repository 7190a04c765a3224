// The add and modify dialogs of a subject ("新增科目", "修改科目", and for
// customer and supplier sub-accounts "新增往来科目", "修改往来科目"): the
// fields, the choices they offer and the save, whose rules run where the row
// is stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "subjects/add_subject.h"
#include "subjects/counterparty_queries.h"
#include "subjects/currency_queries.h"
#include "subjects/subject.h"

namespace qj::subjects {

class SubjectDialogModel {
 public:
  // After the add button's checks passed: the proposed segment under the plan's prefix.
  static SubjectDialogModel ForAdd(HostServices& host, AddPlan plan);
  // The subject's current values.
  static SubjectDialogModel ForModify(HostServices& host, const Subject& subject);

  // The choices of the foreign-currency box, by VorWBFlag: 不核算外币, 核算单一外币, 核算所有外币.
  static const std::vector<std::string>& ForeignCurrencyChoices();

  [[nodiscard]] const std::string& caption() const { return caption_; }
  [[nodiscard]] bool adding() const { return !currentCode_; }
  // The fixed part of the code shown before the segment, and the segment's width.
  [[nodiscard]] const std::string& prefix() const { return prefix_; }
  [[nodiscard]] int segmentWidth() const { return segmentWidth_; }
  [[nodiscard]] const SubjectDraft& draft() const { return draft_; }
  [[nodiscard]] std::string code() const { return prefix_ + draft_.segment; }
  // The foreign currencies offered when one currency is accounted for.
  [[nodiscard]] const std::vector<CurrencyChoice>& currencies() const { return currencies_; }
  [[nodiscard]] bool currencyEnabled() const { return draft_.foreignCurrency == foreign::Single; }
  // A new customer or supplier sub-account: the ones that have none yet.
  [[nodiscard]] bool choosesCounterparty() const { return plan_ && plan_->kind == AddKind::Counterparty; }
  [[nodiscard]] const std::vector<Counterparty>& counterparties() const { return counterparties_; }

  // Edits.
  void setSegment(std::string segment) { draft_.segment = std::move(segment); }
  void setName(std::string name) { draft_.name = std::move(name); }
  void setDirection(bool debit) { draft_.debit = debit; }
  void setForeignCurrency(int choice);
  void setCurrency(int moneyId) { draft_.moneyId = moneyId; }
  void setCashFlow(bool cashFlow) { draft_.cashFlow = cashFlow; }
  void setHelpCode(std::string helpCode) { draft_.helpCode = std::move(helpCode); }
  // Choosing a customer or supplier also names the sub-account after it.
  void chooseCounterparty(std::int64_t id);

  // The OK button: true when the subject was saved and the dialog closes;
  // otherwise the refusal went to the host and the dialog stays open.
  bool confirm();

 private:
  // Reads the foreign currencies the dialog offers.
  SubjectDialogModel(HostServices& host, std::string caption);

  HostServices* host_;
  std::string caption_;
  std::optional<AddPlan> plan_;             // adding
  std::optional<std::string> currentCode_;  // modifying
  std::string prefix_;
  int segmentWidth_ = 0;
  SubjectDraft draft_;
  std::vector<CurrencyChoice> currencies_;
  std::vector<Counterparty> counterparties_;
};

}  // namespace qj::subjects
