// The open book's properties as the 帐套属性 screen edits them: the company
// data, the voucher-type names and the foreign currencies.
#pragma once

#include <cstddef>
#include <string>

#include "data/money.h"

namespace qj::host {

// The company data of the 单位信息 page, in the order shown.
enum class CompanyField { Name, LawPerson, Bank, Accounts, TaxNumber, Address, Phone };

struct CompanyEntry {
  CompanyField field = CompanyField::Name;
  std::string label;      // "单位名称"
  std::size_t width = 0;  // the most characters the book keeps
  std::string value;
};

struct VoucherTypeEntry {
  int id = 0;  // AccountVoucherType.ID
  std::string name;
};

struct CurrencyEntry {
  int moneyId = 0;  // 1 to 98; 0 is the local currency, which is not edited here
  std::string name;
  Money rate;
};

}  // namespace qj::host
