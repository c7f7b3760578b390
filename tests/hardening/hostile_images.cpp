#include "tests/hardening/hostile_images.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

void Put16(Bytes& image, std::size_t at, unsigned int value) {
  image[at] = static_cast<unsigned char>(value);
  image[at + 1] = static_cast<unsigned char>(value >> 8);
}

// Mapper 4: the outer loop selects a bank register (the select value steps
// by $41, so the first eight cover R0-R7 under all four layouts) and moves
// the scroll and sprite DMA page; the inner loop loads that register with
// 0-255 while reloading and enabling the IRQ counter, flipping mirroring,
// writing the data port and changing PPUCTRL (increment, NMI, sprite size).
const Bytes kMmc3Sweep = {
    0xA9, 0x1E,        // E000 LDA #$1E
    0x8D, 0x01, 0x20,  // E002 STA $2001
    0xA0, 0x00,        // E005 LDY #$00
    0x8C, 0x00, 0x80,  // E007 STY $8000
    0x8C, 0x14, 0x40,  // E00A STY $4014
    0x8C, 0x05, 0x20,  // E00D STY $2005
    0x8C, 0x05, 0x20,  // E010 STY $2005
    0xA2, 0x00,        // E013 LDX #$00
    0x8E, 0x01, 0x80,  // E015 STX $8001
    0x8E, 0x00, 0xC0,  // E018 STX $C000
    0x8E, 0x01, 0xE0,  // E01B STX $E001
    0x8E, 0x00, 0xA0,  // E01E STX $A000
    0x8E, 0x07, 0x20,  // E021 STX $2007
    0x8E, 0x00, 0x20,  // E024 STX $2000
    0xE8,              // E027 INX
    0xD0, 0xEB,        // E028 BNE $E015
    0x98,              // E02A TYA
    0x18,              // E02B CLC
    0x69, 0x41,        // E02C ADC #$41
    0xA8,              // E02E TAY
    0x4C, 0x07, 0xE0,  // E02F JMP $E007
};

// Mapper 9: every register with 0-255, then the data port touches tile $FD
// (a read) and tile $FE (a write) so the latch swaps the upper table.
const Bytes kMmc2Sweep = {
    0xA9, 0x1E,        // E000 LDA #$1E
    0x8D, 0x01, 0x20,  // E002 STA $2001
    0xA2, 0x00,        // E005 LDX #$00
    0x8E, 0x00, 0xA0,  // E007 STX $A000
    0x8E, 0x00, 0xB0,  // E00A STX $B000
    0x8E, 0x00, 0xD0,  // E00D STX $D000
    0x8E, 0x00, 0xC0,  // E010 STX $C000
    0x8E, 0x00, 0xE0,  // E013 STX $E000
    0x8E, 0x00, 0xF0,  // E016 STX $F000
    0x8E, 0x00, 0x20,  // E019 STX $2000
    0xA9, 0x0F,        // E01C LDA #$0F
    0x8D, 0x06, 0x20,  // E01E STA $2006
    0xA9, 0xD8,        // E021 LDA #$D8
    0x8D, 0x06, 0x20,  // E023 STA $2006
    0xAD, 0x07, 0x20,  // E026 LDA $2007
    0xAD, 0x07, 0x20,  // E029 LDA $2007
    0xA9, 0x1F,        // E02C LDA #$1F
    0x8D, 0x06, 0x20,  // E02E STA $2006
    0xA9, 0xE8,        // E031 LDA #$E8
    0x8D, 0x06, 0x20,  // E033 STA $2006
    0x8E, 0x07, 0x20,  // E036 STX $2007
    0xE8,              // E039 INX
    0xD0, 0xCB,        // E03A BNE $E007
    0x4C, 0x05, 0xE0,  // E03C JMP $E005
};

// The boards of mappers 0, 1, 2, 3, 7 and 30: every value to $8000, $A000,
// $C000 and $E000 (the MMC1's four serial ports, bit 7 resetting it), a
// read-modify-write of cartridge space, PPUCTRL and the data port. The
// program sits in every 8 KB bank, so it runs on whatever bank a register
// puts at $E000.
const Bytes kDiscreteSweep = {
    0xA9, 0x1E,        // E000 LDA #$1E
    0x8D, 0x01, 0x20,  // E002 STA $2001
    0xA2, 0x00,        // E005 LDX #$00
    0x8E, 0x00, 0x80,  // E007 STX $8000
    0x8E, 0x00, 0xA0,  // E00A STX $A000
    0x8E, 0x00, 0xC0,  // E00D STX $C000
    0x8E, 0x00, 0xE0,  // E010 STX $E000
    0x8E, 0x00, 0x20,  // E013 STX $2000
    0x8E, 0x07, 0x20,  // E016 STX $2007
    0xEE, 0x00, 0x80,  // E019 INC $8000
    0xE8,              // E01C INX
    0xD0, 0xE8,        // E01D BNE $E007
    0x4C, 0x05, 0xE0,  // E01F JMP $E005
};

// Every value 0-255 through every port the program can reach: PPUCTRL
// (increment, NMI, sprite size, tables), PPUMASK, the sprite address and
// data, both scroll writes, PPU addresses X, ~X (so past $3FFF too), a
// data-port write and read, the status, sprite DMA from every page, and
// both joypad ports.
const Bytes kPortSweep = {
    0xA2, 0x00,        // E000 LDX #$00
    0x8E, 0x00, 0x20,  // E002 STX $2000
    0x8E, 0x01, 0x20,  // E005 STX $2001
    0x8E, 0x03, 0x20,  // E008 STX $2003
    0x8E, 0x04, 0x20,  // E00B STX $2004
    0x8E, 0x05, 0x20,  // E00E STX $2005
    0x8A,              // E011 TXA
    0x49, 0xFF,        // E012 EOR #$FF
    0x8D, 0x05, 0x20,  // E014 STA $2005
    0x8E, 0x06, 0x20,  // E017 STX $2006
    0x8D, 0x06, 0x20,  // E01A STA $2006
    0x8E, 0x07, 0x20,  // E01D STX $2007
    0xAD, 0x07, 0x20,  // E020 LDA $2007
    0xAD, 0x02, 0x20,  // E023 LDA $2002
    0x8E, 0x14, 0x40,  // E026 STX $4014
    0x8E, 0x16, 0x40,  // E029 STX $4016
    0xAD, 0x16, 0x40,  // E02C LDA $4016
    0xAD, 0x17, 0x40,  // E02F LDA $4017
    0xE8,              // E032 INX
    0xD0, 0xCD,        // E033 BNE $E002
    0x4C, 0x00, 0xE0,  // E035 JMP $E000
};

constexpr unsigned char kRti = 0x40;

}  // namespace

Bytes InesHeader(unsigned int mapper, unsigned int programPages, unsigned int characterPages,
                 bool trainer) {
  Bytes header = {'N', 'E', 'S', 0x1A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  header[4] = static_cast<unsigned char>(programPages);
  header[5] = static_cast<unsigned char>(characterPages);
  header[6] = static_cast<unsigned char>(((mapper & 0x0F) << 4) | (trainer ? 0x04 : 0));
  header[7] = static_cast<unsigned char>(mapper & 0xF0);
  return header;
}

Bytes BlankImage(unsigned int mapper, unsigned int programPages, unsigned int characterPages) {
  Bytes image = InesHeader(mapper, programPages, characterPages);
  image.resize(kHeaderSize + programPages * kProgramPageSize + characterPages * kCharacterPageSize);
  return image;
}

ImageLayout LayoutOf(const Bytes& file) {
  Bytes header = AreaOf(file, 0, kHeaderSize);
  ImageLayout layout;
  layout.trainerStart = kHeaderSize;
  layout.trainerSize = (header[6] & 0x04) ? kTrainerSize : 0;
  layout.programStart = layout.trainerStart + layout.trainerSize;
  layout.programSize = header[4] * kProgramPageSize;
  layout.characterStart = layout.programStart + layout.programSize;
  layout.characterSize = header[5] * kCharacterPageSize;
  // Text in bytes 12-15 of an iNES 1 header (an old dumper's name) means
  // byte 7 is text too.
  const bool nes20 = (header[7] & 0x0C) == 0x08;
  const bool textTail = header[12] || header[13] || header[14] || header[15];
  layout.mapper = (textTail && !nes20 ? 0 : (header[7] & 0xF0u)) | (header[6] >> 4);
  return layout;
}

bool HasShippedBoard(unsigned int mapper) {
  return std::find(std::begin(kShippedMappers), std::end(kShippedMappers), mapper) !=
         std::end(kShippedMappers);
}

int ExpectedLoadResult(const Bytes& file) {
  ImageLayout layout = LayoutOf(file);
  if (layout.programSize == 0) return kNoProgramData;
  if (!HasShippedBoard(layout.mapper)) return kNoLibrary;
  return kLoaded;
}

Bytes AreaOf(const Bytes& file, std::size_t start, std::size_t size) {
  Bytes area(size, 0);
  if (start < file.size()) {
    std::size_t available = std::min(size, file.size() - start);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(start), available, area.begin());
  }
  return area;
}

void PlaceInLastBank(Bytes& image, const Bytes& code, unsigned int nmiIrq) {
  ImageLayout layout = LayoutOf(image);
  std::size_t lastBank = layout.programStart + layout.programSize - kProgramBankSize;
  std::copy(code.begin(), code.end(), image.begin() + static_cast<std::ptrdiff_t>(lastBank));
  image[lastBank + (nmiIrq - 0xE000)] = kRti;
  Put16(image, lastBank + 0x1FFA, nmiIrq);
  Put16(image, lastBank + 0x1FFC, 0xE000);
  Put16(image, lastBank + 0x1FFE, nmiIrq);
}

void PlaceInEveryBank(Bytes& image, const Bytes& code, unsigned int nmiIrq) {
  ImageLayout layout = LayoutOf(image);
  for (std::size_t bank = layout.programStart; bank < layout.programStart + layout.programSize;
       bank += kProgramBankSize) {
    std::copy(code.begin(), code.end(), image.begin() + static_cast<std::ptrdiff_t>(bank));
    image[bank + (nmiIrq - 0xE000)] = kRti;
    Put16(image, bank + 0x1FFA, nmiIrq);
    Put16(image, bank + 0x1FFC, 0xE000);
    Put16(image, bank + 0x1FFE, nmiIrq);
  }
}

Bytes BankSweepProgram(unsigned int mapper) {
  if (mapper == 4) return kMmc3Sweep;
  if (mapper == 9) return kMmc2Sweep;
  return kDiscreteSweep;
}

void PlaceBankSweep(Bytes& image, unsigned int mapper) {
  if (mapper == 4 || mapper == 9)
    PlaceInLastBank(image, BankSweepProgram(mapper), kBankSweepInterruptEntry);
  else
    PlaceInEveryBank(image, BankSweepProgram(mapper), kBankSweepInterruptEntry);
}

Bytes PortSweepProgram() {
  return kPortSweep;
}

Bytes OneOpcodeImage(unsigned int mapper, unsigned char opcode) {
  Bytes image = BlankImage(mapper, 2, 1);
  std::fill(image.begin() + kHeaderSize, image.end(), opcode);
  return image;
}

Bytes RandomImage(unsigned int mapper, unsigned int programPages, unsigned int characterPages,
                  unsigned int seed) {
  Bytes image = BlankImage(mapper, programPages, characterPages);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::size_t i = kHeaderSize; i < image.size(); ++i)
    image[i] = static_cast<unsigned char>(byte(random));
  return image;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScratchDirectory::ScratchDirectory() {
  char pattern[] = "/tmp/taviro-hardening-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDirectory::Write(const std::string& name, const Bytes& bytes) const {
  std::string path = path_ + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string BuiltProgramDirectory() {
  const char* directory = std::getenv("TAVIRO_PROGRAM_DIR");
  return directory != nullptr ? directory : TAVIRO_PROGRAM_DIR_DEFAULT;
}

std::string CartridgePath(const std::string& name) {
  return BuiltProgramDirectory() + "/../roms/" + name + ".nes";
}
