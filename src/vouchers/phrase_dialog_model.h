// The phrase dialog ("摘要-编辑"): a phrase's type, text and help code. "确定"
// stores it when it was changed and closes; "增加" stores it and shows a fresh
// new phrase.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vouchers/phrase_store.h"

namespace qj::vouchers {

class PhraseDialogModel {
 public:
  static constexpr const char* kCaption = "摘要-编辑";

  // A new phrase of `presetType` (none: the user chooses one).
  static PhraseDialogModel ForAdd(HostServices& host, std::optional<std::int64_t> presetType);
  // A stored phrase.
  static PhraseDialogModel ForModify(HostServices& host, const Phrase& phrase);

  // The stored types the phrase may belong to.
  [[nodiscard]] const std::vector<PhraseType>& types() const { return types_; }
  [[nodiscard]] bool adding() const { return !stored_; }
  [[nodiscard]] const PhraseDraft& draft() const { return draft_; }
  // Whether the fields differ from the row the dialog showed.
  [[nodiscard]] bool changed() const { return draft_ != shown_; }

  void setType(std::optional<std::int64_t> typeId) { draft_.typeId = typeId; }
  // The text keeps its first 32 characters, the help code its first 10.
  void setName(const std::string& name);
  void setHelpCode(const std::string& helpCode);

  // "确定": stores a changed phrase; true when the dialog closes. A refusal or
  // a database error was told to the user and the typing is kept.
  bool confirm();
  // "增加": stores a changed phrase, then shows a fresh new one of the preset
  // type; false (the typing kept) when it was not stored.
  bool storeAndAddNext();

  // The phrase this dialog stored last, if any.
  [[nodiscard]] const std::optional<Phrase>& lastStored() const { return lastStored_; }

 private:
  PhraseDialogModel(HostServices& host, std::optional<std::int64_t> presetType);
  bool store();
  void startNew();

  HostServices& host_;
  std::optional<std::int64_t> presetType_;
  std::vector<PhraseType> types_;
  std::optional<Phrase> stored_;  // the row being changed; empty while adding
  PhraseDraft shown_;             // the fields as the dialog showed them
  PhraseDraft draft_;
  std::optional<Phrase> lastStored_;
};

}  // namespace qj::vouchers
