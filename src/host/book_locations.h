// Where books live when the user names none.
#pragma once

#include <string>

namespace qj::host {

// $XDG_DATA_HOME/qingjian/default-book.sqlite, or ~/.local/share/qingjian/… when unset.
std::string DefaultBookPath();

}  // namespace qj::host
