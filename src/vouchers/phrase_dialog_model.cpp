#include "vouchers/phrase_dialog_model.h"

#include "base/screen_work.h"
#include "vouchers/phrase_text.h"

namespace qj::vouchers {

PhraseDialogModel::PhraseDialogModel(HostServices& host, std::optional<std::int64_t> presetType)
    : host_(host), presetType_(presetType), types_(LoadPhraseTypes(host.FindStartupDB())) {}

PhraseDialogModel PhraseDialogModel::ForAdd(HostServices& host, std::optional<std::int64_t> presetType) {
  PhraseDialogModel dialog(host, presetType);
  dialog.startNew();
  return dialog;
}

PhraseDialogModel PhraseDialogModel::ForModify(HostServices& host, const Phrase& phrase) {
  PhraseDialogModel dialog(host, std::nullopt);
  dialog.stored_ = phrase;
  dialog.shown_ = {phrase.typeId, phrase.name, phrase.helpCode};
  dialog.draft_ = dialog.shown_;
  return dialog;
}

void PhraseDialogModel::startNew() {
  stored_.reset();
  shown_ = {presetType_, {}, {}};
  draft_ = shown_;
}

void PhraseDialogModel::setName(const std::string& name) { draft_.name = FirstCharacters(name, kPhraseTextLength); }

void PhraseDialogModel::setHelpCode(const std::string& helpCode) {
  draft_.helpCode = FirstCharacters(helpCode, kHelpCodeLength);
}

bool PhraseDialogModel::store() {
  std::optional<Refusal> refusal;
  const bool finished = base::ReportFailures(host_, [&] {
    auto result = StorePhrase(host_, draft_, stored_);
    if (auto* refused = std::get_if<Refusal>(&result)) {
      refusal = std::move(*refused);
      return;
    }
    const auto& phrase = std::get<Phrase>(result);
    stored_ = phrase;
    shown_ = {phrase.typeId, phrase.name, phrase.helpCode};
    draft_ = shown_;
    lastStored_ = phrase;
  });
  if (refusal) Show(host_, *refusal);
  return finished && !refusal;
}

bool PhraseDialogModel::confirm() { return !changed() || store(); }

bool PhraseDialogModel::storeAndAddNext() {
  if (changed() && !store()) return false;
  startNew();
  return true;
}

}  // namespace qj::vouchers
