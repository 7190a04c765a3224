#include "subjects/subject_archives_model.h"

#include "subjects/delete_subject.h"
#include "subjects/modify_subject.h"
#include "subjects/subject_classes.h"

namespace qj::subjects {

SubjectArchivesModel::SubjectArchivesModel(HostServices& host) : host_(host) { showClass(kFirstClass); }

void SubjectArchivesModel::showClass(int classDigit) {
  if (classDigit < kFirstClass || classDigit > kLastClass) return;
  shownClass_ = classDigit;
  reload("");
}

void SubjectArchivesModel::reload(const std::string& wanted) {
  chart_ = LoadClassChart(host_, shownClass_);
  const auto& nodes = chart_.tree.nodes();
  selected_ = chart_.tree.find(wanted) ? wanted : nodes.empty() ? std::string() : nodes.front().code;
}

void SubjectArchivesModel::select(const std::string& code) {
  if (code.empty() || chart_.tree.find(code)) selected_ = code;
}

void SubjectArchivesModel::addSibling() {
  if (auto plan = PlanAddSibling(host_, selected_, shownClass_)) dialog_ = SubjectDialogModel::ForAdd(host_, *plan);
}

void SubjectArchivesModel::addChild() {
  if (auto plan = PlanAddChild(host_, selected_)) dialog_ = SubjectDialogModel::ForAdd(host_, *plan);
}

void SubjectArchivesModel::modify() {
  if (auto subject = PlanModify(host_, selected_)) dialog_ = SubjectDialogModel::ForModify(host_, *subject);
}

void SubjectArchivesModel::remove() {
  const std::string code = selected_;
  if (DeleteSubject(host_, code) != SaveResult::Saved) return;
  const auto node = chart_.tree.find(code);
  const int parent = node ? chart_.tree.nodes()[static_cast<std::size_t>(*node)].parent : -1;
  reload(parent >= 0 ? chart_.tree.nodes()[static_cast<std::size_t>(parent)].code : std::string());
}

void SubjectArchivesModel::keyPressed(Key key) {
  switch (key) {
    case Key::Insert:
      addSibling();
      break;
    case Key::Delete:
      remove();
      break;
    case Key::Enter:
      modify();
      break;
  }
}

void SubjectArchivesModel::confirmDialog() {
  if (!dialog_ || !dialog_->confirm()) return;
  const std::string code = dialog_->code();
  dialog_.reset();
  reload(code);
}

std::optional<PrintList> SubjectArchivesModel::printList() {
  if (!host_.HasOvoPrivilege2(8, 6, true)) return std::nullopt;
  return SubjectPrintList(chart_.subjects);
}

}  // namespace qj::subjects
