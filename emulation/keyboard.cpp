#include "emulation/keyboard.h"

#include "io/joystick.h"
#include "platform/virtual_keys.h"

namespace {

// Letters and main-row digits have their own character as virtual-key code.
constexpr unsigned int KeyA = 'A', KeyS = 'S', KeyX = 'X', KeyZ = 'Z';
constexpr unsigned int Key1 = '1', Key2 = '2';

enum PadButton { ButtonA, ButtonB, Select, Start, Up, Down, Left, Right };

// The pad button a key holds; -1 for the other keys.
int ButtonOf(unsigned int key) {
  switch (key) {
    case VK_LEFT:
      return Left;
    case VK_UP:
      return Up;
    case VK_RIGHT:
      return Right;
    case VK_DOWN:
      return Down;
    case KeyA:
      return Select;
    case KeyS:
      return Start;
    case KeyX:
      return ButtonA;
    case KeyZ:
      return ButtonB;
    default:
      return -1;
  }
}

// The buttons pressed by keys and not yet released by them, one bit each.
// The debugger's check boxes press buttons too; those are left alone.
unsigned int heldByKeys = 0;

}  // namespace

KeyRequest Emulate_KeyDown(unsigned int key) {
  if (key == VK_ESCAPE) return KeyRequest::End;
  if (key == Key1) return KeyRequest::SwitchBackground;
  if (key == Key2) return KeyRequest::SwitchSprites;
  const int button = ButtonOf(key);
  if (button < 0) return KeyRequest::None;
  Joy1.SetButton(button);
  heldByKeys |= 1u << button;
  return KeyRequest::None;
}

void Emulate_KeyUp(unsigned int key) {
  const int button = ButtonOf(key);
  if (button < 0) return;
  Joy1.ClearButton(button);
  heldByKeys &= ~(1u << button);
}

void ReleaseHeldButtons() {
  for (int button = 0; button < 8; ++button)
    if (heldByKeys & (1u << button)) Joy1.ClearButton(button);
  heldByKeys = 0;
}
