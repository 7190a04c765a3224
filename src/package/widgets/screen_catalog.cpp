#include "package/widgets/screen_catalog.h"

#include <QApplication>

#include "base/screen_registry.h"
#include "base/subject_chooser_hook.h"
#include "base/voucher_screen_hook.h"
#include "cashflow/widgets/opening_data_dialog.h"
#include "ledgers/widgets/ledger_screens.h"
#include "periodend/widgets/audit_filter_dialog.h"
#include "periodend/widgets/carry_forward_dialog.h"
#include "periodend/widgets/exchange_dialog.h"
#include "periodend/widgets/period_close_dialogs.h"
#include "periodend/widgets/posting_dialogs.h"
#include "periodend/widgets/reverse_audit_dialog.h"
#include "subjects/widgets/chart_screens.h"
#include "subjects/widgets/opening_screen.h"
#include "vouchers/widgets/phrase_screen.h"
#include "vouchers/widgets/voucher_entry_screen.h"

namespace qj::package {

void RegisterBuiltScreens() {
  // Screens need the desktop's application object; a host without a display
  // (the command line) gets none, and their keys do nothing there.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  base::RegisterScreen("FRISTSUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::FirstTime));
  base::RegisterScreen("SUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::Adjustment));
  base::RegisterScreen("FRMSUBJECT1", {&subjects::SubjectArchivesScreen, nullptr, nullptr});
  base::RegisterScreen("SUBJECTINFO_FRM", {&subjects::SubjectChooserScreen, nullptr, nullptr});
  base::RegisterScreen("FRMCREDPRECIS", {&vouchers::PhraseMaintenanceScreen, nullptr, nullptr});
  base::SetSubjectChooser(&subjects::ChooseSubject);
  base::RegisterScreen("VOUCHERVOICE_FRM", vouchers::VoucherEntryScreenMakers());
  base::SetVoucherScreenOpener(&vouchers::ShowVoucherOnScreen);
  base::RegisterScreen("FRMVOUAUADI", {nullptr, &periodend::AuditFilterScreen, &periodend::AuditListScreen});
  base::RegisterScreen("FRMANTIVOUADUI", {&periodend::ReverseAuditScreen, nullptr, nullptr});
  base::RegisterScreen("VOUCHERLOGONACCOUNT_FRM", {&periodend::PostingScreen, nullptr, nullptr});
  base::RegisterScreen("VOUCHERUNLOGONACC_FRM", {&periodend::UnpostingScreen, nullptr, nullptr});
  base::RegisterScreen("TRANSFERPROFITLOSS_FRM", {&periodend::CarryForwardScreen, nullptr, nullptr});
  base::RegisterScreen("AUDIEXCHANGE_FRM", {&periodend::ExchangeAdjustmentScreen, nullptr, nullptr});
  base::RegisterScreen("PERIODENDOFF_FRM", {&periodend::PeriodCloseScreen, nullptr, nullptr});
  base::RegisterScreen("UNCHECKOUT_FRM", {&periodend::ReopenPeriodScreen, nullptr, nullptr});
  base::RegisterScreen("CASHFLUXIONINIT_FRM", {&cashflow::OpeningDataScreen, nullptr, nullptr});
  base::RegisterScreen("DETAILTYPELIST_FRM", ledgers::DetailLedgerScreenMakers());
  base::RegisterScreen("DIARYLIST_FRM", ledgers::JournalScreenMakers());
  base::RegisterScreen("COUNTKINDLEDGERLIST_FRM", ledgers::GeneralLedgerScreenMakers());
  // The host's own screen: the key is offered and hands over to ShowPrivilegedForm.
  base::RegisterScreen("OVOFLUXIONARCHIVES_FRM", {});
}

void UnregisterBuiltScreens() {
  base::UnregisterAllScreens();
  base::SetSubjectChooser(nullptr);
  base::SetVoucherScreenOpener(nullptr);
}

}  // namespace qj::package
