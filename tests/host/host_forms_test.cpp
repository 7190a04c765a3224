// The host's own screens through ShowPrivilegedForm, and its answer for the
// source documents of modules it does not have.
#include <gtest/gtest.h>

#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/user_store.h"
#include "hostapi/vor_params.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

// A book started 2011-07, opened.
std::unique_ptr<host::BookSession> OpenNewBook(const ScratchDatabase& scratch) {
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  return host::BookSession::Open(scratch.location());
}

TEST(HostForms, ARegisteredFormOpensOnlyWithThePrivilegeOfItsActionAndAnUnknownOneIsExplained) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  auto session = OpenNewBook(scratch);
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
  EXPECT_EQ(boxes.shown()[0].text, "你没有“现金流量项目”的“新增”权限，请与系统管理员联系。");

  app.ShowPrivilegedForm("NoSuch_Frm", 1, false, true);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, "本程序不提供“NoSuch_Frm”窗口。");
}

TEST(HostForms, ASourceDocumentIsAnsweredClearlyThatItsModuleIsNotInstalled) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  auto session = OpenNewBook(scratch);
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, "admin");
  VorParams params;
  params.AddValue("BILLID", std::int64_t{77});
  app.GlobalCall("SHOWBILLFORMFROMCRED", "OvoSaleInvoiceForm", &params);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text,
            "本系统未安装管理该单据的模块（OvoSaleInvoiceForm，单据号 77），不能查看凭证的来源单据。");
}

}  // namespace
}  // namespace qj::test
