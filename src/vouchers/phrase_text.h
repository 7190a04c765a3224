// The texts of the phrase library as the user types them: blanks trimmed,
// lengths counted in characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qj::vouchers {

// What the phrase screens accept, in characters.
inline constexpr std::size_t kPhraseTextLength = 32;  // a type name or a phrase
inline constexpr std::size_t kHelpCodeLength = 10;

// The text without blanks at either end: ASCII spaces and control characters,
// and the full-width space a Chinese input method types.
std::string TrimmedText(std::string_view text);

// The first `limit` characters (code points) of UTF-8 text.
std::string FirstCharacters(std::string_view text, std::size_t limit);

}  // namespace qj::vouchers
