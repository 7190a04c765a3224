#include "package/widgets/screen_catalog.h"

#include "package/screen_registry.h"
#include "package/subject_chooser_hook.h"
#include "subjects/widgets/chart_screens.h"
#include "subjects/widgets/opening_screen.h"

namespace qj::package {

void RegisterBuiltScreens() {
  // Each subsystem's screens are added here as they are built.
  RegisterScreen("FRISTSUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::FirstTime));
  RegisterScreen("SUBJECTINITLIST_FRM", subjects::OpeningScreenMakers(subjects::OpeningEntry::Adjustment));
  RegisterScreen("FRMSUBJECT1", {&subjects::SubjectArchivesScreen, nullptr, nullptr});
  RegisterScreen("SUBJECTINFO_FRM", {&subjects::SubjectChooserScreen, nullptr, nullptr});
  SetSubjectChooser(&subjects::ChooseSubject);
}

}  // namespace qj::package
