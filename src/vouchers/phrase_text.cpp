#include "vouchers/phrase_text.h"

namespace qj::vouchers {
namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";  // U+3000

// The length of the blank at the start of `text`, or 0.
std::size_t leadingBlank(std::string_view text) {
  if (text.empty()) return 0;
  if (static_cast<unsigned char>(text.front()) <= ' ') return 1;
  return text.starts_with(kFullWidthSpace) ? kFullWidthSpace.size() : 0;
}

// The length of the blank at the end of `text`, or 0.
std::size_t trailingBlank(std::string_view text) {
  if (text.empty()) return 0;
  if (static_cast<unsigned char>(text.back()) <= ' ') return 1;
  return text.ends_with(kFullWidthSpace) ? kFullWidthSpace.size() : 0;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string TrimmedText(std::string_view text) {
  while (const std::size_t blank = leadingBlank(text)) text.remove_prefix(blank);
  while (const std::size_t blank = trailingBlank(text)) text.remove_suffix(blank);
  return std::string(text);
}

std::string FirstCharacters(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isContinuationByte(text[i])) continue;
    if (characters == limit) return std::string(text.substr(0, i));
    ++characters;
  }
  return std::string(text);
}

}  // namespace qj::vouchers
