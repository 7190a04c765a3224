// The exchange adjustment screen ("期末调汇") without its widgets: the foreign
// currencies with their period-end rates to correct, the gain-and-loss
// subject, whether to post at once, and OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/money.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"

namespace qj::periodend {

struct RateRow {
  int moneyId = 0;
  std::string name;  // 外币名称
  Money rate;        // 期末汇率
};

class ExchangeScreenModel {
 public:
  static constexpr const char* kCaption = "期末调汇";
  static constexpr const char* kTip = "表中所列汇率与期末汇率是否一致，如果不一致，在调汇前先调整正确。";
  static constexpr const char* kPostAtOnce = "本期调汇产生的凭证即刻登帐";

  // Why the screen may not open: the period still has unposted vouchers.
  static std::optional<Refusal> OpeningRefusal(HostServices& host);

  explicit ExchangeScreenModel(HostServices& host);

  [[nodiscard]] const std::vector<RateRow>& rates() const { return rates_; }
  // A typed rate; false (and a message) when it is no amount above 0.
  bool setRate(std::size_t row, const std::string& text);
  void setSubject(std::string code) { subject_ = std::move(code); }
  [[nodiscard]] const std::string& subject() const { return subject_; }
  void setPostAtOnce(bool post) { postAtOnce_ = post; }

  // OK: stores the rates and adjusts; true when it went through (the screen
  // closes with OK), false when refused (the screen stays for a correction).
  bool confirm();

 private:
  HostServices& host_;
  std::vector<RateRow> rates_;
  std::string subject_;
  bool postAtOnce_ = false;
};

}  // namespace qj::periodend
