// The machine snapshot: one layout, written field by field (multi-byte
// values little-endian) so that state files mean the same everywhere.

#include "cart/machine_snapshot.h"

#include <zlib.h>

#include <cstring>
#include <limits>

#include "boards/board_state.h"
#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "cpu/opcode_table.h"
#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

namespace {

constexpr unsigned char kLayout = 1;
constexpr unsigned int kWindowSize = 0x2000;
constexpr unsigned int kPrgPageSize = 16384;
constexpr unsigned int kChrPageSize = 8192;
constexpr unsigned int kScanRecords = 262;
// Between instructions a line holds less than its 112 cycles plus the
// longest instruction and an interrupt entry; anything far beyond is not a
// machine this program left.
constexpr unsigned int kMostCycles = 2 * 112;

std::uint32_t ImageChecksum = 0;
std::vector<unsigned char> ProgramAsLoaded;

std::size_t ProgramSize() {
  return std::size_t{ROMimage.PRGROMPages} * kPrgPageSize;
}

class Writer {
 public:
  explicit Writer(std::vector<unsigned char>& out) : out_(out) { out_.clear(); }
  void Byte(unsigned int value) { out_.push_back(static_cast<unsigned char>(value)); }
  void Word16(unsigned int value) {
    Byte(value);
    Byte(value >> 8);
  }
  void Word32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) Byte(value >> shift);
  }
  void Block(const void* bytes, std::size_t length) {
    const auto* first = static_cast<const unsigned char*>(bytes);
    out_.insert(out_.end(), first, first + length);
  }

 private:
  std::vector<unsigned char>& out_;
};

void SaveJoypad(Writer& out, const Joystick& pad) {
  for (const auto& bit : pad.BitStream) out.Byte(static_cast<unsigned char>(bit.load()));
  out.Word32(static_cast<std::uint32_t>(pad.BitIndex));
  out.Byte(pad.StrobeOnNext ? 1 : 0);
  out.Word32(pad.Port);
}

// The window's offset into the program ROM, or false when it lies outside.
bool WindowOffset(const unsigned char* window, std::uint32_t& offset) {
  const unsigned char* first = ROMimage.PRG_ROM;
  if (first == nullptr || window < first || window + kWindowSize > first + ProgramSize())
    return false;
  offset = static_cast<std::uint32_t>(window - first);
  return true;
}

bool SaveBoard(Writer& out) {
  unsigned char small[256];
  unsigned int length = MapperStateSave(small, sizeof small);
  if (length <= sizeof small) {
    out.Word32(length);
    out.Block(small, length);
    return true;
  }
  std::vector<unsigned char> large(length);
  if (MapperStateSave(large.data(), length) != length) return false;
  out.Word32(length);
  out.Block(large.data(), length);
  return true;
}

// Every field of a snapshot, read and checked before any of it is applied.
struct Parsed {
  const unsigned char* cpuMemory = nullptr;
  unsigned char ac, xr, yr, s, flags, numScanlines, ppuScanline;
  unsigned short pc;
  std::uint32_t cycles, zeroCycleOps, mirroring;
  const unsigned char* ppuMemory = nullptr;
  unsigned char spriteAddress, sprite0Scanline;
  const unsigned char* spriteMemory = nullptr;
  unsigned char vScroll, hScroll;
  std::uint32_t backPatternTable;
  const unsigned char *scrollH = nullptr, *scrollV = nullptr, *nameTable = nullptr;
  std::uint32_t backPattern[kScanRecords];
  unsigned char horV, firstLast, alreadyRead;
  unsigned short writeAddress;
  struct Pad {
    const unsigned char* bits;
    std::uint32_t index, port;
    unsigned char strobeOnNext;
  } pads[2];
  std::uint32_t windows[4];
  const unsigned char* board = nullptr;
  std::uint32_t boardLength = 0;
  const unsigned char* program = nullptr;
};

using Reader = board::StateReader;

unsigned int Word16(Reader& in) {
  unsigned int low = in.Byte();
  return low | (static_cast<unsigned int>(in.Byte()) << 8);
}

void ParseCpu(Reader& in, Parsed& p) {
  p.ac = in.Byte();
  p.xr = in.Byte();
  p.yr = in.Byte();
  p.s = in.Byte();
  p.pc = static_cast<unsigned short>(Word16(in));
  p.flags = in.Byte();
  p.cycles = in.Word32();
  p.cpuMemory = in.Block(sizeof CPU.Memory);
  p.numScanlines = in.Byte();
  Word16(in);  // where an earlier sweep rule kept its next address; unused
  p.zeroCycleOps = in.Word32();
}

void ParsePictureState(Reader& in, Parsed& p) {
  p.mirroring = in.Word32();
  p.ppuScanline = in.Byte();
  p.ppuMemory = in.Block(sizeof PPU.PPUMem);
  p.spriteAddress = in.Byte();
  p.spriteMemory = in.Block(sizeof SPRRAM.SPR_RAM);
  p.sprite0Scanline = in.Byte();
  p.vScroll = in.Byte();
  p.hScroll = in.Byte();
  p.backPatternTable = in.Word32();
  p.scrollH = in.Block(kScanRecords);
  p.scrollV = in.Block(kScanRecords);
  p.nameTable = in.Block(kScanRecords);
  for (std::uint32_t& pattern : p.backPattern) pattern = in.Word32();
}

void ParsePorts(Reader& in, Parsed& p) {
  p.horV = in.Byte();
  p.firstLast = in.Byte();
  p.writeAddress = static_cast<unsigned short>(Word16(in));
  p.alreadyRead = in.Byte();
  for (Parsed::Pad& pad : p.pads) {
    pad.bits = in.Block(24);
    pad.index = in.Word32();
    pad.strobeOnNext = in.Byte();
    pad.port = in.Word32();
  }
}

bool ParseCartridge(Reader& in, Parsed& p) {
  for (std::uint32_t& window : p.windows) window = in.Word32();
  p.boardLength = in.Word32();
  p.board = in.Block(p.boardLength);
  unsigned char programWritten = in.Byte();
  if (programWritten > 1) return false;
  if (programWritten == 1) {
    if (in.Word32() != ProgramSize()) return false;
    p.program = in.Block(static_cast<unsigned int>(ProgramSize()));
  }
  return in.Complete();
}

// Values the renderers and the joypads use as indices must be in range,
// whoever wrote the snapshot.
bool InRange(const Parsed& p) {
  if (p.numScanlines != 240 && p.numScanlines != 22) return false;
  if (p.ppuScanline >= p.numScanlines || p.cycles >= kMostCycles || p.vScroll >= 240) return false;
  if (p.backPatternTable != 0 && p.backPatternTable != 0x1000) return false;
  for (unsigned int line = 0; line < kScanRecords; ++line) {
    if (p.scrollV[line] >= 240 || p.nameTable[line] > 3) return false;
    if (p.backPattern[line] != 0 && p.backPattern[line] != 0x1000) return false;
  }
  for (const Parsed::Pad& pad : p.pads) {
    if (pad.index >= 24 || pad.strobeOnNext > 1) return false;
    if (pad.port != 0x4016 && pad.port != 0x4017) return false;
  }
  return true;
}

bool WindowsInside(const Parsed& p) {
  for (std::uint32_t window : p.windows)
    if (std::size_t{window} + kWindowSize > ProgramSize()) return false;
  return true;
}

void ApplyPad(const Parsed::Pad& from, Joystick& pad) {
  for (int i = 0; i < 24; ++i) pad.BitStream[i].store(static_cast<signed char>(from.bits[i]));
  pad.BitIndex = static_cast<int>(from.index);
  pad.StrobeOnNext = from.strobeOnNext != 0;
  pad.Port = from.port;
}

void ApplyProgram(const Parsed& p) {
  if (p.program != nullptr) {
    std::memcpy(ROMimage.PRG_ROM, p.program, ProgramSize());
  } else if (ProgramRomWritten && ProgramAsLoaded.size() == ProgramSize()) {
    std::memcpy(ROMimage.PRG_ROM, ProgramAsLoaded.data(), ProgramSize());
  }
  ProgramRomWritten = p.program != nullptr;
  for (int i = 0; i < 4; ++i) MemoryPage[i] = ROMimage.PRG_ROM + p.windows[i];
}

void Apply(const Parsed& p) {
  CPU.AC = p.ac;
  CPU.XR = p.xr;
  CPU.YR = p.yr;
  CPU.S = p.s;
  CPU.PC = p.pc;
  CPU.FLAGS = p.flags;
  CPU.Cycles = p.cycles;
  std::memcpy(CPU.Memory, p.cpuMemory, sizeof CPU.Memory);
  NumScanlines = p.numScanlines;
  cpu::ZeroCycleOpsInFrame = p.zeroCycleOps;
  PPU.Mirroring = p.mirroring;
  PPU.Scanline = p.ppuScanline;
  std::memcpy(PPU.PPUMem, p.ppuMemory, sizeof PPU.PPUMem);
  PrerenderPatternTiles(0, 0x2000);
  SPRRAM.Address = p.spriteAddress;
  std::memcpy(SPRRAM.SPR_RAM, p.spriteMemory, sizeof SPRRAM.SPR_RAM);
  Sprite0Scanline = p.sprite0Scanline;
  BackGround.SetVScroll(p.vScroll);
  BackGround.SetHScroll(p.hScroll);
  BackGround.SetTable(static_cast<int>(p.backPatternTable));
  std::memcpy(ScanScrollH, p.scrollH, kScanRecords);
  std::memcpy(ScanScrollV, p.scrollV, kScanRecords);
  std::memcpy(ScanNameTable, p.nameTable, kScanRecords);
  std::memcpy(ScanBackPattern, p.backPattern, sizeof ScanBackPattern);
  HorV = p.horV;
  first_last = p.firstLast;
  WriteAddress = p.writeAddress;
  AlreadyRead2007 = p.alreadyRead;
  ApplyPad(p.pads[0], Joy1);
  ApplyPad(p.pads[1], Joy2);
  ApplyProgram(p);
}

}  // namespace

const char* SnapshotRefusalText(SnapshotRefusal refusal) {
  switch (refusal) {
    case SnapshotRefusal::None:
      return "";
    case SnapshotRefusal::NoImage:
      return "No ROM image is loaded";
    case SnapshotRefusal::NoBoardState:
      return "The mapper .dll cannot save or restore its state (no MapperSaveState / "
             "MapperLoadState)";
    case SnapshotRefusal::Truncated:
      return "The machine state is cut short or malformed";
    case SnapshotRefusal::OutOfRange:
      return "The machine state holds a value out of range for this image";
    case SnapshotRefusal::BoardRefused:
      return "The mapper .dll refused its part of the machine state";
  }
  return "";
}

bool MachineHasSnapshots() {
  return ImageLoaded() && MapperStateSave != nullptr && MapperStateLoad != nullptr;
}

SnapshotRefusal SaveMachine(std::vector<unsigned char>& into) {
  into.clear();
  std::uint32_t windows[4];
  if (!ImageLoaded()) return SnapshotRefusal::NoImage;
  if (!MachineHasSnapshots()) return SnapshotRefusal::NoBoardState;
  for (int i = 0; i < 4; ++i)
    if (!WindowOffset(MemoryPage[i], windows[i])) return SnapshotRefusal::OutOfRange;

  Writer out(into);
  out.Byte(kLayout);
  out.Byte(CPU.AC);
  out.Byte(CPU.XR);
  out.Byte(CPU.YR);
  out.Byte(CPU.S);
  out.Word16(CPU.PC);
  out.Byte(CPU.FLAGS);
  out.Word32(CPU.Cycles);
  out.Block(CPU.Memory, sizeof CPU.Memory);
  out.Byte(NumScanlines);
  out.Word16(0);  // the unused slot, kept so that the layout stays the same
  out.Word32(cpu::ZeroCycleOpsInFrame);

  out.Word32(PPU.Mirroring);
  out.Byte(PPU.Scanline);
  out.Block(PPU.PPUMem, sizeof PPU.PPUMem);
  out.Byte(SPRRAM.Address);
  out.Block(SPRRAM.SPR_RAM, sizeof SPRRAM.SPR_RAM);
  out.Byte(Sprite0Scanline);
  out.Byte(BackGround.GetVScroll());
  out.Byte(BackGround.GetHScroll());
  out.Word32(static_cast<std::uint32_t>(BackGround.GetTable()));
  out.Block(ScanScrollH, kScanRecords);
  out.Block(ScanScrollV, kScanRecords);
  out.Block(ScanNameTable, kScanRecords);
  for (unsigned int pattern : ScanBackPattern) out.Word32(pattern);

  out.Byte(HorV);
  out.Byte(first_last);
  out.Word16(WriteAddress);
  out.Byte(AlreadyRead2007);
  SaveJoypad(out, Joy1);
  SaveJoypad(out, Joy2);

  for (std::uint32_t window : windows) out.Word32(window);
  if (!SaveBoard(out)) {
    into.clear();
    return SnapshotRefusal::BoardRefused;
  }
  out.Byte(ProgramRomWritten ? 1 : 0);
  if (ProgramRomWritten) {
    out.Word32(static_cast<std::uint32_t>(ProgramSize()));
    out.Block(ROMimage.PRG_ROM, ProgramSize());
  }
  return SnapshotRefusal::None;
}

SnapshotRefusal RestoreMachine(const unsigned char* bytes, std::size_t size) {
  if (!ImageLoaded()) return SnapshotRefusal::NoImage;
  if (!MachineHasSnapshots()) return SnapshotRefusal::NoBoardState;
  if (bytes == nullptr || size > std::numeric_limits<unsigned int>::max())
    return SnapshotRefusal::Truncated;
  Reader in(bytes, static_cast<unsigned int>(size));
  if (in.Byte() != kLayout) return SnapshotRefusal::Truncated;
  Parsed parsed;
  ParseCpu(in, parsed);
  ParsePictureState(in, parsed);
  ParsePorts(in, parsed);
  if (!ParseCartridge(in, parsed)) return SnapshotRefusal::Truncated;
  if (!InRange(parsed) || !WindowsInside(parsed)) return SnapshotRefusal::OutOfRange;
  // The board checks its part before it changes anything; only then does
  // the host take the rest, so a refusal leaves the machine as it was.
  if (MapperStateLoad(parsed.board, parsed.boardLength) != 1) return SnapshotRefusal::BoardRefused;
  Apply(parsed);
  return SnapshotRefusal::None;
}

std::uint32_t LoadedImageChecksum() {
  return ImageChecksum;
}

void RememberLoadedImage() {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32_z(crc, ROMimage.Header, 16);
  crc = crc32_z(crc, ROMimage.PRG_ROM, ProgramSize());
  crc = crc32_z(crc, ROMimage.CHR_ROM, std::size_t{ROMimage.CHRROMPages} * kChrPageSize);
  ImageChecksum = static_cast<std::uint32_t>(crc);
  ProgramAsLoaded.assign(ROMimage.PRG_ROM, ROMimage.PRG_ROM + ProgramSize());
  ProgramRomWritten = false;
}
