#include "host/book_properties_store.h"

namespace qj::host {

std::optional<CompanyDetails> ReadCompanyDetails(data::Connection& db) {
  const auto state = db.queryOne("SELECT LAWPERSON, BANK, ACCOUNTS, TAXNUMBER, ADDRESS, PHONE FROM AccountState");
  if (!state) return std::nullopt;
  return CompanyDetails{
      {CompanyField::LawPerson, state->text("LAWPERSON")}, {CompanyField::Bank, state->text("BANK")},
      {CompanyField::Accounts, state->text("ACCOUNTS")},   {CompanyField::TaxNumber, state->text("TAXNUMBER")},
      {CompanyField::Address, state->text("ADDRESS")},     {CompanyField::Phone, state->text("PHONE")}};
}

void UpdateCompanyDetails(data::Connection& db, const CompanyDetails& company, bool mustCheck, bool sameUser) {
  db.execute(
      "UPDATE AccountState SET LAWPERSON=:lawPerson, BANK=:bank, ACCOUNTS=:accounts, TAXNUMBER=:taxNumber, "
      "ADDRESS=:address, PHONE=:phone, MUSTCHECK=:mustCheck, SAMEUSER=:sameUser",
      {{"lawPerson", company.at(CompanyField::LawPerson)},
       {"bank", company.at(CompanyField::Bank)},
       {"accounts", company.at(CompanyField::Accounts)},
       {"taxNumber", company.at(CompanyField::TaxNumber)},
       {"address", company.at(CompanyField::Address)},
       {"phone", company.at(CompanyField::Phone)},
       {"mustCheck", mustCheck ? "T" : "F"},
       {"sameUser", sameUser ? "T" : "F"}});
}

std::map<int, std::string> ReadVoucherTypeNames(data::Connection& db) {
  std::map<int, std::string> names;
  for (const auto& row : db.query("SELECT ID, NAME FROM AccountVoucherType"))
    names[static_cast<int>(row.integer("ID"))] = row.text("NAME");
  return names;
}

void StoreVoucherTypeName(data::Connection& db, int id, const std::string& name) {
  db.execute(
      "INSERT INTO AccountVoucherType (ID, NAME) VALUES (:id, :name) ON CONFLICT (ID) DO UPDATE SET "
      "NAME=excluded.NAME",
      {{"id", id}, {"name", name}});
}

std::optional<std::string> ReadLocalCurrencyName(data::Connection& db) {
  const auto local = db.queryOne("SELECT NAME FROM Currency WHERE MONEYID=0");
  if (!local) return std::nullopt;
  return local->text("NAME");
}

std::vector<CurrencyEntry> ReadForeignCurrencies(data::Connection& db) {
  std::vector<CurrencyEntry> currencies;
  for (const auto& row :
       db.query("SELECT MONEYID, NAME, RATE FROM Currency WHERE MONEYID>0 AND MONEYID<99 ORDER BY MONEYID"))
    currencies.push_back({static_cast<int>(row.integer("MONEYID")), row.text("NAME"), row.money("RATE")});
  return currencies;
}

void StoreCurrency(data::Connection& db, const CurrencyEntry& currency) {
  db.execute(
      "INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (:id, :name, :rate) "
      "ON CONFLICT (MONEYID) DO UPDATE SET NAME=excluded.NAME, RATE=excluded.RATE",
      {{"id", currency.moneyId}, {"name", currency.name}, {"rate", currency.rate}});
}

void DeleteCurrency(data::Connection& db, int moneyId) {
  db.execute("DELETE FROM Currency WHERE MONEYID=:id", {{"id", moneyId}});
}

bool CurrencyInVouchers(data::Connection& db, int moneyId) {
  return data::IntegerOf(db.scalar("SELECT COUNT(*) FROM VoucherDetail WHERE MONEYID=:id", {{"id", moneyId}})) > 0;
}

std::optional<CurrencySubject> FirstSubjectInCurrency(data::Connection& db, int moneyId) {
  const auto subject =
      db.queryOne("SELECT SUBJECTID, NAME FROM Subject WHERE MONEYID=:id ORDER BY SUBJECTID", {{"id", moneyId}});
  if (!subject) return std::nullopt;
  return CurrencySubject{subject->text("SUBJECTID"), subject->text("NAME")};
}

bool CurrencyHasOpeningData(data::Connection& db, int moneyId) {
  return data::IntegerOf(db.scalar("SELECT COUNT(*) FROM SubjectStartData WHERE MONEYID=:id AND (RAWBalance<>0 "
                                   "OR RAWDEBIT<>0 OR RAWCREDIT<>0 OR Balance<>0 OR DEBIT<>0 OR CREDIT<>0)",
                                   {{"id", moneyId}})) > 0;
}

}  // namespace qj::host
