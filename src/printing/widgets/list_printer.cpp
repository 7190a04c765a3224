#include "printing/widgets/list_printer.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "data/date.h"
#include "printing/errors.h"
#include "printing/pending_file.h"
#include "printing/widgets/page_painter.h"

namespace qj::printing {
namespace {

QPageLayout SheetLayout(Orientation orientation) {
  return {QPageSize(QPageSize::A4),
          orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()};
}

}  // namespace

ListPrinter::ListPrinter(PrintJob job) : job_(std::move(job)) {
  FieldIndexes(job_.layout, job_.data);  // refuses a template of another list now, not at the first page
  job_.variables.try_emplace(std::string(kPrintDate), Date::today().toString());
}

void ListPrinter::prepare(QPrinter& printer) const {
  printer.setPageLayout(SheetLayout(job_.layout.orientation));
  printer.setFullPage(true);
  printer.setDocName(QString::fromStdString(job_.layout.title));
}

void ListPrinter::paint(QPrinter& printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) throw PrintError("无法开始打印，请检查打印机是否可用。");
  PaintPages(painter, printer, job_);
}

void ListPrinter::preview(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("打印预览"));
  std::string failure;
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, &dialog, &failure](QPrinter* target) {
    try {
      paint(*target);
    } catch (const PrintError& error) {
      // No exception may cross Qt's event loop: close the preview and report afterwards.
      failure = error.what();
      QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
    }
  });
  dialog.exec();
  if (!failure.empty()) throw PrintError(failure);
}

bool ListPrinter::print(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  prepare(printer);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("打印"));
  if (dialog.exec() != QDialog::Accepted) return false;
  paint(printer);
  return true;
}

void ListPrinter::writePdf(const std::string& path) {
  PendingFile file(path);
  {
    QPdfWriter writer(QString::fromStdString(file.temporaryPath()));
    writer.setResolution(300);
    writer.setPageLayout(SheetLayout(job_.layout.orientation));
    writer.setTitle(QString::fromStdString(job_.layout.title));
    writer.setCreator(QStringLiteral("青简"));
    QPainter painter;
    if (!painter.begin(&writer)) throw PrintError(CannotWriteMessage(path));
    PaintPages(painter, writer, job_);
    if (!painter.end()) throw PrintError(CannotWriteMessage(path));
  }
  if (QFileInfo(QString::fromStdString(file.temporaryPath())).size() == 0 || !file.commit()) {
    throw PrintError(CannotWriteMessage(path));
  }
}

}  // namespace qj::printing
