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

// The number of page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int PdfPageCount(const fs::path& path) {
  const std::string pdf = ReadFile(path);
  const std::string marker = "/Type /Page";
  int pages = 0;
  for (std::size_t at = pdf.find(marker); at != std::string::npos; at = pdf.find(marker, at + 1)) {
    if (pdf.compare(at, marker.size() + 1, marker + "s") != 0) ++pages;
  }
  return pages;
}

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

TEST_F(ListPrinterTest, PdfHasOnePageForEveryFortyRows) {
  ListPrinter printer(VoucherList(95, 40));
  const fs::path path = folder / "凭证列表.pdf";
  printer.writePdf(path.string());
  EXPECT_GT(fs::file_size(path), 1000U);
  EXPECT_EQ(PdfPageCount(path), 3);

  ListPrinter(VoucherList(95, 0)).writePdf(path.string());
  EXPECT_EQ(PdfPageCount(path), 3);  // 44 rows fit a portrait page
  ListPrinter(VoucherList(0, 40)).writePdf(path.string());
  EXPECT_EQ(PdfPageCount(path), 1);
}

TEST_F(ListPrinterTest, PdfThatCannotBeWrittenIsAChineseErrorAndNoFile) {
  ListPrinter printer(VoucherList(10, 0));
  for (const fs::path& path : {folder / "没有的文件夹" / "列表.pdf", folder}) {
    try {
      printer.writePdf(path.string());
      ADD_FAILURE() << "wrote " << path;
    } catch (const PrintError& error) {
      EXPECT_NE(std::string(error.what()).find("无法写入文件"), std::string::npos) << error.what();
    }
  }
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(ListPrinterTest, TemplateForAnotherListIsRefused) {
  PrintJob job = VoucherList(3, 0);
  job.layout.columns.push_back({"NOSUCH", "数量", 20, Alignment::Right});
  EXPECT_THROW(ListPrinter{std::move(job)}, PrintError);
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
  if (std::getenv("QJ_SCREENSHOT_DIR") != nullptr) {
    EXPECT_FALSE(screenshot.empty());
  }
}

}  // namespace
}  // namespace qj::printing
