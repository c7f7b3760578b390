#include "tools/status_protocol.h"

#include <cstring>

#include "cart/load_sequence.h"
#include "cpu/cpu.h"

namespace {

constexpr unsigned int kStatus = 0x6000;
constexpr unsigned int kText = 0x6004;
constexpr unsigned int kCartridgeRamEnd = 0x8000;
constexpr unsigned char kRunning = 0x80;
constexpr unsigned char kWantsReset = 0x81;

// A reset is given no sooner than 100 ms of emulated time after it was
// asked for: the cartridges time their own hold of the button by it.
constexpr double kCpuHz = 1789773.0;
constexpr double kCyclesPerFrame = 262 * 112;
constexpr double kResetDelaySeconds = 0.1;

bool Signed() {
  return CPU.Memory[0x6001] == 0xDE && CPU.Memory[0x6002] == 0xB0 && CPU.Memory[0x6003] == 0x61;
}

// The reset the debugger gives, except that the cartridge's RAM at
// $6000-$6FFF survives it, as it does the reset button of a console: the
// cartridges keep what they have done so far there across the reset.
void ResetKeepingCartridgeRam() {
  unsigned char kept[0x1000];
  std::memcpy(kept, CPU.Memory + 0x6000, sizeof kept);
  ResetNES();
  std::memcpy(CPU.Memory + 0x6000, kept, sizeof kept);
}

}  // namespace

std::string StatusText() {
  std::string text;
  for (unsigned int address = kText; address < kCartridgeRamEnd; ++address) {
    const unsigned char c = CPU.Memory[address];
    if (c == 0) break;
    const bool printable = c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7F);
    text += printable ? static_cast<char>(c) : '?';
  }
  return text;
}

void StatusWatch::FollowText() {
  text_ = StatusText();
  if (!verbose_) return;
  // A cartridge that rewrites its text from the start gets it shown anew.
  std::size_t from = text_.rfind(shown_, 0) == 0 ? shown_.size() : 0;
  if (text_.size() > from || from == 0) {
    std::fputs(text_.c_str() + from, out_);
    std::fflush(out_);
  }
  shown_ = text_;
}

TestStatus StatusWatch::AfterFrame(unsigned long frame) {
  if (!Signed()) return TestStatus::Unsigned;
  FollowText();
  const unsigned char status = CPU.Memory[kStatus];
  if (status < kRunning) {
    result_ = status;
    return TestStatus::Finished;
  }
  if (status != kWantsReset) {
    resetAskedAt_ = 0;
    resetGiven_ = false;
    return TestStatus::Running;
  }
  if (resetGiven_) return TestStatus::Running;  // the cartridge has not restarted yet
  if (resetAskedAt_ == 0) resetAskedAt_ = frame;
  const double waited = (frame - resetAskedAt_) * kCyclesPerFrame / kCpuHz;
  if (waited >= kResetDelaySeconds) {
    ResetKeepingCartridgeRam();
    resetGiven_ = true;
    resetAskedAt_ = 0;
  }
  return TestStatus::Running;
}
