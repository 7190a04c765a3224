// The privilege each command-line verb asks before it reads or changes
// anything: the one the screen it stands for asks, from one table.
#pragma once

#include <string>
#include <vector>

#include "host/host_application.h"

namespace qj::cli {

struct Right {
  int function = 0;
  int action = 0;
};

// The verb's rights: "post", "voucher add", … ; every verb that opens a book
// is listed (an unlisted verb is a programming error).
const std::vector<Right>& VerbRights(const std::string& verb);
// Every verb with its rights, in the order the README lists them.
const std::vector<std::pair<std::string, std::vector<Right>>>& VerbRightTable();

// Asks the host for each of the verb's rights (the host tells the user what
// is missing) and throws RefusedError on the first one the user lacks.
void RequireVerbRights(host::HostApplication& host, const std::string& verb);

// The package commands of `call` that change the book's set-up: only an
// administrator may run them.
bool ChangesBookSetUp(const std::string& command);

}  // namespace qj::cli
