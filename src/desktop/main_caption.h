// The main window's title: product, company, user and the book's current period.
#pragma once

#include <string>

#include "hostapi/account_books_data.h"

namespace qj::desktop {

// The book's current period as the desktop shows it: "2011年07月".
std::string CurrentPeriodText(const AccountBooksData& book);

// "青简财务 - 公司 - 用户 - 2011年07月"; a book without a company name leaves that part out.
std::string MainCaption(const AccountBooksData& book, const std::string& user);

}  // namespace qj::desktop
