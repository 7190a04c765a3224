#include "subjects/subject_classes.h"

#include <array>

namespace qj::subjects {

std::string ClassName(int classDigit) {
  static const std::array<const char*, 5> kNames = {"资产", "债务", "权益", "成本", "损益"};
  if (classDigit < kFirstClass || classDigit > kLastClass) return {};
  return kNames[static_cast<std::size_t>(classDigit - kFirstClass)];
}

int ClassOf(const std::string& code) {
  if (code.empty() || code[0] < '0' + kFirstClass || code[0] > '0' + kLastClass) return 0;
  return code[0] - '0';
}

}  // namespace qj::subjects
