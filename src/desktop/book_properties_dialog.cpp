#include "desktop/book_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/db_error.h"
#include "desktop/host_screens.h"
#include "host/host_application.h"
#include "host/host_error.h"

namespace qj::desktop {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Sets a cell's text, making the cell when the row is new; cells are kept, so
// that a table may be redrawn while one of its cells reports an edit.
void SetCell(QTableWidget* table, int row, int column, const QString& text, bool editable) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem();
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    table->setItem(row, column, item);
  }
  item->setText(text);
}

QTableWidget* NewTable(QWidget* parent, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  return table;
}

}  // namespace

BookPropertiesDialog::BookPropertiesDialog(host::BookPropertiesModel& model, HostServices& host, QWidget* parent)
    : QDialog(parent), model_(model), host_(host) {
  setWindowTitle(QStringLiteral("帐套属性"));
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  tabs->addTab(companyPage(), QStringLiteral("单位信息"));
  tabs->addTab(voucherPage(), QStringLiteral("凭证"));
  tabs->addTab(currencyPage(), QStringLiteral("外币"));
  layout->addWidget(tabs);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  // Enter finishes a cell or a field; saving takes the button itself.
  for (QPushButton* button : {save, cancel}) button->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &BookPropertiesDialog::save);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (!model_.canSave()) {
    // Shown, but not to be changed.
    for (int page = 0; page < tabs->count(); ++page) tabs->widget(page)->setEnabled(false);
    save->setEnabled(false);
    layout->addWidget(new QLabel(QStringLiteral("只有系统管理员才能修改帐套属性。"), this));
  }
  layout->addWidget(buttons);
  resize(520, 420);
}

BookPropertiesDialog::~BookPropertiesDialog() {
  // A cell editor still open hands in its text while the tables are destroyed.
  disconnect(voucherTypes_, nullptr, this, nullptr);
  disconnect(currencies_, nullptr, this, nullptr);
}

QWidget* BookPropertiesDialog::companyPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  for (const host::CompanyEntry& entry : model_.company()) {
    auto* edit = new QLineEdit(Q(entry.value), page);
    edit->setObjectName(Q(entry.label));
    edit->setMaxLength(static_cast<int>(entry.width));
    connect(edit, &QLineEdit::textEdited, this,
            [this, field = entry.field](const QString& text) { model_.editCompany(field, text.toStdString()); });
    form->addRow(Q(entry.label) + QStringLiteral("："), edit);
  }
  return page;
}

QWidget* BookPropertiesDialog::voucherPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);

  auto* audit = new QGroupBox(QStringLiteral("审核"), page);
  auto* auditLayout = new QVBoxLayout(audit);
  auto addOption = [&](const char* label, bool on, auto apply) {
    auto* box = new QCheckBox(QString::fromUtf8(label), audit);
    box->setChecked(on);
    connect(box, &QCheckBox::toggled, this, apply);
    auditLayout->addWidget(box);
  };
  addOption("凭证必须审核后才能登帐", model_.mustCheck(), [this](bool checked) { model_.setMustCheck(checked); });
  addOption("制单人可以审核自己的凭证", model_.sameUser(), [this](bool checked) { model_.setSameUser(checked); });
  addOption("审核时制单人可以修改自己的凭证", model_.makerEditsUnderAudit(),
            [this](bool checked) { model_.setMakerEditsUnderAudit(checked); });
  layout->addWidget(audit);

  auto* types = new QGroupBox(QStringLiteral("凭证字"), page);
  auto* typesLayout = new QFormLayout(types);
  scheme_ = new QComboBox(types);
  for (int scheme = 1; scheme <= 3; ++scheme) scheme_->addItem(QString());
  connect(scheme_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.chooseScheme(index + 1);
    renderVoucherTypes();
  });
  typesLayout->addRow(QStringLiteral("凭证字方案："), scheme_);
  voucherTypes_ = NewTable(types, {QStringLiteral("编号"), QStringLiteral("凭证字名称")});
  connect(voucherTypes_, &QTableWidget::itemChanged, this, &BookPropertiesDialog::voucherTypeEdited);
  typesLayout->addRow(voucherTypes_);
  layout->addWidget(types);
  renderVoucherTypes();
  return page;
}

QWidget* BookPropertiesDialog::currencyPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("本位币：") + Q(model_.localCurrency()), page));
  currencies_ = NewTable(page, {QStringLiteral("编号"), QStringLiteral("外币名称"), QStringLiteral("汇率")});
  connect(currencies_, &QTableWidget::itemChanged, this, &BookPropertiesDialog::currencyEdited);
  layout->addWidget(currencies_);
  auto* buttons = new QHBoxLayout();
  auto* add = new QPushButton(QStringLiteral("增加外币"), page);
  auto* remove = new QPushButton(QStringLiteral("删除外币"), page);
  for (QPushButton* button : {add, remove}) button->setAutoDefault(false);
  connect(add, &QPushButton::clicked, this, &BookPropertiesDialog::addCurrency);
  connect(remove, &QPushButton::clicked, this, &BookPropertiesDialog::removeCurrency);
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  layout->addLayout(buttons);
  renderCurrencies();
  return page;
}

void BookPropertiesDialog::renderVoucherTypes() {
  const QSignalBlocker blockScheme(scheme_);
  const QSignalBlocker blockTypes(voucherTypes_);
  for (int scheme = 1; scheme <= 3; ++scheme)
    scheme_->setItemText(scheme - 1, QStringLiteral("方案 %1：").arg(scheme) + Q(model_.schemeTitle(scheme)));
  scheme_->setCurrentIndex(model_.scheme() - 1);
  const auto types = model_.schemeTypes();
  voucherTypes_->setRowCount(static_cast<int>(types.size()));
  for (int row = 0; row < static_cast<int>(types.size()); ++row) {
    const host::VoucherTypeEntry& type = types[static_cast<std::size_t>(row)];
    SetCell(voucherTypes_, row, 0, QString::number(type.id), false);
    SetCell(voucherTypes_, row, 1, Q(type.name), true);
  }
}

void BookPropertiesDialog::renderCurrencies() {
  const QSignalBlocker block(currencies_);
  const auto& currencies = model_.currencies();
  currencies_->setRowCount(static_cast<int>(currencies.size()));
  for (int row = 0; row < static_cast<int>(currencies.size()); ++row) {
    const host::CurrencyEntry& currency = currencies[static_cast<std::size_t>(row)];
    SetCell(currencies_, row, 0, QString::number(currency.moneyId), false);
    SetCell(currencies_, row, 1, Q(currency.name), true);
    SetCell(currencies_, row, 2, currency.rate.isZero() ? QString() : Q(currency.rate.toString()), true);
  }
}

void BookPropertiesDialog::voucherTypeEdited(QTableWidgetItem* item) {
  const int id = voucherTypes_->item(item->row(), 0)->text().toInt();
  model_.renameVoucherType(id, item->text().toStdString());
  renderVoucherTypes();
}

void BookPropertiesDialog::currencyEdited(QTableWidgetItem* item) {
  const auto row = static_cast<std::size_t>(item->row());
  if (item->column() == 1) model_.renameCurrency(row, item->text().toStdString());
  if (item->column() == 2 && !model_.changeRate(row, item->text().trimmed().toStdString())) tell(model_.message());
  renderCurrencies();
}

void BookPropertiesDialog::addCurrency() {
  if (!model_.addCurrency()) return tell(model_.message());
  renderCurrencies();
  const int row = currencies_->rowCount() - 1;
  currencies_->setCurrentCell(row, 1);
  currencies_->editItem(currencies_->item(row, 1));
}

void BookPropertiesDialog::removeCurrency() {
  const int row = currencies_->currentRow();
  if (row < 0) return tell("请先选择要删除的外币。");
  if (!model_.removeCurrency(static_cast<std::size_t>(row))) tell(model_.message());
  renderCurrencies();
}

void BookPropertiesDialog::save() {
  if (!model_.save()) return tell(model_.message());
  host_.GlobalCall("SetMainCaption", "", nullptr);  // the company name is in the title
  accept();
}

void BookPropertiesDialog::tell(const std::string& message) { host_.ShowMsgBox(message, "提示", msgbox::IconWarning); }

void ShowBookProperties(QWidget* parent, host::BookSession& session, host::HostApplication& host) {
  std::unique_ptr<host::BookPropertiesModel> model;
  try {
    model = std::make_unique<host::BookPropertiesModel>(session, host.asUserName());
  } catch (const data::DbError& error) {
    return host.EDBEngineErrorHandler(error);
  } catch (const host::HostError& error) {
    host.ShowMsgBox(error.what(), "出错信息", msgbox::IconError);
    return;
  }
  BookPropertiesDialog dialog(*model, host, parent);
  dialog.exec();
}

}  // namespace qj::desktop
