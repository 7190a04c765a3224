// Message boxes as the host shows them; the desktop puts up dialogs, the
// command line and the tests record them and answer from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace qj::host {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // `flags` as for ShowMsgBox; returns msgbox::IdOk, IdYes, IdNo or IdCancel.
  virtual int show(const std::string& text, const std::string& caption, int flags) = 0;
};

struct ShownMessage {
  std::string caption;
  std::string text;
  int flags = 0;
  int answer = 0;
};

// Records every message; Yes/No questions take the next scripted answer, or
// the default answer when the script has run out.
class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  explicit ScriptedMessageBoxes(bool defaultYes = false) : defaultYes_(defaultYes) {}

  void scriptAnswer(bool yes) { answers_.push_back(yes); }
  int show(const std::string& text, const std::string& caption, int flags) override;
  [[nodiscard]] const std::vector<ShownMessage>& shown() const { return shown_; }

 private:
  bool defaultYes_;
  std::deque<bool> answers_;
  std::vector<ShownMessage> shown_;
};

}  // namespace qj::host
