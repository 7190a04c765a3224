// The opening-balance screen ("会计科目初始") without its widgets: its state,
// entry rules and messages, driven by the events of the screen. The Qt screen
// only shows what this model holds and forwards the user's actions.
//
// Edits are stored row by row as they are made; the working copy taken on
// opening (SubjectStartDatatemp) is what discarding goes back to.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/code_structure.h"
#include "hostapi/host_services.h"
#include "subjects/opening_layout.h"
#include "subjects/opening_listing_queries.h"
#include "subjects/opening_trial.h"

namespace qj::subjects {

class OpeningModel {
 public:
  static constexpr const char* kCaption = "会计科目初始";
  static constexpr const char* kLevelOneCaption = "是否只显示第一级科目";
  static constexpr const char* kNotBalancedNotice = "还未进行试算平衡！";
  static constexpr const char* kTransferQuestion = "是否将刚修改的初始数据转入总分类帐簿";
  static constexpr const char* kUnbalancedTransferMessage = "帐务系统初始数据不平衡，不能转入总分类帐簿";

  explicit OpeningModel(HostServices& host);

  // Repairs the rows from the chart, takes the working copy, makes every
  // column read-only without privilege 73 action 3 and shows the first
  // currency (the local one). False when a database error stopped it (the
  // host's handler has reported it); the screen then does not open.
  bool open();

  // The currency chooser.
  [[nodiscard]] const std::vector<OpeningCurrency>& currencies() const { return currencies_; }
  [[nodiscard]] const OpeningCurrency& currency() const { return currencies_.at(currency_); }
  [[nodiscard]] std::string currencyCaption() const;  // "币种选择：" + name
  [[nodiscard]] std::string rateLabel() const;        // "汇率：" + rate for a foreign currency, else ""
  // Shows a currency's rows (leaving the trial-balance view); for 99 the
  // totals are recomputed first. An unknown currency is ignored.
  void chooseCurrency(int moneyId);

  // The level-1 filter.
  [[nodiscard]] bool levelOneOnly() const { return levelOneOnly_; }
  void setLevelOneOnly(bool only);

  // The list.
  [[nodiscard]] OpeningView view() const;
  [[nodiscard]] std::vector<OpeningColumn> columns() const { return OpeningColumns(view(), readOnly_); }
  [[nodiscard]] const std::vector<OpeningRow>& rows() const { return rows_; }
  [[nodiscard]] const OpeningRow& total() const { return total_; }  // "合计"
  [[nodiscard]] std::optional<std::size_t> findRow(const std::string& subjectId) const;
  [[nodiscard]] bool cellEditable(std::size_t row, OpeningField field) const;

  // Stores an amount typed into a cell ("" is 0): rounded to fen; a
  // transaction-currency amount also sets its local twin to the amount times
  // the currency's rate. False when the cell is not editable or the text is
  // no amount (a message says so).
  bool editCell(std::size_t row, OpeningField field, const std::string& text);

  // "还未进行试算平衡！" after an edit, until the next trial balance.
  [[nodiscard]] const std::string& notice() const { return notice_; }

  // "试算平衡": runs the trial check and reports it with its figures.
  TrialFigures pressTrialBalance();
  // "试算平衡表" / "返回会计科目初始": switches the trial-balance view on and off.
  void pressTrialSheet();
  [[nodiscard]] bool trialSheet() const { return trialSheet_; }
  [[nodiscard]] std::string trialSheetButtonCaption() const;
  // "放弃": takes every row back to what it was when the screen opened.
  void pressDiscard();
  // "关闭": true when the screen may close. After changes in a book in use
  // (AccountState.STATUS 1) the user is asked whether to transfer them into
  // the ledger: No restores the rows; Yes transfers them when they balance
  // and the book is still in its start period, else the screen stays open.
  bool pressClose();

  [[nodiscard]] bool readOnly() const { return readOnly_; }
  [[nodiscard]] bool changed() const { return changed_; }

  // The headings of an export of the shown list: 编制单位, 操作员, 打印日期.
  [[nodiscard]] std::vector<std::pair<std::string, std::string>> exportHeadings() const;

 private:
  template <class Work>
  bool attempt(Work work);
  void reload();

  HostServices& host_;
  data::Connection& db_;
  base::CodeStructure structure_;
  std::vector<OpeningCurrency> currencies_;
  std::size_t currency_ = 0;
  bool levelOneOnly_ = false;
  bool trialSheet_ = false;
  bool readOnly_ = true;
  bool changed_ = false;
  std::string notice_;
  std::vector<OpeningRow> rows_;
  OpeningRow total_;
};

}  // namespace qj::subjects
