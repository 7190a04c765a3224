// The host's message boxes as Qt dialogs with Chinese buttons.
#pragma once

#include "host/message_boxes.h"

namespace qj::desktop {

class DialogMessageBoxes final : public host::MessageBoxes {
 public:
  // Modal over the active window. Flags: low bits 0 an OK box, 4 Yes/No;
  // icon bits 16 error, 32 question, 48 warning, 64 information.
  int show(const std::string& text, const std::string& caption, int flags) override;
};

}  // namespace qj::desktop
