#pragma once
// The breakpoint condition language: a small expression over the registers,
// the flags, the byte read or written, the scanline and memory bytes.
//
//   A X Y S (or SP) P PC        registers
//   C Z I D V N                 the flags of P, 0 or 1
//   value                       the byte read or written (the opcode for an
//                               execute breakpoint)
//   scanline                    the scanline counter, as the debugger shows it
//   [$0300]  [$0300+X]          a memory byte, read without side effects
//   $FF  0xFF  255              numbers, hexadecimal or decimal
//   ! ( )  + -  < <= > >=  == !=  &  |  &&  ||   as in C, C's precedence
//
// Names are case-insensitive. A malformed text is refused with the place of
// the error; a condition never fails silently.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ConditionInputs {
  unsigned int a = 0, x = 0, y = 0, s = 0, p = 0, pc = 0;
  unsigned int value = 0;
  unsigned int scanline = 0;
  // Reads a memory byte for [ ]: never a port's side effect.
  unsigned char (*peek)(unsigned int address) = nullptr;
};

struct ConditionError {
  std::size_t position = 0;  // 0-based offset of the error in the text
  std::string message;
};

class Condition {
 public:
  // The empty (or blank) text is the condition that always holds.
  static Condition Always() { return Condition{}; }
  // A parsed condition, or nullopt with the error in *error.
  static std::optional<Condition> Parse(std::string_view text, ConditionError* error);

  bool Holds(const ConditionInputs& inputs) const;
  bool IsAlways() const { return nodes_.empty(); }

  enum class Op : unsigned char {
    Number,
    Register,
    Flag,
    Value,
    Scanline,
    Memory,
    Not,
    Add,
    Sub,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    BitAnd,
    BitOr,
    And,
    Or,
  };
  struct Node {
    Op op;
    std::uint32_t number;  // the constant, the register or the flag bit
    int left = -1, right = -1;
  };

 private:
  std::int64_t Evaluate(int node, const ConditionInputs& inputs) const;

  std::vector<Node> nodes_;
  int root_ = -1;
  friend class ConditionParser;
};

// "column 5: expected ')'" for the text around an error.
std::string DescribeConditionError(const ConditionError& error);
