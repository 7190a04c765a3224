// Where books live when the user names none.
#pragma once

#include <string>

#include "host/book_creation.h"

namespace qj::host {

// $XDG_DATA_HOME/qingjian/default-book.sqlite, or ~/.local/share/qingjian/… when unset.
std::string DefaultBookPath();

// The default book, created on first use (company "我的公司", levels
// 4-2-2-2, the chart `installChart` writes, starting this month). `created`
// tells whether this call made it. Throws HostError when it cannot be made.
std::string EnsureDefaultBook(const ChartInstaller& installChart, bool* created = nullptr);

}  // namespace qj::host
