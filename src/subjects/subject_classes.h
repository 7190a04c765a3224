// The five classes of subjects, told by a code's first digit.
#pragma once

#include <string>

namespace qj::subjects {

inline constexpr int kFirstClass = 1;
inline constexpr int kLastClass = 5;

// 资产, 债务, 权益, 成本, 损益 for 1 to 5; "" otherwise.
std::string ClassName(int classDigit);
// The class a code belongs to by its first character; 0 when it is not 1 to 5.
int ClassOf(const std::string& code);

}  // namespace qj::subjects
