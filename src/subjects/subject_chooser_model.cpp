#include "subjects/subject_chooser_model.h"

#include <algorithm>
#include <cctype>

#include "hostapi/refusal.h"
#include "subjects/subject_classes.h"

namespace qj::subjects {
namespace {

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c); });
  return text;
}

bool found(const Subject& subject, const std::string& text, const std::string& lowerText) {
  return subject.code.starts_with(text) || lowerAscii(subject.helpCode).starts_with(lowerText) ||
         subject.name.find(text) != std::string::npos;
}

}  // namespace

SubjectChooserModel::SubjectChooserModel(HostServices& host) : host_(host) {
  for (int k = kFirstClass; k <= kLastClass; ++k) charts_[index(k)] = LoadClassChart(host_, k);
  showClass(kFirstClass);
}

void SubjectChooserModel::showClass(int classDigit) {
  if (classDigit < kFirstClass || classDigit > kLastClass) return;
  shownClass_ = classDigit;
  const auto& nodes = tree().nodes();
  selected_ = nodes.empty() ? std::string() : nodes.front().code;
}

void SubjectChooserModel::select(const std::string& code) {
  if (code.empty() || tree().find(code)) selected_ = code;
}

void SubjectChooserModel::setSearch(std::string text) {
  search_ = std::move(text);
  matches_.clear();
  match_ = 0;
  if (search_.empty()) return;
  const std::string lower = lowerAscii(search_);
  for (const auto& chart : charts_)
    for (const Subject& subject : chart.subjects)
      if (chart.tree.find(subject.code) && found(subject, search_, lower)) matches_.push_back(subject.code);
  if (!matches_.empty()) selectMatch(0);
}

void SubjectChooserModel::nextMatch() {
  if (!matches_.empty()) selectMatch((match_ + 1) % matches_.size());
}

void SubjectChooserModel::selectMatch(std::size_t match) {
  match_ = match;
  const std::string& code = matches_[match];
  shownClass_ = ClassOf(code);
  selected_ = code;
}

void SubjectChooserModel::keyPressed(Key key) {
  switch (key) {
    case Key::Enter:
      confirm();
      break;
    case Key::Escape:
      cancel();
      break;
    case Key::F3:
      nextMatch();
      break;
  }
}

bool SubjectChooserModel::confirm() {
  if (selected_.empty()) {
    Show(host_, {"请先选择一个科目"});
    return false;
  }
  result_ = selected_;
  return true;
}

}  // namespace qj::subjects
