// The cash and bank subject rules of the voucher types: a receipt needs cash or
// bank on its debit side, a payment on its credit side, a transfer has neither.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/money.h"
#include "package/refusal.h"

namespace qj::vouchers {

// A voucher line as the type rules see it: the subject and the local amounts.
struct TypedLine {
  std::string subject;
  Money debit;
  Money credit;
};

// Cash subjects are those whose code begins with "1001", bank subjects "1002".
// Scheme 2 checks types 2 (收), 3 (付) and 4 (转); scheme 3 checks types 5 to 8
// (现收, 现付, 银收, 银付), where a negative amount on the other side counts for
// the side a line must be on, and 9 (转) as type 4. Other schemes and types pass.
// The refusal's caption is kProductCaption (product_caption.h): the driver shows
// it under Host().asProductionName().
std::optional<Refusal> CheckVoucherTypeSubjects(const std::vector<TypedLine>& lines, std::int64_t typeId, int scheme);

}  // namespace qj::vouchers
