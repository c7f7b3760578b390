// A recursive-descent parser for the condition language, and its evaluator
// over a small tree kept in one vector.

#include "debugger/condition.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace {

enum Register : std::uint32_t { kA, kX, kY, kS, kP, kPC };

struct Name {
  const char* text;
  Condition::Op op;
  std::uint32_t number;
};

// P's bits by the letters a 6502 programmer reads them by.
constexpr Name kNames[] = {
    {"a", Condition::Op::Register, kA},
    {"x", Condition::Op::Register, kX},
    {"y", Condition::Op::Register, kY},
    {"s", Condition::Op::Register, kS},
    {"sp", Condition::Op::Register, kS},
    {"p", Condition::Op::Register, kP},
    {"pc", Condition::Op::Register, kPC},
    {"c", Condition::Op::Flag, 0},
    {"z", Condition::Op::Flag, 1},
    {"i", Condition::Op::Flag, 2},
    {"d", Condition::Op::Flag, 3},
    {"v", Condition::Op::Flag, 6},
    {"n", Condition::Op::Flag, 7},
    {"value", Condition::Op::Value, 0},
    {"scanline", Condition::Op::Scanline, 0},
};

struct ParseFailure {
  std::size_t position;
  std::string message;
};

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

// One pass over the text; every error names the offset where it was seen.
class ConditionParser {
 public:
  ConditionParser(std::string_view text, Condition& out) : text_(text), out_(out) {}

  void ParseAll() {
    out_.root_ = Or();
    Skip();
    if (pos_ < text_.size()) Fail(std::string("unexpected '") + text_[pos_] + "'");
  }

 private:
  using Op = Condition::Op;

  [[noreturn]] void Fail(std::string message, std::size_t at) const {
    throw ParseFailure{at, std::move(message)};
  }
  [[noreturn]] void Fail(std::string message) const { Fail(std::move(message), pos_); }

  void Skip() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }

  // Takes op when the text continues with it and not with a longer operator
  // that starts the same way (& and &&, < and <=).
  bool Take(std::string_view op, std::string_view notFollowedBy = {}) {
    Skip();
    if (text_.substr(pos_, op.size()) != op) return false;
    if (!notFollowedBy.empty() && pos_ + op.size() < text_.size() &&
        notFollowedBy.find(text_[pos_ + op.size()]) != std::string_view::npos)
      return false;
    pos_ += op.size();
    return true;
  }

  // Long chains of operators nest just as deeply in the evaluator.
  static constexpr std::size_t kMostNodes = 256;

  int Add(Op op, std::uint32_t number, int left = -1, int right = -1) {
    if (out_.nodes_.size() == kMostNodes) Fail("condition too long");
    out_.nodes_.push_back({op, number, left, right});
    return static_cast<int>(out_.nodes_.size() - 1);
  }

  int Or() {
    int left = And();
    while (Take("||")) left = Add(Op::Or, 0, left, And());
    return left;
  }
  int And() {
    int left = BitOr();
    while (Take("&&")) left = Add(Op::And, 0, left, BitOr());
    return left;
  }
  int BitOr() {
    int left = BitAnd();
    while (Take("|", "|")) left = Add(Op::BitOr, 0, left, BitAnd());
    return left;
  }
  int BitAnd() {
    int left = Equality();
    while (Take("&", "&")) left = Add(Op::BitAnd, 0, left, Equality());
    return left;
  }
  int Equality() {
    int left = Relational();
    for (;;) {
      if (Take("=="))
        left = Add(Op::Equal, 0, left, Relational());
      else if (Take("!="))
        left = Add(Op::NotEqual, 0, left, Relational());
      else if (Take("=", "="))
        Fail("'=' compares nothing: use '=='", pos_ - 1);
      else
        return left;
    }
  }
  int Relational() {
    int left = Additive();
    for (;;) {
      if (Take("<="))
        left = Add(Op::LessEqual, 0, left, Additive());
      else if (Take(">="))
        left = Add(Op::GreaterEqual, 0, left, Additive());
      else if (Take("<"))
        left = Add(Op::Less, 0, left, Additive());
      else if (Take(">"))
        left = Add(Op::Greater, 0, left, Additive());
      else
        return left;
    }
  }
  int Additive() {
    int left = Unary();
    for (;;) {
      if (Take("+"))
        left = Add(Op::Add, 0, left, Unary());
      else if (Take("-"))
        left = Add(Op::Sub, 0, left, Unary());
      else
        return left;
    }
  }
  int Unary() {
    if (!Take("!", "=")) return Primary();
    const Nesting nested(*this);
    return Add(Op::Not, 0, Unary());
  }

  // The parser and the evaluator recurse: a hostile text must not exhaust
  // the stack.
  struct Nesting {
    explicit Nesting(ConditionParser& parser) : parser_(parser) {
      if (++parser_.depth_ > kMostNesting) parser_.Fail("nested too deeply");
    }
    ~Nesting() { --parser_.depth_; }
    ConditionParser& parser_;
  };
  static constexpr int kMostNesting = 64;

  // The opening bracket at pos_ is taken here, once the depth allows it.
  int Inside(char closing) {
    const Nesting nested(*this);
    ++pos_;
    const int inner = Or();
    if (!Take(std::string_view(&closing, 1))) Fail(std::string("expected '") + closing + "'");
    return inner;
  }

  int Primary() {
    Skip();
    if (pos_ >= text_.size()) Fail("expected a value");
    const char c = text_[pos_];
    if (c == '(') return Inside(')');
    if (c == '[') return Add(Op::Memory, 0, Inside(']'));
    if (c == '$') return Number(pos_ + 1, 16, pos_);
    if (c == '0' && pos_ + 1 < text_.size() && (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X'))
      return Number(pos_ + 2, 16, pos_);
    if (std::isdigit(static_cast<unsigned char>(c))) return Number(pos_, 10, pos_);
    if (IsNameChar(c)) return NameAt();
    Fail(std::string("expected a value, not '") + c + "'");
  }

  int Number(std::size_t digitsAt, int base, std::size_t start) {
    std::size_t end = digitsAt;
    std::uint64_t number = 0;
    while (end < text_.size() && IsNameChar(text_[end])) {
      const char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[end])));
      const int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
                        : (base == 16 && d >= 'a' && d <= 'f')      ? d - 'a' + 10
                                                                    : -1;
      if (digit < 0) Fail(base == 16 ? "not a hexadecimal digit" : "not a decimal digit", end);
      number = number * base + digit;
      if (number > 0xFFFFFFFFu) Fail("number too large", start);
      ++end;
    }
    if (end == digitsAt) Fail("expected hexadecimal digits", digitsAt);
    pos_ = end;
    return Add(Op::Number, static_cast<std::uint32_t>(number));
  }

  int NameAt() {
    const std::size_t start = pos_;
    std::string name;
    while (pos_ < text_.size() && IsNameChar(text_[pos_]))
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_++])));
    for (const Name& known : kNames)
      if (name == known.text) return Add(known.op, known.number);
    Fail("unknown name '" + std::string(text_.substr(start, pos_ - start)) + "'", start);
  }

  std::string_view text_;
  Condition& out_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

std::optional<Condition> Condition::Parse(std::string_view text, ConditionError* error) {
  Condition condition;
  if (text.find_first_not_of(" \t") == std::string_view::npos) return condition;
  try {
    ConditionParser(text, condition).ParseAll();
  } catch (const ParseFailure& failure) {
    if (error) *error = {failure.position, failure.message};
    return std::nullopt;
  }
  return condition;
}

bool Condition::Holds(const ConditionInputs& inputs) const {
  return nodes_.empty() || Evaluate(root_, inputs) != 0;
}

std::int64_t Condition::Evaluate(int index, const ConditionInputs& in) const {
  const Node& node = nodes_[static_cast<std::size_t>(index)];
  const auto left = [&] { return Evaluate(node.left, in); };
  const auto right = [&] { return Evaluate(node.right, in); };
  switch (node.op) {
    case Op::Number:
      return node.number;
    case Op::Register: {
      const unsigned int registers[] = {in.a, in.x, in.y, in.s, in.p, in.pc};
      return registers[node.number];
    }
    case Op::Flag:
      return (in.p >> node.number) & 1;
    case Op::Value:
      return in.value;
    case Op::Scanline:
      return in.scanline;
    case Op::Memory:
      return in.peek ? in.peek(static_cast<unsigned int>(left()) & 0xFFFF) : 0;
    case Op::Not:
      return left() == 0;
    case Op::Add:
      return left() + right();
    case Op::Sub:
      return left() - right();
    case Op::Less:
      return left() < right();
    case Op::LessEqual:
      return left() <= right();
    case Op::Greater:
      return left() > right();
    case Op::GreaterEqual:
      return left() >= right();
    case Op::Equal:
      return left() == right();
    case Op::NotEqual:
      return left() != right();
    case Op::BitAnd:
      return left() & right();
    case Op::BitOr:
      return left() | right();
    case Op::And:
      return left() != 0 && right() != 0;
    case Op::Or:
      return left() != 0 || right() != 0;
  }
  return 0;
}

std::string DescribeConditionError(const ConditionError& error) {
  return "column " + std::to_string(error.position + 1) + ": " + error.message;
}
