#include "platform/picture_window.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/ui_thread.h"
#include "platform/virtual_keys.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kUsualRefreshRate = 60.0;

// Where the picture goes in a window of the given size: the largest whole
// multiple that fits, centred; a window smaller than the picture gets the
// largest size of the same shape instead.
QRect PictureRect(const QSize& area) {
  const int scale = std::min(area.width() / SurfaceWidth, area.height() / SurfaceHeight);
  QSize size(SurfaceWidth * scale, SurfaceHeight * scale);
  if (scale < 1) {
    size = area.width() * SurfaceHeight <= area.height() * SurfaceWidth
               ? QSize(area.width(), area.width() * SurfaceHeight / SurfaceWidth)
               : QSize(area.height() * SurfaceWidth / SurfaceHeight, area.height());
  }
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
               size);
}

// One picture as it was handed over: indices in rows of 640, and the palette.
struct Frame {
  std::vector<unsigned char> pixels = std::vector<unsigned char>(SurfaceWidth * SurfaceHeight);
  std::array<tagPALETTEENTRY, 256> palette{};
  unsigned long number = 0;  // the flip it belongs to
  unsigned long serial = 0;  // which publication it was

  void CopyFrom(const DisplayPicture& picture) {
    for (int y = 0; y < SurfaceHeight; ++y)
      std::memcpy(&pixels[y * SurfaceWidth], picture.pixels + y * picture.pitch, SurfaceWidth);
    std::memcpy(palette.data(), picture.palette, sizeof palette);
  }
};

class PictureWidget;

class PictureWindowDisplay final : public PictureDisplay,
                                   public std::enable_shared_from_this<PictureWindowDisplay> {
 public:
  explicit PictureWindowDisplay(bool textFollowsFlip) : textFollowsFlip_(textFollowsFlip) {}

  // UI thread, once, right after the widget is made.
  void Attach(PictureWidget* widget, double refreshRate);

  long Flip(const DisplayPicture& picture) override;
  void Refresh(const DisplayPicture& picture) override;
  void HideCursor() override;

  WindowHandle Window() const override;
  void Show() override;
  void Focus() override;
  void Destroy() override;
  PictureSnapshot Shown() const override;

  // UI thread: the last published picture in colour, converted once each.
  const QImage& Image();

 private:
  // Runs call with the widget on the UI thread, if the widget still exists.
  void OnWidget(std::function<void(PictureWidget&)> call);
  void PublishLocked();
  void RequestPaint();
  void WaitForRefresh();

  const bool textFollowsFlip_;

  mutable std::mutex mutex_;  // guards the frames below
  Frame staged_;
  Frame published_;
  bool stagedWaiting_ = false;  // staged_ holds a flip not yet published
  unsigned long flips_ = 0;
  unsigned long publications_ = 0;
  std::atomic<bool> paintPosted_{false};

  // The flipping thread only.
  Clock::duration period_{};
  Clock::time_point nextRefresh_{};

  // The UI thread only.
  QPointer<PictureWidget> widget_;
  QImage image_{SurfaceWidth, SurfaceHeight, QImage::Format_RGB32};
  unsigned long convertedSerial_ = 0;
};

class PictureWidget : public QWidget {
 public:
  PictureWidget(const PictureWindowOptions& options, std::shared_ptr<PictureWindowDisplay> display)
      : QWidget(static_cast<QWidget*>(options.owner), Qt::Window),
        options_(options),
        display_(std::move(display)) {
    setWindowTitle(QString::fromStdString(options.title));
    setAccessibleName(QString::fromStdString(options.title));
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: picture or black
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 48);
    move(0, 0);
    resize(SurfaceWidth, SurfaceHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect target = PictureRect(size());
    for (const QRect& band : QRegion(rect()).subtracted(target)) painter.fillRect(band, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, display_->Image());
  }

  void keyPressEvent(QKeyEvent* event) override {
    const unsigned int code = VirtualKeyCode(*event);
    if (code != 0 && options_.onKeyDown) options_.onKeyDown(code);
    event->accept();
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    event->accept();
    if (IsRepeatRelease(*event)) return;
    const unsigned int code = VirtualKeyCode(*event);
    if (code != 0 && options_.onKeyUp) options_.onKeyUp(code);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QWidget::focusOutEvent(event);
    if (options_.onFocusLost) options_.onFocusLost();
  }

  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (options_.onClose) options_.onClose();
  }

  // Tab is a key like any other here, not a move to another control.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  PictureWindowOptions options_;
  std::shared_ptr<PictureWindowDisplay> display_;
};

void PictureWindowDisplay::Attach(PictureWidget* widget, double refreshRate) {
  widget_ = widget;
  if (!(refreshRate >= 24 && refreshRate <= 500)) refreshRate = kUsualRefreshRate;
  period_ =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / refreshRate));
  image_.fill(Qt::black);
}

// No refresh signal reaches a widget on X11, and none at all under a
// virtual X server or while minimised: the next refresh is the next tick of
// the screen's own period, so a flip never waits longer than one period
// and frames keep the screen's rate. A flip that comes late by a whole
// period or more starts the ticks afresh instead of hurrying to catch up.
void PictureWindowDisplay::WaitForRefresh() {
  const Clock::time_point now = Clock::now();
  if (nextRefresh_ + period_ < now) nextRefresh_ = now;
  std::this_thread::sleep_until(nextRefresh_);
  nextRefresh_ += period_;
}

long PictureWindowDisplay::Flip(const DisplayPicture& picture) {
  bool published = false;
  if (textFollowsFlip_) {
    // The last flip got no text: show it as it is before waiting.
    std::lock_guard lock(mutex_);
    if (stagedWaiting_) {
      PublishLocked();
      published = true;
    }
  }
  if (published) RequestPaint();
  WaitForRefresh();
  {
    std::lock_guard lock(mutex_);
    staged_.CopyFrom(picture);
    staged_.number = ++flips_;
    stagedWaiting_ = true;
    if (!textFollowsFlip_) PublishLocked();
  }
  if (!textFollowsFlip_) RequestPaint();
  return DD_OK;
}

void PictureWindowDisplay::Refresh(const DisplayPicture& picture) {
  {
    std::lock_guard lock(mutex_);
    staged_.CopyFrom(picture);
    staged_.number = flips_;
    PublishLocked();
  }
  RequestPaint();
}

void PictureWindowDisplay::PublishLocked() {
  std::swap(staged_, published_);
  published_.serial = ++publications_;
  stagedWaiting_ = false;
}

// One paint request at a time is in the UI's queue; the paint shows
// whatever was published last by then.
void PictureWindowDisplay::RequestPaint() {
  if (paintPosted_.exchange(true)) return;
  PostToUiThread([self = shared_from_this()] {
    self->paintPosted_ = false;
    if (self->widget_) self->widget_->update();
  });
}

void PictureWindowDisplay::OnWidget(std::function<void(PictureWidget&)> call) {
  PostToUiThread([self = shared_from_this(), call = std::move(call)] {
    if (self->widget_) call(*self->widget_);
  });
}

void PictureWindowDisplay::HideCursor() {
  OnWidget([](PictureWidget& widget) { widget.setCursor(Qt::BlankCursor); });
}

WindowHandle PictureWindowDisplay::Window() const {
  return static_cast<QWidget*>(widget_.data());
}

void PictureWindowDisplay::Show() {
  OnWidget([](PictureWidget& widget) {
    widget.show();
    widget.repaint();
  });
}

void PictureWindowDisplay::Focus() {
  OnWidget([](PictureWidget& widget) { FocusWindow(&widget); });
}

void PictureWindowDisplay::Destroy() {
  OnWidget([](PictureWidget& widget) {
    widget.unsetCursor();
    widget.hide();
    widget.deleteLater();
  });
}

PictureSnapshot PictureWindowDisplay::Shown() const {
  std::lock_guard lock(mutex_);
  PictureSnapshot shown;
  shown.frame = published_.number;
  shown.pixels = published_.pixels;
  shown.palette.assign(published_.palette.begin(), published_.palette.end());
  return shown;
}

// Each palette entry is turned into a colour once, then every pixel is one
// table look-up.
const QImage& PictureWindowDisplay::Image() {
  std::lock_guard lock(mutex_);
  if (published_.serial == convertedSerial_ || published_.serial == 0) return image_;
  std::array<QRgb, 256> colours;
  for (int i = 0; i < 256; ++i) {
    const tagPALETTEENTRY& entry = published_.palette[i];
    colours[i] = qRgb(entry.peRed, entry.peGreen, entry.peBlue);
  }
  for (int y = 0; y < SurfaceHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    const unsigned char* source = &published_.pixels[y * SurfaceWidth];
    for (int x = 0; x < SurfaceWidth; ++x) line[x] = colours[source[x]];
  }
  convertedSerial_ = published_.serial;
  return image_;
}

}  // namespace

std::shared_ptr<PictureDisplay> CreatePictureWindow(const PictureWindowOptions& options) {
  if (!OnUiThread()) return nullptr;
  auto display = std::make_shared<PictureWindowDisplay>(options.textFollowsFlip);
  auto* widget = new PictureWidget(options, display);
  QScreen* screen = widget->screen();
  display->Attach(widget, screen ? screen->refreshRate() : kUsualRefreshRate);
  return display;
}
