#pragma once
// One NES joypad as the CPU sees it: a strobe input and a serial report.

class Joystick {
 public:
  explicit Joystick(unsigned int port);

  void write(unsigned char value);
  unsigned char read();
  void Strobe();
  signed char GetButton(int index) const { return BitStream[index]; }
  void SetButton(int index) { BitStream[index] = 1; }
  void ClearButton(int index) { BitStream[index] = 0; }

  signed char BitStream[24] = {};
  int BitIndex = 0;
  bool StrobeOnNext = false;
  unsigned int Port = 0x4016;
};

extern Joystick Joy1;
extern Joystick Joy2;
