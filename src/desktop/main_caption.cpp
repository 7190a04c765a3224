#include "desktop/main_caption.h"

#include "host/host_application.h"

namespace qj::desktop {

std::string CurrentPeriodText(const AccountBooksData& book) {
  return std::to_string(book.CurrYear) + "年" + (book.CurrMon < 10 ? "0" : "") + std::to_string(book.CurrMon) + "月";
}

std::string MainCaption(const AccountBooksData& book, const std::string& user) {
  std::string caption = host::kProductionName;
  if (!book.CompanyName.empty()) caption += " - " + book.CompanyName;
  caption += " - " + user + " - " + CurrentPeriodText(book);
  return caption;
}

}  // namespace qj::desktop
