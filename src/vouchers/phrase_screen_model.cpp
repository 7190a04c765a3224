#include "vouchers/phrase_screen_model.h"

#include <algorithm>

#include "base/screen_work.h"

namespace qj::vouchers {
namespace {

constexpr int kAdd = 2;
constexpr int kModify = 3;
constexpr int kDelete = 4;

}  // namespace

PhraseScreenModel::PhraseScreenModel(HostServices& host) : host_(host), types_{{kEveryPhrase, kEveryPhraseName}} {
  reload(std::nullopt, std::nullopt);
}

bool PhraseScreenModel::allowed(int action) { return host_.HasOvoPrivilege2(kPrivilege, action, true); }

const PhraseType* PhraseScreenModel::storedType() const { return currentType_ > 0 ? &types_[currentType_] : nullptr; }

const Phrase* PhraseScreenModel::phrase() const { return currentPhrase_ ? &phrases_[*currentPhrase_] : nullptr; }

void PhraseScreenModel::reload(std::optional<std::int64_t> wantedType, const std::optional<Phrase>& wanted,
                               std::size_t fallback) {
  base::ReportFailures(host_, [&] {
    std::vector<PhraseType> types{{kEveryPhrase, kEveryPhraseName}};
    for (PhraseType& type : LoadPhraseTypes(host_.FindStartupDB())) types.push_back(std::move(type));
    types_ = std::move(types);
  });
  currentType_ = 0;
  for (std::size_t i = 1; wantedType && i < types_.size(); ++i) {
    if (types_[i].id != *wantedType) continue;
    currentType_ = i;
    break;
  }
  showPhrases(wanted, fallback);
}

void PhraseScreenModel::showPhrases(const std::optional<Phrase>& wanted, std::size_t fallback) {
  std::vector<Phrase> phrases;
  if (!base::ReportFailures(host_, [&] { phrases = LoadPhrases(host_.FindStartupDB(), types_[currentType_].id); }))
    phrases.clear();
  phrases_ = std::move(phrases);
  currentPhrase_.reset();
  if (phrases_.empty()) return;
  currentPhrase_ = std::min(fallback, phrases_.size() - 1);
  if (!wanted) return;
  for (std::size_t i = 0; i < phrases_.size(); ++i)
    if (phrases_[i].typeId == wanted->typeId && phrases_[i].id == wanted->id) currentPhrase_ = i;
}

void PhraseScreenModel::selectType(std::size_t index) {
  if (index >= types_.size()) return;
  currentType_ = index;
  showPhrases(std::nullopt, 0);
}

void PhraseScreenModel::selectPhrase(std::size_t index) {
  if (index < phrases_.size()) currentPhrase_ = index;
}

void PhraseScreenModel::addType() {
  if (allowed(kAdd)) typeDialog_.emplace(host_, std::nullopt);
}

void PhraseScreenModel::modifyType() {
  if (!allowed(kModify)) return;
  if (const PhraseType* type = storedType()) typeDialog_.emplace(host_, *type);
}

void PhraseScreenModel::removeType() {
  if (!allowed(kDelete)) return;
  const PhraseType* type = storedType();
  if (!type) return;
  const std::int64_t id = type->id;
  bool deleted = false;
  base::ReportFailures(host_, [&] {
    data::Connection& db = host_.FindStartupDB();
    if (PhraseTypeInUse(db, id)) return Show(host_, InUseNoDeleteRefusal());
    if (PhraseTypeHasPhrases(db, id) && !Confirm(host_, phrase_message::DeleteTypeWithPhrases)) return;
    const auto refusal = DeletePhraseType(db, id);
    if (refusal) return Show(host_, *refusal);
    deleted = true;
  });
  if (deleted) reload(std::nullopt, std::nullopt);
}

void PhraseScreenModel::addPhrase() {
  if (!allowed(kAdd)) return;
  const std::int64_t typeId = types_[currentType_].id;
  const std::optional<std::int64_t> preset = typeId > 0 ? std::optional(typeId) : std::nullopt;
  base::ReportFailures(host_, [&] { phraseDialog_.emplace(PhraseDialogModel::ForAdd(host_, preset)); });
}

void PhraseScreenModel::modifyPhrase() {
  if (!allowed(kModify)) return;
  const Phrase* current = phrase();
  if (!current) return;
  base::ReportFailures(host_, [&] {
    if (PhraseInUse(host_.FindStartupDB(), *current)) return Show(host_, InUseNoModifyRefusal());
    phraseDialog_.emplace(PhraseDialogModel::ForModify(host_, *current));
  });
}

void PhraseScreenModel::removePhrase() {
  if (!allowed(kDelete)) return;
  const Phrase* current = phrase();
  if (!current) return;
  const std::size_t position = *currentPhrase_;
  base::ReportFailures(host_, [&] {
    if (const auto refusal = DeletePhrase(host_.FindStartupDB(), *current)) Show(host_, *refusal);
  });
  const PhraseType* type = storedType();
  reload(type ? std::optional(type->id) : std::nullopt, std::nullopt, position);
}

void PhraseScreenModel::dialogClosed() {
  const PhraseType* type = storedType();
  std::optional<std::int64_t> wantedType = type ? std::optional(type->id) : std::nullopt;
  std::optional<Phrase> wanted = phrase() ? std::optional(*phrase()) : std::nullopt;
  if (typeDialog_ && typeDialog_->lastStored()) wantedType = typeDialog_->lastStored()->id;
  if (phraseDialog_ && phraseDialog_->lastStored()) wanted = phraseDialog_->lastStored();
  const std::size_t fallback = currentPhrase_.value_or(0);
  typeDialog_.reset();
  phraseDialog_.reset();
  reload(wantedType, wanted, fallback);
}

bool PhraseScreenModel::choose() {
  const Phrase* current = phrase();
  if (!current) return false;
  result_ = current->name;
  return true;
}

}  // namespace qj::vouchers
