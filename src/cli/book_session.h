// The book opened as the user for one command, with our host over it and
// message boxes that answer Yes/No questions as --answer says; every message
// shown is printed.
#pragma once

#include <chrono>
#include <iostream>

#include "cli/arguments.h"
#include "cli/login.h"
#include "cli/verb_rights.h"
#include "host/host_application.h"
#include "host/message_boxes.h"

namespace qj::cli {

// How long a script's voucher save waits for another session's save to end.
inline constexpr std::chrono::seconds kSaveLockWait{2};

class CliSession {
 public:
  Login login;
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app;

  // `verb`: the command as the rights table names it ("voucher add"); the
  // user must hold its rights before anything else happens. `bookAt`: where
  // BOOK stands among the positional words (after the subcommand's own verb,
  // when it has one).
  CliSession(const std::string& verb, const Arguments& args, bool answerYes, std::size_t bookAt = 1)
      : login(LogIn(args.need(bookAt, "帐套位置 BOOK"), args.option("user").value_or(""))),
        boxes(answerYes),
        app(*login.session, boxes, login.user) {
    app.setSaveLockWait(kSaveLockWait);
    try {
      RequireVerbRights(app, verb);
    } catch (...) {
      printMessages();  // the host's refusal
      throw;
    }
  }
  ~CliSession() { printMessages(); }
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // Prints the message boxes shown since the last call, questions with their answers.
  void printMessages() {
    const auto& shown = boxes.shown();
    for (; printed_ < shown.size(); ++printed_) {
      std::cout << "【" << shown[printed_].caption << "】" << shown[printed_].text;
      if (shown[printed_].answer == msgbox::IdYes) std::cout << "（回答：是）";
      if (shown[printed_].answer == msgbox::IdNo) std::cout << "（回答：否）";
      std::cout << "\n";
    }
  }

 private:
  std::size_t printed_ = 0;
};

// "--answer yes|no"; no when not given.
inline bool AnswerYes(const Arguments& args) {
  const auto answer = args.option("answer");
  if (!answer) return false;
  if (*answer != "yes" && *answer != "no") throw UsageError("--answer 应为 yes 或 no");
  return *answer == "yes";
}

}  // namespace qj::cli
