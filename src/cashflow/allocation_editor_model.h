// The allocation editor ("现金流量分配") of one voucher: one row per detail
// cash-flow item with the inflow and outflow allocated to it. Every change is
// written through at once; only rows with an amount are stored.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "cashflow/allocation_row.h"
#include "cashflow/allocation_sums.h"
#include "hostapi/host_services.h"

namespace qj::cashflow {

// The host privilege of the editor: action 1 opens it, action 3 edits.
inline constexpr int kAllocationPrivilegeFunction = 72;

namespace allocation_message {
inline constexpr const char* CloseCaption = "退出询问";
}  // namespace allocation_message

class AllocationEditorModel {
 public:
  static constexpr const char* kScreenName = "TFluxionDistributeEdit_Frm";
  static constexpr const char* kCaption = "现金流量分配";

  // Opens the editor of voucher `credId` whose cash lines come to
  // `cashAmount` (debit less credit): drops the voucher's rows for items that
  // are not detail items and shows every detail item, stored or not. Nothing
  // without the privilege to open (the host says so) or when the book cannot
  // be read (reported).
  static std::unique_ptr<AllocationEditorModel> Open(HostServices& host, std::string credId, Money cashAmount);
  AllocationEditorModel(const AllocationEditorModel&) = delete;
  AllocationEditorModel& operator=(const AllocationEditorModel&) = delete;
  // Deletes the voucher's rows that carry no amount, whoever left them.
  ~AllocationEditorModel();

  [[nodiscard]] const std::string& credId() const { return credId_; }
  [[nodiscard]] Money cashAmount() const { return cashAmount_; }
  [[nodiscard]] const std::vector<AllocationRow>& rows() const { return rows_; }
  // Without the privilege to edit the rows are read-only.
  [[nodiscard]] bool editable() const { return editable_; }
  // The totals of the rows as shown.
  [[nodiscard]] AllocationSums totals() const;

  // Stores one amount of one row at once, leaving the other column as it is
  // stored; a row left without amounts is deleted. The row then shows what is
  // stored, also after a database error (reported). False when read-only or
  // the change could not be stored.
  bool setAmount(std::size_t row, AllocationColumn column, Money amount);
  // As setAmount from typed text; empty text is 0, bad text is refused with a message.
  bool setAmountText(std::size_t row, AllocationColumn column, const std::string& text);

  // 确定 or the close box: when the stored allocation's inflow less outflow
  // differs from the cash amount, asks whether to leave anyway. True when
  // the editor may close.
  [[nodiscard]] bool mayClose();

 private:
  AllocationEditorModel(HostServices& host, std::string credId, Money cashAmount);
  void load();
  // Reads the row's stored amounts (0 when it has none).
  void reread(std::size_t row);

  HostServices& host_;
  std::string credId_;
  Money cashAmount_;
  bool editable_ = false;
  std::vector<AllocationRow> rows_;
};

// The closing question for a cash amount and an allocation difference that differ.
std::string UnbalancedCloseQuestion(Money cashAmount, Money allocated);

}  // namespace qj::cashflow
