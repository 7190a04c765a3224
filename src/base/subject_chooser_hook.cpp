#include "base/subject_chooser_hook.h"

namespace qj::base {
namespace {

SubjectChooser& chooser() {
  static SubjectChooser instance;
  return instance;
}

}  // namespace

void SetSubjectChooser(SubjectChooser next) { chooser() = std::move(next); }

const SubjectChooser& TheSubjectChooser() { return chooser(); }

}  // namespace qj::base
