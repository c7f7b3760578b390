// The picture window on its own: whole-multiple nearest-neighbour scaling
// with black around the picture, text that reaches the screen with its
// flip, and keys as virtual-key codes.
#include "platform/picture_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/virtual_keys.h"

namespace {

// A picture whose every pixel tells where it is: column x has index x % 4.
struct TestPicture {
  std::vector<unsigned char> pixels = std::vector<unsigned char>(SurfacePitch * SurfaceHeight);
  tagPALETTEENTRY palette[256] = {};

  TestPicture() {
    palette[0] = {255, 0, 0, 0};
    palette[1] = {0, 255, 0, 0};
    palette[2] = {0, 0, 255, 0};
    palette[3] = {255, 255, 255, 0};
    for (int y = 0; y < SurfaceHeight; ++y)
      for (int x = 0; x < SurfaceWidth; ++x) pixels[y * SurfacePitch + x] = x % 4;
  }
  DisplayPicture Picture() const { return {pixels.data(), SurfacePitch, palette}; }
  QRgb Colour(int x) const {
    const tagPALETTEENTRY& entry = palette[x % 4];
    return qRgb(entry.peRed, entry.peGreen, entry.peBlue);
  }
};

PictureWindowOptions Titled(const char* title, bool textFollowsFlip = false) {
  PictureWindowOptions options;
  options.title = title;
  options.textFollowsFlip = textFollowsFlip;
  return options;
}

QWidget* WidgetOf(const PictureDisplay& display) {
  return static_cast<QWidget*>(display.Window());
}

TEST(PictureWindow, ScalesByWholeMultiplesWithBlackAroundAndNoBlur) {
  auto display = CreatePictureWindow(Titled("Picture"));
  ASSERT_TRUE(display);
  QWidget* window = WidgetOf(*display);
  EXPECT_EQ(window->windowTitle(), "Picture");
  TestPicture test;
  display->Flip(test.Picture());
  window->resize(1300, 1000);  // room for twice the size, 10 and 20 pixels to spare
  const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(1300, 1000));
  EXPECT_EQ(shown.pixel(5, 500), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(650, 10), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(1295, 990), qRgb(0, 0, 0));
  for (int x = 0; x < 8; ++x) {
    for (int dx = 0; dx < 2; ++dx) {
      EXPECT_EQ(shown.pixel(10 + 2 * x + dx, 20), test.Colour(x)) << "column " << x;
      EXPECT_EQ(shown.pixel(10 + 2 * x + dx, 21 + 2 * 100), test.Colour(x)) << "column " << x;
    }
  }
  display->Destroy();
}

TEST(PictureWindow, SmallerWindowShowsTheWholePictureInItsShape) {
  auto display = CreatePictureWindow(Titled("Small"));
  QWidget* window = WidgetOf(*display);
  TestPicture test;
  display->Flip(test.Picture());
  window->resize(320, 400);
  const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // 320 x 240, centred: 80 black rows above and below.
  EXPECT_EQ(shown.pixel(100, 79), qRgb(0, 0, 0));
  EXPECT_NE(shown.pixel(100, 80), qRgb(0, 0, 0));
  EXPECT_NE(shown.pixel(100, 319), qRgb(0, 0, 0));
  EXPECT_EQ(shown.pixel(100, 320), qRgb(0, 0, 0));
  display->Destroy();
}

// The text drawn after a flip comes with that flip's picture; a flip that
// gets no text is shown when the next flip comes.
TEST(PictureWindow, TextAfterTheFlipIsShownWithThatFrame) {
  auto display = CreatePictureWindow(Titled("Text", true));
  TestPicture test;
  display->Flip(test.Picture());
  EXPECT_EQ(display->Shown().frame, 0u) << "the flip waits for its text";
  test.pixels[0] = 3;  // the text
  display->Refresh(test.Picture());
  PictureSnapshot shown = display->Shown();
  EXPECT_EQ(shown.frame, 1u);
  EXPECT_EQ(shown.pixels[0], 3);

  test.pixels[0] = 2;
  display->Flip(test.Picture());  // no text this time
  EXPECT_EQ(display->Shown().frame, 1u);
  test.pixels[0] = 1;
  display->Flip(test.Picture());
  shown = display->Shown();
  EXPECT_EQ(shown.frame, 2u);
  EXPECT_EQ(shown.pixels[0], 2);
  display->Destroy();
}

TEST(PictureWindow, KeysArriveAsVirtualKeyCodesWithoutRepeatReleases) {
  std::vector<unsigned int> downs, ups;
  int closes = 0;
  PictureWindowOptions options = Titled("Keys");
  options.onKeyDown = [&](unsigned int key) { downs.push_back(key); };
  options.onKeyUp = [&](unsigned int key) { ups.push_back(key); };
  options.onClose = [&] { ++closes; };
  auto display = CreatePictureWindow(options);
  QPointer<QWidget> window = WidgetOf(*display);
  window->show();

  auto send = [&](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool repeat) {
    QKeyEvent event(type, key, modifiers, QString(), repeat);
    QCoreApplication::sendEvent(window, &event);
  };
  send(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, false);
  send(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, true);  // X11's half of a repeat
  send(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, true);
  send(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, false);
  send(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, false);
  send(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier, false);
  send(QEvent::KeyPress, Qt::Key_Left, Qt::KeypadModifier, false);  // keypad 4, Num Lock off
  send(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, false);
  send(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, false);
  send(QEvent::KeyPress, Qt::Key_Launch0, Qt::NoModifier, false);  // no code: not passed on
  EXPECT_EQ(downs, (std::vector<unsigned int>{0x58, 0x58, 0x31, 0x61, 0x25, 0x09, 0x1B}));
  EXPECT_EQ(ups, (std::vector<unsigned int>{0x58}));

  window->close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(window->isVisible()) << "the owner decides when the window goes";
  display->Destroy();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

}  // namespace
