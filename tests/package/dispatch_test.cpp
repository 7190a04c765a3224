#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/screen_table.h"
#include "base/upper_case.h"
#include "package/command_table.h"
#include "package/package_life.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

long recordingEntry(const char*, const char*, VorParams*) { return 0; }

class Dispatch : public PackageTest {};
QJ_ON_EVERY_ENGINE(Dispatch);

TEST_P(Dispatch, LoadRegistersTheEighteenCommandsInOrderBoundToTheEntry) {
  package::Load(&recordingEntry);
  const std::vector<std::string> expected = {"SHOWFINANCEFORM",
                                             "GETAccountVoucherTypeCODE",
                                             "GETCREDCODE",
                                             "GETALLSUBNAME",
                                             "GOTOSPECIALCRED",
                                             "GETASSUBCODE",
                                             "GETSUBJECTIDPARAM",
                                             "TBLSUBJECTSTARTDATAUPDATE",
                                             "ADDRELESUBJECTSTARTDATA",
                                             "SUBJECTSTARTDATACHECK",
                                             "CREATESUBJECTSTARTDATA",
                                             "SubjectStartDataInitial",
                                             "STARTACCOUNT",
                                             "FIXEDASSETSSTARTTOBEGIN",
                                             "SETACCOUNTBOOKSSTATE",
                                             "GETMUSTCHECKSAMEUSERFLAG",
                                             "GETSUBNAME",
                                             "SUBJECTIDISDETAIL"};
  ASSERT_EQ(host().registered.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(host().registered[i].first, expected[i]);
    EXPECT_EQ(host().registered[i].second, &recordingEntry);
  }
}

TEST_P(Dispatch, CommandNamesCompareWithoutRegardToCase) {
  for (const char* spelling : {"GETCREDCODE", "getcredcode", "GetCredCode"}) {
    VorParams bag;
    bag.AddValue("asDate", Date(2011, 7, 15));
    EXPECT_EQ(VariantText(call(spelling, bag).GetValue("CredID")), "201107000001") << spelling;
  }
  VorParams bag;
  bag.AddValue("asDate", Date(2011, 7, 15));
  bag.AddValue("asCredID", std::int64_t{1});
  EXPECT_EQ(call("getaccountvouchertypecode", bag).GetInteger("iAccountVoucherType"), 1);
}

TEST_P(Dispatch, UnknownCommandsScreenKeysAndEmptyCommandsDoNothing) {
  VorParams bag;
  bag.AddValue("keep", std::string("me"));
  for (const char* command : {"NOSUCHCOMMAND", "", "TBLSUBJECTSTARTDATAUPDATE"}) {
    const VorParams after = call(command, bag);
    EXPECT_EQ(after.values().size(), 1u) << command;
  }
  call("SHOWFINANCEFORM", bag, "NO_SUCH_FORM");
  call("showfinanceform", bag, "diarylist_frm");
  EXPECT_TRUE(host().messages.empty());
  EXPECT_TRUE(host().databaseErrors.empty());
  // A command without a bag must not crash either.
  EXPECT_EQ(package::Dispatch("GETCREDCODE", "", nullptr), 0);
  EXPECT_EQ(package::Dispatch("STARTACCOUNT", "", nullptr), 0);
}

TEST_P(Dispatch, ScreenKeysAreFoundInAnyCase) {
  ASSERT_NE(base::FindScreen("diarylist_frm"), nullptr);
  EXPECT_EQ(base::FindScreen("DiaryList_Frm")->screenName, "DiaryList_Frm");
  EXPECT_EQ(base::FindScreen("frmsubject1")->privilege, 8);
  EXPECT_EQ(base::FindScreen("SEARCHVOUCHER_FRM")->action, 5);
  EXPECT_EQ(base::FindScreen("NO_SUCH_FORM"), nullptr);
  EXPECT_EQ(base::ScreenTable().size(), 25u);
}

// The table is the one description of each screen: the menus, the privilege
// titles and the command line's rights all read it, so every entry needs all
// of it and no key may stand twice.
TEST(ScreenTable, EveryScreenIsDescribedOnceAndCompletely) {
  std::set<std::string> keys;
  for (const base::ScreenEntry& entry : base::ScreenTable()) {
    EXPECT_TRUE(keys.insert(entry.key).second) << "twice: " << entry.key;
    EXPECT_EQ(entry.key, base::UpperCase(entry.key));
    EXPECT_GT(entry.privilege, 0) << entry.key;
    EXPECT_FALSE(entry.title.empty()) << entry.key;
    EXPECT_FALSE(entry.menu.empty()) << entry.key;
  }
  EXPECT_EQ(base::FindScreen("OVOFLUXIONARCHIVES_FRM")->privilege, base::kItemArchivePrivilegeFunction);
}

TEST_P(Dispatch, ADatabaseErrorReachesTheHostsHandlerAndTheResultIsStillZero) {
  db().executeScript("DROP TABLE VoucherMaster");
  VorParams bag;
  bag.AddValue("asDate", Date(2011, 7, 15));
  call("GETCREDCODE", bag);
  EXPECT_EQ(host().databaseErrors.size(), 1u);
}

TEST_P(Dispatch, AWrongTypedBagValueBecomesAClearMessage) {
  VorParams bag;
  bag.AddValue("asDate", std::string("not a date"));
  const VorParams after = call("GETCREDCODE", bag);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_NE(host().messages[0].text.find("asDate"), std::string::npos);
  EXPECT_FALSE(after.Has("CredID"));
}

}  // namespace
}  // namespace qj::test
