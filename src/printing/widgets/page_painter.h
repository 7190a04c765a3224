// Paints the pages of a print job with QPainter, on a PDF writer or a printer.
#pragma once

#include "printing/print_job.h"

class QPainter;
class QPagedPaintDevice;

namespace qj::printing {

// Paints every page of `job` on `device`, on which `painter` is active. The
// device's page is the whole sheet (no margins of its own); the layout keeps
// its own margins. Returns the number of pages. Throws PrintError.
int PaintPages(QPainter& painter, QPagedPaintDevice& device, const PrintJob& job);

}  // namespace qj::printing
