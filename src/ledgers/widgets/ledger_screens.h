// The registry's makers for the ledger keys: DETAILTYPELIST_FRM and
// DIARYLIST_FRM hand their filter's values to the list, COUNTKINDLEDGERLIST_FRM
// keeps its filter dialog for 过滤.
#pragma once

#include <memory>

#include "base/screen_registry.h"

namespace qj::ledgers {

base::ScreenMakers DetailLedgerScreenMakers();
base::ScreenMakers JournalScreenMakers();
base::ScreenMakers GeneralLedgerScreenMakers();

}  // namespace qj::ledgers
