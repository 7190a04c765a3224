// Making a new account book.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/period.h"

namespace qj::host {

// Writes the chart of accounts a new book starts with, inside the creating
// transaction; throws RefusalError when the chart cannot be installed.
using ChartInstaller = std::function<void(data::Connection&, const base::CodeStructure&, bool subjectRuleFlag)>;

struct NewBook {
  std::string location;  // SQLite file path or postgresql:// URI
  Period start;          // the month the book starts in
  std::vector<int> segmentLengths{3, 2, 2, 2};
  std::string companyName;
  int voucherTypeScheme = 1;  // 1 记; 2 收、付、转; 3 现收、现付、银收、银付、转
  bool needCarryPL = true;
  ChartInstaller installChart;  // none: the book starts without subjects
  bool subjectRuleFlag = true;  // see AccountBooksData::SubjectRuleFlag
};

// Creates the database, its tables and the book's first records (state,
// parameters, voucher types, local currency, the installed chart, the
// administrator without a password) in one transaction. Refuses an existing
// book or file, bad options and a chart that cannot be installed with a
// HostError; nothing is left behind on failure.
void CreateBook(const NewBook& book);

}  // namespace qj::host
