// The route of every CPU address: RAM with its mirrors, plain bytes, the
// register ports and the board, as an instruction or write_mem reaches them.

#include <cstring>

#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/spriteram.h"
#include "tests/cpu/test_board.h"

namespace {

class MemoryMapTest : public CpuTest {};

constexpr bool IsPort(unsigned int address) {
  switch (address) {
    case 0x2000:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x4014:
    case 0x4016:
    case 0x4017:
      return true;
    default:
      return false;
  }
}

TEST_F(MemoryMapTest, RamWritesReachAllFourCopiesAndMirrorWritesOnlyOne) {
  write_mem(0x0005, 0xA7);
  EXPECT_EQ(CPU.Memory[0x0805], 0xA7);
  EXPECT_EQ(CPU.Memory[0x1005], 0xA7);
  EXPECT_EQ(CPU.Memory[0x1805], 0xA7);
  write_mem(0x0805, 0x11);
  EXPECT_EQ(CPU.Memory[0x0805], 0x11);
  EXPECT_EQ(CPU.Memory[0x0005], 0xA7);
  EXPECT_EQ(CPU.Memory[0x1005], 0xA7);
  EXPECT_EQ(read_mem(0x1805), 0xA7);
}

TEST_F(MemoryMapTest, EveryNonPortAddressBelow8000IsPlainMemory) {
  // RAM stores four copies, so write the mirrors first and RAM last.
  for (unsigned int address = 0x7FFF; address != 0xFFFFFFFFu; --address) {
    if (IsPort(address)) continue;
    const auto value = static_cast<unsigned char>(address * 7 + 1);
    write_mem(address, value);
    ASSERT_EQ(CPU.Memory[address], value) << std::hex << address;
    ASSERT_EQ(read_mem(address), value) << std::hex << address;
  }
  EXPECT_TRUE(ram_board::calls.cpu_writes.empty());
  EXPECT_TRUE(ram_board::calls.cpu_reads.empty());
  EXPECT_TRUE(ram_board::calls.ppu_writes.empty());
  EXPECT_EQ(HorV, 0);  // $2008-$3FFF do not mirror the scroll port
}

TEST_F(MemoryMapTest, EveryAddressFrom8000ReachesTheBoard) {
  for (unsigned int address = 0x8000; address < 0x10000; address += 0x0FFF) {
    ram_board::calls = {};
    write_mem(address, 0x5E);
    ASSERT_EQ(ram_board::calls.cpu_writes.size(), 1u);
    EXPECT_EQ(ram_board::calls.cpu_writes[0].first, address);
    EXPECT_EQ(ram_board::calls.cpu_writes[0].second, 0x5E);
    read_mem(address);
    ASSERT_EQ(ram_board::calls.cpu_reads.size(), 1u);
    EXPECT_EQ(ram_board::calls.cpu_reads[0], address);
  }
  EXPECT_EQ(CPU.Memory[0x8000], 0);  // cartridge space is not kept in Memory
}

TEST_F(MemoryMapTest, AnInstructionReadsTheBoardThroughTheCartridgeRoute) {
  ram_board::program[0x1234] = 0x6B;
  Execute({0xAD, 0x34, 0x92});  // LDA $9234
  EXPECT_EQ(CPU.AC, 0x6B);
  ASSERT_EQ(ram_board::calls.cpu_reads.size(), 1u);
  EXPECT_EQ(ram_board::calls.cpu_reads[0], 0x9234u);
}

TEST_F(MemoryMapTest, AddressesAboveFFFFAreReducedTo16Bits) {
  write_mem(0x10005, 0x3C);
  EXPECT_EQ(CPU.Memory[0x0005], 0x3C);
  EXPECT_EQ(CPU.Memory[0x1805], 0x3C);
  EXPECT_EQ(read_mem(0xFFFF0005u), 0x3C);
}

TEST_F(MemoryMapTest, StatusWriteReplacesTheWholeByteAndReadClearsVerticalBlank) {
  write_mem(0x2002, 0xC0);
  EXPECT_EQ(CPU.Memory[0x2002], 0xC0);
  HorV = 1;
  Execute({0xAD, 0x02, 0x20});  // LDA $2002
  EXPECT_EQ(CPU.AC, 0xC0);
  EXPECT_EQ(CPU.Memory[0x2002], 0x40);
  EXPECT_EQ(HorV, 0);
}

TEST_F(MemoryMapTest, ControlPortSetsThePatternTableAndKeepsTheByte) {
  CPU.AC = 0x90;
  Execute({0x8D, 0x00, 0x20});  // STA $2000
  EXPECT_EQ(BackGround.BackPatternTable, 0x1000);
  EXPECT_EQ(read_mem(0x2000), 0x90);
}

TEST_F(MemoryMapTest, ScrollPortWritesReachTheBackground) {
  CPU.AC = 0x10;
  Execute({0x8D, 0x05, 0x20});  // STA $2005
  CPU.AC = 0x20;
  Execute({0x8D, 0x05, 0x20});
  EXPECT_EQ(BackGround.HScroll, 0x10);
  EXPECT_EQ(BackGround.VScroll, 0x20);
  EXPECT_EQ(HorV, 0);
  EXPECT_EQ(CPU.Memory[0x2005], 0x20);
}

TEST_F(MemoryMapTest, AddressPortWritesMoveTheAddressLatch) {
  first_last = 0;
  write_mem(0x2006, 0x21);
  write_mem(0x2006, 0x08);
  EXPECT_EQ(WriteAddress, 0x2108);
}

TEST_F(MemoryMapTest, DataPortGoesToTheBoard) {
  CPU.AC = 0x77;
  Execute({0x8D, 0x07, 0x20});  // STA $2007
  ASSERT_EQ(ram_board::calls.ppu_writes.size(), 1u);
  EXPECT_EQ(ram_board::calls.ppu_writes[0], 0x77);
  Execute({0xAD, 0x07, 0x20});  // LDA $2007
  EXPECT_EQ(ram_board::calls.ppu_reads, 1);
  EXPECT_EQ(CPU.AC, 0x5A);
}

TEST_F(MemoryMapTest, SpritePortsAndDmaReachSpriteMemory) {
  write_mem(0x2003, 0x10);
  write_mem(0x2004, 0xAB);
  EXPECT_EQ(SPRRAM.SPR_RAM[0x10], 0xAB);
  for (unsigned int i = 0; i < 256; ++i) CPU.Memory[0x0200 + i] = static_cast<unsigned char>(i);
  CPU.AC = 0x02;
  Execute({0x8D, 0x14, 0x40});  // STA $4014
  EXPECT_EQ(SPRRAM.SPR_RAM[0x00], 0x00);
  EXPECT_EQ(SPRRAM.SPR_RAM[0xFF], 0xFF);
  EXPECT_EQ(CPU.Memory[0x4014], 0x02);
}

TEST_F(MemoryMapTest, JoypadPortsReachTheirOwnJoypad) {
  Joy1 = Joystick(0x4016);
  Joy2 = Joystick(0x4017);
  CPU.AC = 0x01;
  Execute({0x8D, 0x16, 0x40});  // STA $4016
  EXPECT_TRUE(Joy1.StrobeOnNext);
  EXPECT_FALSE(Joy2.StrobeOnNext);
  EXPECT_EQ(CPU.Memory[0x4016], 0x01);

  Joy1.SetButton(0);
  Execute({0xAD, 0x16, 0x40});  // LDA $4016
  EXPECT_EQ(CPU.AC, 1);
  EXPECT_EQ(Joy1.BitIndex, 1);
  EXPECT_EQ(Joy2.BitIndex, 0);

  Execute({0xAD, 0x17, 0x40});  // LDA $4017
  EXPECT_EQ(Joy2.BitIndex, 1);
}

TEST_F(MemoryMapTest, SoundRegistersAreStoredAndReadBack) {
  CPU.AC = 0x3F;
  Execute({0x8D, 0x15, 0x40});  // STA $4015
  CPU.AC = 0;
  Execute({0xAD, 0x15, 0x40});  // LDA $4015
  EXPECT_EQ(CPU.AC, 0x3F);
}

}  // namespace
