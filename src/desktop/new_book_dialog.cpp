#include "desktop/new_book_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/db_error.h"
#include "desktop/new_book_form.h"
#include "host/message_boxes.h"
#include "hostapi/host_services.h"

namespace qj::desktop {

NewBookDialog::NewBookDialog(host::MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent),
      boxes_(boxes),
      location_(new QLineEdit),
      company_(new QLineEdit),
      start_(new QDateEdit(QDate::currentDate())),
      chart_(new QComboBox),
      chartFile_(new QLineEdit),
      chartBrowse_(new QPushButton(QStringLiteral("选择文件…"))),
      codeStructure_(new QLineEdit(QStringLiteral("4-2-2-2"))),
      scheme_(new QComboBox),
      needCarryPL_(new QCheckBox(QStringLiteral("本行业期末需要结转损益"))) {
  setWindowTitle(QStringLiteral("新建帐套"));
  location_->setObjectName(QStringLiteral("location"));
  location_->setPlaceholderText(QStringLiteral("帐套文件，或 postgresql:// 开头的数据库地址"));
  location_->setMinimumWidth(360);
  company_->setObjectName(QStringLiteral("company"));
  start_->setObjectName(QStringLiteral("start"));
  start_->setDisplayFormat(QStringLiteral("yyyy年MM月"));
  chart_->setObjectName(QStringLiteral("chart"));
  chart_->addItem(QStringLiteral("小企业会计准则"), static_cast<int>(package::StartingChart::SmallEnterprise));
  chart_->addItem(QStringLiteral("空科目表"), static_cast<int>(package::StartingChart::Empty));
  chart_->addItem(QStringLiteral("从 CSV 文件导入"), static_cast<int>(package::StartingChart::Imported));
  chart_->addItem(QStringLiteral("旧小企业科目表（一级科目 3 位）"), static_cast<int>(package::StartingChart::Legacy));
  chart_->setToolTip(QStringLiteral("小企业会计准则：现行国家统一科目表（一级科目 4 位），并备好现金流量表项目"));
  connect(chart_, &QComboBox::currentIndexChanged, this, &NewBookDialog::chooseChart);
  chartFile_->setObjectName(QStringLiteral("chartFile"));
  chartFile_->setPlaceholderText(QStringLiteral("科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码"));
  connect(chartBrowse_, &QPushButton::clicked, this, &NewBookDialog::chooseChartFile);
  codeStructure_->setObjectName(QStringLiteral("codeStructure"));
  codeStructure_->setToolTip(QStringLiteral("各级科目编码的长度，如 4-2-2-2：一级科目 4 位，以下每级 2 位"));
  scheme_->setObjectName(QStringLiteral("scheme"));
  scheme_->addItem(QStringLiteral("记"), 1);
  scheme_->addItem(QStringLiteral("收、付、转"), 2);
  scheme_->addItem(QStringLiteral("现收、现付、银收、银付、转"), 3);
  needCarryPL_->setObjectName(QStringLiteral("needCarryPL"));
  needCarryPL_->setChecked(true);

  auto* browse = new QPushButton(QStringLiteral("浏览…"));
  connect(browse, &QPushButton::clicked, this, &NewBookDialog::chooseFile);
  auto* place = new QHBoxLayout;
  place->addWidget(location_);
  place->addWidget(browse);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("保存位置："), place);
  fields->addRow(QStringLiteral("单位名称："), company_);
  fields->addRow(QStringLiteral("启用期间："), start_);
  fields->addRow(QStringLiteral("科目表："), chart_);
  auto* chartPlace = new QHBoxLayout;
  chartPlace->addWidget(chartFile_);
  chartPlace->addWidget(chartBrowse_);
  fields->addRow(QStringLiteral("科目表文件："), chartPlace);
  fields->addRow(QStringLiteral("科目编码结构："), codeStructure_);
  fields->addRow(QStringLiteral("凭证字："), scheme_);
  fields->addRow(QString(), needCarryPL_);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QStringLiteral("新建"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("create"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewBookDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &NewBookDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  chooseChart();
}

void NewBookDialog::chooseChart() {
  const auto chart = static_cast<package::StartingChart>(chart_->currentData().toInt());
  const bool imported = chart == package::StartingChart::Imported;
  chartFile_->setEnabled(imported);
  chartBrowse_->setEnabled(imported);
  // Each ready-made chart brings the level-1 length it is numbered in.
  const QString structure = codeStructure_->text().trimmed();
  if (chart == package::StartingChart::Legacy && structure == QStringLiteral("4-2-2-2"))
    codeStructure_->setText(QStringLiteral("3-2-2-2"));
  if (chart == package::StartingChart::SmallEnterprise && structure == QStringLiteral("3-2-2-2"))
    codeStructure_->setText(QStringLiteral("4-2-2-2"));
}

void NewBookDialog::chooseChartFile() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("选择科目表文件"), QDir::homePath(),
                                                    QStringLiteral("科目表 (*.csv);;所有文件 (*)"));
  if (!path.isEmpty()) chartFile_->setText(path);
}

QString NewBookDialog::location() const { return location_->text().trimmed(); }

void NewBookDialog::chooseFile() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("新帐套的保存位置"),
                                                    QDir::homePath() + QStringLiteral("/帐套.sqlite"),
                                                    QStringLiteral("青简帐套 (*.sqlite);;所有文件 (*)"));
  if (!path.isEmpty()) location_->setText(path);
}

NewBookForm NewBookDialog::form() const {
  NewBookForm form;
  form.location = location().toStdString();
  form.companyName = company_->text().trimmed().toStdString();
  form.start = Period{start_->date().year(), start_->date().month()};
  form.codeStructure = codeStructure_->text().toStdString();
  form.voucherTypeScheme = scheme_->currentData().toInt();
  form.needCarryPL = needCarryPL_->isChecked();
  form.chart = static_cast<package::StartingChart>(chart_->currentData().toInt());
  form.chartFile = chartFile_->text().trimmed().toStdString();
  return form;
}

void NewBookDialog::accept() {
  try {
    host::CreateBook(ToNewBook(form()));
  } catch (const data::DbError& error) {
    boxes_.show(data::DescribeForUser(error), "新建帐套", msgbox::IconWarning);
    return;
  } catch (const std::exception& error) {
    boxes_.show(error.what(), "新建帐套", msgbox::IconWarning);
    return;
  }
  QDialog::accept();
}

}  // namespace qj::desktop
