// The cash and bank subject rules of the voucher types: a receipt needs cash or
// bank on its debit side, a payment on its credit side, a transfer has neither.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/money.h"
#include "hostapi/account_books_data.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

// A voucher line as the type rules see it: the subject and the local amounts.
struct TypedLine {
  std::string subject;
  Money debit;
  Money credit;
};

// The codes that make a line a cash or a bank line: every subject whose code
// begins with them. A book names them as its reserved cash and bank subjects
// (entries 2 and 3); a book that does not falls back on "1001" and "1002".
struct CashBankSubjects {
  std::string cash = "1001";
  std::string bank = "1002";
};
inline constexpr int kReservedCash = 2;
inline constexpr int kReservedBank = 3;
CashBankSubjects CashBankSubjectsOf(const ReservedSubjects& reserved);

// Scheme 2 checks types 2 (收), 3 (付) and 4 (转); scheme 3 checks types 5 to 8
// (现收, 现付, 银收, 银付), where a negative amount on the other side counts for
// the side a line must be on, and 9 (转) as type 4. Other schemes and types pass.
// The refusal's caption is kProductCaption (product_caption.h): the driver shows
// it under Host().asProductionName().
std::optional<Refusal> CheckVoucherTypeSubjects(const std::vector<TypedLine>& lines, std::int64_t typeId, int scheme,
                                                const CashBankSubjects& subjects = {});

}  // namespace qj::vouchers
