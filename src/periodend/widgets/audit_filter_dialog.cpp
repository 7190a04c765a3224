#include "periodend/widgets/audit_filter_dialog.h"

#include "base/widgets/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "base/widgets/qt_screen.h"
#include "periodend/widgets/audit_list_window.h"
#include "vouchers/widgets/voucher_entry_screen.h"

namespace qj::periodend {
namespace {

QSpinBox* spinBox(const char* name, int low, int high, int value) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

AuditFilterDialog::AuditFilterDialog(int scheme, const AuditFilter& initial, QWidget* parent)
    : QDialog(parent),
      words_(VoucherWordEntries(scheme)),
      year_(spinBox("yearBox", kFirstFilterYear, kLastFilterYear, initial.period.year)),
      month_(spinBox("monthBox", 1, 12, initial.period.month)),
      word_(new QComboBox),
      from_(spinBox("fromBox", 1, static_cast<int>(kLastVoucherNumber), static_cast<int>(initial.fromCode))),
      to_(spinBox("toBox", 1, static_cast<int>(kLastVoucherNumber), static_cast<int>(initial.toCode))),
      includeAudited_(new QCheckBox(QStringLiteral("包含已审核凭证"))) {
  setObjectName(QString::fromLatin1(kAuditFilterScreenName));
  setWindowTitle(QStringLiteral("凭证审核过滤"));
  word_->setObjectName(QStringLiteral("wordBox"));
  for (const auto& entry : words_) {
    word_->addItem(QString::fromStdString(entry.name));
    if (entry.typeId == initial.typeId) word_->setCurrentIndex(word_->count() - 1);
  }
  includeAudited_->setObjectName(QStringLiteral("includeAuditedBox"));
  includeAudited_->setChecked(initial.includeAudited);

  auto* numbers = new QHBoxLayout;
  numbers->addWidget(from_, 1);
  numbers->addWidget(new QLabel(QStringLiteral("至")));
  numbers->addWidget(to_, 1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("会计年度"), year_);
  form->addRow(QStringLiteral("会计期间"), month_);
  form->addRow(QStringLiteral("凭证字"), word_);
  form->addRow(QStringLiteral("凭证号"), numbers);
  form->addRow(QString(), includeAudited_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(base::OkCancelButtons(*this));
}

AuditFilter AuditFilterDialog::filter() const {
  AuditFilter filter;
  filter.period = {year_->value(), month_->value()};
  const int word = word_->currentIndex();
  if (word >= 0 && static_cast<std::size_t>(word) < words_.size())
    filter.typeId = words_[static_cast<std::size_t>(word)].typeId;
  filter.fromCode = from_->value();
  filter.toCode = to_->value();
  filter.includeAudited = includeAudited_->isChecked();
  return filter;
}

std::unique_ptr<base::Screen> AuditFilterScreen(HostServices& host) {
  const AccountBooksData& book = host.accountBooksData();
  return std::make_unique<base::DialogScreen>(
      std::make_unique<AuditFilterDialog>(book.AccountVoucherType, DefaultAuditFilter(book), host.MainWindow()));
}

std::unique_ptr<base::Screen> AuditListScreen(HostServices& host, base::Screen& filter) {
  auto& dialog = dynamic_cast<AuditFilterDialog&>(dynamic_cast<base::DialogScreen&>(filter).dialog());
  auto* window = new AuditListWindow(
      host, &dialog, [&host](const std::string& credId) { vouchers::AuditVoucherOnScreen(host, credId); });
  window->load(dialog.filter());
  return std::make_unique<base::WindowScreen>(window);
}

}  // namespace qj::periodend
