// The audit list window ("凭证审核") on Qt: the voucher lines the filter
// chose, and the buttons 过滤, 凭证审核, 成批审核, 打印, 预览 and 导出. It shows
// an AuditList and hands the buttons to the audit functions.
#pragma once

#include <QFileDialog>
#include <QPointer>

#include "base/widgets/finance_boot_form_widget.h"
#include "periodend/audit_list.h"

class QTableView;

namespace qj::periodend {

class AuditFilterDialog;
class AuditListTable;

class AuditListWindow final : public base::FinanceBootFormWidget {
 public:
  // `filterDialog` is the kept filter dialog 过滤 shows again (a new one when
  // it is gone); `openAuditScreen` shows the voucher screen in audit mode.
  AuditListWindow(HostServices& host, AuditFilterDialog* filterDialog, AuditScreenOpener openAuditScreen,
                  QWidget* parent = nullptr);
  ~AuditListWindow() override;

  // Shows the lines the filter chooses; a failure is reported and the list is left empty.
  void load(const AuditFilter& filter);
  [[nodiscard]] const AuditList& list() const { return list_; }
  [[nodiscard]] QFileDialog* exportDialog() { return exportDialog_; }

  // The buttons.
  void refilter();
  void auditCurrent();
  void batchAudit();
  void print(bool preview);
  void chooseExportFile();

 private:
  void refresh();

  HostServices& host_;
  QPointer<AuditFilterDialog> filterDialog_;
  AuditScreenOpener openAuditScreen_;
  AuditFilter filter_;
  AuditList list_;
  AuditListTable* table_;
  QTableView* grid_;
  QPointer<QFileDialog> exportDialog_;
};

}  // namespace qj::periodend
