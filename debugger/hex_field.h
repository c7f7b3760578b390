#pragma once
// A hexadecimal number typed into a dialog field. Text that is no number
// (empty, letters outside hex, anything after the digits) or lies outside
// the field's range is refused with a message that names the field and
// says what it accepts, and nothing is done with it.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window.h"

struct HexField {
  int id;               // the edit control
  std::size_t length;   // characters of the text that count, as the field is cut
  const char* name;     // as its label names it: "Memory Location"
  const char* accepts;  // "up to 4 hexadecimal digits (0-9, A-F), such as 0300"
  std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  std::int32_t highest = std::numeric_limits<std::int32_t>::max();
};

// The message for text the field refuses.
std::string RefusedFieldText(const HexField& field, std::string_view text);

// text (already cut to the field's length) as the field's number, or, when
// the field refuses it, the message shown (caption "Taviro", stop icon) and
// no value. A caller that accepts other forms first (a label name) tries
// them and then hands the text here.
std::optional<std::int32_t> HexFieldValueOrSay(WindowHandle dialog, const HexField& field,
                                               std::string_view text);

// The field's own text, cut to its length, through HexFieldValueOrSay.
std::optional<std::int32_t> ReadHexField(WindowHandle dialog, const HexField& field);
