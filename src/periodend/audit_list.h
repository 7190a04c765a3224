// The audit list (会计分录序时簿, "凭证审核"): the lines of the vouchers the
// filter chooses, read only, and the rows a single audit marks in place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/date.h"
#include "data/money.h"
#include "hostapi/host_services.h"
#include "periodend/audit_filter.h"
#include "periodend/audit_list_queries.h"

namespace qj::periodend {

inline constexpr const char* kAuditListCaption = "凭证审核";
inline constexpr const char* kAuditListScreenName = "VocuherCheckList_Frm";
inline constexpr const char* kAuditFilterScreenName = "VOCUHERCHECKFILTER_FRM";

enum class AuditColumn : std::size_t { Date, CredNo, Word, Audited, Posted, Summary, Subject, Debit, Credit };
inline constexpr std::array<const char*, 9> kAuditColumnTitles = {"凭证日期", "顺序号",   "凭证字号", "审核",    "登帐",
                                                                  "摘要",     "会计科目", "借方金额", "贷方金额"};

// "√" for a set flag, a full-width blank otherwise.
std::string FlagMark(bool set);
// The text a cell shows: amounts with two decimals (empty when zero), the
// subject as its code and name.
std::string CellText(const AuditListRow& row, AuditColumn column);

// The list on screen: its rows and the current one.
class AuditList {
 public:
  void show(std::vector<AuditListRow> rows);
  [[nodiscard]] const std::vector<AuditListRow>& rows() const { return rows_; }
  [[nodiscard]] bool empty() const { return rows_.empty(); }
  [[nodiscard]] std::size_t current() const { return current_; }
  void setCurrent(std::size_t row);
  // The current row's voucher; "" when the list is empty.
  [[nodiscard]] std::string currentCredId() const;

  // After a single audit: reads the voucher's CHECKFLAG again and, when it
  // is audited now, marks every row of that voucher audited. The list is not
  // queried again and the current row stays. True when rows were marked.
  bool refreshVoucher(data::Connection& db, const std::string& credId);

 private:
  std::vector<AuditListRow> rows_;
  std::size_t current_ = 0;
};

// Shows a voucher on the voucher screen in audit mode and returns when it closes.
using AuditScreenOpener = std::function<void(const std::string& credId)>;

// 凭证审核: nothing with an empty list, without privilege 59/5 or without a
// voucher on the current row; otherwise the voucher screen on the current
// row's voucher, then that voucher's rows refreshed. True when they changed.
bool AuditCurrentVoucher(HostServices& host, AuditList& list, const AuditScreenOpener& openAuditScreen);

}  // namespace qj::periodend
