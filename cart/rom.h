#pragma once
// The loaded iNES image. The board plug-ins read its fields directly through
// the shared record, so the layout is byte-packed and must not change.

#pragma pack(push, 1)
class ROM {
 public:
  ROM();
  ~ROM();
  ROM(const ROM&) = delete;
  ROM& operator=(const ROM&) = delete;

  // Reads an iNES file and binds the board plug-in of its mapper.
  // Returns 0 on success or the number of the step that failed.
  int load(const char* path);

  // Releases both banks, after pointing the windows away from them.
  void ReleaseBanks();

  unsigned char* Header;   // the file's 16-byte header
  unsigned char* PRG_ROM;  // PRGROMPages * 16 KB
  unsigned char* CHR_ROM;  // CHRROMPages * 8 KB
  unsigned char MapperNumber;
  unsigned int PRGROMPages;
  unsigned int CHRROMPages;
};
#pragma pack(pop)

static_assert(sizeof(ROM) == 3 * sizeof(void*) + 1 + 4 + 4, "ROM must stay byte-packed");

extern ROM ROMimage;

// Results of ROM::load. 2 to 8 come from binding the board plug-in.
enum RomLoadResult {
  RomLoadOk = 0,
  RomLoadCouldNotOpen = 1,
  RomLoadNoLibrary = 2,
  RomLoadNoMainWrite = 3,
  RomLoadNoMainRead = 4,
  RomLoadNoVramWrite = 5,
  RomLoadNoVramRead = 6,
  RomLoadNoEndScanline = 7,
  RomLoadNoLoadRom = 8,
  RomLoadNoProgramData = 9,
  RomLoadNotAnImage = 10,  // no "NES" $1A, or shorter than its header announces
};
