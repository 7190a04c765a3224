// The book's company data, audit options, voucher-type names and foreign currencies as the properties screen reads
// and writes them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "host/book_properties.h"

namespace qj::host {

// The company data by field. AccountState keeps all but the name, which is a book parameter: reading leaves it out
// and writing ignores it.
using CompanyDetails = std::map<CompanyField, std::string>;

// A subject that keeps its accounts in a foreign currency.
struct CurrencySubject {
  std::string code;  // SUBJECTID
  std::string name;
};

// Nothing when the book has no state row.
std::optional<CompanyDetails> ReadCompanyDetails(data::Connection& db);
// Writes every field of `company` but the name, and the audit options.
void UpdateCompanyDetails(data::Connection& db, const CompanyDetails& company, bool mustCheck, bool sameUser);

// The stored names of the voucher types, by AccountVoucherType.ID.
std::map<int, std::string> ReadVoucherTypeNames(data::Connection& db);
// Adds the type or renames it.
void StoreVoucherTypeName(data::Connection& db, int id, const std::string& name);

// The name of currency 0, nothing when the book has no row for it.
std::optional<std::string> ReadLocalCurrencyName(data::Connection& db);
// The currencies 1 to 98 in number order.
std::vector<CurrencyEntry> ReadForeignCurrencies(data::Connection& db);
// Adds the currency or changes its name and rate.
void StoreCurrency(data::Connection& db, const CurrencyEntry& currency);
void DeleteCurrency(data::Connection& db, int moneyId);

// What keeps a currency in use: voucher lines, the first subject (in code order) kept in it, and opening data that
// holds an amount.
bool CurrencyInVouchers(data::Connection& db, int moneyId);
std::optional<CurrencySubject> FirstSubjectInCurrency(data::Connection& db, int moneyId);
bool CurrencyHasOpeningData(data::Connection& db, int moneyId);

}  // namespace qj::host
