#pragma once
// One NES joypad as the CPU sees it: a strobe input and a serial report.
// The buttons are atomic: the keys of the game window set them on the
// emulation thread while the debugger's check boxes set them on the UI
// thread and the CPU reads them on whichever thread runs it.

#include <atomic>

class Joystick {
 public:
  explicit Joystick(unsigned int port);
  // A pad is copied button by button (atomics do not copy themselves).
  Joystick(const Joystick& other) { *this = other; }
  Joystick& operator=(const Joystick& other);

  void write(unsigned char value);
  unsigned char read();
  void Strobe();
  signed char GetButton(int index) const {
    return BitStream[index].load(std::memory_order_relaxed);
  }
  void SetButton(int index) { BitStream[index].store(1, std::memory_order_relaxed); }
  void ClearButton(int index) { BitStream[index].store(0, std::memory_order_relaxed); }

  std::atomic<signed char> BitStream[24] = {};
  int BitIndex = 0;
  bool StrobeOnNext = false;
  unsigned int Port = 0x4016;
};

extern Joystick Joy1;
extern Joystick Joy2;
