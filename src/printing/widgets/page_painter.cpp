#include "printing/widgets/page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "printing/page_layout.h"
#include "printing/paging.h"

namespace qj::printing {
namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kCellPaddingMm = 1.0;

QFont ListFont(double points, bool bold) {
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

Qt::Alignment QtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Draws in millimetres on a device of some resolution.
class Sheet {
 public:
  Sheet(QPainter& painter, double pixelsPerMm) : painter_(painter), scale_(pixelsPerMm) {}

  [[nodiscard]] QRectF rect(double left, double top, double width, double height) const {
    return {left * scale_, top * scale_, width * scale_, height * scale_};
  }

  void text(const QRectF& box, const QString& text, Qt::Alignment alignment) {
    const QRectF inner = box.adjusted(kCellPaddingMm * scale_, 0, -kCellPaddingMm * scale_, 0);
    const QString shown = QFontMetricsF(painter_.font()).elidedText(text, Qt::ElideRight, inner.width());
    painter_.drawText(inner, static_cast<int>(alignment), shown);
  }

  void frame(const QRectF& box) { painter_.drawRect(box); }
  [[nodiscard]] double pixelsPerMm() const { return scale_; }

 private:
  QPainter& painter_;
  double scale_;
};

class PagePainter {
 public:
  PagePainter(QPainter& painter, double pixelsPerMm, const PrintJob& job, const PageLayout& layout)
      : painter_(painter),
        sheet_(painter, pixelsPerMm),
        job_(job),
        layout_(layout),
        fields_(FieldIndexes(job.layout, job.data)) {}

  void paint(const PageRows& page, const Variables& variables) {
    const double width = PrintableWidthMm(layout_.paper);
    painter_.setFont(ListFont(14, true));
    sheet_.text(sheet_.rect(kMarginMm, kMarginMm, width, kTitleHeightMm), Text(job_.layout.title), Qt::AlignCenter);
    painter_.setFont(ListFont(9, false));
    lines(job_.layout.headerLines, layout_.headerTopMm, variables);
    lines(job_.layout.footerLines, layout_.footerTopMm, variables);

    painter_.setPen(QPen(Qt::black, 0.2 * sheet_.pixelsPerMm()));
    painter_.setFont(ListFont(9, true));
    double top = layout_.headingTopMm;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      const QRectF box = cell(i, top, kHeadingHeightMm);
      sheet_.frame(box);
      sheet_.text(box, Text(job_.layout.columns[i].heading), Qt::AlignCenter);
    }
    top = layout_.bodyTopMm;
    painter_.setFont(ListFont(9, false));
    for (std::size_t row = page.firstRow; row < page.firstRow + page.rowCount; ++row) {
      gridRow(job_.data.rows[row], top);
      top += kRowHeightMm;
    }
    if (page.totals && job_.totals) {
      painter_.setFont(ListFont(9, true));
      gridRow(*job_.totals, top);
    }
  }

 private:
  [[nodiscard]] QRectF cell(std::size_t column, double top, double height) const {
    return sheet_.rect(layout_.columnLeftMm[column], top, layout_.columnWidthMm[column], height);
  }

  void gridRow(const std::vector<Cell>& cells, double top) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      const QRectF box = cell(i, top, kRowHeightMm);
      sheet_.frame(box);
      sheet_.text(box, Text(CellText(CellAt(cells, fields_[i]))), QtAlignment(job_.layout.columns[i].alignment));
    }
  }

  void lines(const std::vector<std::string>& texts, double top, const Variables& variables) {
    const double width = PrintableWidthMm(layout_.paper);
    for (const std::string& line : texts) {
      sheet_.text(sheet_.rect(kMarginMm, top, width, kLineHeightMm), Text(Substitute(line, variables)),
                  Qt::AlignLeft | Qt::AlignVCenter);
      top += kLineHeightMm;
    }
  }

  QPainter& painter_;
  Sheet sheet_;
  const PrintJob& job_;
  const PageLayout& layout_;
  std::vector<std::size_t> fields_;
};

}  // namespace

int PaintPages(QPainter& painter, QPagedPaintDevice& device, const PrintJob& job) {
  const QSizeF points = device.pageLayout().fullRectPoints().size();
  const PageLayout layout = LayOut(job.layout, {points.width() * kMmPerPoint, points.height() * kMmPerPoint});
  const std::vector<PageRows> pages = Paginate(layout, job.data.rows.size(), job.totals.has_value());
  PagePainter pagePainter(painter, device.logicalDpiX() / 25.4, job, layout);
  const int count = static_cast<int>(pages.size());
  for (int i = 0; i < count; ++i) {
    if (i > 0) device.newPage();
    pagePainter.paint(pages[static_cast<std::size_t>(i)], PageVariables(job.variables, i + 1, count));
  }
  return count;
}

}  // namespace qj::printing
