// The identifier check of a voucher save: a voucher may not be stored under an
// identifier another voucher already holds. Safe to run more than once: the
// save runs it again under its write lock.
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "data/date.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

struct IdentifierReset {
  Refusal message;
  std::string replacement;  // "" when the month is full: the voucher keeps its identifier and is not stored
};

// `current` is the voucher's CREDID now, `stored` the one it is stored under
// ("" for a new voucher), `credDate` its date. No value when `current` is free
// (or is the voucher's own). Otherwise the identifier to take instead: the
// stored one when the voucher is stored in that month (it returns to its own
// number), else the next of the month of `credDate`. The message, caption
// kProductCaption (product_caption.h), tells the user; the save stops either way.
// When that month is full the message is the month-full warning and the
// replacement is empty.
std::optional<IdentifierReset> IdentifierCollision(data::Connection& db, const std::string& current,
                                                   const std::string& stored, const Date& credDate);

}  // namespace qj::vouchers
