#include "periodend/widgets/reverse_audit_dialog.h"

#include "base/widgets/ok_cancel_buttons.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/widgets/qt_screen.h"

namespace qj::periodend {
namespace {

QSpinBox* spinBox(const char* name, int low, int high, std::int64_t value) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  box->setValue(static_cast<int>(value));
  return box;
}

}  // namespace

ReverseAuditDialog::ReverseAuditDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host) {
  const ReverseAuditRange initial = DefaultReverseAuditRange(host.accountBooksData());
  const int last = static_cast<int>(kLastVoucherNumber);
  year_ = spinBox("yearBox", kFirstFilterYear, kLastFilterYear, initial.year);
  month_ = spinBox("monthBox", 1, 12, initial.month);
  from_ = spinBox("fromBox", 1, last, initial.fromNo);
  to_ = spinBox("toBox", 1, last, initial.toNo);
  setObjectName(QString::fromLatin1(kReverseAuditScreenName));
  setWindowTitle(QString::fromUtf8(kReverseAuditCaption));

  auto* numbers = new QHBoxLayout;
  numbers->addWidget(from_, 1);
  numbers->addWidget(new QLabel(QStringLiteral("至")));
  numbers->addWidget(to_, 1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("会计年度"), year_);
  form->addRow(QStringLiteral("期间"), month_);
  form->addRow(QStringLiteral("凭证编号"), numbers);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(base::OkCancelButtons(*this));
}

ReverseAuditRange ReverseAuditDialog::range() const {
  return {year_->value(), month_->value(), from_->value(), to_->value()};
}

void ReverseAuditDialog::accept() {
  if (ReverseAudit(host_, range()).result == ReverseAuditResult::Done) QDialog::accept();
}

std::unique_ptr<base::Screen> ReverseAuditScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<ReverseAuditDialog>(host, host.MainWindow()));
}

}  // namespace qj::periodend
