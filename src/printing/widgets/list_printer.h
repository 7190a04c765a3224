// The one entry point the list screens print through: preview, print, PDF.
#pragma once

#include <string>

#include "printing/print_job.h"

class QPrinter;
class QWidget;

namespace qj::printing {

class ListPrinter {
 public:
  // Sets "{打印日期}" to today when the job does not give it. Throws PrintError
  // when the template shows a column the list does not have.
  explicit ListPrinter(PrintJob job);

  // "打印预览": the pages in a preview window, from which the user may print.
  void preview(QWidget* parent);
  // "打印": the print dialog, then the pages; false when the user cancels.
  bool print(QWidget* parent);
  // Writes the pages as a PDF file. Throws PrintError; no file is left at `path` on failure.
  void writePdf(const std::string& path);

 private:
  void prepare(QPrinter& printer) const;
  void paint(QPrinter& printer) const;

  PrintJob job_;
};

}  // namespace qj::printing
