#include "tests/debugger_tools/picture_probe.h"

#include "platform/picture_window.h"

bool ShownPicture(const std::shared_ptr<PictureDisplay>& display, RgbPicture& picture) {
  if (display == nullptr) return false;
  const PictureSnapshot shown = display->Shown();
  if (shown.frame < 1 || shown.pixels.empty()) return false;
  picture = SurfaceToRgb(shown.pixels.data(), SurfaceWidth, shown.palette.data());
  return true;
}

void UseHeadlessDisplay() {
  UseDisplay(nullptr);
}
