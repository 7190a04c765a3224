#include "periodend/widgets/posting_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/widgets/ok_cancel_buttons.h"
#include "base/widgets/qt_screen.h"
#include "periodend/posting_screen_model.h"
#include "periodend/unposting.h"

namespace qj::periodend {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// 凭证登帐: the period, the tip, the continuity choice; OK posts and closes.
class PostingDialog final : public QDialog {
 public:
  PostingDialog(HostServices& host, QWidget* parent) : QDialog(parent), model_(host) {
    setWindowTitle(QString::fromUtf8(PostingScreenModel::kCaption));
    setObjectName(QStringLiteral("VoucherLogonAccount_Frm"));
    auto* layout = new QVBoxLayout(this);
    auto* tip = new QLabel(QString::fromUtf8(PostingScreenModel::kTip), this);
    tip->setWordWrap(true);
    layout->addWidget(tip);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("当前会计年度"), new QLabel(QString::number(model_.year()), this));
    form->addRow(QStringLiteral("当前会计月份"), new QLabel(QString::number(model_.month()), this));
    auto* choices = new QComboBox(this);
    choices->setObjectName(QStringLiteral("continuityBox"));
    for (const std::string& choice : PostingScreenModel::ContinuityChoices()) choices->addItem(q(choice));
    connect(choices, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.chooseContinuity(static_cast<std::size_t>(index)); });
    form->addRow(QStringLiteral("凭证号连续性选择"), choices);
    layout->addLayout(form);
    layout->addWidget(base::OkCancelButtons(*this));
  }

  // OK posts; the screen closes whether or not the posting went through
  // (what happened has been told in a message).
  void accept() override {
    if (model_.post())
      QDialog::accept();
    else
      reject();
  }

 private:
  PostingScreenModel model_;
};

// 反登帐: OK reverses the posting of the current period.
class UnpostingDialog final : public QDialog {
 public:
  UnpostingDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("反登帐"));
    setObjectName(QStringLiteral("VoucherUnLogonAcc_Frm"));
    const AccountBooksData& book = host.accountBooksData();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("将当前会计期间（%1年%2月）所有已登帐的凭证恢复为未登帐。").arg(book.CurrYear).arg(book.CurrMon),
        this));
    layout->addWidget(base::OkCancelButtons(*this));
  }

  // OK reverses the posting; the screen closes either way.
  void accept() override {
    if (RunUnposting(host_))
      QDialog::accept();
    else
      reject();
  }

 private:
  HostServices& host_;
};

}  // namespace

std::unique_ptr<base::Screen> PostingScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<PostingDialog>(host, host.MainWindow()));
}

std::unique_ptr<base::Screen> UnpostingScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<UnpostingDialog>(host, host.MainWindow()));
}

}  // namespace qj::periodend
