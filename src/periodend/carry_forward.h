// 结转本期损益: the ending balances of the profit-and-loss subjects carried
// into the current-year-profit subject by at most two machine-made vouchers,
// one for the subjects ending on the credit side and one for those ending on
// the debit side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/date.h"
#include "data/money.h"
#include "data/period.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_draft.h"

namespace qj::periodend {

// The source kind (AccountVoucherType) of the carry-forward vouchers.
inline constexpr int kCarryForwardKind = 100;
inline constexpr const char* kCarrySummary = "结转本期损益";
// Entry of the reserved-subject table naming the current-year-profit subject.
inline constexpr int kCurrentYearProfitEntry = 16;

inline constexpr const char* kCarryLockRefused =
    "结转损益需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再结转损益。";
inline constexpr const char* kCarryUnposted = "本期尚有凭证未登帐,不能结转本期损益";
inline constexpr const char* kCarryDone = "结转本期损益成功";
inline constexpr const char* kNothingToCarry = "损益类科目没有余额，没有生成凭证。";

enum class CarryDirection {
  AlwaysPositive,     // 损益科目结转金额始终以正数表示
  OppositeToSubject,  // 损益科目结转方向与会计科目中定义的余额方向相反
};

// A profit-and-loss detail subject's ending balance in one currency (0 local,
// 1..98 foreign), as the month's Balance row holds it.
struct ProfitLossBalance {
  std::string subject;
  int moneyId = 0;
  bool debitSide = true;  // the subject's DCFLAG 'T'
  Money endDebit, endCredit;
  Money endRawDebit, endRawCredit;
};

struct CarrySetting {
  Date date;                  // the last day of the current period
  std::int64_t typeId = 1;    // the voucher word
  std::string profitSubject;  // the current-year-profit subject
  CarryDirection direction = CarryDirection::AlwaysPositive;
};

// The first digit of the profit-and-loss subjects' codes.
inline constexpr int kProfitLossClass = 5;

// The current-year-profit subject the book names (reserved entry 16); empty
// when it names none.
std::string CurrentYearProfitSubject(HostServices& host);

// The detail profit-and-loss subjects' rows of the month with an ending
// balance, in code order and within a code by currency (not the all-currency
// row).
std::vector<ProfitLossBalance> ProfitLossBalances(data::Connection& db, const Period& month);

// The run's vouchers, built in memory: the rows ending on the credit side
// first, then those ending on the debit side, each in code order, each pass
// with a balancing line on the current-year-profit subject. Every voucher
// balances; a pass without rows makes none.
std::vector<vouchers::CheckedVoucher> BuildCarryForwardVouchers(const std::vector<ProfitLossBalance>& rows,
                                                                const CarrySetting& setting);

struct CarryOutcome {
  std::vector<std::string> credIds;       // the vouchers made, in order
  std::int64_t posted = 0;                // how many of them the posting that followed booked
  std::optional<Refusal> postingFailure;  // made, but the posting that followed failed
};

// The screen's OK and the command line: under CREDLOCK, checks the period
// and the current-year-profit subject, writes the vouchers in one transaction
// and, when asked, posts the period at once (only audited vouchers where the
// book demands it). A refusal is shown and nothing is written.
std::optional<CarryOutcome> RunCarryForward(HostServices& host, CarryDirection direction, bool postAtOnce);

}  // namespace qj::periodend
