#include "package/subject_chooser_hook.h"

namespace qj::package {
namespace {

SubjectChooser& chooser() {
  static SubjectChooser instance;
  return instance;
}

}  // namespace

void SetSubjectChooser(SubjectChooser next) { chooser() = std::move(next); }

const SubjectChooser& TheSubjectChooser() { return chooser(); }

}  // namespace qj::package
