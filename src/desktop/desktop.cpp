#include "desktop/desktop.h"

#include "desktop/login_dialog.h"
#include "desktop/main_window.h"
#include "desktop/workspace.h"

namespace qj::desktop {

Desktop::Desktop(QSettings& settings, QString preselected)
    : settings_(settings), preselected_(std::move(preselected)) {}

Desktop::~Desktop() = default;

bool Desktop::start() {
  LoginDialog dialog(boxes_, settings_, preselected_);
  if (dialog.exec() != QDialog::Accepted) return false;
  workspace_ = std::make_unique<Workspace>(dialog.takeLogin(), boxes_);
  preselected_ = QString::fromStdString(workspace_->session().location());
  MainWindow& window = workspace_->window();
  // Queued: the window goes away while its menu is still being handled.
  connect(&window, &MainWindow::switchBookRequested, this, &Desktop::switchBook, Qt::QueuedConnection);
  connect(&window, &MainWindow::closed, this, &Desktop::finished);
  return true;
}

void Desktop::switchBook() {
  if (!workspace_ || !workspace_->window().closeScreens()) return;
  workspace_.reset();
  if (!start()) emit finished();
}

}  // namespace qj::desktop
