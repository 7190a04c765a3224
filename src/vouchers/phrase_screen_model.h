// The phrase screen ("凭证摘要"): phrase types on the left, the phrases of the
// current type on the right; maintenance of both, and the chooser's result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vouchers/phrase_dialog_model.h"
#include "vouchers/phrase_store.h"
#include "vouchers/phrase_type_dialog_model.h"

namespace qj::vouchers {

class PhraseScreenModel {
 public:
  static constexpr const char* kScreenName = "frmCredPrecis";
  static constexpr const char* kCaption = "凭证摘要";
  // The first entry of the type list, not stored: every phrase.
  static constexpr std::int64_t kEveryPhrase = -1;
  static constexpr const char* kEveryPhraseName = "全部摘要";
  // The privilege of the screen: function 20, actions 2 add, 3 modify, 4 delete.
  static constexpr int kPrivilege = 20;

  // Opens on every phrase, the first one current.
  explicit PhraseScreenModel(HostServices& host);

  // Every phrase first, then the stored types by name. A type with a negative
  // identifier shows every phrase, any other its own.
  [[nodiscard]] const std::vector<PhraseType>& types() const { return types_; }
  [[nodiscard]] std::size_t currentType() const { return currentType_; }
  void selectType(std::size_t index);
  // The phrases shown, by text.
  [[nodiscard]] const std::vector<Phrase>& phrases() const { return phrases_; }
  [[nodiscard]] std::optional<std::size_t> currentPhrase() const { return currentPhrase_; }
  void selectPhrase(std::size_t index);

  // The type buttons. Each first asks for its privilege and does nothing
  // without it; "增加" and "修改" open the type dialog.
  void addType();
  void modifyType();
  void removeType();
  // The phrase buttons; "增加" and "修改" (of a phrase not in use) open the
  // phrase dialog. A phrase added while a stored type with an identifier
  // above 0 is current belongs to that type.
  void addPhrase();
  void modifyPhrase();
  void removePhrase();

  // The open dialog, if any.
  [[nodiscard]] PhraseTypeDialogModel* typeDialog() { return typeDialog_ ? &*typeDialog_ : nullptr; }
  [[nodiscard]] PhraseDialogModel* phraseDialog() { return phraseDialog_ ? &*phraseDialog_ : nullptr; }
  // The dialog closed, confirmed or cancelled: the lists are read again and
  // show what it stored last.
  void dialogClosed();

  // "确定" or a double click on a phrase: the current phrase's text becomes
  // the result; false when no phrase is current and nothing was chosen.
  bool choose();
  [[nodiscard]] const std::optional<std::string>& result() const { return result_; }

 private:
  [[nodiscard]] bool allowed(int action);
  // The current type when it is a stored one.
  [[nodiscard]] const PhraseType* storedType() const;
  [[nodiscard]] const Phrase* phrase() const;
  // Reads both lists again, keeping the current type when it is still there
  // and making `wanted` (or the phrase at `fallback`) current.
  void reload(std::optional<std::int64_t> wantedType, const std::optional<Phrase>& wanted, std::size_t fallback = 0);
  void showPhrases(const std::optional<Phrase>& wanted, std::size_t fallback);

  HostServices& host_;
  std::vector<PhraseType> types_;
  std::size_t currentType_ = 0;
  std::vector<Phrase> phrases_;
  std::optional<std::size_t> currentPhrase_;
  std::optional<PhraseTypeDialogModel> typeDialog_;
  std::optional<PhraseDialogModel> phraseDialog_;
  std::optional<std::string> result_;
};

}  // namespace qj::vouchers
