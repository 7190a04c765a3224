// What the new-book dialog asks for, turned into the host's NewBook.
#pragma once

#include <string>

#include "host/book_creation.h"
#include "package/starting_chart.h"

namespace qj::desktop {

struct NewBookForm {
  std::string location;  // SQLite file path or postgresql:// URI
  std::string companyName;
  Period start;
  std::string codeStructure;  // segment lengths, "3-2-2-2"
  int voucherTypeScheme = 1;
  bool needCarryPL = true;
  package::StartingChart chart = package::StartingChart::SmallEnterprise;
  std::string chartFile;  // the CSV file of an imported chart
};

// Throws HostError with a Chinese message for an empty location or company,
// a code structure that is not a list of numbers, or an imported chart's file
// that is not chosen or cannot be read; CreateBook checks the rest.
host::NewBook ToNewBook(const NewBookForm& form);

}  // namespace qj::desktop
