// Upper-casing of command names and keys: ASCII letters only, so Chinese text is untouched.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace qj::base {

inline std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c); });
  return text;
}

}  // namespace qj::base
