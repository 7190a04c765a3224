// A refused action or change: the Chinese message and the caption of its box.
// The rules return refusals, or throw them as a RefusalError from work that
// has no host; whoever drives them shows them through the host.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "hostapi/host_services.h"

namespace qj {

namespace caption {
inline constexpr const char* Info = "提示信息";
inline constexpr const char* Notice = "提示";
inline constexpr const char* Error = "出错信息";
inline constexpr const char* CodeError = "编码错误";
inline constexpr const char* Question = "询问";
inline constexpr const char* Warning = "警告";
inline constexpr const char* Failure = "错误";
}  // namespace caption

struct Refusal {
  std::string text;
  std::string caption = caption::Info;
  int icon = msgbox::IconInformation;

  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// A refusal shown with the error icon under "错误".
inline Refusal ErrorRefusal(std::string text) { return {std::move(text), caption::Failure, msgbox::IconError}; }

// A refusal raised from work that has no host to show it, for the caller who
// has one (or a command line) to tell the user.
class RefusalError : public std::runtime_error {
 public:
  explicit RefusalError(Refusal refusal) : std::runtime_error(refusal.text), refusal_(std::move(refusal)) {}
  [[nodiscard]] const Refusal& refusal() const { return refusal_; }

 private:
  Refusal refusal_;
};

// What a failed operation tells the user: a RefusalError as it was raised,
// any other error under "错误" with its text.
inline Refusal FailureRefusal(const std::exception& error) {
  if (const auto* refused = dynamic_cast<const RefusalError*>(&error)) return refused->refusal();
  return ErrorRefusal(error.what());
}

inline void Show(HostServices& host, const Refusal& refusal) {
  host.ShowMsgBox(refusal.text, refusal.caption, refusal.icon);
}

// Shows the refusal and gives nothing back, for functions that return an optional.
inline std::nullopt_t Refuse(HostServices& host, const Refusal& refusal) {
  Show(host, refusal);
  return std::nullopt;
}

// Asks a Yes/No question with caption "询问"; true for Yes.
inline bool Confirm(HostServices& host, const std::string& question) {
  return host.ShowMsgBox(question, caption::Question, msgbox::AskYesNo) == msgbox::IdYes;
}

}  // namespace qj
