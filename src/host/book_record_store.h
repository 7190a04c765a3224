// The host's record of a book, read from the book's own tables.
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "hostapi/account_books_data.h"

namespace qj::host {

// Book parameters kept in HostBookParam.
namespace bookparam {
inline constexpr const char* CompanyName = "CompanyName";
inline constexpr const char* SubjectLevelLen = "SubjectLevelLen";  // cumulative lengths, "3,5,7,9"
inline constexpr const char* NeedCarryPL = "NeedCarryPL";          // "T" or "F"
inline constexpr const char* AccountVoucherType = "AccountVoucherType";
inline constexpr const char* CredCheckEdit = "CredCheckEdit";      // "T" or "F"
inline constexpr const char* SubjectRuleFlag = "SubjectRuleFlag";  // "T" or "F"
inline constexpr const char* LinkInventory = "LinkInventory";      // "T" or "F"
}  // namespace bookparam

std::optional<std::string> ReadBookParam(data::Connection& db, const std::string& name);
void WriteBookParam(data::Connection& db, const std::string& name, const std::string& value);

// Throws HostError when the book has no state row or unreadable parameters.
AccountBooksData LoadAccountBooksData(data::Connection& db);
ReservedSubjects LoadReservedSubjects(data::Connection& db);
// The book's identity (AccountState.GUID).
std::string BookIdentity(data::Connection& db);

void WriteAuditOptions(data::Connection& db, bool mustCheck, bool sameUser);

}  // namespace qj::host
