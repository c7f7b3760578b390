#include "debugger/hex_field.h"

#include "debugger/hex_number.h"
#include "platform/message_box.h"

namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

}  // namespace

std::string RefusedFieldText(const HexField& field, std::string_view text) {
  std::string said = "The " + std::string(field.name) + " field ";
  if (IsBlank(text))
    said += "is empty.";
  else if (ParseWholeHex32(text))
    said += "holds " + std::string(text) + ", which is out of its range.";
  else
    said += "holds \"" + std::string(text) + "\", which is not a number.";
  return said + "\nIt accepts " + field.accepts + ".";
}

std::optional<std::int32_t> HexFieldValueOrSay(WindowHandle dialog, const HexField& field,
                                               std::string_view text) {
  const std::optional<std::int32_t> value = ParseWholeHex32(text);
  if (value && *value >= field.lowest && *value <= field.highest) return value;
  ShowMessage(dialog, RefusedFieldText(field, text), "Taviro", MessageIcon::Stop);
  return std::nullopt;
}

std::optional<std::int32_t> ReadHexField(WindowHandle dialog, const HexField& field) {
  const std::string text = GetDlgItemText(dialog, field.id).substr(0, field.length);
  return HexFieldValueOrSay(dialog, field, text);
}
