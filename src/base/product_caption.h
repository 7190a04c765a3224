// Rule messages shown under the product's name. Only the host knows that name,
// so the rules leave the caption empty and whoever shows the refusal fills in
// Host().asProductionName(), as ShowUnderProductCaption does.
#pragma once

#include "hostapi/refusal.h"

namespace qj::base {

inline constexpr const char* kProductCaption = "";

// Shows the refusal; an empty caption becomes the product's name.
inline void ShowUnderProductCaption(HostServices& host, Refusal refusal) {
  if (refusal.caption == kProductCaption) refusal.caption = host.asProductionName();
  Show(host, refusal);
}

}  // namespace qj::base
