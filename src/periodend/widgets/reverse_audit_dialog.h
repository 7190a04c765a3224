// The reverse-audit dialog ("凭证反审核"): a period and a range of voucher
// sequence numbers; 确定 takes back the audits of that range.
#pragma once

#include <QDialog>
#include <memory>

#include "base/screen_registry.h"
#include "periodend/reverse_audit.h"

class QSpinBox;

namespace qj::periodend {

class ReverseAuditDialog final : public QDialog {
 public:
  ReverseAuditDialog(HostServices& host, QWidget* parent);

  [[nodiscard]] ReverseAuditRange range() const;
  // 确定: runs the reverse audit; the dialog closes when it was done and
  // stays (after its message) when it was refused or failed.
  void accept() override;

 private:
  HostServices& host_;
  QSpinBox* year_;
  QSpinBox* month_;
  QSpinBox* from_;
  QSpinBox* to_;
};

// The registry's maker of FRMANTIVOUADUI, on the attached host.
std::unique_ptr<base::Screen> ReverseAuditScreen(HostServices& host);

}  // namespace qj::periodend
