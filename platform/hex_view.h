#pragma once
// A top-level window of text lines with a vertical scroll bar and a menu
// bar of commands: the memory viewers. The window only reports; its
// procedures decide. It paints what its procedures draw with TextOut in the
// area to repaint, moves its pixels when told to scroll, and reports the
// scroll bar's requests without moving the bar itself, as a classic window
// does.

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/window.h"

// What the scroll bar asks for.
enum ScrollRequest {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,  // the thumb released at pos
  SB_THUMBTRACK = 5,     // the thumb being dragged, at pos
  SB_TOP = 6,
  SB_BOTTOM = 7,
  SB_ENDSCROLL = 8,
};

struct TextWindowProcedures {
  std::function<void(WindowHandle window)> onCreate;
  // The client area's new size in pixels (without the scroll bar).
  std::function<void(WindowHandle window, int cx, int cy)> onSize;
  // Draw with TextOut what lies between top and bottom (bottom excluded);
  // the area has been cleared to white.
  std::function<void(WindowHandle window, int top, int bottom)> onPaint;
  std::function<void(WindowHandle window, int request, int pos)> onVScroll;
  std::function<void(WindowHandle window, int id)> onCommand;  // a menu item
  // The close box and Alt+F4; without a handler the window is destroyed.
  std::function<void(WindowHandle window)> onClose;
  // The window is going away, however it was closed (its owner too may
  // have taken it along); the handle is not valid afterwards.
  std::function<void(WindowHandle window)> onDestroy;
};

// Creates the window owned by owner, with the menu items on its menu bar
// and icon resource iconId, runs onCreate, shows it and gives it the
// keyboard focus. nullptr when it could not be created.
WindowHandle CreateTextWindow(const std::string& title, const std::vector<MenuItemTemplate>& menu,
                              int iconId, WindowHandle owner,
                              const TextWindowProcedures& procedures);

// The metrics of the window's font, as the classic text metrics give them.
struct TextMetrics {
  int aveCharWidth;
  int height;  // ascent and descent
  int externalLeading;
  bool variablePitch;
};
TextMetrics GetTextMetrics(WindowHandle window);

// Draws text with its top-left corner at x, y; only inside onPaint.
// Changed text (a byte that changed since the last look) stands out: dark
// red on a yellow ground, the leading blanks left white.
enum class TextLook { Plain, Changed };
void TextOut(WindowHandle window, int x, int y, const std::string& text,
             TextLook look = TextLook::Plain);

// The vertical scroll bar, in the classic terms: the range max includes
// the page, so the thumb stops at max - page + 1.
void SetVScrollInfo(WindowHandle window, int min, int max, int page, int pos);
void SetVScrollPos(WindowHandle window, int pos);
int GetVScrollPos(WindowHandle window);

// Moves the client area's pixels by dx, dy and leaves only the uncovered
// strip to be repainted.
void ScrollWindowContent(WindowHandle window, int dx, int dy);
// Marks the whole client area for repainting.
void InvalidateWindow(WindowHandle window);
// Repaints what is marked, now.
void UpdateWindow(WindowHandle window);
