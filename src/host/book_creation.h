// Making a new account book.
#pragma once

#include <string>
#include <vector>

#include "data/period.h"

namespace qj::host {

// The chart of accounts a new book starts with.
enum class StartingChart {
  Empty,            // no subjects
  SmallEnterprise,  // the small-enterprise chart and cash-flow items; four-digit level-1 codes
  Legacy,           // the older small-business chart; three-digit level-1 codes
  Imported,  // the subjects of chartCsv (科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码)
};

struct NewBook {
  std::string location;  // SQLite file path or postgresql:// URI
  Period start;          // the month the book starts in
  std::vector<int> segmentLengths{3, 2, 2, 2};
  std::string companyName;
  int voucherTypeScheme = 1;  // 1 记; 2 收、付、转; 3 现收、现付、银收、银付、转
  bool needCarryPL = true;
  StartingChart chart = StartingChart::Empty;
  std::string chartCsv;         // the rows of an imported chart
  bool subjectRuleFlag = true;  // see AccountBooksData::SubjectRuleFlag
};

// Creates the database, its tables and the book's first records (state,
// parameters, voucher types, local currency, the chosen chart, the
// administrator without a password) in one transaction. Refuses an existing
// book or file, bad options and an imported chart with bad rows (each told by
// its line) with a HostError; nothing is left behind on failure.
void CreateBook(const NewBook& book);

}  // namespace qj::host
