// Watched addresses: the checking route entries, the execute flags, the
// sprite-DMA reads and the stop after the accessing instruction.

#include "cpu/watch.h"

#include "cpu/bus.h"

namespace cpu::watch {

std::array<unsigned char, 0x10000> Watched{};

namespace {

Listener listener = nullptr;
unsigned int watchedCount = 0;
unsigned int executeCount = 0;
std::array<unsigned short, 256> readWatchesInPage{};

bool stopped = false;
Access stopAccess;
constexpr int kNoAddress = -1;
int passOnce = kNoAddress;

// Far above any count a scanline reaches, so that the run loop's one compare
// against the line length sends the instruction to the driver's bookkeeping.
constexpr unsigned int kStopMark = 0x40000000;

void Hit(const Access& access) {
  if (listener == nullptr || !listener(access) || stopped) return;
  stopped = true;
  stopAccess = access;
  if (access.kind != kExecute) CPU.Cycles += kStopMark;
}

}  // namespace

void Watch(unsigned int address, unsigned int kinds) {
  address &= 0xFFFF;
  kinds &= kExecute | kRead | kWrite;
  const unsigned int old = Watched[address];
  if (old == kinds) return;
  watchedCount += (kinds != 0) - (old != 0);
  executeCount += ((kinds & kExecute) != 0) - ((old & kExecute) != 0);
  readWatchesInPage[address >> 8] += ((kinds & kRead) != 0) - ((old & kRead) != 0);
  Watched[address] = static_cast<unsigned char>(kinds);
  ReadMemTable[address] = (kinds & kRead) ? routes::kReadWatched : routes::ReadRouteOf(address);
  WriteMemTable[address] = (kinds & kWrite) ? routes::kWriteWatched : routes::WriteRouteOf(address);
}

void ClearAll() {
  if (watchedCount != 0)
    for (unsigned int address = 0; address < Watched.size(); ++address) Watch(address, 0);
  listener = nullptr;
  passOnce = kNoAddress;
}

void SetListener(Listener newListener) {
  listener = newListener;
}

bool Any() {
  return watchedCount != 0;
}

bool AnyExecute() {
  return executeCount != 0;
}

bool ExecuteWatchedIn(unsigned int first, unsigned int last) {
  for (unsigned int address = first; address <= last; ++address)
    if (ExecuteWatched(address)) return true;
  return false;
}

bool ExecuteHit() {
  const bool passing = CPU.PC == passOnce;
  passOnce = kNoAddress;
  if (passing) return false;
  Hit({kExecute, CPU.PC, Fetch(CPU.PC), CPU.PC, false});
  return stopped;
}

void PassOnce(unsigned int pc) {
  passOnce = ExecuteWatched(pc) ? static_cast<int>(pc & 0xFFFF) : kNoAddress;
}

unsigned char WatchedRead(unsigned int address) {
  const routes::Read route = routes::ReadRouteOf(address);
  const unsigned char value =
      route == routes::kReadPlain ? CPU.Memory[address] : ReadThroughRoute(route, address);
  Hit({kRead, static_cast<unsigned short>(address), value, CPU.PC, false});
  return value;
}

void WatchedWrite(unsigned int address, unsigned char value) {
  const routes::Write route = routes::WriteRouteOf(address);
  if (route == routes::kWriteRam)
    StoreToRam(address, value);
  else if (route == routes::kWritePlain)
    CPU.Memory[address] = value;
  else
    WriteThroughRoute(route, address, value);
  Hit({kWrite, static_cast<unsigned short>(address), value, CPU.PC, false});
}

bool PageReadWatched(unsigned char page) {
  return readWatchesInPage[page] != 0;
}

void DmaRead(unsigned char page) {
  const unsigned int first = page << 8;
  for (unsigned int address = first; address < first + 0x100; ++address)
    if (Watched[address] & kRead)
      Hit({kRead, static_cast<unsigned short>(address), CPU.Memory[address], CPU.PC, true});
}

bool Stopped() {
  return stopped;
}

Access TakeStop() {
  stopped = false;
  return stopAccess;
}

bool TakeStopMark() {
  if (CPU.Cycles < kStopMark) return false;
  CPU.Cycles -= kStopMark;
  return true;
}

}  // namespace cpu::watch
