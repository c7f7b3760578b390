#include "cart/rom.h"

#include <cassert>
#include <cstring>

ROM ROMimage;

ROM::ROM()
    : Header(new unsigned char[16]),
      PRG_ROM(nullptr),
      CHR_ROM(nullptr),
      MapperNumber(0),
      PRGROMPages(0),
      CHRROMPages(0) {
  assert(Header != 0);
  std::memset(Header, 0, 16);
}

ROM::~ROM() {
  delete[] Header;
  delete[] PRG_ROM;
  delete[] CHR_ROM;
}
