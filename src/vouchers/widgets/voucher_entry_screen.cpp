#include "vouchers/widgets/voucher_entry_screen.h"

#include <QApplication>

#include "base/subject_chooser_hook.h"
#include "cashflow/widgets/allocation_editor.h"
#include "vouchers/widgets/phrase_screen.h"
#include "vouchers/widgets/voucher_screen.h"

namespace qj::vouchers {

int VoucherEntryScreen::showModal() {
  HostServices& host = host_;
  QWidget* screenWindow = nullptr;  // the phrase chooser opens above the voucher it fills in
  VoucherEntryOptions options;
  options.allowSourceDocuments = allowSourceDocuments_;
  options.auditMode = auditMode_;
  options.pickSubject = [&host]() -> std::optional<std::string> {
    const base::SubjectChooser& choose = base::TheSubjectChooser();
    return choose ? choose(host) : std::nullopt;
  };
  options.choosePhrase = [&host, &screenWindow] { return ChoosePhrase(host, screenWindow); };
  options.beep = [] { QApplication::beep(); };
  options.editAllocation = [&screenWindow, &host](const std::string& credId, Money cashAmount) {
    cashflow::ShowAllocationEditor(screenWindow, host, credId, cashAmount);
  };
  VoucherScreen screen(host, std::move(options), host.MainWindow());
  screenWindow = &screen;
  if (!screen.start(credId_)) return 0;
  return screen.exec() == QDialog::Accepted ? 1 : 0;
}

base::ScreenMakers VoucherEntryScreenMakers() {
  base::ScreenMakers makers;
  makers.screen = [](HostServices& host) { return std::make_unique<VoucherEntryScreen>(host, "", true); };
  return makers;
}

void ShowVoucherOnScreen(HostServices& host, const std::string& credId) {
  VoucherEntryScreen(host, credId, false).showModal();
}

void AuditVoucherOnScreen(HostServices& host, const std::string& credId) {
  VoucherEntryScreen(host, credId, false, true).showModal();
}

}  // namespace qj::vouchers
