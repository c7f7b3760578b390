#include "io/joystick.h"

Joystick Joy1(0x4016);
Joystick Joy2(0x4017);

Joystick::Joystick(unsigned int port) : Port(port == 0x4016 || port == 0x4017 ? port : 0x4016) {
  Strobe();
}

Joystick& Joystick::operator=(const Joystick& other) {
  for (int i = 0; i < 24; ++i) BitStream[i].store(other.BitStream[i].load());
  BitIndex = other.BitIndex;
  StrobeOnNext = other.StrobeOnNext;
  Port = other.Port;
  return *this;
}

// Only bit 0 counts. A 1 arms the strobe; the next 0 restarts the report.
void Joystick::write(unsigned char value) {
  const bool high = (value & 1) != 0;
  if (high && !StrobeOnNext) {
    StrobeOnNext = true;
  } else if (!high && StrobeOnNext) {
    Strobe();
    StrobeOnNext = false;
  }
}

unsigned char Joystick::read() {
  const signed char bit = BitStream[BitIndex].load(std::memory_order_relaxed);
  if (++BitIndex == 24) Strobe();
  return static_cast<unsigned char>(bit);
}

void Joystick::Strobe() {
  BitIndex = 0;
}
