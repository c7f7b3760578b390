#pragma once
// Labels beside the disassembler's lines. The line's text stays as the
// disassembler wrote it; the labels are added after it: the operand's label
// after the text, then the line's own label with a colon, as in the source.
//   "E005: 20 87 E0   JSR $E087 load_palette"
//   "E087: A9 3F      LDA #$3F  load_palette:"

#include <optional>
#include <string>

// The address the operand of the instruction at address names (the base of
// an indexed operand, the target of a branch, the pointer of an indirect
// one), read through the program windows; none for immediate and implied
// operands.
std::optional<unsigned> OperandAddress(unsigned address);

// line, the disassembler's text for the instruction at address, with the
// labels of the loaded symbols; line itself while none are loaded.
std::string DecorateListingLine(const std::string& line, unsigned address);
