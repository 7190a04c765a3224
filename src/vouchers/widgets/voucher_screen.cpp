#include "vouchers/widgets/voucher_screen.h"

#include "base/voucher_screen_hook.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/widgets/finance_boot_form_widget.h"
#include "hostapi/vor_params.h"
#include "vouchers/widgets/voucher_grid.h"

namespace qj::vouchers {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QDate ToQDate(const Date& date) { return {date.year(), date.month(), date.day()}; }
Date FromQDate(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QLabel* Caption(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

VoucherScreen::VoucherScreen(HostServices& host, VoucherEntryOptions options, QWidget* parent)
    : QDialog(parent), host_(host), model_(host, std::move(options)) {
  setWindowTitle(QString::fromUtf8(VoucherEntryModel::kCaption));
  body_ = new base::FinanceBootFormWidget(host, base::kVoucherScreenName, VoucherEntryModel::kCaption, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(body_);

  auto* column = new QVBoxLayout(body_);
  buildHeader(*body_);
  grid_ = new VoucherGrid(model_, body_);
  column->addWidget(grid_, 1);

  auto* footer = new QHBoxLayout;
  subjectLabel_ = new QLabel(body_);
  subjectLabel_->setObjectName(QStringLiteral("subjectLabel"));
  makerLabel_ = new QLabel(body_);
  checkerLabel_ = new QLabel(body_);
  posterLabel_ = new QLabel(body_);
  makerLabel_->setObjectName(QStringLiteral("makerLabel"));
  checkerLabel_->setObjectName(QStringLiteral("checkerLabel"));
  posterLabel_->setObjectName(QStringLiteral("posterLabel"));
  savedLabel_ = new QLabel(body_);
  savedLabel_->setObjectName(QStringLiteral("savedLabel"));
  savedLabel_->setStyleSheet(QStringLiteral("color: #006000;"));
  savedLabel_->setMinimumWidth(160);
  footer->addWidget(subjectLabel_, 1);
  footer->addWidget(savedLabel_);
  for (QLabel* name : {makerLabel_, checkerLabel_, posterLabel_}) {
    name->setMinimumWidth(120);
    footer->addWidget(name);
  }
  column->addLayout(footer);
  buildButtons(*body_);

  connect(grid_, &VoucherGrid::acted, this, &VoucherScreen::refresh);
  resize(1080, 600);
}

VoucherScreen::~VoucherScreen() {
  // The widgets go first: none of them may reach the model once it is gone.
  delete body_;
}

void VoucherScreen::buildHeader(QWidget& body) {
  auto* title = new QLabel(QStringLiteral("记 账 凭 证"), &body);
  title->setAlignment(Qt::AlignCenter);
  QFont large = title->font();
  large.setPointSizeF(large.pointSizeF() * 1.8);
  large.setBold(true);
  large.setUnderline(true);
  title->setFont(large);
  stateLabel_ = new QLabel(&body);
  stateLabel_->setObjectName(QStringLiteral("stateLabel"));
  stateLabel_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  auto* titleRow = new QHBoxLayout;
  titleRow->addStretch(1);
  titleRow->addWidget(title);
  titleRow->addStretch(1);
  titleRow->addWidget(stateLabel_);

  typeBox_ = new QComboBox(&body);
  typeBox_->setObjectName(QStringLiteral("typeBox"));
  codeLabel_ = new QLabel(&body);
  codeLabel_->setObjectName(QStringLiteral("codeLabel"));
  codeLabel_->setMinimumWidth(48);
  codeLabel_->setAlignment(Qt::AlignCenter);
  credNoEdit_ = new QLineEdit(&body);
  credNoEdit_->setObjectName(QStringLiteral("credNoEdit"));
  credNoEdit_->setMaximumWidth(90);
  dateEdit_ = new QDateEdit(&body);
  dateEdit_->setObjectName(QStringLiteral("dateEdit"));
  dateEdit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dateEdit_->setCalendarPopup(true);
  billNumberBox_ = new QSpinBox(&body);
  billNumberBox_->setObjectName(QStringLiteral("billNumberBox"));
  billNumberBox_->setRange(0, 9999);

  auto* fields = new QHBoxLayout;
  fields->addWidget(Caption("凭证字", &body));
  fields->addWidget(typeBox_);
  fields->addWidget(Caption("第", &body));
  fields->addWidget(codeLabel_);
  fields->addWidget(Caption("号", &body));
  fields->addSpacing(16);
  fields->addWidget(Caption("顺序号", &body));
  fields->addWidget(credNoEdit_);
  fields->addStretch(1);
  fields->addWidget(Caption("日期", &body));
  fields->addWidget(dateEdit_);
  fields->addStretch(1);
  fields->addWidget(Caption("附件", &body));
  fields->addWidget(billNumberBox_);
  fields->addWidget(Caption("张", &body));

  auto* column = static_cast<QVBoxLayout*>(body.layout());
  column->addLayout(titleRow);
  column->addLayout(fields);

  connect(typeBox_, &QComboBox::activated, this, [this](int index) {
    const std::int64_t id = typeBox_->itemData(index).toLongLong();
    act([this, id] { model_.setType(id); });
  });
  connect(credNoEdit_, &QLineEdit::editingFinished, this, [this] { act([this] { commitHeader(); }); });
  connect(dateEdit_, &QDateEdit::editingFinished, this, [this] { act([this] { commitHeader(); }); });
  connect(billNumberBox_, &QSpinBox::editingFinished, this, [this] { act([this] { commitHeader(); }); });
}

QPushButton* VoucherScreen::addButton(const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(caption), body_);
  button->setObjectName(QString::fromLatin1(name));
  // The keyboard stays in the voucher; Enter moves between cells, it presses no button.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  buttons_.push_back(button);
  return button;
}

void VoucherScreen::buildButtons(QWidget& body) {
  QPushButton* saving = addButton("保存", "saveButton");
  QPushButton* adding = addButton("新增", "newButton");
  QPushButton* deleting = addButton("删除", "deleteButton");
  QPushButton* inserting = addButton("插入", "insertButton");
  QPushButton* removing = addButton("移除", "removeButton");
  QPushButton* balancing = addButton("找平", "balanceButton");
  QPushButton* swapping = addButton("切换", "swapButton");
  QPushButton* foreign = addButton("外币", "foreignButton");
  foreign->setCheckable(true);
  QPushButton* calculator = addButton("计算", "calculatorButton");
  QPushButton* auditing = addButton("审核", "auditButton");
  QPushButton* allocating = addButton("分配", "allocateButton");
  QPushButton* document = addButton("单据", "documentButton");
  QPushButton* previous = addButton("向前", "previousButton");
  QPushButton* next = addButton("向后", "nextButton");
  addButton("打印", "printButton")->setEnabled(false);
  addButton("预览", "previewButton")->setEnabled(false);

  auto* row = new QHBoxLayout;
  for (QPushButton* button : buttons_) row->addWidget(button);
  static_cast<QVBoxLayout*>(body.layout())->addLayout(row);

  connect(saving, &QPushButton::clicked, this, &VoucherScreen::save);
  connect(adding, &QPushButton::clicked, this, [this] {
    if (commitHeader()) act([this] { model_.newVoucher(); });
  });
  connect(deleting, &QPushButton::clicked, this, [this] { act([this] { model_.deleteVoucher(); }); });
  connect(auditing, &QPushButton::clicked, this, [this] { act([this] { model_.audit(); }); });
  connect(allocating, &QPushButton::clicked, this, [this] {
    if (commitHeader()) act([this] { model_.allocate(); });
  });
  connect(document, &QPushButton::clicked, this, [this] { act([this] { model_.showSourceDocument(); }); });
  connect(inserting, &QPushButton::clicked, this, [this] { act([this] { model_.insertLine(); }); });
  connect(removing, &QPushButton::clicked, this, [this] { act([this] { model_.removeLine(); }); });
  connect(balancing, &QPushButton::clicked, this, [this] { act([this] { model_.balanceLine(); }); });
  connect(swapping, &QPushButton::clicked, this, [this] { act([this] { model_.swapLine(); }); });
  connect(foreign, &QPushButton::clicked, this, [this] { act([this] { model_.toggleForeignColumns(); }); });
  connect(calculator, &QPushButton::clicked, this, [this] {
    // The desktop's calculator hands back the figure to put into the current amount cell.
    VorParams bag;
    host_.GlobalCall("SHOWCALCULATOR", "", &bag);
    if (bag.Has("Result")) act([this, &bag] { model_.putAmount(bag.GetMoney("Result")); });
  });
  connect(previous, &QPushButton::clicked, this, [this] {
    if (commitHeader()) act([this] { model_.previousVoucher(); });
  });
  connect(next, &QPushButton::clicked, this, [this] {
    if (commitHeader()) act([this] { model_.nextVoucher(); });
  });
}

QPushButton* VoucherScreen::button(const QString& caption) const {
  for (QPushButton* button : buttons_)
    if (button->text() == caption) return button;
  return nullptr;
}

bool VoucherScreen::start(const std::string& credId) {
  if (!model_.open(credId)) return false;
  for (const TypeChoice& type : model_.voucherTypes()) typeBox_->addItem(q(type.name), QVariant::fromValue(type.id));
  refresh();
  grid_->setFocus();
  return true;
}

// ---- Events ----

template <class Event>
void VoucherScreen::act(Event event) {
  event();
  refresh();
}

bool VoucherScreen::commitHeader() {
  // A refusal's message box takes the focus from the field, which then
  // reports the end of its editing once more: that report is this one.
  if (committing_) return false;
  committing_ = true;
  const VoucherHeader& header = model_.header();
  bool taken = true;
  if (credNoEdit_->text() != QString::number(header.credNo) &&
      !model_.setCredNoText(credNoEdit_->text().toStdString())) {
    credNoEdit_->setText(QString::number(header.credNo));
    taken = false;
  }
  if (dateEdit_->date() != ToQDate(header.credDate) && !model_.setDate(FromQDate(dateEdit_->date()))) {
    dateEdit_->setDate(ToQDate(header.credDate));
    taken = false;
  }
  if (billNumberBox_->value() != header.billNumber && !model_.setBillNumber(billNumberBox_->value())) {
    billNumberBox_->setValue(header.billNumber);
    taken = false;
  }
  committing_ = false;
  return taken;
}

void VoucherScreen::save() {
  // A refused header field stops the save: the field shows its old value again.
  const bool saved = commitHeader() && model_.save();
  refresh();
  if (!saved) return;
  // The voucher's word and number say where it went.
  const VoucherHeader& header = model_.header();
  savedCredId_ = model_.storedCredId();
  savedLabel_->setText(QStringLiteral("已保存 ") + q(model_.typeName()) + QStringLiteral("-") +
                       (header.credCode ? QString::number(*header.credCode) : QString()));
}

void VoucherScreen::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F2:
      save();
      return;
    case Qt::Key_F3:
      act([this] { model_.pressKey(Key::F3); });
      return;
    case Qt::Key_F5:
      act([this] { model_.pressKey(Key::F5); });
      return;
    case Qt::Key_F9:
      if (commitHeader()) act([this] { model_.pressKey(Key::F9); });
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter in a header field: the field is done, back to the voucher's lines.
      grid_->setFocus();
      act([this] { commitHeader(); });
      return;
    default:
      QDialog::keyPressEvent(event);  // Esc closes, through done()
  }
}

void VoucherScreen::done(int result) {
  if (!commitHeader() || !model_.requestClose()) {
    refresh();
    return;
  }
  QDialog::done(result);
}

// ---- Showing the model ----

void VoucherScreen::refresh() {
  const VoucherHeader& header = model_.header();
  typeBox_->setCurrentIndex(typeBox_->findData(QVariant::fromValue(header.typeId)));
  codeLabel_->setText(header.credCode ? QString::number(*header.credCode) : QString());
  if (!credNoEdit_->hasFocus()) credNoEdit_->setText(QString::number(header.credNo));
  if (!dateEdit_->hasFocus()) dateEdit_->setDate(ToQDate(header.credDate));
  if (!billNumberBox_->hasFocus()) billNumberBox_->setValue(header.billNumber);
  // The saved note lasts until the voucher changes or another one shows.
  if (model_.modified() || model_.storedCredId() != savedCredId_) savedLabel_->clear();
  stateLabel_->setText(header.posted    ? QStringLiteral("已登帐")
                       : header.checked ? QStringLiteral("已审核")
                                        : QString());

  grid_->refresh();
  const VoucherLine& line = model_.lines().at(model_.currentLine());
  subjectLabel_->setText(line.subjectCode.empty() ? QString()
                                                  : QStringLiteral("科目：") + q(line.subjectCode) +
                                                        QStringLiteral("  ") + q(line.subjectFullName));
  makerLabel_->setText(QStringLiteral("制单：") + q(header.billMaker));
  checkerLabel_->setText(QStringLiteral("审核：") + q(header.billCheck));
  posterLabel_->setText(QStringLiteral("登帐：") + q(header.billPost));

  button(QStringLiteral("外币"))->setChecked(model_.foreignColumnsShown());
  button(QStringLiteral("单据"))->setVisible(model_.showsSourceDocument());
}

}  // namespace qj::vouchers
