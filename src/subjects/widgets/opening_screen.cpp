#include "subjects/widgets/opening_screen.h"

#include <memory>

#include "base/host.h"
#include "subjects/widgets/opening_dialog.h"

namespace qj::subjects {

int OpeningScreen::showModal() {
  HostServices& host = base::Host();
  RunOpeningSession(host, entry_, [&host] {
    OpeningDialog dialog(host, host.MainWindow());
    if (dialog.prepare()) dialog.exec();
  });
  return 0;  // nothing to confirm: the amounts are stored as they are typed
}

base::ScreenMakers OpeningScreenMakers(OpeningEntry entry) {
  base::ScreenMakers makers;
  makers.screen = [entry] { return std::make_unique<OpeningScreen>(entry); };
  return makers;
}

}  // namespace qj::subjects
