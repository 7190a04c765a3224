#include "periodend/widgets/audit_list_window.h"

#include <QTableView>

#include "base/screen_work.h"
#include "periodend/batch_audit.h"
#include "periodend/widgets/audit_filter_dialog.h"
#include "periodend/widgets/audit_list_output.h"

namespace qj::periodend {

AuditListWindow::AuditListWindow(HostServices& host, AuditFilterDialog* filterDialog, AuditScreenOpener openAuditScreen,
                                 QWidget* parent)
    : ListWindow(host, kAuditListScreenName, kAuditListCaption, kAuditListReportType, parent),
      host_(host),
      filterDialog_(filterDialog),
      openAuditScreen_(std::move(openAuditScreen)) {
  grid()->setObjectName(QStringLiteral("auditListTable"));
  // Every column is as wide as its texts, so that a subject reads in full;
  // the summary takes what is left.
  setStretchColumn(static_cast<int>(AuditColumn::Summary));
  addButton("过滤", "filterButton", [this] { refilter(); });
  addButton("凭证审核", "auditButton", [this] { auditCurrent(); });
  addButton("成批审核", "batchAuditButton", [this] { batchAudit(); });
  refresh();
}

AuditListWindow::~AuditListWindow() = default;

void AuditListWindow::load(const AuditFilter& filter) {
  filter_ = filter;
  std::vector<AuditListRow> rows;
  base::ReportFailures(host_, [&] { rows = QueryAuditList(host_.FindStartupDB(), filter); });
  list_.show(std::move(rows));
  refresh();
}

void AuditListWindow::refilter() {
  if (!filterDialog_) {
    const AccountBooksData& book = host_.accountBooksData();
    filterDialog_ = new AuditFilterDialog(book.AccountVoucherType, filter_, this);
  }
  if (filterDialog_->exec() == QDialog::Accepted) load(filterDialog_->filter());
}

void AuditListWindow::auditCurrent() {
  if (AuditCurrentVoucher(host_, list_, openAuditScreen_)) refresh();
}

void AuditListWindow::batchAudit() {
  auto outcome = BatchAudit(host_, filter_, list_.empty());
  if (outcome.result != BatchAuditResult::Done) return;
  list_.show(std::move(outcome.stamped));
  refresh();
}

void AuditListWindow::currentRowChanged(std::size_t row) { list_.setCurrent(row); }

void AuditListWindow::refresh() { showData(AuditDataSet(list_.rows()), list_.current()); }

}  // namespace qj::periodend
