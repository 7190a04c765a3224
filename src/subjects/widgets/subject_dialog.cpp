#include "subjects/widgets/subject_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace qj::subjects {
namespace {

constexpr int kDebit = 1;
constexpr int kCredit = 0;

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

SubjectDialog::SubjectDialog(SubjectDialogModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      segment_(new QLineEdit(q(model.draft().segment), this)),
      name_(new QLineEdit(q(model.draft().name), this)),
      helpCode_(new QLineEdit(q(model.draft().helpCode), this)),
      direction_(new QButtonGroup(this)),
      foreign_(new QComboBox(this)),
      currency_(new QComboBox(this)),
      cashFlow_(new QCheckBox(QStringLiteral("核算现金流量"), this)) {
  setWindowTitle(q(model.caption()));
  auto* form = new QFormLayout(this);

  auto* code = new QHBoxLayout;
  code->addWidget(new QLabel(q(model.prefix()), this));
  segment_->setPlaceholderText(QStringLiteral("%1位").arg(model.segmentWidth()));
  code->addWidget(segment_, 1);
  form->addRow(QStringLiteral("科目编码："), code);

  if (model.choosesCounterparty()) {
    counterparty_ = new QComboBox(this);
    counterparty_->addItem(QStringLiteral("（请选择）"));
    for (const Counterparty& candidate : model.counterparties())
      counterparty_->addItem(q(candidate.abbreviation), QVariant::fromValue<qlonglong>(candidate.id));
    form->addRow(QStringLiteral("往来单位："), counterparty_);
  }
  form->addRow(QStringLiteral("科目名称："), name_);
  form->addRow(QStringLiteral("助记码："), helpCode_);

  auto* directions = new QHBoxLayout;
  for (const auto& [id, text] : {std::pair{kDebit, "借方"}, std::pair{kCredit, "贷方"}}) {
    auto* button = new QRadioButton(QString::fromUtf8(text), this);
    direction_->addButton(button, id);
    button->setChecked(model.draft().debit && *model.draft().debit == (id == kDebit));
    directions->addWidget(button);
  }
  directions->addStretch();
  form->addRow(QStringLiteral("余额方向："), directions);

  for (const std::string& choice : SubjectDialogModel::ForeignCurrencyChoices()) foreign_->addItem(q(choice));
  foreign_->setCurrentIndex(model.draft().foreignCurrency);
  for (const CurrencyChoice& choice : model.currencies()) currency_->addItem(q(choice.name), choice.moneyId);
  form->addRow(QStringLiteral("外币核算："), foreign_);
  form->addRow(QStringLiteral("币种："), currency_);
  cashFlow_->setChecked(model.draft().cashFlow);
  form->addRow(QString(), cashFlow_);
  showCurrency();

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  form->addRow(buttons);

  // Tab follows the fields as they stand, the balance direction among them.
  QWidget* previous = segment_;
  const auto next = [&previous](QWidget* field) {
    setTabOrder(previous, field);
    previous = field;
  };
  if (counterparty_) next(counterparty_);
  next(name_);
  next(helpCode_);
  for (QAbstractButton* button : direction_->buttons()) next(button);
  next(foreign_);
  next(currency_);
  next(cashFlow_);

  connect(segment_, &QLineEdit::textChanged, this,
          [this](const QString& text) { model_.setSegment(text.toStdString()); });
  connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.setName(text.toStdString()); });
  connect(helpCode_, &QLineEdit::textChanged, this,
          [this](const QString& text) { model_.setHelpCode(text.toStdString()); });
  connect(direction_, &QButtonGroup::idClicked, this, [this](int id) { model_.setDirection(id == kDebit); });
  connect(foreign_, &QComboBox::currentIndexChanged, this, [this](int choice) {
    model_.setForeignCurrency(choice);
    showCurrency();
  });
  connect(currency_, &QComboBox::activated, this,
          [this](int index) { model_.setCurrency(currency_->itemData(index).toInt()); });
  connect(cashFlow_, &QCheckBox::toggled, this, [this](bool on) { model_.setCashFlow(on); });
  if (counterparty_) {
    connect(counterparty_, &QComboBox::currentIndexChanged, this, [this](int index) {
      model_.chooseCounterparty(counterparty_->itemData(index).toLongLong());
      name_->setText(q(model_.draft().name));
    });
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &SubjectDialog::confirmRequested);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SubjectDialog::showCurrency() {
  const QSignalBlocker quiet(currency_);
  currency_->setEnabled(model_.currencyEnabled());
  currency_->setCurrentIndex(model_.currencyEnabled() ? currency_->findData(model_.draft().moneyId) : -1);
}

}  // namespace qj::subjects
