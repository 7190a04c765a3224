// The carry-forward screen ("结转本期损益") without its widgets: the
// direction of the carried amounts, whether to post at once, and OK.
#pragma once

#include <array>
#include <cstddef>

#include "hostapi/host_services.h"
#include "periodend/carry_forward.h"

namespace qj::periodend {

class CarryForwardScreenModel {
 public:
  static constexpr const char* kCaption = "结转本期损益";
  static constexpr std::array<const char*, 3> kTip = {"提示：该功能帮助你将损益类科目的余额转入《本年利润》",
                                                      "科目，并生成相应的记帐凭证。在结转本期损益以前，",
                                                      "要求你将本期的凭证全部登帐。"};
  static constexpr const char* kDirectionTitle = "损益科目结转方向选择";
  static constexpr std::array<const char*, 2> kDirections = {"损益科目结转金额始终以正数表示",
                                                             "损益科目结转方向与会计科目中定义的余额方向相反"};
  static constexpr const char* kPostAtOnce = "将结转本期损益产生的记帐凭证立即登帐";

  explicit CarryForwardScreenModel(HostServices& host) : host_(host) {}

  void chooseDirection(std::size_t choice) { opposite_ = choice == 1; }
  [[nodiscard]] std::size_t direction() const { return opposite_ ? 1 : 0; }
  void setPostAtOnce(bool post) { postAtOnce_ = post; }
  [[nodiscard]] bool postAtOnce() const { return postAtOnce_; }

  // OK: carries forward and tells the user what came of it. True when the
  // vouchers were made (the screen closes with OK), false when the run was
  // refused or failed (it closes with Cancel).
  bool confirm();

 private:
  HostServices& host_;
  bool opposite_ = false;
  bool postAtOnce_ = false;
};

}  // namespace qj::periodend
