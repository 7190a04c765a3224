// The program's course: the log-in dialog, then a book at work until the
// user quits or switches to another book (back to the log-in dialog).
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "desktop/dialog_message_boxes.h"

class QSettings;

namespace qj::desktop {

class Workspace;

class Desktop : public QObject {
  Q_OBJECT

 public:
  Desktop(QSettings& settings, QString preselected);
  ~Desktop() override;

  // Shows the log-in dialog and opens the chosen book; false when the user gave up.
  bool start();
  // The book at work, if any.
  [[nodiscard]] Workspace* workspace() const { return workspace_.get(); }

 signals:
  // The user quit, or gave up logging in to another book.
  void finished();

 private:
  void switchBook();

  QSettings& settings_;
  QString preselected_;
  DialogMessageBoxes boxes_;
  std::unique_ptr<Workspace> workspace_;
};

}  // namespace qj::desktop
