// The names the screens give themselves are those the screen table holds, so
// that the host finds an open screen by the name the table gives it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/screen_table.h"
#include "base/voucher_screen_hook.h"
#include "periodend/audit_list.h"
#include "periodend/reverse_audit.h"
#include "subjects/subject_archives_model.h"
#include "subjects/subject_chooser_model.h"
#include "vouchers/phrase_screen_model.h"

namespace qj::test {
namespace {

TEST(ScreenNames, EveryScreensOwnNameIsTheOneItsTableEntryGives) {
  const std::vector<std::pair<std::string, std::string>> named = {
      {"FRMSUBJECT1", subjects::SubjectArchivesModel::kScreenName},
      {"SUBJECTINFO_FRM", subjects::SubjectChooserModel::kScreenName},
      {"VOUCHERVOICE_FRM", base::kVoucherScreenName},
      {"FRMVOUAUADI", periodend::kAuditListScreenName},
      {"FRMANTIVOUADUI", periodend::kReverseAuditScreenName},
      {"FRMCREDPRECIS", vouchers::PhraseScreenModel::kScreenName},
  };
  for (const auto& [key, name] : named) {
    const base::ScreenEntry* entry = base::FindScreen(key);
    ASSERT_NE(entry, nullptr) << key;
    EXPECT_EQ(entry->screenName, name) << key;
  }
  EXPECT_EQ(base::FindScreen("FRMVOUAUADI")->filterName, periodend::kAuditFilterScreenName);
}

}  // namespace
}  // namespace qj::test
