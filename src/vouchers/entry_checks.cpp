#include "vouchers/entry_checks.h"

#include "vouchers/voucher_numbering_queries.h"

namespace qj::vouchers {

namespace {

CheckFailure voucherFailure(const char* text, int icon = msgbox::IconInformation) {
  return {Refusal{text, caption::Info, icon}, std::nullopt};
}

}  // namespace

std::optional<CheckFailure> LineCheck(const VoucherLine& line, const ChartLookup& chart) {
  if (auto refusal = chart.detailRefusal(line.subjectCode))
    return CheckFailure{*refusal, std::nullopt, Column::Subject};
  if (line.amountMissing()) return CheckFailure{Refusal{"金额栏不能为0"}, std::nullopt, Column::Debit};
  return std::nullopt;
}

std::optional<CheckFailure> FirstFailedSaveCheck(const SaveCheckInput& input, const ChartLookup& chart) {
  const VoucherHeader& header = input.header;
  const Period month = Period::ofDate(header.credDate);
  if (month < input.startPeriod) {
    return CheckFailure{Refusal{"凭证日期早于帐套的启用期间（" + std::to_string(input.startPeriod.year) + "年" +
                                std::to_string(input.startPeriod.month) + "月），不能输入凭证"},
                        std::nullopt};
  }
  if (month < input.currentPeriod) return voucherFailure("该月已经结帐，不可再输入或修改凭证");
  if (!input.auditMode && input.stored.checked) return voucherFailure("该张凭证已经审核，不可再修改");
  if (input.stored.posted) return voucherFailure("该张凭证已经登帐，不可再修改");
  if (header.credNo < 1 || header.credNo > kMaxVoucherSerial) return voucherFailure("凭证编号必须在1到999999之间");
  if (input.lines.empty() || input.lines.front().summary.empty()) return voucherFailure("第一条会计分录无摘要");
  if (input.totals.debit != input.totals.credit) return voucherFailure("借、贷方金额不等", msgbox::IconWarning);
  const VoucherLine& first = input.lines.front();
  if (input.totals.debit.isZero() && (first.debit + first.credit).isZero())
    return voucherFailure("凭证金额合计数为0", msgbox::IconWarning);
  // Every line the save will store, and every line with a subject, not only
  // the current one: a line with an amount but no valid subject must not
  // reach the ledger, and a subject typed without an amount must not vanish
  // silently. A line holding no more than a summary carried down from the
  // line above is dropped by the save, unless it is the current line.
  for (std::size_t i = 0; i < input.lines.size(); ++i) {
    const VoucherLine& line = input.lines[i];
    const bool checked = i == input.currentLine
                             ? !line.isBlank()
                             : !line.debit.isZero() || !line.credit.isZero() || !line.subjectCode.empty();
    if (!checked) continue;
    if (auto failure = LineCheck(line, chart)) {
      failure->line = i;
      return failure;
    }
  }
  return std::nullopt;
}

}  // namespace qj::vouchers
