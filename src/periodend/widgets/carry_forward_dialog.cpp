#include "periodend/widgets/carry_forward_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/widgets/ok_cancel_buttons.h"
#include "base/widgets/qt_screen.h"
#include "periodend/carry_forward_screen_model.h"

namespace qj::periodend {

namespace {

using Model = CarryForwardScreenModel;

// The tip, the direction of the carried amounts and the post-at-once box; OK
// carries forward and closes.
class CarryForwardDialog final : public QDialog {
 public:
  CarryForwardDialog(HostServices& host, QWidget* parent) : QDialog(parent), model_(host) {
    setWindowTitle(QString::fromUtf8(Model::kCaption));
    setObjectName(QStringLiteral("TransferProfitLoss_Frm"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : Model::kTip) layout->addWidget(new QLabel(QString::fromUtf8(line), this));

    auto* directions = new QGroupBox(QString::fromUtf8(Model::kDirectionTitle), this);
    auto* directionLayout = new QVBoxLayout(directions);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < Model::kDirections.size(); ++i) {
      auto* choice = new QRadioButton(QString::fromUtf8(Model::kDirections[i]), directions);
      choice->setChecked(i == model_.direction());
      group->addButton(choice, static_cast<int>(i));
      directionLayout->addWidget(choice);
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this](int id) { model_.chooseDirection(static_cast<std::size_t>(id)); });
    layout->addWidget(directions);

    auto* post = new QCheckBox(QString::fromUtf8(Model::kPostAtOnce), this);
    post->setObjectName(QStringLiteral("postAtOnceBox"));
    connect(post, &QCheckBox::toggled, this, [this](bool checked) { model_.setPostAtOnce(checked); });
    layout->addWidget(post);
    layout->addWidget(base::OkCancelButtons(*this));
  }

  // OK carries forward; the screen closes either way (what happened has been told).
  void accept() override {
    if (model_.confirm())
      QDialog::accept();
    else
      reject();
  }

 private:
  Model model_;
};

}  // namespace

std::unique_ptr<base::Screen> CarryForwardScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<CarryForwardDialog>(host, host.MainWindow()));
}

}  // namespace qj::periodend
