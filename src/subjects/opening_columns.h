// The columns of an opening-balance row (SubjectStartData and its working copy
// SubjectStartDatatemp share them) that the opening rules read and write.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/currency_ids.h"

namespace qj::subjects {

// Every amount column of a row: transaction-currency (RAW) and local figures,
// the side-split year-opening (Y) and start-month (M) balances, and the
// profit and loss realised before the start month.
inline constexpr std::array<std::string_view, 15> kOpeningAmountColumns = {
    "RAWDEBIT", "RAWCREDIT", "RAWBalance", "YRAWDEBIT", "YRAWCREDIT", "MRAWDEBIT", "MRAWCREDIT", "DEBIT",
    "CREDIT",   "Balance",   "YDEBIT",     "YCREDIT",   "MDEBIT",     "MCREDIT",   "PLHAVEDONE"};

// The key of a subject's row in a currency: the currency in two digits, then the code.
inline std::string OpeningRowKey(int moneyId, const std::string& subjectId) {
  return (moneyId < 10 ? "0" : "") + std::to_string(moneyId) + subjectId;
}

// The key of the grand-total row over all subjects (currency 99, code 999).
inline constexpr std::string_view kGrandTotalKey = "99999";
using base::kAllCurrencies;

// The direction as the rows show it: "借" for a debit-side subject, "贷" otherwise.
inline std::string_view DirectionName(bool debitSide) { return debitSide ? "借" : "贷"; }

}  // namespace qj::subjects
