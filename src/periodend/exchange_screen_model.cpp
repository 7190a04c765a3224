#include "periodend/exchange_screen_model.h"

#include <map>

#include "base/currency_ids.h"
#include "periodend/exchange_adjustment.h"
#include "periodend/month_status_queries.h"
#include "vouchers/currencies.h"

namespace qj::periodend {

std::optional<Refusal> ExchangeScreenModel::OpeningRefusal(HostServices& host) {
  const AccountBooksData& book = host.accountBooksData();
  if (CountMonthVouchers(host.FindStartupDB(), {book.CurrYear, book.CurrMon}, false).unposted > 0)
    return Refusal{kAdjustmentUnposted, caption::Info};
  return std::nullopt;
}

ExchangeScreenModel::ExchangeScreenModel(HostServices& host) : host_(host) {
  const vouchers::Currencies currencies = vouchers::Currencies::load(host.FindStartupDB());
  for (const vouchers::Currency& currency : currencies.list())
    if (base::IsForeignCurrency(currency.moneyId)) rates_.push_back({currency.moneyId, currency.name, currency.rate});
}

namespace {

std::optional<Money> parsedRate(const std::string& text) {
  try {
    return Money::parse(text);
  } catch (const MoneyError&) {
    return std::nullopt;
  }
}

}  // namespace

bool ExchangeScreenModel::setRate(std::size_t row, const std::string& text) {
  if (row >= rates_.size()) return false;
  const auto rate = parsedRate(text);
  if (!rate || *rate <= Money()) {
    Show(host_, {kRateRefused});
    return false;
  }
  rates_[row].rate = *rate;
  return true;
}

bool ExchangeScreenModel::confirm() {
  std::map<int, Money> rates;
  // A currency left without a rate is refused by the run only when it has balances.
  for (const RateRow& row : rates_)
    if (row.rate > Money()) rates[row.moneyId] = row.rate;
  const auto outcome = RunExchangeAdjustment(host_, rates, subject_, postAtOnce_);
  if (!outcome) return false;
  if (outcome->postingFailure)
    Show(host_, *outcome->postingFailure);
  else
    Show(host_, {kAdjustmentDone, caption::Info});
  return true;
}

}  // namespace qj::periodend
