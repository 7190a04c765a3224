// Lengths of UTF-8 text as the user counts them: characters, not bytes.
#pragma once

#include <cstddef>
#include <string_view>

namespace qj::printing {

// The number of characters (code points) in UTF-8 text.
std::size_t CharacterCount(std::string_view text);

// The columns the text takes on a terminal: East Asian wide characters (Chinese,
// Japanese, Korean, full-width forms) count two, every other character one.
std::size_t DisplayWidth(std::string_view text);

}  // namespace qj::printing
