// One line (entry) of the voucher on the entry screen, as the screen edits it.
#pragma once

#include <string>

#include "data/money.h"
#include "vouchers/amount_buffer.h"

namespace qj::vouchers {

inline constexpr const char* kLocalCurrencyName = "人民币";

// Which local amount a line's foreign amount feeds.
enum class ForeignSide { None, Debit, Credit };

// The three amount cells of a line.
enum class AmountColumn { Debit, Credit, Foreign };

// The columns of the voucher grid, left to right. The currency, rate and
// foreign-amount columns are shown only while the screen shows foreign amounts.
enum class Column { Summary, Subject, Currency, Rate, Foreign, Debit, Credit };

struct VoucherLine {
  std::string summary;          // Precis
  std::string subjectCode;      // SUBJECTID
  std::string subjectFullName;  // the subject and its parents, for display
  std::string currencyName = kLocalCurrencyName;
  bool cashFlow = false;  // the subject's VorCash
  bool readOnly = false;  // READONLY "T": made by the system
  int foreignMode = 0;    // the subject's VorWBFlag: 0 none, 1 its own currency, 2 any currency
  ForeignSide foreignSide = ForeignSide::None;
  int moneyId = 0;  // 0 local currency
  Money rate;
  Money foreignAmount;  // RAWDEBIT or RAWCREDIT, by the foreign side
  Money debit;
  Money credit;
  AmountBuffer debitBuffer;
  AmountBuffer creditBuffer;
  AmountBuffer foreignBuffer;

  [[nodiscard]] bool hasForeignCurrency() const { return moneyId != 0; }
  [[nodiscard]] const AmountBuffer& buffer(AmountColumn column) const {
    return column == AmountColumn::Debit ? debitBuffer : column == AmountColumn::Credit ? creditBuffer : foreignBuffer;
  }
  AmountBuffer& buffer(AmountColumn column) {
    return column == AmountColumn::Debit ? debitBuffer : column == AmountColumn::Credit ? creditBuffer : foreignBuffer;
  }
  // Summary, subject and the three buffers all empty: a line nobody wrote in.
  [[nodiscard]] bool isBlank() const {
    return summary.empty() && subjectCode.empty() && debitBuffer.empty() && creditBuffer.empty() &&
           foreignBuffer.empty();
  }
  // Neither the debit nor the credit buffer holds a non-zero digit.
  [[nodiscard]] bool amountMissing() const { return !debitBuffer.hasNonZeroDigit() && !creditBuffer.hasNonZeroDigit(); }

  friend bool operator==(const VoucherLine&, const VoucherLine&) = default;
};

}  // namespace qj::vouchers
