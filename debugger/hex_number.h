#pragma once
// Numbers typed into the debugger's dialogs: hexadecimal, as the C library's
// strtol reads them with base 16 where long is 32 bits wide.

#include <cstdint>
#include <optional>
#include <string_view>

// Leading white space is skipped, a sign and a "0x" prefix are accepted, the
// digits run to the first character that is not a hex digit, and text
// without digits gives 0. A number beyond the signed 32-bit range gives the
// largest or smallest 32-bit value.
std::int32_t ParseHex32(std::string_view text);

// The same reading, but only of text that is a number and nothing else:
// white space around it is allowed; empty text, text without digits and
// anything after the digits give no value.
std::optional<std::int32_t> ParseWholeHex32(std::string_view text);
