#include "vouchers/widgets/phrase_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include "vouchers/phrase_text.h"
#include "vouchers/widgets/phrase_dialog_buttons.h"

namespace qj::vouchers {

PhraseDialog::PhraseDialog(PhraseDialogModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      type_(new QComboBox(this)),
      name_(new QLineEdit(this)),
      helpCode_(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8(PhraseDialogModel::kCaption));
  setMinimumWidth(320);
  for (const PhraseType& type : model.types())
    type_->addItem(QString::fromStdString(type.name), QVariant::fromValue<qlonglong>(type.id));
  name_->setMaxLength(static_cast<int>(kPhraseTextLength));
  helpCode_->setMaxLength(static_cast<int>(kHelpCodeLength));
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("摘要类别："), type_);
  form->addRow(QStringLiteral("摘要："), name_);
  form->addRow(QStringLiteral("助记码："), helpCode_);
  form->addRow(AddEditButtons(
      this, [this] { addNext(); }, [this] { confirm(); }));
  showDraft();

  connect(type_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.setType(index < 0 ? std::nullopt : std::optional(type_->itemData(index).toLongLong()));
  });
  connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.setName(text.toStdString()); });
  connect(helpCode_, &QLineEdit::textChanged, this,
          [this](const QString& text) { model_.setHelpCode(text.toStdString()); });
}

void PhraseDialog::showDraft() {
  const QSignalBlocker quietType(type_);
  const QSignalBlocker quietName(name_);
  const QSignalBlocker quietHelpCode(helpCode_);
  const PhraseDraft& draft = model_.draft();
  type_->setCurrentIndex(draft.typeId ? type_->findData(QVariant::fromValue<qlonglong>(*draft.typeId)) : -1);
  name_->setText(QString::fromStdString(draft.name));
  helpCode_->setText(QString::fromStdString(draft.helpCode));
}

void PhraseDialog::confirm() {
  if (model_.confirm()) accept();
}

void PhraseDialog::addNext() {
  if (!model_.storeAndAddNext()) return;
  showDraft();
  name_->setFocus();
}

}  // namespace qj::vouchers
