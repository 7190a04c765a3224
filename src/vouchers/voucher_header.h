// The header of the voucher on the entry screen: its identifier, numbers,
// type, date and the names and flags of its maker, auditor and poster.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/date.h"

namespace qj::vouchers {

inline constexpr std::int64_t kNewVoucherPrintStyle = 20;

struct VoucherHeader {
  std::string credId;                          // CREDID: YYYYMM and the six-digit sequence number
  std::int64_t credNo = 0;                     // CREDNO, "顺序号"
  std::int64_t typeId = 0;                     // AccountVoucherTypeID, "凭证字"
  std::optional<std::int64_t> credCode;        // CREDCODE, the number within type and month
  Date credDate;                               // CREDDATE
  int billNumber = 0;                          // BILLNUMBER, "附件 ... 张"
  std::string billMaker;                       // BILLMAKER
  std::string billCheck;                       // BILLCHECK
  std::string billPost;                        // BILLPOST
  bool checked = false;                        // CHECKFLAG "T"
  bool posted = false;                         // POSTFLAG "T"
  std::optional<int> sourceKind = 0;           // AccountVoucherType: 0 entered by hand
  std::optional<std::int64_t> relevantBillId;  // RELEVANTBILLID
  std::int64_t printStyleId = kNewVoucherPrintStyle;

  friend bool operator==(const VoucherHeader&, const VoucherHeader&) = default;
};

}  // namespace qj::vouchers
