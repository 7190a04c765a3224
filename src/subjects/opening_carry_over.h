// Amounts another module (the fixed-asset module) carries into a subject's
// opening balances.
#pragma once

#include <string>

#include "data/connection.h"
#include "data/money.h"

namespace qj::subjects {

inline constexpr const char* kCarryOverFailedMessage = "固定资产转入帐务初始数据出错";

// Replaces DEBIT, CREDIT and Balance of the subject's local row ("00" + code)
// and its all-currency row ("99" + code); `balance` is debit-positive, so a
// credit-side row stores its negation. A missing row is first looked for again
// after one create-and-repair. Returns false, having written nothing (the
// repair included), when a row is still missing.
bool AddReleSubjectStartData(data::Connection& db, const std::string& subjectId, Money debit, Money credit,
                             Money balance);

}  // namespace qj::subjects
