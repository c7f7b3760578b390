#pragma once
// The four hex viewers of CPU memory, PPU memory, the stack page and sprite
// memory: one design with four parameter sets. Each window keeps its own
// layout and scroll values and paints only the lines the repaint area
// covers. It reads memory directly (never through the ports) in one look at
// the machine when it opens, on Refresh and whenever the machine controller
// tells its followers; the bytes that look found changed are drawn
// highlighted until the next.
// Debug_ViewMemory (debugger/tool_commands.h) opens them.

#include <string>
#include <vector>

#include "platform/hex_view.h"

enum class ViewerKind { CPUMem, PPUMem, Stack, Sprite };

// The last viewer window of each kind opened.
extern WindowHandle hWndCpuMem, hWndPpuMem, hWndStackMem, hWndSpriteMem;

// The layout and scroll values of one window, in pixels and lines.
struct ViewerLayout {
  int xChar = 1;       // average character width
  int xUpper = 1;      // width of a capital
  int yChar = 1;       // line height
  int xClientMax = 0;  // widest text
  int xClient = 0, yClient = 0;
  int xPos = 0, xMax = 0;
  int yPos = 0, yMax = 0, yInc = 0;  // yPos: the first line shown
  int FirstLine = 0, LastLine = 0;   // lines of the last paint, LastLine excluded
};

struct ViewerParameters {
  const char* title;
  int lines;
  unsigned char (*byteAt)(int index);  // the byte at offset 16 L + k
  int capitalDivisor;                  // xUpper = 3 or 2 (by pitch) x xChar / this
};
const ViewerParameters& ParametersOf(ViewerKind kind);

// "$%04X:" and 16 times " %02X", drawn at these pixel columns: from the
// 16 bytes given, or from the machine's memory now.
std::string FormatViewerLine(int line, const unsigned char* bytes);
std::string ViewerLine(ViewerKind kind, int line);
inline constexpr int kLabelX = 0;
inline int ByteX(int k) {
  return 12 * (4 + 2 * k);
}

// The area to repaint reaches OnPaint as its top and (excluded) bottom.

// The arithmetic of the handlers, apart from the window.
void MeasureViewer(ViewerLayout& layout, const TextMetrics& metrics, int capitalDivisor);
void SizeViewer(ViewerLayout& layout, int lines, int cx, int cy);
int ScrollIncrement(const ViewerLayout& layout, int request, int pos);  // clamped
void PaintRange(ViewerLayout& layout, int lines, int top, int bottom);

// The layout of an open viewer window, or nullptr; the bytes of its whole
// area as its last look at the machine found them, or nullptr.
const ViewerLayout* LayoutOf(WindowHandle window);
const std::vector<unsigned char>* ShownBytesOf(WindowHandle window);

TextWindowProcedures View_CPUMem_WndProc();
TextWindowProcedures View_PPUMem_WndProc();
TextWindowProcedures View_Stack_WndProc();
TextWindowProcedures View_Sprite_WndProc();

void View_CPUMem_OnCreate(WindowHandle hwnd);
void View_CPUMem_OnSize(WindowHandle hwnd, unsigned state, int cx, int cy);
void View_CPUMem_OnPaint(WindowHandle hwnd, int top, int bottom);
void View_CPUMem_OnClose(WindowHandle hwnd);
void View_CPUMem_OnCommand(WindowHandle hwnd, int id, WindowHandle hwndCtl, unsigned codeNotify);
void View_CPUMem_OnVScroll(WindowHandle hwnd, WindowHandle hwndCtl, unsigned code, int pos);
void View_PPUMem_OnCreate(WindowHandle hwnd);
void View_PPUMem_OnSize(WindowHandle hwnd, unsigned state, int cx, int cy);
void View_PPUMem_OnPaint(WindowHandle hwnd, int top, int bottom);
void View_PPUMem_OnClose(WindowHandle hwnd);
void View_PPUMem_OnCommand(WindowHandle hwnd, int id, WindowHandle hwndCtl, unsigned codeNotify);
void View_PPUMem_OnVScroll(WindowHandle hwnd, WindowHandle hwndCtl, unsigned code, int pos);
void View_Stack_OnCreate(WindowHandle hwnd);
void View_Stack_OnSize(WindowHandle hwnd, unsigned state, int cx, int cy);
void View_Stack_OnPaint(WindowHandle hwnd, int top, int bottom);
void View_Stack_OnClose(WindowHandle hwnd);
void View_Stack_OnCommand(WindowHandle hwnd, int id, WindowHandle hwndCtl, unsigned codeNotify);
void View_Stack_OnVScroll(WindowHandle hwnd, WindowHandle hwndCtl, unsigned code, int pos);
void View_Sprite_OnCreate(WindowHandle hwnd);
void View_Sprite_OnSize(WindowHandle hwnd, unsigned state, int cx, int cy);
void View_Sprite_OnPaint(WindowHandle hwnd, int top, int bottom);
void View_Sprite_OnClose(WindowHandle hwnd);
void View_Sprite_OnCommand(WindowHandle hwnd, int id, WindowHandle hwndCtl, unsigned codeNotify);
void View_Sprite_OnVScroll(WindowHandle hwnd, WindowHandle hwndCtl, unsigned code, int pos);
