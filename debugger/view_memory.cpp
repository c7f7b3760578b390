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

// What one window shows: the bytes of its whole area as of its last look
// at the machine, and which of them that look found changed. Every paint
// draws these, so a scroll or an uncovered strip costs no pause of a
// running thread, and the highlights stand until the next look.
struct ViewerWindow {
  ViewerKind kind;
  ViewerLayout layout;
  std::vector<unsigned char> shown;
  std::vector<bool> changed;
};

// One entry per open window: two windows of a kind scroll apart.
std::unordered_map<WindowHandle, ViewerWindow>& OpenViewers() {
  static std::unordered_map<WindowHandle, ViewerWindow> viewers;
  return viewers;
}

ViewerWindow& Viewer(WindowHandle hwnd, ViewerKind kind) {
  return OpenViewers().try_emplace(hwnd, ViewerWindow{kind, {}, {}, {}}).first->second;
}

ViewerLayout& Layout(WindowHandle hwnd, ViewerKind kind) {
  return Viewer(hwnd, kind).layout;
}

std::vector<unsigned char> ReadArea(ViewerKind kind) {
  const ViewerParameters& viewer = ParametersOf(kind);
  std::vector<unsigned char> area(static_cast<std::size_t>(16 * viewer.lines));
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = viewer.byteAt(static_cast<int>(i));
  return area;
}

// One look at the machine for all the windows given, however many kinds
// they show: a running thread pauses once, and every window sees the same
// moment. With markChanges, a byte that differs from what its window
// showed is highlighted until the next look.
void LookAtTheMachine(const std::vector<WindowHandle>& windows, bool markChanges) {
  std::unordered_map<int, std::vector<unsigned char>> areas;
  for (WindowHandle hwnd : windows) areas[static_cast<int>(OpenViewers().at(hwnd).kind)];
  if (!machine::Inspect([&] {
        for (auto& [kind, area] : areas) area = ReadArea(static_cast<ViewerKind>(kind));
      }))
    return;
  for (WindowHandle hwnd : windows) {
    ViewerWindow& viewer = OpenViewers().at(hwnd);
    const std::vector<unsigned char>& now = areas.at(static_cast<int>(viewer.kind));
    viewer.changed.assign(now.size(), false);
    if (markChanges && viewer.shown.size() == now.size())
      for (std::size_t i = 0; i < now.size(); ++i) viewer.changed[i] = now[i] != viewer.shown[i];
    viewer.shown = now;
  }
}

std::vector<WindowHandle> EveryViewer() {
  std::vector<WindowHandle> windows;
  for (const auto& [hwnd, viewer] : OpenViewers()) windows.push_back(hwnd);
  return windows;
}

// The controller's followers hear of every step, edit, reset, end of a run
// and, while a thread runs the machine, about ten times a second.
void FollowTheMachine() {
  const std::vector<WindowHandle> windows = EveryViewer();
  LookAtTheMachine(windows, true);
  for (WindowHandle hwnd : windows) InvalidateWindow(hwnd);
}

int followerId = 0;  // while any viewer is open

void OnCreate(WindowHandle hwnd, ViewerKind kind) {
  MeasureViewer(Layout(hwnd, kind), GetTextMetrics(hwnd), ParametersOf(kind).capitalDivisor);
  LookAtTheMachine({hwnd}, false);
  if (followerId == 0) followerId = machine::Follow(FollowTheMachine);
}

void OnSize(WindowHandle hwnd, ViewerKind kind, int cx, int cy) {
  ViewerLayout& layout = Layout(hwnd, kind);
  SizeViewer(layout, ParametersOf(kind).lines, cx, cy);
  SetVScrollInfo(hwnd, 0, layout.yMax, cy / layout.yChar, layout.yPos);
}

void OnPaint(WindowHandle hwnd, ViewerKind kind, int top, int bottom) {
  ViewerWindow& viewer = Viewer(hwnd, kind);
  ViewerLayout& layout = viewer.layout;
  PaintRange(layout, ParametersOf(kind).lines, top, bottom);
  if (viewer.shown.size() < static_cast<std::size_t>(16 * layout.LastLine)) return;
  for (int line = layout.FirstLine; line < layout.LastLine; ++line) {
    const std::string text = FormatViewerLine(line, &viewer.shown[16 * line]);
    const int y = (line - layout.yPos) * layout.yChar;
    TextOut(hwnd, kLabelX, y, text.substr(0, 6));
    for (int k = 0; k < 16; ++k) {
      const TextLook look = viewer.changed[16 * line + k] ? TextLook::Changed : TextLook::Plain;
      TextOut(hwnd, ByteX(k), y, text.substr(6 + 3 * k, 3), look);
    }
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

// Refresh looks at the machine at once, a look like the follower's.
void OnCommand(WindowHandle hwnd, int id) {
  if (id == IDM_VIEW_REFRESH) {
    LookAtTheMachine({hwnd}, true);
    InvalidateWindow(hwnd);
  }
  if (id == IDM_VIEW_EXIT) SendCloseRequest(hwnd);
}

// Also when the debugger window takes its viewers along as it closes.
void OnDestroy(WindowHandle hwnd) {
  OpenViewers().erase(hwnd);
  if (OpenViewers().empty() && followerId != 0) {
    machine::Unfollow(followerId);
    followerId = 0;
  }
}

void OnClose(WindowHandle hwnd) {
  OnDestroy(hwnd);
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

std::string FormatViewerLine(int line, const unsigned char* bytes) {
  char text[6 + 16 * 3 + 1];
  std::snprintf(text, 7, "$%04X:", (16 * line) & 0xFFFF);
  for (int k = 0; k < 16; ++k) std::snprintf(text + 6 + 3 * k, 4, " %02X", bytes[k]);
  return text;
}

std::string ViewerLine(ViewerKind kind, int line) {
  unsigned char bytes[16];
  for (int k = 0; k < 16; ++k) bytes[k] = ParametersOf(kind).byteAt(16 * line + k);
  return FormatViewerLine(line, bytes);
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

const std::vector<unsigned char>* ShownBytesOf(WindowHandle window) {
  const auto found = OpenViewers().find(window);
  return found == OpenViewers().end() ? nullptr : &found->second.shown;
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
            View_##Name##_OnClose,                                                            \
            OnDestroy};                                                                       \
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
