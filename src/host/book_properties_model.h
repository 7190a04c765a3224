// 帐套属性: the open book's company data, audit options, voucher types and
// foreign currencies as one screen edits them. Nothing is written before
// save(), which writes every change in one transaction.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "host/book_properties.h"
#include "host/book_session.h"

namespace qj::host {

class BookPropertiesModel {
 public:
  // Reads the book again. `userName` is the logged-in user. Throws
  // data::DbError or HostError when the book cannot be read.
  BookPropertiesModel(BookSession& session, std::string userName);

  // Everyone may look; only administrators may save.
  [[nodiscard]] bool canSave() const { return canSave_; }
  // Why the last event was refused.
  [[nodiscard]] const std::string& message() const { return message_; }

  // 单位信息
  [[nodiscard]] const std::vector<CompanyEntry>& company() const { return company_; }
  void editCompany(CompanyField field, std::string value);

  // 凭证: the audit options, the voucher-type scheme (1 to 3) and the names of the types.
  [[nodiscard]] bool mustCheck() const { return mustCheck_; }
  [[nodiscard]] bool sameUser() const { return sameUser_; }
  [[nodiscard]] bool makerEditsUnderAudit() const { return credCheckEdit_; }
  void setMustCheck(bool on) { mustCheck_ = on; }
  void setSameUser(bool on) { sameUser_ = on; }
  void setMakerEditsUnderAudit(bool on) { credCheckEdit_ = on; }
  [[nodiscard]] int scheme() const { return scheme_; }
  // The scheme as its types' names, "收、付、转".
  [[nodiscard]] std::string schemeTitle(int scheme) const;
  void chooseScheme(int scheme);
  // The types the chosen scheme offers.
  [[nodiscard]] std::vector<VoucherTypeEntry> schemeTypes() const;
  void renameVoucherType(int id, std::string name);
  [[nodiscard]] std::size_t voucherTypeWidth() const;

  // 外币
  [[nodiscard]] const std::string& localCurrency() const { return localCurrency_; }
  [[nodiscard]] const std::vector<CurrencyEntry>& currencies() const { return currencies_; }
  [[nodiscard]] std::size_t currencyNameWidth() const;
  // Appends a currency with the lowest free number, no name and no rate yet.
  bool addCurrency();
  void renameCurrency(std::size_t row, std::string name);
  // Refuses text that is not a positive rate with at most four decimals.
  bool changeRate(std::size_t row, const std::string& text);
  // Refuses a stored currency that vouchers, subjects or opening data use.
  bool removeCurrency(std::size_t row);

  // Checks everything, writes the changes in one transaction and reloads the
  // session's record of the book. Refused for non-administrators, for the
  // first invalid field (named in the message) and for a database failure,
  // after which nothing has been written.
  bool save();

 private:
  bool refuse(std::string message);
  bool validate();
  bool validateSchemeNames(int scheme);
  void write();

  BookSession& session_;
  std::string userName_;
  bool canSave_ = false;
  std::string message_;

  std::vector<CompanyEntry> company_;
  bool mustCheck_ = false;
  bool sameUser_ = false;
  bool credCheckEdit_ = false;
  int scheme_ = 1;
  std::map<int, std::string> typeNames_;        // by AccountVoucherType.ID
  std::map<int, std::string> storedTypeNames_;  // as read, to write only what changed
  std::string localCurrency_;
  std::vector<CurrencyEntry> currencies_;
  std::map<int, CurrencyEntry> storedCurrencies_;
};

}  // namespace qj::host
