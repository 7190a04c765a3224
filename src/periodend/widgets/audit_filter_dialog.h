// The audit list's filter dialog: period, voucher word, number range and
// whether audited vouchers are shown too. It keeps its values between uses.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "base/screen_registry.h"
#include "periodend/audit_filter.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace qj::periodend {

class AuditFilterDialog final : public QDialog {
 public:
  // `scheme` is the book's voucher-type scheme; the fields start from `initial`.
  AuditFilterDialog(int scheme, const AuditFilter& initial, QWidget* parent);

  // The filter the fields hold.
  [[nodiscard]] AuditFilter filter() const;

 private:
  std::vector<VoucherWordEntry> words_;
  QSpinBox* year_;
  QSpinBox* month_;
  QComboBox* word_;
  QSpinBox* from_;
  QSpinBox* to_;
  QCheckBox* includeAudited_;
};

// The registry's makers for FRMVOUAUADI, on the attached host: the filter
// dialog, and the list window that reads its filter from the confirmed dialog.
std::unique_ptr<base::Screen> AuditFilterScreen(HostServices& host);
std::unique_ptr<base::Screen> AuditListScreen(HostServices& host, base::Screen& filter);

}  // namespace qj::periodend
