// The description of every opcode and the tables generated from it: the two
// handler tables, OpcodeCycles and OpcodeBytes.

#include "cpu/opcode_table.h"

#include <cstddef>
#include <utility>

#include "cpu/driver.h"
#include "cpu/instructions_alu.h"
#include "cpu/instructions_control.h"
#include "cpu/instructions_transfer.h"
#include "cpu/waiting_loop.h"
#include "cpu/watch.h"

namespace cpu {
namespace {

template <typename Op>
constexpr bool kSetsPC = requires {
  Op::kSetsPC;
};

template <typename Op, Mode M>
consteval OpcodeInfo Describe(unsigned char cycles) {
  return {Op::kName,
          M,
          &Op::template Run<M>,
          cycles,
          static_cast<unsigned char>(kSetsPC<Op> ? 0 : LengthOf(M)),
          false};
}

consteval OpcodeInfo ListedWithoutIndex(OpcodeInfo info) {
  info.listsBareOperand = true;
  return info;
}

// NOP and the undocumented opcodes have no handler: inlined, this leaves
// their entries with nothing but the completion step.
[[gnu::always_inline]] inline void NoOperation(Hot&) {}

// The undocumented opcodes below $A0 cost no cycles. A program that keeps
// running through them keeps time from passing: one made only of them would
// sweep the address space forever, and one whose sweep a BRK or a jump
// restarts (seven cycles every 32 KB of them) would take over a hundred
// million instructions to end one frame. A frame of a program that merely
// passes through such bytes holds far fewer than four sweeps of the address
// space; from the first beyond that on, each costs the two cycles of a NOP
// until vertical blank begins, so every frame ends after a bounded amount of
// work.
}  // namespace

unsigned int ZeroCycleOpsInFrame = 0;

namespace {

constexpr unsigned int kZeroCycleOpsPerFrame = 0x40000;

inline void ZeroCycleNoOperation(Hot& h) {
  if (++ZeroCycleOpsInFrame > kZeroCycleOpsPerFrame) h.Cycles += 2;
}

struct DocumentedOpcode {
  unsigned char opcode;
  OpcodeInfo info;
};

using enum Mode;

// The 151 documented opcodes with their base cycles. Page-crossing and
// taken-branch cycles are added by the handlers.
constexpr DocumentedOpcode kDocumented[] = {
    {0xA9, Describe<Lda, Immediate>(2)},
    {0xA5, Describe<Lda, ZeroPage>(3)},
    {0xB5, Describe<Lda, ZeroPageX>(4)},
    {0xAD, Describe<Lda, Absolute>(4)},
    {0xBD, Describe<Lda, AbsoluteX>(4)},
    {0xB9, Describe<Lda, AbsoluteY>(4)},
    {0xA1, Describe<Lda, IndirectX>(6)},
    {0xB1, Describe<Lda, IndirectY>(5)},

    {0xA2, Describe<Ldx, Immediate>(2)},
    {0xA6, Describe<Ldx, ZeroPage>(3)},
    {0xB6, Describe<Ldx, ZeroPageY>(4)},
    {0xAE, Describe<Ldx, Absolute>(4)},
    {0xBE, Describe<Ldx, AbsoluteY>(4)},

    {0xA0, Describe<Ldy, Immediate>(2)},
    {0xA4, Describe<Ldy, ZeroPage>(3)},
    {0xB4, Describe<Ldy, ZeroPageX>(4)},
    {0xAC, Describe<Ldy, Absolute>(4)},
    {0xBC, Describe<Ldy, AbsoluteX>(4)},

    {0x85, Describe<Sta, ZeroPage>(3)},
    {0x95, Describe<Sta, ZeroPageX>(4)},
    {0x8D, Describe<Sta, Absolute>(4)},
    {0x9D, Describe<Sta, AbsoluteX>(5)},
    {0x99, Describe<Sta, AbsoluteY>(5)},
    {0x81, Describe<Sta, IndirectX>(6)},
    {0x91, Describe<Sta, IndirectY>(6)},

    {0x86, Describe<Stx, ZeroPage>(3)},
    {0x96, Describe<Stx, ZeroPageY>(4)},
    {0x8E, Describe<Stx, Absolute>(4)},

    {0x84, Describe<Sty, ZeroPage>(3)},
    {0x94, Describe<Sty, ZeroPageX>(4)},
    {0x8C, Describe<Sty, Absolute>(4)},

    {0x09, Describe<Ora, Immediate>(2)},
    {0x05, Describe<Ora, ZeroPage>(3)},
    {0x15, Describe<Ora, ZeroPageX>(4)},
    {0x0D, Describe<Ora, Absolute>(4)},
    {0x1D, Describe<Ora, AbsoluteX>(4)},
    {0x19, Describe<Ora, AbsoluteY>(4)},
    {0x01, Describe<Ora, IndirectX>(6)},
    {0x11, Describe<Ora, IndirectY>(5)},

    {0x29, Describe<And, Immediate>(2)},
    {0x25, Describe<And, ZeroPage>(3)},
    {0x35, Describe<And, ZeroPageX>(4)},
    {0x2D, Describe<And, Absolute>(4)},
    {0x3D, ListedWithoutIndex(Describe<And, AbsoluteX>(4))},
    {0x39, ListedWithoutIndex(Describe<And, AbsoluteY>(4))},
    {0x21, Describe<And, IndirectX>(6)},
    {0x31, Describe<And, IndirectY>(5)},

    {0x49, Describe<Eor, Immediate>(2)},
    {0x45, Describe<Eor, ZeroPage>(3)},
    {0x55, Describe<Eor, ZeroPageX>(4)},
    {0x4D, Describe<Eor, Absolute>(4)},
    {0x5D, Describe<Eor, AbsoluteX>(4)},
    {0x59, Describe<Eor, AbsoluteY>(4)},
    {0x41, Describe<Eor, IndirectX>(6)},
    {0x51, Describe<Eor, IndirectY>(5)},

    {0x69, Describe<Adc, Immediate>(2)},
    {0x65, Describe<Adc, ZeroPage>(3)},
    {0x75, Describe<Adc, ZeroPageX>(4)},
    {0x6D, Describe<Adc, Absolute>(4)},
    {0x7D, Describe<Adc, AbsoluteX>(4)},
    {0x79, Describe<Adc, AbsoluteY>(4)},
    {0x61, Describe<Adc, IndirectX>(6)},
    {0x71, Describe<Adc, IndirectY>(5)},

    {0xE9, Describe<Sbc, Immediate>(2)},
    {0xE5, Describe<Sbc, ZeroPage>(3)},
    {0xF5, Describe<Sbc, ZeroPageX>(4)},
    {0xED, Describe<Sbc, Absolute>(4)},
    {0xFD, Describe<Sbc, AbsoluteX>(4)},
    {0xF9, Describe<Sbc, AbsoluteY>(4)},
    {0xE1, Describe<Sbc, IndirectX>(6)},
    {0xF1, Describe<Sbc, IndirectY>(5)},

    {0xC9, Describe<Cmp, Immediate>(2)},
    {0xC5, Describe<Cmp, ZeroPage>(3)},
    {0xD5, Describe<Cmp, ZeroPageX>(4)},
    {0xCD, Describe<Cmp, Absolute>(4)},
    {0xDD, Describe<Cmp, AbsoluteX>(4)},
    {0xD9, Describe<Cmp, AbsoluteY>(4)},
    {0xC1, Describe<Cmp, IndirectX>(6)},
    {0xD1, Describe<Cmp, IndirectY>(5)},

    {0xE0, Describe<Cpx, Immediate>(2)},
    {0xE4, Describe<Cpx, ZeroPage>(3)},
    {0xEC, Describe<Cpx, Absolute>(4)},

    {0xC0, Describe<Cpy, Immediate>(2)},
    {0xC4, Describe<Cpy, ZeroPage>(3)},
    {0xCC, Describe<Cpy, Absolute>(4)},

    {0x24, Describe<Bit, ZeroPage>(3)},
    {0x2C, Describe<Bit, Absolute>(4)},

    {0x0A, Describe<Asl, Accumulator>(2)},
    {0x06, Describe<Asl, ZeroPage>(5)},
    {0x16, Describe<Asl, ZeroPageX>(6)},
    {0x0E, Describe<Asl, Absolute>(6)},
    {0x1E, ListedWithoutIndex(Describe<Asl, AbsoluteX>(7))},

    {0x4A, Describe<Lsr, Accumulator>(2)},
    {0x46, Describe<Lsr, ZeroPage>(5)},
    {0x56, Describe<Lsr, ZeroPageX>(6)},
    {0x4E, Describe<Lsr, Absolute>(6)},
    {0x5E, Describe<Lsr, AbsoluteX>(7)},

    {0x2A, Describe<Rol, Accumulator>(2)},
    {0x26, Describe<Rol, ZeroPage>(5)},
    {0x36, Describe<Rol, ZeroPageX>(6)},
    {0x2E, Describe<Rol, Absolute>(6)},
    {0x3E, Describe<Rol, AbsoluteX>(7)},

    {0x6A, Describe<Ror, Accumulator>(2)},
    {0x66, Describe<Ror, ZeroPage>(5)},
    {0x76, Describe<Ror, ZeroPageX>(6)},
    {0x6E, Describe<Ror, Absolute>(6)},
    {0x7E, Describe<Ror, AbsoluteX>(7)},

    {0xE6, Describe<Inc, ZeroPage>(5)},
    {0xF6, Describe<Inc, ZeroPageX>(6)},
    {0xEE, Describe<Inc, Absolute>(6)},
    {0xFE, Describe<Inc, AbsoluteX>(7)},

    {0xC6, Describe<Dec, ZeroPage>(5)},
    {0xD6, Describe<Dec, ZeroPageX>(6)},
    {0xCE, Describe<Dec, Absolute>(6)},
    {0xDE, Describe<Dec, AbsoluteX>(7)},

    {0xE8, Describe<Inx, Implied>(2)},
    {0xC8, Describe<Iny, Implied>(2)},
    {0xCA, Describe<Dex, Implied>(2)},
    {0x88, Describe<Dey, Implied>(2)},

    {0xAA, Describe<Tax, Implied>(2)},
    {0xA8, Describe<Tay, Implied>(2)},
    {0x8A, Describe<Txa, Implied>(2)},
    {0x98, Describe<Tya, Implied>(2)},
    {0xBA, Describe<Tsx, Implied>(2)},
    {0x9A, Describe<Txs, Implied>(2)},

    {0x18, Describe<Clc, Implied>(2)},
    {0x38, Describe<Sec, Implied>(2)},
    {0x58, Describe<Cli, Implied>(2)},
    {0x78, Describe<Sei, Implied>(2)},
    {0xB8, Describe<Clv, Implied>(2)},
    {0xD8, Describe<Cld, Implied>(2)},
    {0xF8, Describe<Sed, Implied>(2)},

    {0x10, Describe<Bpl, Relative>(2)},
    {0x30, Describe<Bmi, Relative>(2)},
    {0x50, Describe<Bvc, Relative>(2)},
    {0x70, Describe<Bvs, Relative>(2)},
    {0x90, Describe<Bcc, Relative>(2)},
    {0xB0, Describe<Bcs, Relative>(2)},
    {0xD0, Describe<Bne, Relative>(2)},
    {0xF0, Describe<Beq, Relative>(2)},

    {0x48, Describe<Pha, Implied>(3)},
    {0x08, Describe<Php, Implied>(3)},
    {0x68, Describe<Pla, Implied>(4)},
    {0x28, Describe<Plp, Implied>(4)},

    {0x20, Describe<Jsr, Absolute>(6)},
    {0x60, Describe<Rts, Implied>(6)},
    {0x40, Describe<Rti, Implied>(6)},
    {0x4C, Describe<Jmp, Absolute>(3)},
    {0x6C, Describe<Jmp, Indirect>(5)},
    {0x00, Describe<Brk, Implied>(7)},

    // NOP has no handler, like the undocumented opcodes.
    {0xEA, {"NOP", Implied, &NoOperation, 2, 1, false}},
};

// The undocumented opcodes are one-byte no-ops; their cycles follow the
// opcode's row of the table: none below $A0, two from $A0 on.
consteval OpcodeInfo Undocumented(unsigned int opcode) {
  if (opcode >= 0xA0) return {"???", Implied, &NoOperation, 2, 1, false};
  return {"???", Implied, &ZeroCycleNoOperation, 0, 1, false};
}

consteval std::array<OpcodeInfo, 256> BuildDescription() {
  std::array<OpcodeInfo, 256> table{};
  for (unsigned int opcode = 0; opcode < 256; ++opcode) table[opcode] = Undocumented(opcode);
  for (const DocumentedOpcode& row : kDocumented) table[row.opcode] = row.info;
  return table;
}

constexpr std::array<OpcodeInfo, 256> kDescription = BuildDescription();

consteval bool EveryDocumentedOpcodeOnce() {
  unsigned int documented = 0;
  for (const OpcodeInfo& info : kDescription)
    if (info.mnemonic[0] != '?') ++documented;
  return documented == std::size(kDocumented) && documented == 151;
}
static_assert(EveryDocumentedOpcodeOnce(), "an opcode is described twice or missing");

template <typename Field>
consteval std::array<unsigned char, 256> Column(Field OpcodeInfo::*field) {
  std::array<unsigned char, 256> column{};
  for (std::size_t opcode = 0; opcode < 256; ++opcode) column[opcode] = kDescription[opcode].*field;
  return column;
}

constexpr std::array<unsigned char, 256> kCycles = Column(&OpcodeInfo::cycles);
constexpr std::array<unsigned char, 256> kBytes = Column(&OpcodeInfo::bytes);

// The completion step shared by both tables: base cycles and PC advance come
// from the tables, which the compiler folds into each opcode's entry.
template <std::size_t Op>
[[gnu::always_inline]] inline void ExecuteAndComplete(Hot& h) {
  constexpr auto execute = kDescription[Op].execute;
  execute(h);
  h.Cycles += kCycles[Op];
  h.PC = static_cast<unsigned short>(h.PC + kBytes[Op]);
}

template <std::size_t Op>
void StepEntry() {
  Hot h = LoadHot();
  ExecuteAndComplete<Op>(h);
  StoreHot(h);
  if (CPU.Cycles >= kCyclesPerScanline) EndScanlineStep();
}

// A branch or an absolute JMP is what closes a waiting loop.
template <std::size_t Op>
constexpr bool kClosesLoops = kDescription[Op].mode == Mode::Relative || Op == 0x4C;

// Offers a jump or branch back over a few bytes to the waiting-loop check;
// the scanline must still be running, since its end comes first. A loop
// already found unable to wait costs only the look-up: a busy loop such as
// DEX, BNE would otherwise pay for the examination at every iteration. A loop
// with an execute watch inside runs instruction by instruction.
template <bool CheckExecute>
[[gnu::always_inline]] inline void OfferWaitingLoop(Hot& h, unsigned int closing) {
  const unsigned int head = h.PC;
  if (head <= closing && closing - head <= kMaxWaitingLoopBytes && SkipWaitingLoops &&
      h.Cycles < kCyclesPerScanline) [[unlikely]] {
    if (KnownNonWaitingLoop(head, closing, MemoryPage[(head >> 13) & 3])) return;
    if (CheckExecute && watch::ExecuteWatchedIn(head, closing)) return;
    StoreHot(h);
    PassWaitingLoop(head, closing);
    h = LoadHot();
  }
}

// The only per-instruction driver cost of the run loop is the compare.
template <std::size_t Op, bool CheckExecute = false>
[[gnu::always_inline]] inline bool RunBody(Hot& h) {
  if constexpr (kClosesLoops<Op>) {
    const unsigned int closing = h.PC;
    ExecuteAndComplete<Op>(h);
    OfferWaitingLoop<CheckExecute>(h, closing);
  } else {
    ExecuteAndComplete<Op>(h);
  }
  if (h.Cycles < kCyclesPerScanline) [[likely]]
    return false;
  StoreHot(h);
  const bool blanking = EndScanlineRun();
  h = LoadHot();
  return blanking;
}

template <std::size_t Op>
bool RunEntry() {
  Hot h = LoadHot();
  const bool blanking = RunBody<Op>(h);
  StoreHot(h);
  return blanking;
}

template <std::size_t... Op>
consteval std::array<StepHandler, 256> StepTable(std::index_sequence<Op...>) {
  return {&StepEntry<Op>...};
}

template <std::size_t... Op>
consteval std::array<RunHandler, 256> RunTable(std::index_sequence<Op...>) {
  return {&RunEntry<Op>...};
}

}  // namespace

// Every opcode's run entry inlined into one switch, on registers held in a
// local: an instruction costs the switch's one indirect jump, and the
// registers reach CPU only where something outside the loop can see them.
// With CheckExecute, an instruction at a watched address first asks the
// watch, which may stop the loop before it runs.
template <bool CheckExecute>
void RunUntilVerticalBlank() {
#define TAVIRO_RUN_1(n)                        \
  case (n):                                    \
    if (RunBody<(n), CheckExecute>(h)) return; \
    break;
#define TAVIRO_RUN_4(n) TAVIRO_RUN_1(n) TAVIRO_RUN_1(n + 1) TAVIRO_RUN_1(n + 2) TAVIRO_RUN_1(n + 3)
#define TAVIRO_RUN_16(n) \
  TAVIRO_RUN_4(n) TAVIRO_RUN_4(n + 4) TAVIRO_RUN_4(n + 8) TAVIRO_RUN_4(n + 12)
#define TAVIRO_RUN_64(n) \
  TAVIRO_RUN_16(n) TAVIRO_RUN_16(n + 16) TAVIRO_RUN_16(n + 32) TAVIRO_RUN_16(n + 48)
  Hot h = LoadHot();
  for (;;) {
    if constexpr (CheckExecute) {
      if (watch::ExecuteWatched(h.PC)) [[unlikely]] {
        StoreHot(h);
        if (watch::ExecuteHit()) return;
      }
    }
    switch (Fetch(h.PC)) {
      TAVIRO_RUN_64(0) TAVIRO_RUN_64(64) TAVIRO_RUN_64(128) TAVIRO_RUN_64(192)
    }
  }
#undef TAVIRO_RUN_64
#undef TAVIRO_RUN_16
#undef TAVIRO_RUN_4
#undef TAVIRO_RUN_1
}

template void RunUntilVerticalBlank<false>();
template void RunUntilVerticalBlank<true>();

constinit const std::array<OpcodeInfo, 256> OpcodeDescription = kDescription;

}  // namespace cpu

constinit const std::array<unsigned char, 256> OpcodeCycles = cpu::kCycles;
constinit const std::array<unsigned char, 256> OpcodeBytes = cpu::kBytes;
constinit const std::array<StepHandler, 256> OpcodeJumpTable =
    cpu::StepTable(std::make_index_sequence<256>());
constinit const std::array<RunHandler, 256> OpcodeJumpTable2 =
    cpu::RunTable(std::make_index_sequence<256>());
