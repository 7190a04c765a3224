#include "periodend/machine_voucher.h"

#include <exception>

#include "data/db_error.h"

namespace qj::periodend {

std::int64_t MachineVoucherType(int scheme) {
  if (scheme == 1) return 1;
  if (scheme == 2) return 4;
  return 9;
}

vouchers::VoucherHeader MachineVoucherHeader(std::int64_t typeId, const Date& date, int kind) {
  vouchers::VoucherHeader header;
  header.typeId = typeId;
  header.credDate = date;
  header.billMaker = kMachineMaker;
  header.sourceKind = kind;
  header.relevantBillId = 0;
  return header;
}

vouchers::VoucherLine MachineLine(const char* summary, const std::string& subject, int moneyId, Money rate) {
  vouchers::VoucherLine line;
  line.summary = summary;
  line.subjectCode = subject;
  line.moneyId = moneyId;
  line.rate = rate;
  line.readOnly = true;
  return line;
}

std::optional<Refusal> PostMadeVouchers(const std::string& what, const std::function<void()>& post) {
  const std::string notPosted = what + "的凭证已生成，但登帐失败，凭证尚未登帐：";
  try {
    post();
  } catch (const data::DbError& error) {
    return ErrorRefusal(notPosted + data::DescribeForUser(error));
  } catch (const std::exception& error) {
    return ErrorRefusal(notPosted + error.what());
  }
  return std::nullopt;
}

}  // namespace qj::periodend
