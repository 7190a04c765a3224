#include "subjects/widgets/opening_screen.h"

#include <memory>

#include "subjects/widgets/opening_dialog.h"

namespace qj::subjects {

int OpeningScreen::showModal() {
  RunOpeningSession(host_, entry_, [this] {
    OpeningDialog dialog(host_, host_.MainWindow());
    if (dialog.prepare()) dialog.exec();
  });
  return 0;  // nothing to confirm: the amounts are stored as they are typed
}

base::ScreenMakers OpeningScreenMakers(OpeningEntry entry) {
  base::ScreenMakers makers;
  makers.screen = [entry](HostServices& host) { return std::make_unique<OpeningScreen>(host, entry); };
  return makers;
}

}  // namespace qj::subjects
