// The library of summary phrases: phrase types (PrecisType) and the phrases
// under them (Precis). A phrase is in use when a voucher line's summary is
// its text; the link is the text, so a same-text phrase of another type is in
// use as well.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/connection.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

struct PhraseType {
  std::int64_t id = 0;
  std::string name;

  friend bool operator==(const PhraseType&, const PhraseType&) = default;
};

struct Phrase {
  std::int64_t typeId = 0;
  std::int64_t id = 0;
  std::string name;
  std::string helpCode;

  friend bool operator==(const Phrase&, const Phrase&) = default;
};

// A phrase as its dialog edits it; it has no type until one is chosen.
struct PhraseDraft {
  std::optional<std::int64_t> typeId;
  std::string name;
  std::string helpCode;

  friend bool operator==(const PhraseDraft&, const PhraseDraft&) = default;
};

// The key generator's name for new type and phrase identifiers.
inline constexpr const char* kPhraseKeyName = "Precis";

namespace phrase_message {
inline constexpr const char* TypeRequired = "摘要类别不可为空！";
// A phrase needs a type to go under; say where types are made.
inline constexpr const char* PhraseTypeRequired =
    "摘要类别不可为空！请先在“摘要类别”栏按“增加”建立一个类别，选定它后再增加摘要。";
inline constexpr const char* TextRequired = "摘要不可为空！";
inline constexpr const char* InUseNoModify = "该记录已被使用，不能修改!";
inline constexpr const char* InUseNoDelete = "该记录已被使用，不能删除!";
inline constexpr const char* DeleteTypeWithPhrases = "该类别下已经有摘要存在，是否确定删除该类别";
inline constexpr const char* GoneNoModify = "该记录已被删除，不能修改!";
}  // namespace phrase_message

Refusal InUseNoModifyRefusal();
Refusal InUseNoDeleteRefusal();
// A row being changed that another user deleted meanwhile.
Refusal GoneNoModifyRefusal();

// The stored types, and the phrases of one type (a negative type: every
// phrase), each in text order. The order is the characters' order, the same
// on every engine whatever its collation.
std::vector<PhraseType> LoadPhraseTypes(data::Connection& db);
std::vector<Phrase> LoadPhrases(data::Connection& db, std::int64_t typeId);

// Whether a voucher line's summary is the stored text of that phrase, or of
// any phrase of that type.
bool PhraseInUse(data::Connection& db, const Phrase& phrase);
bool PhraseTypeInUse(data::Connection& db, std::int64_t typeId);
bool PhraseTypeHasPhrases(data::Connection& db, std::int64_t typeId);

// The checks of a type name and of a phrase, on the trimmed texts.
std::optional<Refusal> CheckPhraseType(const std::string& name);
std::optional<Refusal> CheckPhrase(const PhraseDraft& draft);

// Stores a type in one transaction and returns it as stored, name trimmed: a
// new one (`storedId` empty) gets the next "Precis" key from the host just
// before it is stored. A database error rolls back and is thrown as DbError.
std::variant<PhraseType, Refusal> StorePhraseType(HostServices& host, const std::string& name,
                                                  std::optional<std::int64_t> storedId);
// Stores a phrase: a new one (`stored` empty) gets the next "Precis" key; a
// stored one, which may move to another type, is refused when its stored text
// has come into use meanwhile.
std::variant<Phrase, Refusal> StorePhrase(HostServices& host, const PhraseDraft& draft,
                                          const std::optional<Phrase>& stored);

// Deletes a phrase unless it is in use.
std::optional<Refusal> DeletePhrase(data::Connection& db, const Phrase& phrase);
// Deletes a type together with its phrases, unless one of them is in use:
// the book has no constraint between the tables, and phrases left behind
// would belong to no type and be shown only among all phrases.
std::optional<Refusal> DeletePhraseType(data::Connection& db, std::int64_t typeId);

}  // namespace qj::vouchers
