#include "ledgers/widgets/ledger_screens.h"

#include "base/widgets/qt_screen.h"
#include "ledgers/widgets/ledger_filter_dialog.h"
#include "ledgers/widgets/ledger_windows.h"

namespace qj::ledgers {
namespace {

template <typename Dialog>
Dialog& dialogOf(base::Screen& filter) {
  return dynamic_cast<Dialog&>(dynamic_cast<base::DialogScreen&>(filter).dialog());
}

std::unique_ptr<base::Screen> ledgerFilter(HostServices& host, LedgerFilterDialog::Kind kind) {
  return std::make_unique<base::DialogScreen>(std::make_unique<LedgerFilterDialog>(
      host, kind, DefaultLedgerFilter(host.accountBooksData()), host.MainWindow()));
}

}  // namespace

base::ScreenMakers DetailLedgerScreenMakers() {
  return {nullptr, [](HostServices& host) { return ledgerFilter(host, LedgerFilterDialog::Kind::Detail); },
          [](HostServices& host, base::Screen& filter) -> std::unique_ptr<base::Screen> {
            auto* window = new DetailLedgerWindow(host);
            window->load(dialogOf<LedgerFilterDialog>(filter).filter());
            return std::make_unique<base::WindowScreen>(window);
          }};
}

base::ScreenMakers JournalScreenMakers() {
  return {nullptr, [](HostServices& host) { return ledgerFilter(host, LedgerFilterDialog::Kind::Journal); },
          [](HostServices& host, base::Screen& filter) -> std::unique_ptr<base::Screen> {
            auto& dialog = dialogOf<LedgerFilterDialog>(filter);
            auto* window = new JournalWindow(host);
            if (const auto subject = dialog.journalSubject()) window->load(dialog.filter(), *subject);
            return std::make_unique<base::WindowScreen>(window);
          }};
}

base::ScreenMakers GeneralLedgerScreenMakers() {
  return {nullptr,
          [](HostServices& host) -> std::unique_ptr<base::Screen> {
            return std::make_unique<base::DialogScreen>(std::make_unique<GeneralLedgerFilterDialog>(
                host, DefaultGeneralLedgerFilter(host.accountBooksData()), host.MainWindow()));
          },
          [](HostServices& host, base::Screen& filter) -> std::unique_ptr<base::Screen> {
            auto& dialog = dialogOf<GeneralLedgerFilterDialog>(filter);
            auto* window = new GeneralLedgerWindow(host, &dialog);
            window->load(dialog.filter());
            return std::make_unique<base::WindowScreen>(window);
          }};
}

}  // namespace qj::ledgers
