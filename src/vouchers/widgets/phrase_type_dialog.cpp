#include "vouchers/widgets/phrase_type_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include "vouchers/phrase_text.h"
#include "vouchers/widgets/phrase_dialog_buttons.h"

namespace qj::vouchers {

PhraseTypeDialog::PhraseTypeDialog(PhraseTypeDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model), name_(new QLineEdit(QString::fromStdString(model.name()), this)) {
  setWindowTitle(QString::fromUtf8(PhraseTypeDialogModel::kCaption));
  setMinimumWidth(320);
  name_->setMaxLength(static_cast<int>(kPhraseTextLength));
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("类别名称："), name_);
  form->addRow(AddEditButtons(
      this, [this] { addNext(); }, [this] { confirm(); }));
  connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.setName(text.toStdString()); });
}

void PhraseTypeDialog::confirm() {
  if (model_.confirm()) accept();
}

void PhraseTypeDialog::addNext() {
  if (!model_.storeAndAddNext()) return;
  const QSignalBlocker quiet(name_);
  name_->setText(QString::fromStdString(model_.name()));
  name_->setFocus();
}

}  // namespace qj::vouchers
