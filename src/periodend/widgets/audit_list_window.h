// The audit list window ("凭证审核") on Qt: the voucher lines the filter
// chose, with 过滤, 凭证审核 and 成批审核 before the list's 打印, 预览 and
// 导出. It shows an AuditList and hands the buttons to the audit functions.
#pragma once

#include <QPointer>

#include "base/widgets/list_window.h"
#include "periodend/audit_list.h"

namespace qj::periodend {

class AuditFilterDialog;

class AuditListWindow final : public base::ListWindow {
 public:
  // `filterDialog` is the kept filter dialog 过滤 shows again (a new one when
  // it is gone); `openAuditScreen` shows the voucher screen in audit mode.
  AuditListWindow(HostServices& host, AuditFilterDialog* filterDialog, AuditScreenOpener openAuditScreen,
                  QWidget* parent = nullptr);
  ~AuditListWindow() override;

  // Shows the lines the filter chooses; a failure is reported and the list is left empty.
  void load(const AuditFilter& filter);
  [[nodiscard]] const AuditList& list() const { return list_; }

  // The list's own buttons.
  void refilter();
  void auditCurrent();
  void batchAudit();

 private:
  void currentRowChanged(std::size_t row) override;
  void refresh();

  HostServices& host_;
  QPointer<AuditFilterDialog> filterDialog_;
  AuditScreenOpener openAuditScreen_;
  AuditFilter filter_;
  AuditList list_;
};

}  // namespace qj::periodend
