#include "subjects/widgets/chart_screens.h"

#include <QVBoxLayout>

#include "base/widgets/qt_screen.h"
#include "subjects/widgets/subject_archives_widget.h"
#include "subjects/widgets/subject_chooser_widget.h"

namespace qj::subjects {
namespace {

std::unique_ptr<QDialog> inDialog(HostServices& host, base::FinanceBootFormWidget* screen, QSize size) {
  auto dialog = std::make_unique<QDialog>(host.MainWindow());
  dialog->setWindowTitle(screen->windowTitle());
  auto* layout = new QVBoxLayout(dialog.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(screen);
  dialog->resize(size);
  return dialog;
}

}  // namespace

std::unique_ptr<QDialog> MakeSubjectArchivesDialog(HostServices& host) {
  return inDialog(host, new SubjectArchivesWidget(host), QSize(640, 560));
}

std::unique_ptr<QDialog> MakeSubjectChooserDialog(HostServices& host) {
  auto* chooser = new SubjectChooserWidget(host);
  auto dialog = inDialog(host, chooser, QSize(480, 520));
  QObject::connect(chooser, &SubjectChooserWidget::chosen, dialog.get(), &QDialog::accept);
  QObject::connect(chooser, &SubjectChooserWidget::cancelled, dialog.get(), &QDialog::reject);
  return dialog;
}

std::unique_ptr<base::Screen> SubjectArchivesScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(MakeSubjectArchivesDialog(host));
}

std::unique_ptr<base::Screen> SubjectChooserScreen(HostServices& host) {
  return std::make_unique<base::DialogScreen>(MakeSubjectChooserDialog(host));
}

std::optional<std::string> ChooseSubject(HostServices& host) {
  base::DialogScreen screen(MakeSubjectChooserDialog(host));
  if (screen.showModal() != 1) return std::nullopt;
  return screen.dialog().findChild<SubjectChooserWidget*>()->model().result();
}

}  // namespace qj::subjects
