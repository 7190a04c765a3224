// The host's answer to a voucher's request for its source document.
#include <gtest/gtest.h>

#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "package/hostapi/vor_params.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

TEST(SourceDocumentCommand, SaysClearlyThatTheDocumentsModuleIsNotInstalled) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
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
