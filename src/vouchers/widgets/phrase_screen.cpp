#include "vouchers/widgets/phrase_screen.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/widgets/qt_screen.h"
#include "vouchers/widgets/phrase_dialog.h"
#include "vouchers/widgets/phrase_type_dialog.h"

namespace qj::vouchers {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// A titled group: the list above, its 增加, 修改 and 删除 below.
QGroupBox* group(const QString& title, QWidget* list, std::array<QPushButton*, 3>& buttons, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* row = new QHBoxLayout;
  row->addStretch();
  int i = 0;
  for (const QString& text : {QStringLiteral("增加"), QStringLiteral("修改"), QStringLiteral("删除")}) {
    auto* button = new QPushButton(text, box);
    button->setAutoDefault(false);
    row->addWidget(button);
    buttons[static_cast<std::size_t>(i++)] = button;
  }
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(list, 1);
  layout->addLayout(row);
  return box;
}

}  // namespace

PhraseScreen::PhraseScreen(HostServices& host, QWidget* parent)
    : QDialog(parent), model_(host), types_(new QListWidget(this)), phrases_(new QTableWidget(0, 2, this)) {
  setWindowTitle(QString::fromUtf8(PhraseScreenModel::kCaption));
  setObjectName(QString::fromUtf8(PhraseScreenModel::kScreenName));
  phrases_->setHorizontalHeaderLabels({QStringLiteral("摘要"), QStringLiteral("助记码")});
  phrases_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  phrases_->verticalHeader()->hide();
  phrases_->setSelectionBehavior(QAbstractItemView::SelectRows);
  phrases_->setSelectionMode(QAbstractItemView::SingleSelection);
  phrases_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* lists = new QHBoxLayout;
  lists->addWidget(group(QStringLiteral("摘要类别"), types_, typeButtons_, this), 2);
  lists->addWidget(group(QStringLiteral("摘要"), phrases_, phraseButtons_, this), 3);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addWidget(buttons);
  resize(620, 440);

  const std::array<void (PhraseScreenModel::*)(), 3> typeOperations = {
      &PhraseScreenModel::addType, &PhraseScreenModel::modifyType, &PhraseScreenModel::removeType};
  const std::array<void (PhraseScreenModel::*)(), 3> phraseOperations = {
      &PhraseScreenModel::addPhrase, &PhraseScreenModel::modifyPhrase, &PhraseScreenModel::removePhrase};
  for (std::size_t i = 0; i < 3; ++i) {
    connect(typeButtons_[i], &QPushButton::clicked, this, [this, op = typeOperations[i]] { act(op); });
    connect(phraseButtons_[i], &QPushButton::clicked, this, [this, op = phraseOperations[i]] { act(op); });
  }
  connect(types_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    model_.selectType(static_cast<std::size_t>(row));
    showPhrases();
  });
  connect(phrases_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (row >= 0) model_.selectPhrase(static_cast<std::size_t>(row));
  });
  connect(phrases_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    model_.selectPhrase(static_cast<std::size_t>(row));
    choose();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &PhraseScreen::choose);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  showTypes();
}

void PhraseScreen::showTypes() {
  const QSignalBlocker quiet(types_);
  types_->clear();
  for (const PhraseType& type : model_.types()) types_->addItem(q(type.name));
  types_->setCurrentRow(static_cast<int>(model_.currentType()));
  showPhrases();
}

void PhraseScreen::showPhrases() {
  const QSignalBlocker quiet(phrases_);
  const auto& phrases = model_.phrases();
  phrases_->setRowCount(static_cast<int>(phrases.size()));
  for (std::size_t i = 0; i < phrases.size(); ++i) {
    const int row = static_cast<int>(i);
    phrases_->setItem(row, 0, new QTableWidgetItem(q(phrases[i].name)));
    phrases_->setItem(row, 1, new QTableWidgetItem(q(phrases[i].helpCode)));
  }
  if (const auto current = model_.currentPhrase())
    phrases_->setCurrentCell(static_cast<int>(*current), 0);
  else
    phrases_->setCurrentCell(-1, -1);
}

void PhraseScreen::act(void (PhraseScreenModel::*operation)()) {
  (model_.*operation)();
  showTypes();
  openDialog();
}

void PhraseScreen::openDialog() {
  QDialog* dialog = nullptr;
  if (PhraseTypeDialogModel* type = model_.typeDialog()) dialog = typeDialog_ = new PhraseTypeDialog(*type, this);
  if (PhraseDialogModel* phrase = model_.phraseDialog()) dialog = phraseDialog_ = new PhraseDialog(*phrase, this);
  if (!dialog) return;
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // However it closes (确定, 取消, Escape, the close box), the lists are read again.
  connect(dialog, &QDialog::finished, this, [this] {
    model_.dialogClosed();
    showTypes();
  });
  dialog->open();
}

void PhraseScreen::choose() {
  if (model_.choose())
    accept();
  else
    reject();
}

std::unique_ptr<base::Screen> PhraseMaintenanceScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(std::make_unique<PhraseScreen>(host, host.MainWindow()));
}

std::optional<std::string> ChoosePhrase(HostServices& host, QWidget* parent) {
  PhraseScreen screen(host, parent);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.model().result();
}

}  // namespace qj::vouchers
