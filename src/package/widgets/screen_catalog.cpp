#include "package/widgets/screen_catalog.h"

#include <QApplication>

#include "cashflow/widgets/opening_data_dialog.h"
#include "package/screen_registry.h"
#include "package/subject_chooser_hook.h"
#include "package/voucher_screen_hook.h"
#include "periodend/widgets/audit_filter_dialog.h"
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
  RegisterScreen("FRISTSUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::FirstTime));
  RegisterScreen("SUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::Adjustment));
  RegisterScreen("FRMSUBJECT1", {&subjects::SubjectArchivesScreen, nullptr, nullptr});
  RegisterScreen("SUBJECTINFO_FRM", {&subjects::SubjectChooserScreen, nullptr, nullptr});
  RegisterScreen("FRMCREDPRECIS", {&vouchers::PhraseMaintenanceScreen, nullptr, nullptr});
  SetSubjectChooser(&subjects::ChooseSubject);
  RegisterScreen("VOUCHERVOICE_FRM", vouchers::VoucherEntryScreenMakers());
  SetVoucherScreenOpener(&vouchers::ShowVoucherOnScreen);
  RegisterScreen("FRMVOUAUADI", {nullptr, &periodend::AuditFilterScreen, &periodend::AuditListScreen});
  RegisterScreen("FRMANTIVOUADUI", {&periodend::ReverseAuditScreen, nullptr, nullptr});
  RegisterScreen("VOUCHERLOGONACCOUNT_FRM", {&periodend::PostingScreen, nullptr, nullptr});
  RegisterScreen("VOUCHERUNLOGONACC_FRM", {&periodend::UnpostingScreen, nullptr, nullptr});
  RegisterScreen("CASHFLUXIONINIT_FRM", {&cashflow::OpeningDataScreen, nullptr, nullptr});
  // The host's own screen: the key is offered and hands over to ShowPrivilegedForm.
  RegisterScreen("OVOFLUXIONARCHIVES_FRM", {});
}

void UnregisterBuiltScreens() {
  UnregisterAllScreens();
  SetSubjectChooser(nullptr);
  SetVoucherScreenOpener(nullptr);
}

}  // namespace qj::package
