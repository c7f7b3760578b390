// Our test cartridges, assembled from roms/, run headless on the real boards.
// Each stores what it read back at $0300 onwards and $A5 at $03FF; the
// expected values follow from the board's definition and the cartridge's
// numbered banks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "tests/cart/ines_image.h"

namespace {

class CartridgeReport : public ::testing::Test {
 protected:
  void TearDown() override { UnloadBoard(); }
  // Loads roms/name.nes beside the real boards and runs it for some frames.
  void Run(const std::string& name, int frames) {
    SetBoardDirectory(ProgramBuildDirectory());
    std::string path = std::string(TAVIRO_ROM_DIR) + "/" + name + ".nes";
    ASSERT_EQ(LoadImageAndReset(path.c_str()), 0) << path;
    for (int i = 0; i < frames; ++i) RunCpu();
    SetBoardDirectory("");
  }
  void ExpectReport(const std::vector<unsigned char>& expected) {
    ASSERT_EQ(CPU.Memory[0x03FF], 0xA5) << "the cartridge did not finish";
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(CPU.Memory[0x0300 + i], expected[i]) << "report byte $" << std::hex << i;
  }
};

TEST_F(CartridgeReport, Mmc3SwitchesBanksMirrorsReadsBackAndCountsLines) {
  Run("mmc3_test", 12);
  ExpectReport({
      3,    5,    4,    3, 6, 15, 1,     // program windows in both layouts, 17 AND 15
      2,    3,    3,    2, 4, 5,  4, 9,  // character pairs V / V XOR 1, inverted, 20 AND 15
      0x5A, 0xA5, 0x00,                  // horizontal, vertical, no copy into $2420
      0x47, 0x80, 0x77,                  // $8000, $A001, $C001 read back
      3,    0,    0x77, 3,               // three IRQs, counter 0 in the first, reload, then quiet
  });
}

TEST_F(CartridgeReport, Mmc2SwitchesTheProgramBankAndTheLatchedCharacterBanks) {
  Run("mmc2_test", 4);
  ExpectReport({
      0, 5, 6, 3, 3,              // bank 0 and the fixed 5, 6; 3 and 11 mod 8
      2, 0, 5, 5, 6, 5, 5, 3, 6,  // lower table, latch $FD/$FE by writes and reads
      0x5A, 0xA5,                 // horizontal, vertical
  });
}

TEST_F(CartridgeReport, NromShowsBothBanksKeepsRomAndStoresEveryMirror) {
  Run("nrom_test", 2);
  ExpectReport({
      0, 1, 0, 7, 0,           // both program banks, both pattern tables, ROM ignores the port
      0x11, 0x22, 0x11, 0x33,  // vertical pairs from either table, $3000 is $2000
      0x2A, 0x2A, 0x15,        // $3F14 is $3F04, $3F2x repeats $3F0x
      0,                       // program ROM ignores the store
  });
}

TEST_F(CartridgeReport, Mmc1WalksProgramModesCharacterModesMirroringAndTheSerialPort) {
  Run("mmc1_test", 2);
  ExpectReport({
      7,    0,    3,    0, 3, 2, 3, 7, 3,  // last fixed, first fixed, 32 KB, reset bit
      4,    5,    5,    2,                 // one 8 KB bank, two 4 KB banks
      0x11, 0x00, 0x22,                    // one-screen lower, then upper
      0x11, 0x22, 0x11,                    // vertical
      0x11, 0x22,                          // horizontal
      2,    4,                             // read-modify-write: the second write ignored
  });
}

TEST_F(CartridgeReport, UxromSwitchesTheLowerBankAndKeepsTheLast) {
  Run("uxrom_test", 2);
  ExpectReport({0, 7, 3, 1, 7, 0x5A, 0x11});
}

TEST_F(CartridgeReport, CnromSwitchesCharacterRomOnly) {
  Run("cnrom_test", 2);
  ExpectReport({0, 2, 1, 1, 0, 1, 0x22});
}

TEST_F(CartridgeReport, AxromSwitches32KAndTheOneScreenPageKeepingBothPages) {
  Run("axrom_test", 2);
  ExpectReport({0, 2, 2, 1, 0x11, 0x00, 0x22, 0x11, 0x22, 0x5A});
}

TEST_F(CartridgeReport, Unrom512SwitchesProgramCharacterRamBanksAndThePage) {
  Run("unrom512_test", 2);
  ExpectReport({
      0, 3, 2, 1,                                      // program banks
      0x10, 0x20, 0x11, 0x21, 0x12, 0x22, 0x13, 0x23,  // four character RAM banks
      0x11, 0x00, 0x11,                                // one-screen pages
  });
}

}  // namespace
