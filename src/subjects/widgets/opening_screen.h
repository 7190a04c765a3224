// The opening-balance screen as the dispatcher opens it, under the lock of the
// way it was reached ("FRISTSUBJECTINITLIST_FRM" or "SUBJECTINITLIST_FRM").
#pragma once

#include "base/screen_registry.h"
#include "subjects/opening_session.h"

namespace qj::subjects {

class OpeningScreen final : public base::Screen {
 public:
  OpeningScreen(HostServices& host, OpeningEntry entry) : host_(host), entry_(entry) {}

  // Takes the entry's lock (and, for an adjustment, tests the start period),
  // shows the dialog and gives the lock back however the dialog ends.
  int showModal() override;
  // The screen is only ever modal.
  void showModeless() override { showModal(); }
  void bringToFront() override {}
  void dispose() override { delete this; }

 private:
  HostServices& host_;
  OpeningEntry entry_;
};

// The registration of the screen under the key of `entry`.
base::ScreenMakers OpeningScreenMakers(OpeningEntry entry);

}  // namespace qj::subjects
