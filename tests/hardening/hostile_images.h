#pragma once
// Builds iNES files for the hostile-image cases: headers from their numbers,
// program areas holding a given program, one opcode or random bytes, and
// the layout and the loader's expected answer read back from a file.

#include <cstddef>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kTrainerSize = 512;
constexpr std::size_t kProgramPageSize = 16384;
constexpr std::size_t kCharacterPageSize = 8192;
constexpr std::size_t kProgramBankSize = 8192;

// Results of a load, as the loader reports them.
constexpr int kLoaded = 0;
constexpr int kNoLibrary = 2;
constexpr int kNoProgramData = 9;

// A header: the signature, the counts, the mapper number split over the
// two nibbles, and the trainer bit.
Bytes InesHeader(unsigned int mapper, unsigned int programPages, unsigned int characterPages,
                 bool trainer = false);

// The header followed by zero-filled program and character areas.
Bytes BlankImage(unsigned int mapper, unsigned int programPages, unsigned int characterPages);

// Where the areas of a file lie, from its header. A header cut short reads
// as zeros, as the loader reads it.
struct ImageLayout {
  std::size_t trainerStart = 0;
  std::size_t trainerSize = 0;
  std::size_t programStart = 0;
  std::size_t programSize = 0;
  std::size_t characterStart = 0;
  std::size_t characterSize = 0;
  unsigned int mapper = 0;
};
ImageLayout LayoutOf(const Bytes& file);

// The mappers whose boards ship.
constexpr unsigned int kShippedMappers[] = {0, 1, 2, 3, 4, 7, 9, 30};
bool HasShippedBoard(unsigned int mapper);
constexpr unsigned int kNoBoardMapper = 5;

// What loading the file must give with the shipped boards in the board
// directory: no program data, no plug-in for the mapper, or loaded.
int ExpectedLoadResult(const Bytes& file);

// file[start, start + size) with the bytes past the end of the file as zero.
Bytes AreaOf(const Bytes& file, std::size_t start, std::size_t size);

// Puts code at $E000 of the last 8 KB program bank (which both boards keep
// at $E000) and points the NMI and IRQ vectors at nmiIrq, reset at $E000.
void PlaceInLastBank(Bytes& image, const Bytes& code, unsigned int nmiIrq);

// The same code in every 8 KB bank, for boards that move the last bank.
void PlaceInEveryBank(Bytes& image, const Bytes& code, unsigned int nmiIrq);

// A program that walks every bank register of the board through every
// value, with the data port and (mapper 4) the scanline IRQ running.
Bytes BankSweepProgram(unsigned int mapper);
// Places it where the board runs it: the last bank, or every bank.
void PlaceBankSweep(Bytes& image, unsigned int mapper);
constexpr unsigned int kBankSweepInterruptEntry = 0xE080;

// A program that writes every value to every PPU, DMA and joypad port.
Bytes PortSweepProgram();

// Every byte after the header is the opcode, so every vector points into
// the same bytes.
Bytes OneOpcodeImage(unsigned int mapper, unsigned char opcode);

// Every byte after a valid header is random, from a fixed seed.
Bytes RandomImage(unsigned int mapper, unsigned int programPages, unsigned int characterPages,
                  unsigned int seed);

Bytes ReadBytes(const std::string& path);

// A directory for the files of one test, removed with the object.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }
  // Writes bytes to a file of that name in the directory; returns its path.
  std::string Write(const std::string& name, const Bytes& bytes) const;

 private:
  std::string path_;
};

// Where taviro-run and the real plug-ins are, and where our cartridges are.
std::string BuiltProgramDirectory();
std::string CartridgePath(const std::string& name);
