// qingjian-cli audit|unaudit: the batch audit of a period's vouchers and its
// reversal, through the same rules, locks and messages as the audit screens.
#include <iostream>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "periodend/audit_list.h"
#include "periodend/batch_audit.h"
#include "periodend/reverse_audit.h"

namespace qj::cli {
namespace {

// "--period YYYY-MM".
Period periodOption(const Arguments& args, const Period& current) {
  const auto text = args.option("period");
  if (!text) return current;
  const auto period =
      text->size() == 7 && (*text)[4] == '-' ? Period::parse(text->substr(0, 4) + text->substr(5)) : std::nullopt;
  if (!period || period->year < periodend::kFirstFilterYear || period->year > periodend::kLastFilterYear)
    throw UsageError("--period 应为 1970-01 至 2100-12 之间的 YYYY-MM：" + *text);
  return *period;
}

std::int64_t number(const std::string& text, const std::string& whole) {
  const bool digits = !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string::npos;
  const std::int64_t value = digits ? std::stoll(text) : 0;
  if (value < 1) throw UsageError("--range 应为 FROM-TO，两个 1 至 999999 的号码：" + whole);
  return value;
}

// "--range FROM-TO"; every number when not given.
std::pair<std::int64_t, std::int64_t> rangeOption(const Arguments& args) {
  const auto text = args.option("range");
  if (!text) return {1, periodend::kLastVoucherNumber};
  const auto dash = text->find('-');
  if (dash == std::string::npos) throw UsageError("--range 应为 FROM-TO：" + *text);
  return {number(text->substr(0, dash), *text), number(text->substr(dash + 1), *text)};
}

// "--word 记": one of the words the book's scheme offers, "所有" for every word.
std::optional<std::int64_t> wordOption(const Arguments& args, int scheme, std::optional<std::int64_t> first) {
  const auto text = args.option("word");
  if (!text) return first;
  std::string offered;
  for (const auto& entry : periodend::VoucherWordEntries(scheme)) {
    if (entry.name == *text) return entry.typeId;
    offered += (offered.empty() ? "" : "、") + entry.name;
  }
  throw UsageError("--word 应为 " + offered + " 之一：" + *text);
}

}  // namespace

int RunAudit(const std::vector<std::string>& words) {
  const Arguments args(words, {"user", "period", "word", "range"}, {"include-audited"});
  CliSession session("audit", args, true, 0);
  const AccountBooksData& book = session.app.accountBooksData();
  periodend::AuditFilter filter = periodend::DefaultAuditFilter(book);
  filter.period = periodOption(args, filter.period);
  filter.typeId = wordOption(args, book.AccountVoucherType, filter.typeId);
  std::tie(filter.fromCode, filter.toCode) = rangeOption(args);
  filter.includeAudited = args.has("include-audited");
  if (periodend::QueryAuditList(session.app.FindStartupDB(), filter).empty()) {
    std::cout << "序时簿中没有凭证，没有审核任何凭证。\n";
    return kExitOk;
  }
  const auto outcome = periodend::BatchAudit(session.app, filter, false);
  session.printMessages();
  if (outcome.result != periodend::BatchAuditResult::Done) {
    std::cout << "没有审核任何凭证。\n";
    return kExitRefused;
  }
  std::cout << "审核了 " << outcome.audited << " 张凭证。\n";
  return kExitOk;
}

int RunUnaudit(const std::vector<std::string>& words) {
  const Arguments args(words, {"user", "period", "range"}, {});
  CliSession session("unaudit", args, false, 0);
  const Period period =
      periodOption(args, {session.app.accountBooksData().CurrYear, session.app.accountBooksData().CurrMon});
  const auto [from, to] = rangeOption(args);
  const periodend::ReverseAuditRange range{period.year, period.month, from, to};
  if (const auto refusal = periodend::ReverseAuditRangeRefusal(range)) throw UsageError(refusal->text);
  const auto outcome = periodend::ReverseAudit(session.app, range);
  session.printMessages();
  if (outcome.result != periodend::ReverseAuditResult::Done) {
    std::cout << "没有反审核任何凭证。\n";
    return kExitRefused;
  }
  std::cout << "反审核了 " << outcome.unaudited << " 张凭证。\n";
  return kExitOk;
}

}  // namespace qj::cli
