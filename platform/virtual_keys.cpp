#include "platform/virtual_keys.h"

#include <QKeyEvent>

namespace {

unsigned int KeypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return VK_MULTIPLY;
    case Qt::Key_Plus:
      return VK_ADD;
    case Qt::Key_Minus:
      return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return VK_DECIMAL;
    case Qt::Key_Slash:
      return VK_DIVIDE;
    case Qt::Key_Enter:
      return VK_RETURN;
    default:
      return 0;
  }
}

}  // namespace

unsigned int VirtualKeyCode(const QKeyEvent& event) {
  const int key = event.key();
  // With Num Lock off the keypad sends arrows, which keep the arrows' codes.
  if (event.modifiers() & Qt::KeypadModifier) {
    if (const unsigned int code = KeypadCode(key)) return code;
  } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return VK_0 + (key - Qt::Key_0);
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return VK_A + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Tab:
      return VK_TAB;
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    default:
      return 0;
  }
}

bool IsRepeatRelease(const QKeyEvent& event) {
  return event.type() == QEvent::KeyRelease && event.isAutoRepeat();
}
