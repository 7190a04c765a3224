#include "vouchers/phrase_store.h"

#include <algorithm>
#include <tuple>

#include "vouchers/phrase_text.h"

namespace qj::vouchers {
namespace {

Phrase phraseOf(const data::Row& row) {
  return {row.integer("PrecisTYPEID"), row.integer("PrecisID"), row.text("PrecisNAME"), row.text("HELPCODE")};
}

bool exists(data::Connection& db, std::string_view sql, const data::Params& params) {
  return db.queryOne(sql, params).has_value();
}

}  // namespace

Refusal InUseNoModifyRefusal() { return {phrase_message::InUseNoModify, caption::Warning, msgbox::IconWarning}; }
Refusal InUseNoDeleteRefusal() { return {phrase_message::InUseNoDelete, caption::Failure, msgbox::IconError}; }
Refusal GoneNoModifyRefusal() { return {phrase_message::GoneNoModify, caption::Warning, msgbox::IconWarning}; }

std::vector<PhraseType> LoadPhraseTypes(data::Connection& db) {
  std::vector<PhraseType> types;
  for (const auto& row : db.query("SELECT PrecisTYPEID, TYPENAME FROM PrecisType"))
    types.push_back({row.integer("PrecisTYPEID"), row.text("TYPENAME")});
  std::sort(types.begin(), types.end(),
            [](const PhraseType& a, const PhraseType& b) { return std::tie(a.name, a.id) < std::tie(b.name, b.id); });
  return types;
}

std::vector<Phrase> LoadPhrases(data::Connection& db, std::int64_t typeId) {
  constexpr std::string_view kSelect = "SELECT PrecisTYPEID, PrecisID, PrecisNAME, HELPCODE FROM Precis";
  const data::Rows rows =
      typeId < 0 ? db.query(kSelect) : db.query(std::string(kSelect) + " WHERE PrecisTYPEID=:type", {{"type", typeId}});
  std::vector<Phrase> phrases;
  phrases.reserve(rows.size());
  for (const auto& row : rows) phrases.push_back(phraseOf(row));
  std::sort(phrases.begin(), phrases.end(), [](const Phrase& a, const Phrase& b) {
    return std::tie(a.name, a.typeId, a.id) < std::tie(b.name, b.typeId, b.id);
  });
  return phrases;
}

bool PhraseInUse(data::Connection& db, const Phrase& phrase) {
  return exists(db,
                "SELECT 1 FROM VoucherDetail C, Precis B WHERE B.PrecisTYPEID=:type AND B.PrecisID=:id "
                "AND C.Precis=B.PrecisNAME LIMIT 1",
                {{"type", phrase.typeId}, {"id", phrase.id}});
}

bool PhraseTypeInUse(data::Connection& db, std::int64_t typeId) {
  return exists(db,
                "SELECT 1 FROM VoucherDetail C, Precis B WHERE B.PrecisTYPEID=:type AND C.Precis=B.PrecisNAME LIMIT 1",
                {{"type", typeId}});
}

bool PhraseTypeHasPhrases(data::Connection& db, std::int64_t typeId) {
  return exists(db, "SELECT 1 FROM Precis WHERE PrecisTYPEID=:type LIMIT 1", {{"type", typeId}});
}

std::optional<Refusal> CheckPhraseType(const std::string& name) {
  if (TrimmedText(name).empty()) return Refusal{phrase_message::TypeRequired, caption::Notice};
  return std::nullopt;
}

std::optional<Refusal> CheckPhrase(const PhraseDraft& draft) {
  if (!draft.typeId) return Refusal{phrase_message::PhraseTypeRequired, caption::Notice};
  if (TrimmedText(draft.name).empty()) return Refusal{phrase_message::TextRequired, caption::Notice};
  return std::nullopt;
}

std::variant<PhraseType, Refusal> StorePhraseType(HostServices& host, const std::string& name,
                                                  std::optional<std::int64_t> storedId) {
  if (auto refusal = CheckPhraseType(name)) return *refusal;
  data::Connection& db = host.FindStartupDB();
  const PhraseType type{storedId ? *storedId : host.GetOvoKeyValue(kPhraseKeyName), TrimmedText(name)};
  data::Transaction transaction(db);
  const data::Params params{{"id", type.id}, {"name", type.name}};
  if (!storedId) {
    db.execute("INSERT INTO PrecisType (PrecisTYPEID, TYPENAME) VALUES (:id, :name)", params);
  } else if (db.execute("UPDATE PrecisType SET TYPENAME=:name WHERE PrecisTYPEID=:id", params) == 0) {
    return GoneNoModifyRefusal();
  }
  transaction.commit();
  return type;
}

std::variant<Phrase, Refusal> StorePhrase(HostServices& host, const PhraseDraft& draft,
                                          const std::optional<Phrase>& stored) {
  if (auto refusal = CheckPhrase(draft)) return *refusal;
  data::Connection& db = host.FindStartupDB();
  const Phrase phrase{*draft.typeId, stored ? stored->id : host.GetOvoKeyValue(kPhraseKeyName), TrimmedText(draft.name),
                      TrimmedText(draft.helpCode)};
  data::Transaction transaction(db);
  data::Params params{{"type", phrase.typeId}, {"id", phrase.id}, {"name", phrase.name}, {"help", phrase.helpCode}};
  if (!stored) {
    db.execute("INSERT INTO Precis (PrecisTYPEID, PrecisID, PrecisNAME, HELPCODE) VALUES (:type, :id, :name, :help)",
               params);
  } else {
    if (PhraseInUse(db, *stored)) return InUseNoModifyRefusal();
    params.push_back({"storedType", stored->typeId});
    const std::int64_t changed = db.execute(
        "UPDATE Precis SET PrecisTYPEID=:type, PrecisNAME=:name, HELPCODE=:help "
        "WHERE PrecisTYPEID=:storedType AND PrecisID=:id",
        params);
    if (changed == 0) return GoneNoModifyRefusal();
  }
  transaction.commit();
  return phrase;
}

std::optional<Refusal> DeletePhrase(data::Connection& db, const Phrase& phrase) {
  data::Transaction transaction(db);
  if (PhraseInUse(db, phrase)) return InUseNoDeleteRefusal();
  db.execute("DELETE FROM Precis WHERE PrecisTYPEID=:type AND PrecisID=:id",
             {{"type", phrase.typeId}, {"id", phrase.id}});
  transaction.commit();
  return std::nullopt;
}

std::optional<Refusal> DeletePhraseType(data::Connection& db, std::int64_t typeId) {
  data::Transaction transaction(db);
  if (PhraseTypeInUse(db, typeId)) return InUseNoDeleteRefusal();
  db.execute("DELETE FROM Precis WHERE PrecisTYPEID=:type", {{"type", typeId}});
  db.execute("DELETE FROM PrecisType WHERE PrecisTYPEID=:type", {{"type", typeId}});
  transaction.commit();
  return std::nullopt;
}

}  // namespace qj::vouchers
