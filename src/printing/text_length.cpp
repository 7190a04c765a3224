#include "printing/text_length.h"

namespace qj::printing {

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text) {
    // Every byte but a continuation byte (10xxxxxx) starts a character.
    if ((static_cast<unsigned char>(byte) & 0xC0U) != 0x80U) ++count;
  }
  return count;
}

}  // namespace qj::printing
