// The phrase-type dialog ("摘要类别-编辑"): one type's name, stored by "确定"
// (then the dialog closes) or by "增加" (then a fresh new type follows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "vouchers/phrase_store.h"

namespace qj::vouchers {

class PhraseTypeDialogModel {
 public:
  static constexpr const char* kCaption = "摘要类别-编辑";

  // A new type when `stored` is empty, else that stored type.
  PhraseTypeDialogModel(HostServices& host, std::optional<PhraseType> stored);

  [[nodiscard]] bool adding() const { return !storedId_; }
  [[nodiscard]] const std::string& name() const { return name_; }
  // Keeps the first 32 characters.
  void setName(const std::string& name);

  // "确定": true when the type was stored and the dialog closes. A refusal or
  // a database error was told to the user and the typing is kept.
  bool confirm() { return store(); }
  // "增加": stores the type, then shows a fresh new one; false (the typing
  // kept) when it was not stored.
  bool storeAndAddNext();

  // The type this dialog stored last, if any.
  [[nodiscard]] const std::optional<PhraseType>& lastStored() const { return lastStored_; }

 private:
  bool store();

  HostServices& host_;
  std::optional<std::int64_t> storedId_;
  std::string name_;
  std::optional<PhraseType> lastStored_;
};

}  // namespace qj::vouchers
