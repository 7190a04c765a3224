// The host's own screens through ShowPrivilegedForm.
#include <gtest/gtest.h>

#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/users.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

TEST(HostForms, ARegisteredFormOpensOnlyWithThePrivilegeOfItsActionAndAnUnknownOneIsExplained) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
  host::UserStore users(session->db());
  users.add("出纳", "");
  users.grant("出纳", 70, 1);
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, "出纳");
  std::vector<int> opened;
  app.registerHostForm("OvoFluxionArchives_Frm", 70, [&](int action) { opened.push_back(action); });

  app.ShowPrivilegedForm("OVOFLUXIONARCHIVES_FRM", 1, false, true);
  EXPECT_EQ(opened, std::vector<int>{1});
  EXPECT_TRUE(boxes.shown().empty());

  app.ShowPrivilegedForm("OvoFluxionArchives_Frm", 2, false, true);
  EXPECT_EQ(opened.size(), 1u) << "no privilege to add";
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_NE(boxes.shown()[0].text.find("功能号 70"), std::string::npos);

  app.ShowPrivilegedForm("NoSuch_Frm", 1, false, true);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, "本程序不提供“NoSuch_Frm”窗口。");
}

}  // namespace
}  // namespace qj::test
