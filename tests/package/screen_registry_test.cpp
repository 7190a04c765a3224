#include "base/screen_registry.h"

#include <gtest/gtest.h>

#include <map>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

// A screen that records what the dispatcher did with it and answers with a scripted modal result.
struct Journal {
  std::vector<std::string> events;
  std::map<std::string, base::Screen*> alive;
  int modalResult = 1;
};

class FakeScreen : public base::Screen {
 public:
  FakeScreen(Journal& journal, TestHost& host, std::string name)
      : journal_(journal), host_(host), name_(std::move(name)) {
    journal_.events.push_back("create " + name_);
    journal_.alive[name_] = this;
    host_.FormOpened(name_);
  }
  ~FakeScreen() override {
    journal_.events.push_back("destroy " + name_);
    journal_.alive.erase(name_);
    host_.FormClosed(name_);
  }
  int showModal() override {
    journal_.events.push_back("modal " + name_);
    return journal_.modalResult;
  }
  void showModeless() override { journal_.events.push_back("show " + name_); }
  void bringToFront() override { journal_.events.push_back("front " + name_); }
  void dispose() override { delete this; }

 private:
  Journal& journal_;
  TestHost& host_;
  std::string name_;
};

class ScreenOpening : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    // Every maker is handed the host that opens the screen.
    auto make = [this](std::string name) {
      return [this, name](HostServices& given) {
        EXPECT_EQ(&given, static_cast<HostServices*>(&host()));
        return std::make_unique<FakeScreen>(journal, host(), name);
      };
    };
    base::RegisterScreen("FRMSUBJECT1", {make("frmSubject1"), nullptr, nullptr});
    base::RegisterScreen("SEARCHVOUCHER_FRM", {make("SearchVoucher_Frm"), nullptr, nullptr});
    base::RegisterScreen("SUBJECTCOUNTLIST_FRM",
                         {nullptr, make("SubjectCountFilter_Frm"), [this](HostServices&, base::Screen&) {
                            return std::make_unique<FakeScreen>(journal, host(), "SubjectCountList_Frm");
                          }});
    base::RegisterScreen("DIARYLIST_FRM", {nullptr, make("DiaryLedger_Frm"), [this](HostServices&, base::Screen&) {
                                             return std::make_unique<FakeScreen>(journal, host(), "DiaryList_Frm");
                                           }});
  }
  void TearDown() override {
    base::CloseAllScreens();
    base::UnregisterAllScreens();
    PackageTest::TearDown();
  }
  void open(const std::string& key) { call("SHOWFINANCEFORM", {}, key); }
  std::vector<std::string> take() { return std::exchange(journal.events, {}); }

  Journal journal;
};
QJ_ON_EVERY_ENGINE(ScreenOpening);

using Events = std::vector<std::string>;

TEST_P(ScreenOpening, OnlyRegisteredKeysAreOffered) {
  EXPECT_TRUE(base::HasScreen("frmsubject1"));
  EXPECT_FALSE(base::HasScreen("VOUCHERVOICE_FRM"));
  open("VOUCHERVOICE_FRM");
  EXPECT_TRUE(take().empty());
}

TEST_P(ScreenOpening, AModalScreenLivesOnlyDuringItsCallAndNeedsThePrivilege) {
  open("frmsubject1");
  EXPECT_EQ(take(), (Events{"create frmSubject1", "modal frmSubject1", "destroy frmSubject1"}));
  host().deniedPrivileges.insert({8, 1});
  open("FRMSUBJECT1");
  EXPECT_TRUE(take().empty());
}

TEST_P(ScreenOpening, AModelessScreenIsCreatedOnceAndThenBroughtForward) {
  open("SEARCHVOUCHER_FRM");
  open("SEARCHVOUCHER_FRM");
  EXPECT_EQ(take(), (Events{"create SearchVoucher_Frm", "show SearchVoucher_Frm", "front SearchVoucher_Frm"}));
}

TEST_P(ScreenOpening, AConfirmedFilterIsKeptAndShownAgainForTheNextList) {
  open("SUBJECTCOUNTLIST_FRM");
  EXPECT_EQ(take(), (Events{"create SubjectCountFilter_Frm", "modal SubjectCountFilter_Frm",
                            "create SubjectCountList_Frm", "show SubjectCountList_Frm"}));
  open("SUBJECTCOUNTLIST_FRM");  // the list is open: only brought forward
  EXPECT_EQ(take(), (Events{"front SubjectCountList_Frm"}));

  journal.alive.at("SubjectCountList_Frm")->dispose();  // the user closes the list
  take();
  open("SUBJECTCOUNTLIST_FRM");
  EXPECT_EQ(take(),
            (Events{"modal SubjectCountFilter_Frm", "create SubjectCountList_Frm", "show SubjectCountList_Frm"}));
}

TEST_P(ScreenOpening, ACancelledFilterIsDestroyedAndUnloadingClosesEverything) {
  journal.modalResult = 0;
  open("SUBJECTCOUNTLIST_FRM");
  EXPECT_EQ(take(), (Events{"create SubjectCountFilter_Frm", "modal SubjectCountFilter_Frm",
                            "destroy SubjectCountFilter_Frm"}));
  journal.modalResult = 1;
  open("SUBJECTCOUNTLIST_FRM");
  open("SEARCHVOUCHER_FRM");
  take();
  base::CloseAllScreens();
  EXPECT_TRUE(journal.alive.empty());
}

TEST_P(ScreenOpening, AHandingOverFilterIsDestroyedEitherWay) {
  open("DIARYLIST_FRM");
  EXPECT_EQ(take(), (Events{"create DiaryLedger_Frm", "modal DiaryLedger_Frm", "create DiaryList_Frm",
                            "show DiaryList_Frm", "destroy DiaryLedger_Frm"}));
  journal.alive.at("DiaryList_Frm")->dispose();
  take();
  journal.modalResult = 0;
  open("diarylist_frm");
  EXPECT_EQ(take(), (Events{"create DiaryLedger_Frm", "modal DiaryLedger_Frm", "destroy DiaryLedger_Frm"}));
}

}  // namespace
}  // namespace qj::test
