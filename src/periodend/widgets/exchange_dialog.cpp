#include "periodend/widgets/exchange_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/subject_chooser_hook.h"
#include "base/widgets/ok_cancel_buttons.h"
#include "base/widgets/qt_screen.h"
#include "periodend/exchange_screen_model.h"

namespace qj::periodend {

namespace {

using Model = ExchangeScreenModel;

// The rates to correct, the gain-and-loss subject and the post-at-once box;
// OK adjusts and closes, a refusal keeps the screen for a correction.
class ExchangeDialog final : public QDialog {
 public:
  ExchangeDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host), model_(host) {
    setWindowTitle(QString::fromUtf8(Model::kCaption));
    setObjectName(QStringLiteral("AudiExchange_Frm"));
    auto* layout = new QVBoxLayout(this);
    auto* tip = new QLabel(QString::fromUtf8(Model::kTip), this);
    tip->setWordWrap(true);
    layout->addWidget(tip);

    rates_ = new QTableWidget(static_cast<int>(model_.rates().size()), 2, this);
    rates_->setObjectName(QStringLiteral("rateGrid"));
    rates_->setHorizontalHeaderLabels({QStringLiteral("外币名称"), QStringLiteral("期末汇率")});
    rates_->verticalHeader()->hide();
    rates_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (std::size_t i = 0; i < model_.rates().size(); ++i) {
      const RateRow& row = model_.rates()[i];
      auto* name = new QTableWidgetItem(QString::fromStdString(row.name));
      name->setFlags(name->flags() & ~Qt::ItemIsEditable);
      rates_->setItem(static_cast<int>(i), 0, name);
      auto* rate = new QTableWidgetItem(QString::fromStdString(row.rate.toString()));
      rate->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      rates_->setItem(static_cast<int>(i), 1, rate);
    }
    connect(rates_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
      if (item->column() == 1) model_.setRate(static_cast<std::size_t>(item->row()), item->text().toStdString());
    });
    layout->addWidget(rates_, 1);

    auto* subjectRow = new QHBoxLayout;
    subjectRow->addWidget(new QLabel(QStringLiteral("汇兑损益科目："), this));
    subject_ = new QLineEdit(this);
    subject_->setObjectName(QStringLiteral("gainLossEdit"));
    subjectRow->addWidget(subject_, 1);
    auto* pick = new QPushButton(QStringLiteral("…"), this);
    pick->setAutoDefault(false);
    connect(pick, &QPushButton::clicked, this, [this] {
      if (const auto& choose = base::TheSubjectChooser())
        if (const auto code = choose(host_)) subject_->setText(QString::fromStdString(*code));
    });
    subjectRow->addWidget(pick);
    layout->addLayout(subjectRow);

    post_ = new QCheckBox(QString::fromUtf8(Model::kPostAtOnce), this);
    post_->setObjectName(QStringLiteral("postAtOnceBox"));
    layout->addWidget(post_);
    layout->addWidget(base::OkCancelButtons(*this));
    resize(420, 320);
  }

  void accept() override {
    model_.setSubject(subject_->text().trimmed().toStdString());
    model_.setPostAtOnce(post_->isChecked());
    if (model_.confirm()) QDialog::accept();
  }

 private:
  HostServices& host_;
  Model model_;
  QTableWidget* rates_;
  QLineEdit* subject_;
  QCheckBox* post_;
};

}  // namespace

std::unique_ptr<base::Screen> ExchangeAdjustmentScreen(HostServices& host) {
  if (const auto refusal = Model::OpeningRefusal(host)) {
    Show(host, *refusal);
    return nullptr;
  }
  return std::make_unique<base::DialogScreen>(std::make_unique<ExchangeDialog>(host, host.MainWindow()));
}

}  // namespace qj::periodend
