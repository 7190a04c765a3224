#include "host/message_boxes.h"

#include "hostapi/host_services.h"

namespace qj::host {

int ScriptedMessageBoxes::show(const std::string& text, const std::string& caption, int flags) {
  int answer = msgbox::IdOk;
  // A script answers Yes or No; a Yes/No/Cancel question is never cancelled.
  if ((flags & 0x0f) == msgbox::YesNo || (flags & 0x0f) == msgbox::YesNoCancel) {
    bool yes = defaultYes_;
    if (!answers_.empty()) {
      yes = answers_.front();
      answers_.pop_front();
    }
    answer = yes ? msgbox::IdYes : msgbox::IdNo;
  }
  shown_.push_back({caption, text, flags, answer});
  return answer;
}

}  // namespace qj::host
