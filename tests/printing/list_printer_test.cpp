// Printing a list: PDF pages, the preview, and templates that do not fit the list.
#include "printing/widgets/list_printer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QTimer>

#include "fixtures.h"
#include "printing/errors.h"
#include "support/screenshot.h"

namespace qj::printing {
namespace {

namespace fs = std::filesystem;

PrintJob VoucherList(std::size_t rows, int rowsPerPage) {
  PrintJob job;
  job.data = SampleList(rows);
  job.layout = DefaultTemplate(662, job.data, "凭证列表").layout;
  job.layout.rowsPerPage = rowsPerPage;
  job.totals = std::vector<Cell>{std::string("合计"),  Cell(), Cell(), Cell(), Money::parse("98765.43"),
                                 Money::parse("12.5"), Cell()};
  job.variables = {{"公司名称", "青简商贸有限公司"}};
  return job;
}

using ListPrinterTest = ScratchFolderTest;

TEST_F(ListPrinterTest, PdfHasItsPagesOrIsAChineseErrorAndNoFile) {
  // The number of page objects of the PDF ("/Type /Page", not "/Type /Pages").
  const auto pages = [](const fs::path& path) {
    const std::string pdf = ReadFile(path);
    int count = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
      count += pdf.compare(at, 12, "/Type /Pages") != 0;
    return count;
  };
  const fs::path path = folder / "凭证列表.pdf";
  for (const auto& [rows, rowsPerPage, expected] :
       {std::tuple{95, 40, 3}, std::tuple{95, 0, 3}, std::tuple{0, 40, 1}}) {
    ListPrinter(VoucherList(rows, rowsPerPage)).writePdf(path.string());  // 44 rows fit a portrait page
    EXPECT_EQ(pages(path), expected) << rows << " rows, " << rowsPerPage << " a page";
  }
  fs::remove(path);

  ListPrinter printer(VoucherList(10, 0));
  for (const fs::path& wrong : {folder / "没有的文件夹" / "列表.pdf", folder}) {
    try {
      printer.writePdf(wrong.string());
      ADD_FAILURE() << "wrote " << wrong;
    } catch (const PrintError& error) {
      EXPECT_NE(std::string(error.what()).find("无法写入文件"), std::string::npos) << error.what();
    }
  }
  EXPECT_TRUE(fs::is_empty(folder));

  PrintJob foreign = VoucherList(3, 0);
  foreign.layout.columns.push_back({"NOSUCH", "数量", 20, Alignment::Right});
  EXPECT_THROW(ListPrinter{std::move(foreign)}, PrintError) << "a template for another list";
}

TEST_F(ListPrinterTest, PreviewShowsThePages) {
  ListPrinter printer(VoucherList(95, 40));
  std::string screenshot;
  QTimer::singleShot(0, [&screenshot] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QPrintPreviewDialog*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      dialog->resize(900, 1000);
      QApplication::processEvents();
      screenshot = test::SaveScreenshot(*dialog, "printing_list_preview");
      dialog->reject();
    }
  });
  printer.preview(nullptr);
  EXPECT_FALSE(screenshot.empty()) << "the preview never showed";
}

}  // namespace
}  // namespace qj::printing
