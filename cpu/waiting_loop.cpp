// Recognising a waiting loop and passing its time.
//
// The loop is checked in two parts. Its code, from head to the closing jump
// or branch, may hold only instructions that write nothing and read only
// RAM-like memory or the status port: loads, compares, BIT, the logical
// operations, transfers, flag changes, NOP and branches. Then one iteration
// runs for real through the single-step handlers. If it comes back to head
// with the same registers, flags and scroll toggle, without having changed
// memory, every later iteration is the same one: nothing but the end of the
// scanline can change what it reads.

#include "cpu/waiting_loop.h"

#include <array>

#include "cpu/bus.h"
#include "cpu/driver.h"
#include "cpu/opcode_table.h"
#include "io/memoryio.h"
#include "ppu/ppu_registers.h"

namespace cpu {

bool SkipWaitingLoops = true;
NonWaitingLoop NonWaitingLoops[kNonWaitingLoopSlots];

void ForgetNonWaitingLoops() {
  for (NonWaitingLoop& loop : NonWaitingLoops) loop = NonWaitingLoop{};
}

namespace {

constexpr unsigned char kWaitingOpcodes[] = {
    0xA9, 0xA5, 0xB5, 0xAD, 0xBD, 0xB9,              // LDA
    0xA2, 0xA6, 0xB6, 0xAE, 0xBE,                    // LDX
    0xA0, 0xA4, 0xB4, 0xAC, 0xBC,                    // LDY
    0xC9, 0xC5, 0xD5, 0xCD, 0xDD, 0xD9,              // CMP
    0xE0, 0xE4, 0xEC, 0xC0, 0xC4, 0xCC,              // CPX, CPY
    0x24, 0x2C,                                      // BIT
    0x29, 0x25, 0x35, 0x2D, 0x3D, 0x39,              // AND
    0x09, 0x05, 0x15, 0x0D, 0x1D, 0x19,              // ORA
    0x49, 0x45, 0x55, 0x4D, 0x5D, 0x59,              // EOR
    0xAA, 0xA8, 0x8A, 0x98,                          // TAX, TAY, TXA, TYA
    0x18, 0x38, 0x58, 0x78, 0xB8, 0xD8, 0xF8, 0xEA,  // flag changes, NOP
    0x10, 0x30, 0x50, 0x70, 0x90, 0xB0, 0xD0, 0xF0,  // branches
    0x4C,                                            // JMP absolute
};

constexpr std::array<bool, 256> kWaiting = [] {
  std::array<bool, 256> table{};
  for (unsigned char opcode : kWaitingOpcodes) table[opcode] = true;
  return table;
}();

// No instruction above takes more than 4 cycles, plus one for a crossed page
// or a taken branch.
constexpr unsigned int kMostCyclesPerInstruction = 6;
constexpr unsigned int kMostInstructions = 8;

struct LoopCode {
  unsigned short start[kMostInstructions];
  unsigned int count = 0;

  bool Holds(unsigned int pc) const {
    for (unsigned int i = 0; i < count; ++i)
      if (start[i] == pc) return true;
    return false;
  }
};

// Every instruction from head to closing; false when one may not be part of
// a waiting loop or the instructions do not end exactly at closing.
bool ReadLoopCode(unsigned int head, unsigned int closing, LoopCode& code) {
  unsigned int pc = head;
  while (pc <= closing) {
    const unsigned char opcode = Fetch(pc);
    if (!kWaiting[opcode] || code.count == kMostInstructions) return false;
    code.start[code.count++] = static_cast<unsigned short>(pc);
    if (pc == closing) return true;
    pc += OpcodeBytes[opcode];
  }
  return false;
}

// The address the instruction at PC reads, or -1 when it reads no memory.
int ReadAddress(const OpcodeInfo& info) {
  Hot h = LoadHot();
  switch (info.mode) {
    case Mode::ZeroPage:
      return static_cast<int>(OperandByte(h));
    case Mode::ZeroPageX:
      return static_cast<int>((OperandByte(h) + h.XR) & 0xFF);
    case Mode::ZeroPageY:
      return static_cast<int>((OperandByte(h) + h.YR) & 0xFF);
    case Mode::Absolute:
      return static_cast<int>(OperandWord(h));
    case Mode::AbsoluteX:
      return static_cast<int>((OperandWord(h) + h.XR) & 0xFFFF);
    case Mode::AbsoluteY:
      return static_cast<int>((OperandWord(h) + h.YR) & 0xFFFF);
    default:
      return -1;
  }
}

// Reading changes nothing: plain memory, or the status port while vertical
// blank is down (its read then only clears the scroll toggle, which the
// comparison of the iterations covers). JMP's operand is no read.
bool ReadChangesNothing(unsigned char opcode) {
  if (opcode == 0x4C) return true;
  const int address = ReadAddress(OpcodeDescription[opcode]);
  if (address < 0) return true;
  switch (ReadMemTable[static_cast<unsigned int>(address)]) {
    case routes::kReadPlain:
      return true;
    case routes::kReadStatus:
      return (CPU.Memory[ppu_register::kStatus] & ppu_register::kVerticalBlank) == 0;
    default:
      return false;
  }
}

struct Registers {
  unsigned char a, x, y, s, flags, toggle;
  bool operator==(const Registers&) const = default;
};

Registers Observe() {
  return {CPU.AC, CPU.XR, CPU.YR, CPU.S, CPU.FLAGS, HorV};
}

// One iteration from head through the single-step handlers; true when it
// came back to head. It stops early, exactly where the program is, when
// control leaves the loop's code or an instruction's read would change
// something.
bool RunOneIteration(unsigned int head, const LoopCode& code) {
  for (unsigned int executed = 0; executed < code.count; ++executed) {
    if (!code.Holds(CPU.PC)) return false;
    const unsigned char opcode = Fetch(CPU.PC);
    if (!ReadChangesNothing(opcode)) return false;
    OpcodeJumpTable[opcode]();
    if (CPU.PC == head) return true;
  }
  return false;
}

}  // namespace

void PassWaitingLoop(unsigned int head, unsigned int closing) {
  LoopCode code;
  if (!ReadLoopCode(head, closing, code)) {
    // Remembered only when one window holds the whole loop. Code below
    // $8000 runs from RAM, whose bytes the program may rewrite into a loop
    // that does wait, so such a loop is examined afresh every time.
    const unsigned char* window = MemoryPage[(head >> 13) & 3];
    if (head >= 0x8000 && window == MemoryPage[(closing >> 13) & 3])
      NonWaitingLoops[closing % kNonWaitingLoopSlots] = {window, static_cast<unsigned short>(head),
                                                         static_cast<unsigned short>(closing)};
    return;
  }
  // The trial iteration must end before the scanline does, so that the
  // single-step handlers never reach the end of a line.
  if (CPU.Cycles + kMostCyclesPerInstruction * code.count >= kCyclesPerScanline) return;

  const Registers before = Observe();
  const unsigned int startCycles = CPU.Cycles;
  if (!RunOneIteration(head, code) || Observe() != before) return;

  const unsigned int perIteration = CPU.Cycles - startCycles;
  const unsigned int fitting = (kCyclesPerScanline - 1 - CPU.Cycles) / perIteration;
  CPU.Cycles += fitting * perIteration;
}

}  // namespace cpu
