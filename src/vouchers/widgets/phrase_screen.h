// The phrase screen ("凭证摘要"): the maintenance screen of the phrase library
// and the chooser the voucher screen opens from a line's summary.
#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "base/screen_registry.h"
#include "hostapi/host_services.h"
#include "vouchers/phrase_screen_model.h"
#include "vouchers/widgets/phrase_dialog.h"
#include "vouchers/widgets/phrase_type_dialog.h"

class QListWidget;
class QPushButton;
class QTableWidget;

namespace qj::vouchers {

// Types on the left, the current type's phrases on the right, each with its
// 增加, 修改 and 删除; 确定 (or a double click on a phrase) chooses the
// current phrase and closes, 取消 closes without one.
class PhraseScreen : public QDialog {
  Q_OBJECT

 public:
  PhraseScreen(HostServices& host, QWidget* parent);

  [[nodiscard]] PhraseScreenModel& model() { return model_; }
  [[nodiscard]] QListWidget* typeList() { return types_; }
  [[nodiscard]] QTableWidget* phraseTable() { return phrases_; }
  // The type buttons and the phrase buttons, in the order 增加, 修改, 删除.
  [[nodiscard]] QPushButton* typeButton(int index) { return typeButtons_.at(index); }
  [[nodiscard]] QPushButton* phraseButton(int index) { return phraseButtons_.at(index); }
  // The open edit dialog, if any.
  [[nodiscard]] PhraseTypeDialog* typeDialog() { return typeDialog_; }
  [[nodiscard]] PhraseDialog* phraseDialog() { return phraseDialog_; }

 private:
  void showTypes();
  void showPhrases();
  // Runs a button's model operation, then shows the lists and any dialog it opened.
  void act(void (PhraseScreenModel::*operation)());
  void openDialog();
  void choose();

  PhraseScreenModel model_;
  QListWidget* types_;
  QTableWidget* phrases_;
  std::array<QPushButton*, 3> typeButtons_{};
  std::array<QPushButton*, 3> phraseButtons_{};
  QPointer<PhraseTypeDialog> typeDialog_;
  QPointer<PhraseDialog> phraseDialog_;
};

// The registry's maker for the maintenance screen, on the attached host.
std::unique_ptr<base::Screen> PhraseMaintenanceScreen(HostServices& host);

// Shows the phrase screen modally as a chooser; the chosen phrase text, or nothing on Cancel.
std::optional<std::string> ChoosePhrase(HostServices& host, QWidget* parent);

}  // namespace qj::vouchers
