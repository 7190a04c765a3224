#include "periodend/posting_screen_model.h"

#include "periodend/posting.h"

namespace qj::periodend {

const std::vector<std::string>& PostingScreenModel::ContinuityChoices() {
  static const std::vector<std::string> choices = {"发现凭证号不连续时终止登帐", "可以凭证号不连续的凭证登帐"};
  return choices;
}

bool PostingScreenModel::post() { return RunPosting(host_, continuityChoice_ == 0); }

}  // namespace qj::periodend
