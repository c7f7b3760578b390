#include "debugger/hex_number.h"

#include <limits>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct HexReading {
  std::int32_t value;
  std::size_t end;  // just past the digits (or past the white space and sign)
  bool digits;      // at least one digit was read
};

HexReading ReadHex32(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // "0x" counts as a prefix only when a digit follows; "0x" alone is the 0.
  if (at + 2 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
      HexDigit(text[at + 2]) >= 0)
    at += 2;

  // The magnitude stops growing once past the 32-bit range; only the
  // sign then decides which end it saturates to.
  constexpr std::int64_t kLimit = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  const std::size_t firstDigit = at;
  for (; at < text.size() && HexDigit(text[at]) >= 0; ++at)
    if (magnitude < kLimit) magnitude = magnitude * 16 + HexDigit(text[at]);

  const std::int64_t value = negative ? -magnitude : magnitude;
  std::int32_t saturated = static_cast<std::int32_t>(value);
  if (value > std::numeric_limits<std::int32_t>::max())
    saturated = std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    saturated = std::numeric_limits<std::int32_t>::min();
  return {saturated, at, at > firstDigit};
}

}  // namespace

std::int32_t ParseHex32(std::string_view text) {
  return ReadHex32(text).value;
}

std::optional<std::int32_t> ParseWholeHex32(std::string_view text) {
  const HexReading reading = ReadHex32(text);
  if (!reading.digits) return std::nullopt;
  for (std::size_t at = reading.end; at < text.size(); ++at)
    if (!IsSpace(text[at])) return std::nullopt;
  return reading.value;
}
