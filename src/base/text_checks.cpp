#include "base/text_checks.h"

#include <algorithm>
#include <cstdint>

namespace qj::base {

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    std::uint32_t point = 0;
    std::uint32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, point = lead & 0x1Fu, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, point = lead & 0x0Fu, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, point = lead & 0x07u, least = 0x10000;
    } else {
      return false;  // a continuation byte where a character should start, or 0xF8 and above
    }
    if (i + static_cast<std::size_t>(length) > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3Fu);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<std::uint8_t>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

std::optional<std::string> TextFault(std::string_view text) {
  if (!IsValidUtf8(text)) return "含有不是 UTF-8 编码的字节（文件应以 UTF-8 编码保存）";
  if (HasControlCharacter(text)) return "含有换行、制表符或其他控制字符";
  return std::nullopt;
}

}  // namespace qj::base
