#include "debugger/view_memory.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/machine_controller.h"
#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "platform/message_box.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

WindowHandle hWndCpuMem = nullptr;
WindowHandle hWndPpuMem = nullptr;
WindowHandle hWndStackMem = nullptr;
WindowHandle hWndSpriteMem = nullptr;

namespace {

constexpr int kViewerIcon = 105;

// The whole 64 KB image, $8000-$FFFF included, which the core does not
// maintain; bytes straight from memory, so viewing $2002 changes nothing.
const ViewerParameters CpuViewer{"View CPU Memory", 4096,
                                 [](int index) { return CPU.Memory[index & 0xFFFF]; }, 2};
const ViewerParameters PpuViewer{"View PPU Memory", 1024,
                                 [](int index) { return PPU.PPUMem[index & 0x3FFF]; }, 2};
const ViewerParameters StackViewer{"View Stack Memory", 16,
                                   [](int index) { return CPU.Memory[0x100 + (index & 0xFF)]; }, 2};
// The sprite viewer measures its capitals narrower than the others.
const ViewerParameters SpriteViewer{"View Sprite Memory", 16,
                                    [](int index) { return SPRRAM.GetMem(index); }, 3};

struct ViewerWindow {
  ViewerKind kind;
  ViewerLayout layout;
};

// One entry per open window: two windows of a kind scroll apart.
std::unordered_map<WindowHandle, ViewerWindow>& OpenViewers() {
  static std::unordered_map<WindowHandle, ViewerWindow> viewers;
  return viewers;
}

ViewerLayout& Layout(WindowHandle hwnd, ViewerKind kind) {
  return OpenViewers().try_emplace(hwnd, ViewerWindow{kind, {}}).first->second.layout;
}

void OnCreate(WindowHandle hwnd, ViewerKind kind) {
  MeasureViewer(Layout(hwnd, kind), GetTextMetrics(hwnd), ParametersOf(kind).capitalDivisor);
}

void OnSize(WindowHandle hwnd, ViewerKind kind, int cx, int cy) {
  ViewerLayout& layout = Layout(hwnd, kind);
  SizeViewer(layout, ParametersOf(kind).lines, cx, cy);
  SetVScrollInfo(hwnd, 0, layout.yMax, cy / layout.yChar, layout.yPos);
}

// The lines are read in one look at the machine and drawn afterwards.
void OnPaint(WindowHandle hwnd, ViewerKind kind, int top, int bottom) {
  ViewerLayout& layout = Layout(hwnd, kind);
  PaintRange(layout, ParametersOf(kind).lines, top, bottom);
  std::vector<std::string> lines;
  machine::Inspect([&] {
    for (int line = layout.FirstLine; line < layout.LastLine; ++line)
      lines.push_back(ViewerLine(kind, line));
  });
  for (int line = layout.FirstLine; line < layout.LastLine; ++line) {
    const std::string& text = lines[line - layout.FirstLine];
    const int y = (line - layout.yPos) * layout.yChar;
    TextOut(hwnd, kLabelX, y, text.substr(0, 6));
    for (int k = 0; k < 16; ++k) TextOut(hwnd, ByteX(k), y, text.substr(6 + 3 * k, 3));
  }
}

void OnVScroll(WindowHandle hwnd, ViewerKind kind, int request, int pos) {
  ViewerLayout& layout = Layout(hwnd, kind);
  layout.yInc = ScrollIncrement(layout, request, pos);
  if (layout.yInc == 0) return;
  layout.yPos += layout.yInc;
  ScrollWindowContent(hwnd, 0, -layout.yChar * layout.yInc);
  SetVScrollPos(hwnd, layout.yPos);
  UpdateWindow(hwnd);
}

void OnCommand(WindowHandle hwnd, int id) {
  if (id == IDM_VIEW_REFRESH) InvalidateWindow(hwnd);
  if (id == IDM_VIEW_EXIT) SendCloseRequest(hwnd);
}

void OnClose(WindowHandle hwnd) {
  OpenViewers().erase(hwnd);
  DestroyWindow(hwnd);
}

}  // namespace

const ViewerParameters& ParametersOf(ViewerKind kind) {
  switch (kind) {
    case ViewerKind::CPUMem:
      return CpuViewer;
    case ViewerKind::PPUMem:
      return PpuViewer;
    case ViewerKind::Stack:
      return StackViewer;
    case ViewerKind::Sprite:
      break;
  }
  return SpriteViewer;
}

std::string ViewerLine(ViewerKind kind, int line) {
  const ViewerParameters& viewer = ParametersOf(kind);
  char text[6 + 16 * 3 + 1];
  std::snprintf(text, 7, "$%04X:", (16 * line) & 0xFFFF);
  for (int k = 0; k < 16; ++k)
    std::snprintf(text + 6 + 3 * k, 4, " %02X", viewer.byteAt(16 * line + k));
  return text;
}

void MeasureViewer(ViewerLayout& layout, const TextMetrics& metrics, int capitalDivisor) {
  layout.xChar = std::max(1, metrics.aveCharWidth);
  layout.xUpper = (metrics.variablePitch ? 3 : 2) * layout.xChar / capitalDivisor;
  layout.yChar = std::max(1, metrics.height + metrics.externalLeading);
  layout.xClientMax = 48 * layout.xChar + 12 * layout.xUpper;
}

// The horizontal values are kept although the content never moves
// sideways: nothing scrolls it.
void SizeViewer(ViewerLayout& layout, int lines, int cx, int cy) {
  layout.xClient = cx;
  layout.yClient = cy;
  layout.yMax = std::max(0, lines + 2 - cy / layout.yChar);
  layout.yPos = std::min(layout.yPos, layout.yMax);
  layout.xMax = std::max(0, 2 + (layout.xClientMax - cx) / layout.xChar);
  layout.xPos = std::min(layout.xPos, layout.xMax);
}

int ScrollIncrement(const ViewerLayout& layout, int request, int pos) {
  int increment = 0;
  switch (request) {
    case SB_LINEUP:
      increment = -1;
      break;
    case SB_LINEDOWN:
      increment = 1;
      break;
    case SB_PAGEUP:
      increment = std::min(-1, -layout.yClient / layout.yChar);
      break;
    case SB_PAGEDOWN:
      increment = std::max(1, layout.yClient / layout.yChar);
      break;
    case SB_THUMBTRACK:
      increment = pos - layout.yPos;
      break;
    default:
      break;
  }
  return std::max(-layout.yPos, std::min(increment, layout.yMax - layout.yPos));
}

// From one line above the area's top to the line its bottom cuts, so the
// partly visible line at the bottom is painted too.
void PaintRange(ViewerLayout& layout, int lines, int top, int bottom) {
  layout.FirstLine = std::max(0, layout.yPos + top / layout.yChar - 1);
  layout.LastLine = std::min(lines, layout.yPos + (bottom + layout.yChar - 1) / layout.yChar);
}

const ViewerLayout* LayoutOf(WindowHandle window) {
  const auto found = OpenViewers().find(window);
  return found == OpenViewers().end() ? nullptr : &found->second.layout;
}

#define TAVIRO_VIEWER_HANDLERS(Name, Kind)                                                    \
  void View_##Name##_OnCreate(WindowHandle hwnd) {                                            \
    OnCreate(hwnd, Kind);                                                                     \
  }                                                                                           \
  void View_##Name##_OnSize(WindowHandle hwnd, unsigned, int cx, int cy) {                    \
    OnSize(hwnd, Kind, cx, cy);                                                               \
  }                                                                                           \
  void View_##Name##_OnPaint(WindowHandle hwnd, int top, int bottom) {                        \
    OnPaint(hwnd, Kind, top, bottom);                                                         \
  }                                                                                           \
  void View_##Name##_OnClose(WindowHandle hwnd) {                                             \
    OnClose(hwnd);                                                                            \
  }                                                                                           \
  void View_##Name##_OnCommand(WindowHandle hwnd, int id, WindowHandle, unsigned) {           \
    OnCommand(hwnd, id);                                                                      \
  }                                                                                           \
  void View_##Name##_OnVScroll(WindowHandle hwnd, WindowHandle, unsigned code, int pos) {     \
    OnVScroll(hwnd, Kind, static_cast<int>(code), pos);                                       \
  }                                                                                           \
  TextWindowProcedures View_##Name##_WndProc() {                                              \
    return {View_##Name##_OnCreate,                                                           \
            [](WindowHandle hwnd, int cx, int cy) { View_##Name##_OnSize(hwnd, 0, cx, cy); }, \
            View_##Name##_OnPaint,                                                            \
            [](WindowHandle hwnd, int code, int pos) {                                        \
              View_##Name##_OnVScroll(hwnd, nullptr, static_cast<unsigned>(code), pos);       \
            },                                                                                \
            [](WindowHandle hwnd, int id) { View_##Name##_OnCommand(hwnd, id, nullptr, 0); }, \
            View_##Name##_OnClose};                                                           \
  }

TAVIRO_VIEWER_HANDLERS(CPUMem, ViewerKind::CPUMem)
TAVIRO_VIEWER_HANDLERS(PPUMem, ViewerKind::PPUMem)
TAVIRO_VIEWER_HANDLERS(Stack, ViewerKind::Stack)
TAVIRO_VIEWER_HANDLERS(Sprite, ViewerKind::Sprite)

// 207, 208, 209, 222: a new window each time; the handle of the last one
// of its kind is kept.
void Debug_ViewMemory(WindowHandle hdWnd, int id) {
  struct Choice {
    int id;
    ViewerKind kind;
    TextWindowProcedures (*procedures)();
    WindowHandle* handle;
  };
  static const Choice choices[] = {
      {207, ViewerKind::CPUMem, View_CPUMem_WndProc, &hWndCpuMem},
      {208, ViewerKind::PPUMem, View_PPUMem_WndProc, &hWndPpuMem},
      {209, ViewerKind::Stack, View_Stack_WndProc, &hWndStackMem},
      {222, ViewerKind::Sprite, View_Sprite_WndProc, &hWndSpriteMem},
  };
  for (const Choice& choice : choices) {
    if (choice.id != id) continue;
    const WindowHandle window = CreateTextWindow(ParametersOf(choice.kind).title, ViewerMenu,
                                                 kViewerIcon, hdWnd, choice.procedures());
    if (window == nullptr) {
      ShowMessage(hdWnd, "Couldn't create window", "Error", MessageIcon::Stop);
      return;
    }
    *choice.handle = window;
  }
}
