#include "cli/quoted.h"

#include <algorithm>
#include <cstddef>

namespace vantrel::cli {

namespace {

// How much of a bad field a message shows.
constexpr std::size_t kQuotedLength = 40;

// The length of the UTF-8 sequence at the start of text, or 0 when it does not
// start with a well-formed one.
std::size_t utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string quoted(std::string_view field) {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string text = "'";
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t length = utf8Length(field.substr(i));
    const std::size_t step = std::max<std::size_t>(length, 1);
    if (i + step > kQuotedLength) {
      text += "…";
      break;
    }
    const auto lead = static_cast<unsigned char>(field[i]);
    const bool c1Control =
        length == 2 && lead == 0xC2 && static_cast<unsigned char>(field[i + 1]) < 0xA0;
    if (length == 0 || lead < 0x20 || lead == 0x7F || lead == '\\' || c1Control) {
      for (const char c : field.substr(i, step)) {
        const auto byte = static_cast<unsigned char>(c);
        text += "\\x";
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
      }
    } else {
      text += field.substr(i, length);
    }
    i += step;
  }
  text += "'";
  return text;
}

}  // namespace vantrel::cli
