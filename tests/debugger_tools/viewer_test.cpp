// The hex viewers: the line format, the size and scroll arithmetic, and
// real windows that paint only what a scroll uncovers, keep their scroll
// values apart and never read memory through the ports.
#include <QAbstractSlider>
#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "debugger/view_memory.h"
#include "platform/hex_view_widget.h"
#include "ppu/spriteram.h"
#include "tests/debugger_tools/tools_fixture.h"

namespace {

TEST(ViewerLineFormat, LabelsFromTheStartOfTheAreaAndSixteenBytes) {
  for (int i = 0; i < 16; ++i) CPU.Memory[0xFFF0 + i] = static_cast<unsigned char>(0xA0 + i);
  EXPECT_EQ(ViewerLine(ViewerKind::CPUMem, 4095),
            "$FFF0: A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF");
  for (int i = 0; i < 16; ++i) CPU.Memory[0x100 + i] = static_cast<unsigned char>(i);
  EXPECT_EQ(ViewerLine(ViewerKind::Stack, 0),
            "$0000: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
  for (int i = 0; i < 16; ++i) SPRRAM.SPR_RAM[0xF0 + i] = 0;
  SPRRAM.SPR_RAM[0xF5] = 0x3C;
  EXPECT_EQ(ViewerLine(ViewerKind::Sprite, 15).substr(0, 24), "$00F0: 00 00 00 00 00 3C");
  EXPECT_EQ(ByteX(0), 48);
  EXPECT_EQ(ByteX(15), 48 + 24 * 15);
}

TEST(ViewerArithmetic, CapitalsAndWidestTextFromTheFontMetrics) {
  ViewerLayout layout;
  MeasureViewer(layout, {8, 15, 1, false}, 2);
  EXPECT_EQ(layout.xUpper, 8);
  EXPECT_EQ(layout.yChar, 16);
  EXPECT_EQ(layout.xClientMax, 48 * 8 + 12 * 8);
  MeasureViewer(layout, {9, 15, 1, false}, 3);  // the sprite viewer's narrower capitals
  EXPECT_EQ(layout.xUpper, 6);
  MeasureViewer(layout, {8, 15, 0, true}, 2);
  EXPECT_EQ(layout.xUpper, 12);
}

TEST(ViewerArithmetic, RangeEndsAt4098MinusTheLinesThatFit) {
  ViewerLayout layout;
  layout.yChar = 16;
  layout.yPos = 5000;
  SizeViewer(layout, 4096, 400, 480);
  EXPECT_EQ(layout.yMax, 4098 - 30);
  EXPECT_EQ(layout.yPos, layout.yMax);
  SizeViewer(layout, 16, 400, 16 * 40);  // the stack fits whole
  EXPECT_EQ(layout.yMax, 0);
  EXPECT_EQ(layout.yPos, 0);
  EXPECT_EQ(ScrollIncrement(layout, SB_PAGEDOWN, 0), 0);
  EXPECT_EQ(ScrollIncrement(layout, SB_LINEUP, 0), 0);
}

TEST(ViewerArithmetic, IncrementsByRequestClampedToTheRange) {
  ViewerLayout layout;
  layout.yChar = 16;
  SizeViewer(layout, 4096, 400, 16 * 30 + 7);
  layout.yPos = 10;
  EXPECT_EQ(ScrollIncrement(layout, SB_LINEDOWN, 0), 1);
  EXPECT_EQ(ScrollIncrement(layout, SB_PAGEDOWN, 0), 30);
  EXPECT_EQ(ScrollIncrement(layout, SB_PAGEUP, 0), -10);
  EXPECT_EQ(ScrollIncrement(layout, SB_THUMBTRACK, 300), 290);
  EXPECT_EQ(ScrollIncrement(layout, SB_THUMBTRACK, 9000), layout.yMax - 10);
  EXPECT_EQ(ScrollIncrement(layout, SB_THUMBPOSITION, 300), 0);  // the release changes nothing
  EXPECT_EQ(ScrollIncrement(layout, SB_ENDSCROLL, 0), 0);
}

TEST(ViewerArithmetic, PaintsFromALineAboveToThePartlyVisibleLastLine) {
  ViewerLayout layout;
  layout.yChar = 16;
  layout.yPos = 20;
  PaintRange(layout, 4096, 0, 100);
  EXPECT_EQ(layout.FirstLine, 19);
  EXPECT_EQ(layout.LastLine, 27);  // 96-100 shows the top of line 26
  PaintRange(layout, 4096, 64, 80);
  EXPECT_EQ(layout.FirstLine, 23);
  EXPECT_EQ(layout.LastLine, 25);
  layout.yPos = 4090;
  PaintRange(layout, 4096, 0, 480);
  EXPECT_EQ(layout.LastLine, 4096);
}

struct PaintedArea {
  int top, bottom;
};

class ViewerWindows : public ToolsTest {
 protected:
  void TearDown() override {
    for (WindowHandle window : windows_)
      if (LayoutOf(window) != nullptr) SendCloseRequest(window);
    QApplication::processEvents();
    ToolsTest::TearDown();
  }
  // The CPU viewer with its own procedures, its paints recorded.
  WindowHandle OpenRecorded() {
    TextWindowProcedures procedures = View_CPUMem_WndProc();
    const auto paint = procedures.onPaint;
    procedures.onPaint = [this, paint](WindowHandle hwnd, int top, int bottom) {
      painted.push_back({top, bottom});
      paint(hwnd, top, bottom);
    };
    return Opened(CreateTextWindow("View CPU Memory", ViewerMenu, 105, listing_, procedures));
  }
  WindowHandle Opened(WindowHandle window) {
    windows_.push_back(window);
    static_cast<QWidget*>(window)->resize(480, 400);
    Settle();
    return window;
  }
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
  static QScrollBar* Bar(WindowHandle window) {
    return qobject_cast<TextWindow*>(static_cast<QWidget*>(window))->ScrollBar();
  }
  static int ClientHeight(WindowHandle window) {
    return qobject_cast<TextWindow*>(static_cast<QWidget*>(window))->Canvas()->height();
  }
  std::vector<PaintedArea> painted;

 private:
  std::vector<WindowHandle> windows_;
};

TEST_F(ViewerWindows, EachKindOpensUnderItsTitleWithTheKeyboardFocus) {
  const std::pair<int, const char*> kinds[] = {{207, "View CPU Memory"},
                                               {208, "View PPU Memory"},
                                               {209, "View Stack Memory"},
                                               {222, "View Sprite Memory"}};
  for (const auto& [id, title] : kinds) {
    Debug_ViewMemory(listing_, id);
    Settle();
    QWidget* window = QApplication::focusWidget() ? QApplication::focusWidget()->window() : nullptr;
    ASSERT_NE(window, nullptr) << title;
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_TRUE(window->isVisible());
    Opened(window);
  }
  EXPECT_EQ(static_cast<QWidget*>(hWndSpriteMem)->windowTitle(), "View Sprite Memory");
  EXPECT_TRUE(messages.empty());
}

TEST_F(ViewerWindows, ALineDownRepaintsOnlyTheUncoveredStrip) {
  const WindowHandle window = OpenRecorded();
  const ViewerLayout& layout = *LayoutOf(window);
  ASSERT_GT(layout.yMax, 0);
  painted.clear();
  Bar(window)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Settle();
  EXPECT_EQ(layout.yPos, 1);
  EXPECT_EQ(Bar(window)->value(), 1);
  ASSERT_FALSE(painted.empty());
  for (const PaintedArea& area : painted) {
    EXPECT_GE(area.top, ClientHeight(window) - layout.yChar);
    EXPECT_LE(area.bottom - area.top, layout.yChar);
  }
}

TEST_F(ViewerWindows, DraggingTheThumbScrollsAndReleasingChangesNothing) {
  const WindowHandle window = OpenRecorded();
  const ViewerLayout& layout = *LayoutOf(window);
  QScrollBar* bar = Bar(window);
  bar->setSliderDown(true);
  bar->setSliderPosition(100);
  EXPECT_EQ(layout.yPos, 100);
  bar->setSliderPosition(bar->maximum());
  EXPECT_EQ(layout.yPos, bar->maximum());
  bar->setSliderDown(false);
  EXPECT_EQ(layout.yPos, bar->maximum());
  // The range ends at 4098 minus the lines that fit; the bar's thumb stops
  // a page earlier, so the last lines are reached by line down.
  EXPECT_EQ(layout.yMax, 4098 - ClientHeight(window) / layout.yChar);
  for (int i = 0; i < 40; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(layout.yPos, layout.yMax);
}

TEST_F(ViewerWindows, TwoWindowsOfOneKindScrollApart) {
  const WindowHandle first = OpenRecorded();
  const WindowHandle second = OpenRecorded();
  Bar(first)->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_GT(LayoutOf(first)->yPos, 0);
  EXPECT_EQ(LayoutOf(second)->yPos, 0);
  painted.clear();
  Bar(second)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(LayoutOf(second)->yPos, 1);
  EXPECT_GT(LayoutOf(first)->yPos, 1);
}

TEST_F(ViewerWindows, PaintingReadsMemoryNotThePorts) {
  CPU.Memory[0x2002] = 0x80;  // reading the status port would clear this
  const WindowHandle window = OpenRecorded();
  QScrollBar* bar = Bar(window);
  bar->setSliderPosition(0x200);  // line of $2000 at the top
  Settle();
  static_cast<QWidget*>(window)->grab();
  EXPECT_EQ(LayoutOf(window)->FirstLine, 0x200 - 1);
  EXPECT_EQ(CPU.Memory[0x2002], 0x80);
}

// Whatever face the desktop offers, the label and the 16 bytes stand in
// their 24-pixel columns: each byte's digits inked, the space before them
// clear, nothing spilling past the last column.
TEST_F(ViewerWindows, BytesStandInTheirColumns) {
  for (int i = 0; i < 16; ++i) CPU.Memory[i] = 0x88;
  const WindowHandle window = OpenRecorded();
  QWidget* canvas = qobject_cast<TextWindow*>(static_cast<QWidget*>(window))->Canvas();
  const QImage row = canvas->grab().toImage().copy(0, 0, canvas->width(), LayoutOf(window)->yChar);
  std::vector<bool> inked(static_cast<size_t>(row.width()), false);
  for (int x = 0; x < row.width(); ++x)
    for (int y = 0; y < row.height(); ++y)
      if (qGray(row.pixel(x, y)) < 160) inked[static_cast<size_t>(x)] = true;
  const auto anyInk = [&inked](int from, int to) {
    return std::any_of(inked.begin() + from, inked.begin() + to, [](bool b) { return b; });
  };
  EXPECT_TRUE(anyInk(0, 47)) << "the label";
  for (int k = 0; k < 16; ++k) {
    SCOPED_TRACE(k);
    const int column = 48 + 24 * k;
    EXPECT_FALSE(anyInk(column + 1, column + 7)) << "the space before the byte";
    EXPECT_TRUE(anyInk(column + 8, column + 16)) << "the first digit";
    EXPECT_TRUE(anyInk(column + 16, column + 24)) << "the second digit";
  }
  EXPECT_FALSE(anyInk(48 + 24 * 16 + 1, 48 + 24 * 16 + 12));
}

TEST_F(ViewerWindows, RefreshRepaintsEverythingAndExitCloses) {
  const WindowHandle window = OpenRecorded();
  painted.clear();
  static_cast<TextWindow*>(window)->Procedures().onCommand(window, IDM_VIEW_REFRESH);
  Settle();
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back().top, 0);
  EXPECT_GE(painted.back().bottom, ClientHeight(window));
  static_cast<TextWindow*>(window)->Procedures().onCommand(window, IDM_VIEW_EXIT);
  EXPECT_EQ(LayoutOf(window), nullptr);
  EXPECT_FALSE(static_cast<QWidget*>(window)->isVisible());
}

}  // namespace
