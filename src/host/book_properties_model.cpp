#include "host/book_properties_model.h"

#include <algorithm>
#include <optional>
#include <set>

#include "data/schema.h"
#include "host/book_properties_store.h"
#include "host/book_record_store.h"
#include "host/host_error.h"
#include "host/user_store.h"

namespace qj::host {
namespace {

constexpr const char* kLocalCurrencyName = "人民币";
constexpr int kLastForeignCurrency = 98;
constexpr const char* kAdministratorsOnly = "只有系统管理员才能修改帐套属性。";

struct CompanyColumn {
  CompanyField field;
  const char* label;
  const char* column;  // in AccountState; the company name is a book parameter
};
constexpr CompanyColumn kCompanyColumns[] = {
    {CompanyField::Name, "单位名称", nullptr},      {CompanyField::LawPerson, "法人代表", "LAWPERSON"},
    {CompanyField::Bank, "开户银行", "BANK"},       {CompanyField::Accounts, "银行帐号", "ACCOUNTS"},
    {CompanyField::TaxNumber, "税号", "TAXNUMBER"}, {CompanyField::Address, "地址", "ADDRESS"},
    {CompanyField::Phone, "电话", "PHONE"},
};

// The voucher types each scheme offers, by ID.
const std::vector<int>& SchemeTypeIds(int scheme) {
  static const std::vector<int> ids[] = {{1}, {2, 3, 4}, {5, 6, 7, 8, 9}};
  return ids[scheme - 1];
}

std::size_t ColumnWidth(const char* table, const char* column) {
  return static_cast<std::size_t>(data::FindSchemaTable(table)->column(column)->width);
}

std::size_t Characters(const std::string& text) {
  return static_cast<std::size_t>(std::ranges::count_if(text, [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Count(std::size_t n) { return std::to_string(n); }

// Why a stored currency may not be deleted, if it may not.
std::optional<std::string> CurrencyUse(data::Connection& db, const CurrencyEntry& currency) {
  const std::string named = "外币“" + currency.name + "”";
  if (CurrencyInVouchers(db, currency.moneyId)) return named + "已用于凭证，不能删除。";
  if (const auto subject = FirstSubjectInCurrency(db, currency.moneyId))
    return named + "是会计科目“" + subject->code + " " + subject->name + "”的核算外币，不能删除。";
  // The opening-data repair drops the rows of currencies that no longer exist.
  if (CurrencyHasOpeningData(db, currency.moneyId)) return named + "已有期初数据，不能删除。";
  return std::nullopt;
}

}  // namespace

BookPropertiesModel::BookPropertiesModel(BookSession& session, std::string userName)
    : session_(session), userName_(std::move(userName)) {
  data::Connection& db = session_.db();
  session_.reload();
  const AccountBooksData& book = session_.record();
  canSave_ = UserStore(db).isAdministrator(userName_);

  const auto state = ReadCompanyDetails(db);
  if (!state) throw HostError("帐套中没有帐套状态记录，无法读取帐套属性");
  for (const CompanyColumn& entry : kCompanyColumns) {
    if (entry.column)
      company_.push_back({entry.field, entry.label, ColumnWidth("AccountState", entry.column), state->at(entry.field)});
    else
      company_.push_back({entry.field, entry.label, ColumnWidth("HostBookParam", "PARAMVALUE"), book.CompanyName});
  }

  mustCheck_ = book.MustCheck;
  sameUser_ = book.SameUser;
  credCheckEdit_ = book.CredCheckEdit;
  scheme_ = book.AccountVoucherType >= 1 && book.AccountVoucherType <= 3 ? book.AccountVoucherType : 1;
  for (int scheme = 1; scheme <= 3; ++scheme)
    for (int id : SchemeTypeIds(scheme)) typeNames_[id] = "";
  for (const auto& [id, name] : ReadVoucherTypeNames(db)) typeNames_[id] = name;
  storedTypeNames_ = typeNames_;

  localCurrency_ = ReadLocalCurrencyName(db).value_or(kLocalCurrencyName);
  currencies_ = ReadForeignCurrencies(db);
  for (const CurrencyEntry& currency : currencies_) storedCurrencies_[currency.moneyId] = currency;
}

bool BookPropertiesModel::refuse(std::string message) {
  message_ = std::move(message);
  return false;
}

void BookPropertiesModel::editCompany(CompanyField field, std::string value) {
  for (CompanyEntry& entry : company_) {
    if (entry.field == field) {
      entry.value = std::move(value);
      return;
    }
  }
}

std::string BookPropertiesModel::schemeTitle(int scheme) const {
  std::string title;
  for (int id : SchemeTypeIds(scheme)) title += (title.empty() ? "" : "、") + typeNames_.at(id);
  return title;
}

void BookPropertiesModel::chooseScheme(int scheme) {
  if (scheme >= 1 && scheme <= 3) scheme_ = scheme;
}

std::vector<VoucherTypeEntry> BookPropertiesModel::schemeTypes() const {
  std::vector<VoucherTypeEntry> types;
  for (int id : SchemeTypeIds(scheme_)) types.push_back({id, typeNames_.at(id)});
  return types;
}

void BookPropertiesModel::renameVoucherType(int id, std::string name) {
  if (auto it = typeNames_.find(id); it != typeNames_.end()) it->second = std::move(name);
}

std::size_t BookPropertiesModel::voucherTypeWidth() const { return ColumnWidth("AccountVoucherType", "NAME"); }

std::size_t BookPropertiesModel::currencyNameWidth() const { return ColumnWidth("Currency", "NAME"); }

bool BookPropertiesModel::addCurrency() {
  // A number deleted in this session stays unused until the deletion is saved.
  for (int id = 1; id <= kLastForeignCurrency; ++id) {
    const bool taken = storedCurrencies_.contains(id) ||
                       std::ranges::any_of(currencies_, [id = id](const CurrencyEntry& c) { return c.moneyId == id; });
    if (!taken) {
      currencies_.push_back({id, "", Money()});
      return true;
    }
  }
  return refuse("最多只能设置 " + std::to_string(kLastForeignCurrency) + " 种外币。");
}

void BookPropertiesModel::renameCurrency(std::size_t row, std::string name) {
  if (row < currencies_.size()) currencies_[row].name = std::move(name);
}

bool BookPropertiesModel::changeRate(std::size_t row, const std::string& text) {
  if (row >= currencies_.size()) return false;
  CurrencyEntry& currency = currencies_[row];
  try {
    const Money rate = Money::parse(text);
    if (rate > Money()) {
      currency.rate = rate;
      return true;
    }
  } catch (const MoneyError&) {
  }
  return refuse("外币“" + currency.name + "”的汇率应为大于零、最多四位小数的数，不能是“" + text + "”。");
}

bool BookPropertiesModel::removeCurrency(std::size_t row) {
  if (row >= currencies_.size()) return false;
  const auto stored = storedCurrencies_.find(currencies_[row].moneyId);
  if (stored != storedCurrencies_.end()) {
    try {
      if (const auto use = CurrencyUse(session_.db(), stored->second)) return refuse(*use);
    } catch (const data::DbError& error) {
      return refuse(data::DescribeForUser(error));
    }
  }
  currencies_.erase(currencies_.begin() + static_cast<std::ptrdiff_t>(row));
  return true;
}

bool BookPropertiesModel::validateSchemeNames(int scheme) {
  std::set<std::string> seen;
  for (int id : SchemeTypeIds(scheme)) {
    const std::string name = Trimmed(typeNames_.at(id));
    const std::string which = "编号 " + std::to_string(id) + " 的凭证字名称";
    if (name.empty()) return refuse(which + "不能为空。");
    if (Characters(name) > voucherTypeWidth())
      return refuse(std::string(which)
                        .append("“")
                        .append(name)
                        .append("”太长，最多 ")
                        .append(Count(voucherTypeWidth()))
                        .append(" 个字。"));
    if (!seen.insert(name).second) return refuse("凭证字“" + name + "”在同一凭证字方案中重复。");
  }
  return true;
}

bool BookPropertiesModel::validate() {
  for (const CompanyEntry& entry : company_) {
    const std::string value = Trimmed(entry.value);
    if (entry.field == CompanyField::Name && value.empty()) return refuse("单位名称不能为空。");
    if (Characters(value) > entry.width)
      return refuse(entry.label + "太长，最多 " + Count(entry.width) + " 个字，现有 " + Count(Characters(value)) +
                    " 个字。");
  }
  // The chosen scheme, and every scheme whose names were edited.
  for (int scheme = 1; scheme <= 3; ++scheme) {
    const bool edited = std::ranges::any_of(SchemeTypeIds(scheme),
                                            [this](int id) { return typeNames_.at(id) != storedTypeNames_.at(id); });
    if ((scheme == scheme_ || edited) && !validateSchemeNames(scheme)) return false;
  }
  std::set<std::string> seen = {Trimmed(localCurrency_)};
  for (const CurrencyEntry& currency : currencies_) {
    const std::string name = Trimmed(currency.name);
    const std::string which = "编号 " + std::to_string(currency.moneyId) + " 的外币";
    if (name.empty()) return refuse(which + "名称不能为空。");
    if (Characters(name) > currencyNameWidth())
      return refuse(std::string(which)
                        .append("名称“")
                        .append(name)
                        .append("”太长，最多 ")
                        .append(Count(currencyNameWidth()))
                        .append(" 个字。"));
    if (!seen.insert(name).second) return refuse("外币名称“" + name + "”重复。");
    if (currency.rate <= Money()) return refuse("外币“" + name + "”的汇率必须大于零。");
  }
  return true;
}

bool BookPropertiesModel::save() {
  message_.clear();
  if (!canSave_) return refuse(kAdministratorsOnly);
  if (!validate()) return false;
  try {
    data::Connection& db = session_.db();
    data::Transaction tx(db);
    if (!UserStore(db).isAdministrator(userName_)) return refuse(kAdministratorsOnly);
    // Checked again: another user may have used a currency since it was deleted here.
    for (const auto& [id, stored] : storedCurrencies_) {
      if (std::ranges::any_of(currencies_, [id = id](const CurrencyEntry& c) { return c.moneyId == id; })) continue;
      if (const auto use = CurrencyUse(db, stored)) return refuse(*use + "所有修改均未保存。");
      DeleteCurrency(db, id);
    }
    write();
    tx.commit();
  } catch (const data::DbError& error) {
    return refuse("保存帐套属性失败，所有修改均未保存：" + data::DescribeForUser(error));
  }
  storedTypeNames_ = typeNames_;
  storedCurrencies_.clear();
  for (const CurrencyEntry& currency : currencies_) storedCurrencies_[currency.moneyId] = currency;
  try {
    session_.reload();
  } catch (const std::exception& error) {
    return refuse(std::string("帐套属性已保存，但重新读取帐套失败：") + error.what());
  }
  return true;
}

void BookPropertiesModel::write() {
  data::Connection& db = session_.db();
  CompanyDetails value;
  for (const CompanyEntry& entry : company_) value[entry.field] = Trimmed(entry.value);
  UpdateCompanyDetails(db, value, mustCheck_, sameUser_);
  WriteBookParam(db, bookparam::CompanyName, value[CompanyField::Name]);
  WriteBookParam(db, bookparam::AccountVoucherType, std::to_string(scheme_));
  WriteBookParam(db, bookparam::CredCheckEdit, credCheckEdit_ ? "T" : "F");

  for (const auto& [id, name] : typeNames_) {
    if (name == storedTypeNames_.at(id)) continue;
    StoreVoucherTypeName(db, id, Trimmed(name));
  }
  // Only the changed currencies: the period-end exchange adjustment edits rates too.
  for (const CurrencyEntry& currency : currencies_) {
    const auto stored = storedCurrencies_.find(currency.moneyId);
    if (stored != storedCurrencies_.end() && stored->second.name == currency.name &&
        stored->second.rate == currency.rate)
      continue;
    StoreCurrency(db, {currency.moneyId, Trimmed(currency.name), currency.rate});
  }
}

}  // namespace qj::host
