#include "periodend/widgets/period_close_dialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

#include "base/widgets/ok_cancel_buttons.h"
#include "base/widgets/qt_screen.h"
#include "periodend/period_close.h"

namespace qj::periodend {

namespace {

constexpr std::array<const char*, 4> kCloseReminder = {
    "结帐后不能在输入新的记帐凭证，因此在结帐", "前，应首先检查本期发生的经济单据是否都已经编",
    "制记帐凭证，并登记入帐，对各种成本费用类帐户", "，也应当在结帐前进行必要的结转，并登记入帐。"};

void addPeriod(QVBoxLayout& layout, HostServices& host, QWidget* parent) {
  const AccountBooksData& book = host.accountBooksData();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("当前会计年度"), new QLabel(QString::number(book.CurrYear), parent));
  form->addRow(QStringLiteral("当前会计月份"), new QLabel(QString::number(book.CurrMon), parent));
  layout.addLayout(form);
}

// 期末结帐: the reminder and the period; OK closes the period and the screen.
class PeriodCloseDialog final : public QDialog {
 public:
  PeriodCloseDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("期末结帐"));
    setObjectName(QStringLiteral("PeriodEndOff_Frm"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : kCloseReminder) layout->addWidget(new QLabel(QString::fromUtf8(line), this));
    addPeriod(*layout, host, this);
    layout->addWidget(base::OkCancelButtons(*this));
  }

  // OK closes the period; the screen closes either way (what happened has been told).
  void accept() override {
    if (RunPeriodClose(host_))
      QDialog::accept();
    else
      reject();
  }

 private:
  HostServices& host_;
};

// 反结帐: the period and whether the carry-forward vouchers go too.
class ReopenPeriodDialog final : public QDialog {
 public:
  ReopenPeriodDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("反结帐"));
    setObjectName(QStringLiteral("UnCheckOut_Frm"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("\"反结帐\"工具可以把当前会计期间 返回到已结帐的期间。"), this));
    addPeriod(*layout, host, this);
    deleteCarry_ = new QCheckBox(QStringLiteral("同时将结转本期损益产生的记帐凭证删除"), this);
    deleteCarry_->setObjectName(QStringLiteral("deleteCarryBox"));
    layout->addWidget(deleteCarry_);
    layout->addWidget(base::OkCancelButtons(*this));
  }

  void accept() override {
    if (RunReopenPeriod(host_, deleteCarry_->isChecked()))
      QDialog::accept();
    else
      reject();
  }

 private:
  HostServices& host_;
  QCheckBox* deleteCarry_;
};

}  // namespace

std::unique_ptr<base::Screen> PeriodCloseScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<PeriodCloseDialog>(host, host.MainWindow()));
}

std::unique_ptr<base::Screen> ReopenPeriodScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<ReopenPeriodDialog>(host, host.MainWindow()));
}

}  // namespace qj::periodend
