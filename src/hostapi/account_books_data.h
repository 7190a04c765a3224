// The host's record of the open account book, loaded from the book itself.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "data/date.h"

namespace qj {

struct AccountBooksData {
  std::string CompanyName;
  bool NeedCarryPL = true;  // the book's industry carries profit and loss at period end
  Date StartDate;           // first day of the start month
  int StartYear = 0;
  int StartMonth = 0;
  int CurrYear = 0;  // the current period: the oldest not yet closed
  int CurrMon = 0;
  bool MustCheck = false;  // vouchers must be audited before posting
  bool SameUser = false;   // a voucher's maker may audit it
  int SubjectLevels = 0;
  std::vector<int> SubjectLevelLen;  // cumulative code length of levels 1..SubjectLevels
  int AccountVoucherType = 1;        // voucher-type scheme: 1 记, 2 收付转, 3 现收现付银收银付转
  bool CredCheckEdit = false;
  // Which ATTRFLAG bits protect a subject (set: 2 no deletion, 4 no sub-accounts;
  // clear: 32 and 64), and whether a used subject's data may move down to a new
  // first sub-account.
  bool SubjectRuleFlag = true;
  int Status = 0;  // AccountState.STATUS
  // Whether the suite's inventory module keeps its periods with this book, and
  // its current period (AccountState.POSYEAR and POSMON) when it does.
  bool LinkInventory = false;
  int InventoryYear = 0;
  int InventoryMonth = 0;
};

// Reserved subjects by entry: 0 fixed assets, 2 cash, 3 bank, 16 current-year profit.
using ReservedSubjects = std::map<int, std::string>;

}  // namespace qj
