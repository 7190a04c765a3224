#include "vouchers/phrase_type_dialog_model.h"

#include "base/screen_work.h"
#include "vouchers/phrase_text.h"

namespace qj::vouchers {

PhraseTypeDialogModel::PhraseTypeDialogModel(HostServices& host, std::optional<PhraseType> stored) : host_(host) {
  if (!stored) return;
  storedId_ = stored->id;
  name_ = std::move(stored->name);
}

void PhraseTypeDialogModel::setName(const std::string& name) { name_ = FirstCharacters(name, kPhraseTextLength); }

bool PhraseTypeDialogModel::store() {
  std::optional<Refusal> refusal;
  const bool finished = base::ReportFailures(host_, [&] {
    auto result = StorePhraseType(host_, name_, storedId_);
    if (auto* refused = std::get_if<Refusal>(&result)) {
      refusal = std::move(*refused);
      return;
    }
    const auto& type = std::get<PhraseType>(result);
    storedId_ = type.id;
    name_ = type.name;
    lastStored_ = type;
  });
  if (refusal) Show(host_, *refusal);
  return finished && !refusal;
}

bool PhraseTypeDialogModel::storeAndAddNext() {
  if (!store()) return false;
  storedId_.reset();
  name_.clear();
  return true;
}

}  // namespace qj::vouchers
