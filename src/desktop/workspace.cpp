#include "desktop/workspace.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "cashflow/item_archive_model.h"
#include "desktop/cash_flow_item_archive_dialog.h"
#include "desktop/host_screens.h"
#include "desktop/main_window.h"
#include "host/host_error.h"

namespace qj::desktop {

Workspace::Workspace(Login login, host::MessageBoxes& boxes)
    : session_(std::move(login.session)),
      host_(*session_, boxes, std::move(login.user)),
      window_(std::make_unique<MainWindow>(*session_, host_)) {
  host_.setWindowHost(window_.get());
  // The voucher screen's 计算 button asks the desktop for its calculator, in
  // front of the modal voucher screen, and takes the figure back in the bag.
  host_.registry().RegistFunction("SHOWCALCULATOR", [this](const char*, const char*, VorParams* bag) -> long {
    if (!bag) {
      if (window_) ShowCalculator(window_.get());
      return 0;
    }
    QWidget* over = QApplication::activeModalWidget();
    if (const auto figure = ComputeAmount(over ? over : window_.get())) bag->AddValue("Result", *figure);
    return 0;
  });
  // The host's own cash-flow item archive, which the package opens by name.
  host_.registerHostForm(cashflow::kItemArchiveFormName, cashflow::kItemArchivePrivilegeFunction,
                         [this](int) { cashflow::ShowItemArchive(window_.get(), host_); });
  window_->show();
  try {
    package_ = std::make_unique<host::PackageLibrary>(host::PackageLibrary::DefaultPath(), host_);
  } catch (const host::HostError& error) {
    boxes.show(std::string(error.what()) + "\n帐务功能暂不可用。", host::kProductionName, msgbox::IconError);
    return;
  }
  window_->offerScreens([this](const std::string& key) { return package_->hasScreen(key); });
}

Workspace::~Workspace() {
  // The package's windows must be gone before its code is unloaded; one that
  // refused to close goes anyway.
  window_->closeScreens();
  qDeleteAll(window_->workArea()->subWindowList());
  package_.reset();
  host_.setWindowHost(nullptr);
  window_.reset();
}

}  // namespace qj::desktop
