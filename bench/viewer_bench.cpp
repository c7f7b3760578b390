// The CPU memory viewer on the offscreen platform: a full repaint of a
// window 60 lines tall, and dragging the thumb from the top to the bottom
// one line at a time, each step moving pixels and painting the new line.
#include <benchmark/benchmark.h>

#include <QAbstractSlider>
#include <QApplication>
#include <cstdlib>

#include "debugger/tool_templates.h"
#include "debugger/view_memory.h"
#include "platform/application.h"
#include "platform/hex_view_widget.h"

namespace {

TextWindow* OpenCpuViewer(int lines) {
  const WindowHandle handle =
      CreateTextWindow("View CPU Memory", ViewerMenu, 105, nullptr, View_CPUMem_WndProc());
  auto* window = static_cast<TextWindow*>(handle);
  const int extra = window->height() - window->Canvas()->height();
  window->resize(window->width(), extra + lines * LayoutOf(handle)->yChar);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  return window;
}

void BM_FullRepaintOf60Lines(benchmark::State& state) {
  TextWindow* window = OpenCpuViewer(60);
  for (auto _ : state) window->Canvas()->repaint();
  state.counters["lines"] = LayoutOf(window)->LastLine - LayoutOf(window)->FirstLine;
  SendCloseRequest(window);
  QApplication::processEvents();
}
BENCHMARK(BM_FullRepaintOf60Lines)->Unit(benchmark::kMicrosecond);

void BM_DragThumbTopToBottom(benchmark::State& state) {
  TextWindow* window = OpenCpuViewer(60);
  QScrollBar* bar = window->ScrollBar();
  for (auto _ : state) {
    bar->setSliderDown(true);
    for (int line = 1; line <= bar->maximum(); ++line) bar->setSliderPosition(line);
    bar->setSliderDown(false);
    state.PauseTiming();
    bar->setSliderPosition(0);
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["steps"] = bar->maximum();
  SendCloseRequest(window);
  QApplication::processEvents();
}
BENCHMARK(BM_DragThumbTopToBottom)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (!StartApplication(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  StopApplication();
  return 0;
}
