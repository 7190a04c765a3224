// Checks of text that comes in from files and the command line before it is
// stored: well-formed UTF-8 without control characters, which would break
// every list, export and JSON output that shows it later.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qj::base {

// Whether the bytes are well-formed UTF-8: no stray continuation bytes,
// overlong forms, surrogates or code points past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Whether the text holds a control character (U+0000 to U+001F or U+007F),
// line breaks and tabs included.
bool HasControlCharacter(std::string_view text);

// What is wrong with a field's text, as the end of a message ("含有…"); nothing
// for good text.
std::optional<std::string> TextFault(std::string_view text);

}  // namespace qj::base
