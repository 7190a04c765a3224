#include "periodend/carry_forward_screen_model.h"

#include "hostapi/refusal.h"

namespace qj::periodend {

bool CarryForwardScreenModel::confirm() {
  const auto outcome = RunCarryForward(
      host_, opposite_ ? CarryDirection::OppositeToSubject : CarryDirection::AlwaysPositive, postAtOnce_);
  if (!outcome) return false;
  if (outcome->postingFailure)
    Show(host_, *outcome->postingFailure);
  else if (outcome->credIds.empty())
    Show(host_, {kNothingToCarry, caption::Notice});
  else
    Show(host_, {kCarryDone, caption::Notice});
  return true;
}

}  // namespace qj::periodend
