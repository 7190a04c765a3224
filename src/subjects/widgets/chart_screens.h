// The chart screens as the dispatcher opens them: each a dialog around its
// screen widget, shown modally.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "base/screen_registry.h"
#include "hostapi/host_services.h"

namespace qj::subjects {

// The maintenance screen ("frmSubject1") and the chooser ("SubjectInfo_Frm");
// the chooser's dialog is accepted when a subject was chosen.
std::unique_ptr<QDialog> MakeSubjectArchivesDialog(HostServices& host);
std::unique_ptr<QDialog> MakeSubjectChooserDialog(HostServices& host);

// The registry's makers, on the attached host.
std::unique_ptr<base::Screen> SubjectArchivesScreen(HostServices& host);
std::unique_ptr<base::Screen> SubjectChooserScreen(HostServices& host);

// GETASSUBCODE's chooser: shows it modally; the chosen code, nothing when cancelled.
std::optional<std::string> ChooseSubject(HostServices& host);

}  // namespace qj::subjects
