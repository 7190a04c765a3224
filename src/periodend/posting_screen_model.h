// The posting screen ("凭证登帐") without its widgets: the period it posts,
// the choice of what a gap in the voucher numbers does, and OK.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "hostapi/host_services.h"

namespace qj::periodend {

class PostingScreenModel {
 public:
  static constexpr const char* kCaption = "凭证登帐";
  static constexpr const char* kTip =
      "提示：本次登帐将把当前会计期间所有未登帐凭证一次性地登入总分类帐户及明细分类帐户，以便于查询帐簿及输出报表。";
  static constexpr int kPrivilegeFunction = 60;  // action 5

  // 凭证号连续性选择: stop at a gap (the default), or post across gaps.
  static const std::vector<std::string>& ContinuityChoices();

  explicit PostingScreenModel(HostServices& host) : host_(host) {}

  // 当前会计年度 and 当前会计月份.
  [[nodiscard]] std::int64_t year() const { return host_.accountBooksData().CurrYear; }
  [[nodiscard]] std::int64_t month() const { return host_.accountBooksData().CurrMon; }

  [[nodiscard]] std::size_t continuityChoice() const { return continuityChoice_; }
  void chooseContinuity(std::size_t choice) { continuityChoice_ = choice < ContinuityChoices().size() ? choice : 0; }

  // OK: posts the period; true when it was posted. The screen closes either way.
  bool post();

 private:
  HostServices& host_;
  std::size_t continuityChoice_ = 0;
};

}  // namespace qj::periodend
