// qingjian-cli fx: the period-end exchange adjustment, through the same
// rules, lock and messages as its screen.
#include <iostream>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "data/money.h"
#include "periodend/exchange_adjustment.h"

namespace qj::cli {
namespace {

// "--rate N=RATE", as many as there are currencies to restate.
std::map<int, Money> ratesOf(const std::vector<std::string>& given) {
  std::map<int, Money> rates;
  for (const std::string& text : given) {
    const auto equals = text.find('=');
    if (equals == std::string::npos) throw UsageError("--rate 应为 币种编号=期末汇率：" + text);
    const int moneyId = ParseInteger(text.substr(0, equals), "--rate 的币种编号");
    try {
      rates[moneyId] = Money::parse(text.substr(equals + 1));
    } catch (const MoneyError& error) {
      throw UsageError("--rate " + text + "：" + error.what());
    }
  }
  return rates;
}

}  // namespace

int RunFx(const std::vector<std::string>& words) {
  std::vector<std::string> rest = words;
  const std::map<int, Money> rates = ratesOf(TakeRepeatedOption(rest, "rate"));
  const Arguments args(rest, {"user", "subject"}, {"post"});
  const auto subject = args.option("subject");
  if (!subject) throw UsageError("需要 --subject 汇兑损益科目");
  CliSession session("fx", args, false, 0);
  const auto outcome = periodend::RunExchangeAdjustment(session.app, rates, *subject, args.has("post"));
  session.printMessages();
  if (!outcome) return kExitRefused;
  if (!outcome->credId) {
    std::cout << "外币余额都已按期末汇率折算，没有生成凭证。\n";
    return kExitOk;
  }
  std::cout << "已生成凭证：" << *outcome->credId << "\n";
  if (outcome->postingFailure) {
    std::cout << outcome->postingFailure->text << "\n";
    return kExitRefused;
  }
  if (outcome->posted) std::cout << "凭证已登帐\n";
  std::cout << periodend::kAdjustmentDone << "\n";
  return kExitOk;
}

}  // namespace qj::cli
