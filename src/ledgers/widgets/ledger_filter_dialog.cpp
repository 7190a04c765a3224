#include "ledgers/widgets/ledger_filter_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/screen_work.h"
#include "base/subject_chooser_hook.h"
#include "base/widgets/ok_cancel_buttons.h"
#include "hostapi/refusal.h"
#include "ledgers/journal.h"
#include "ledgers/ledger_queries.h"
#include "subjects/currency_queries.h"

namespace qj::ledgers {
namespace {

QSpinBox* spinBox(int low, int high, int value, const char* objectName) {
  auto* box = new QSpinBox;
  box->setRange(low, high);
  box->setValue(value);
  box->setObjectName(QString::fromLatin1(objectName));
  return box;
}

QHBoxLayout* span(QWidget* from, QWidget* to) {
  auto* row = new QHBoxLayout;
  row->addWidget(from, 1);
  row->addWidget(new QLabel(QStringLiteral("至")));
  row->addWidget(to, 1);
  return row;
}

// A code field with the button that opens the subject chooser.
QHBoxLayout* withChooser(HostServices& host, QLineEdit* field, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  auto* choose = new QPushButton(QStringLiteral("…"));
  choose->setObjectName(field->objectName() + QStringLiteral("Chooser"));
  choose->setMaximumWidth(32);
  QObject::connect(choose, &QPushButton::clicked, parent, [&host, field] {
    if (const auto& chooser = base::TheSubjectChooser())
      if (const auto code = chooser(host)) field->setText(QString::fromStdString(*code));
  });
  row->addWidget(choose);
  return row;
}

QLineEdit* codeEdit(const std::string& code, const char* objectName) {
  auto* field = new QLineEdit(QString::fromStdString(code));
  field->setObjectName(QString::fromLatin1(objectName));
  field->setMaxLength(18);
  return field;
}

}  // namespace

PeriodFields::PeriodFields(HostServices& host, int yearValue, int from, int to, int currencyValue)
    : year(spinBox(kFirstLedgerYear, kLastLedgerYear, yearValue, "yearBox")),
      fromMonth(spinBox(1, 12, from, "fromMonthBox")),
      toMonth(spinBox(1, 12, to, "toMonthBox")),
      currency(new QComboBox) {
  currency->setObjectName(QStringLiteral("currencyBox"));
  std::vector<std::pair<int, std::string>> choices;
  base::ReportFailures(host, [&] {
    data::Connection& db = host.FindStartupDB();
    choices.emplace_back(base::kLocalCurrency, CurrencyName(db, base::kLocalCurrency));
    for (const auto& foreign : subjects::ForeignCurrencies(db)) choices.emplace_back(foreign.moneyId, foreign.name);
    choices.emplace_back(base::kAllCurrencies, CurrencyName(db, base::kAllCurrencies));
  });
  for (const auto& [moneyId, name] : choices) {
    currency->addItem(QString::fromStdString(name.empty() ? std::to_string(moneyId) : name), moneyId);
    if (moneyId == currencyValue) currency->setCurrentIndex(currency->count() - 1);
  }
}

int PeriodFields::chosenCurrency() const {
  return currency->currentIndex() < 0 ? base::kLocalCurrency : currency->currentData().toInt();
}

LedgerFilterDialog::LedgerFilterDialog(HostServices& host, Kind kind, const LedgerFilter& initial, QWidget* parent,
                                       const std::string& journalCode)
    : QDialog(parent),
      host_(host),
      kind_(kind),
      period_(host, initial.year, initial.fromMonth, initial.toMonth, initial.currency),
      unposted_(new QCheckBox(QStringLiteral("包含未过帐凭证"))) {
  setObjectName(kind == Kind::Detail ? QStringLiteral("DetailTypeLedger_Frm") : QStringLiteral("DiaryLedger_Frm"));
  setWindowTitle(kind == Kind::Detail ? QStringLiteral("明细分类帐") : QStringLiteral("现金、银行存款日记帐"));
  unposted_->setObjectName(QStringLiteral("unpostedBox"));
  unposted_->setChecked(initial.includeUnposted);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("会计年度"), period_.year);
  form->addRow(QStringLiteral("会计期间"), span(period_.fromMonth, period_.toMonth));
  form->addRow(QStringLiteral("币别"), period_.currency);
  form->addRow(QString(), unposted_);
  if (kind == Kind::Detail) {
    firstCode_ = codeEdit(initial.subjects.first, "firstCodeEdit");
    lastCode_ = codeEdit(initial.subjects.last, "lastCodeEdit");
    form->addRow(QStringLiteral("明细帐起始科目"), withChooser(host, firstCode_, this));
    form->addRow(QStringLiteral("明细帐结束科目"), withChooser(host, lastCode_, this));
  } else {
    subject_ = new QComboBox;
    subject_->setObjectName(QStringLiteral("subjectBox"));
    base::ReportFailures(host, [&] { journalSubjects_ = JournalSubjects(host.FindStartupDB(), host.ReservedSub()); });
    for (const auto& subject : journalSubjects_) {
      subject_->addItem(QString::fromStdString(subject.code + "  " + subject.name));
      if (subject.code == journalCode) subject_->setCurrentIndex(subject_->count() - 1);
    }
    form->addRow(QStringLiteral("科目"), subject_);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(base::OkCancelButtons(*this));
}

LedgerFilter LedgerFilterDialog::filter() const {
  LedgerFilter filter{period_.year->value(),    period_.fromMonth->value(), period_.toMonth->value(),
                      period_.chosenCurrency(), unposted_->isChecked(),     {}};
  if (firstCode_)
    filter.subjects = {firstCode_->text().trimmed().toStdString(), lastCode_->text().trimmed().toStdString()};
  return filter;
}

std::optional<LedgerSubject> LedgerFilterDialog::journalSubject() const {
  if (!subject_ || subject_->currentIndex() < 0) return std::nullopt;
  return journalSubjects_.at(static_cast<std::size_t>(subject_->currentIndex()));
}

void LedgerFilterDialog::accept() {
  const LedgerFilter chosen = filter();
  if (const auto refusal =
          ValidateLedgerFilter(host_.accountBooksData(), chosen.year, chosen.fromMonth, chosen.toMonth)) {
    Show(host_, *refusal);
    return;
  }
  if (kind_ == Kind::Journal && !journalSubject()) {
    Show(host_, Refusal{"帐套中没有现金或银行存款科目"});
    return;
  }
  QDialog::accept();
}

GeneralLedgerFilterDialog::GeneralLedgerFilterDialog(HostServices& host, const GeneralLedgerFilter& initial,
                                                     QWidget* parent)
    : QDialog(parent),
      host_(host),
      period_(host, initial.year, initial.fromMonth, initial.toMonth, initial.currency),
      level_(spinBox(1, kLastGeneralLedgerLevel, initial.level, "levelBox")),
      firstCode_(codeEdit(initial.subjects.first, "firstCodeEdit")),
      lastCode_(codeEdit(initial.subjects.last, "lastCodeEdit")),
      omitIdle_(new QCheckBox(QStringLiteral("无发生额不显示"))) {
  setObjectName(QStringLiteral("CountKindLedger_Frm"));
  setWindowTitle(QStringLiteral("总分类帐"));
  omitIdle_->setObjectName(QStringLiteral("omitIdleBox"));
  omitIdle_->setChecked(initial.omitIdleMonths);
  auto* codes = new QHBoxLayout;
  codes->addLayout(withChooser(host, firstCode_, this), 1);
  codes->addWidget(new QLabel(QStringLiteral("至")));
  codes->addLayout(withChooser(host, lastCode_, this), 1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("科目级别"), level_);
  form->addRow(QStringLiteral("科目编码"), codes);
  form->addRow(QStringLiteral("会计年度"), period_.year);
  form->addRow(QStringLiteral("会计期间"), span(period_.fromMonth, period_.toMonth));
  form->addRow(QStringLiteral("币别"), period_.currency);
  form->addRow(QString(), omitIdle_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(base::OkCancelButtons(*this));
}

GeneralLedgerFilter GeneralLedgerFilterDialog::filter() const {
  GeneralLedgerFilter filter;
  filter.year = period_.year->value();
  filter.fromMonth = period_.fromMonth->value();
  filter.toMonth = period_.toMonth->value();
  filter.level = level_->value();
  filter.currency = period_.chosenCurrency();
  filter.omitIdleMonths = omitIdle_->isChecked();
  filter.subjects = {firstCode_->text().trimmed().toStdString(), lastCode_->text().trimmed().toStdString()};
  return filter;
}

void GeneralLedgerFilterDialog::accept() {
  if (const auto refusal = ValidateGeneralLedgerFilter(filter())) {
    Show(host_, *refusal);
    return;
  }
  QDialog::accept();
}

}  // namespace qj::ledgers
