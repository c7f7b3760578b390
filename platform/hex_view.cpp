#include "platform/hex_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fixed_font.h"
#include "platform/hex_view_widget.h"

namespace {

// The viewers place their columns 12 pixels apart per two characters, so
// the fixed-pitch font must be at most 8 pixels wide: 10 points, or less
// where the chosen face is wider than that.
QFont ViewerFont() {
  QFont font = FixedPitchFont();
  for (int points = 10; points >= 6; --points) {
    font.setPointSize(points);
    if (QFontMetrics(font).horizontalAdvance('0') <= 8) break;
  }
  return font;
}

// Changed bytes: readable on screen and in print, not by colour alone in
// the sense that the ground and the ink both change.
const QColor kChangedGround(255, 224, 96);
const QColor kChangedInk(160, 0, 0);

TextWindow* WindowOf(WindowHandle handle) {
  return qobject_cast<TextWindow*>(static_cast<QWidget*>(handle));
}

// The classic scroll-bar request of a Qt slider action; -1 for none.
int RequestOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
      return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
      return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
      return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
      return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
      return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
      return SB_THUMBTRACK;
    default:
      return -1;
  }
}

}  // namespace

TextWindow::TextWindow(const QString& title, const std::vector<MenuItemTemplate>& menu,
                       QWidget* owner, const TextWindowProcedures& procedures)
    : QWidget(owner, Qt::Window), procedures_(procedures) {
  setWindowTitle(title);
  setFont(ViewerFont());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QMenuBar(this);
  for (const MenuItemTemplate& item : menu) {
    QAction* action = bar->addAction(QString::fromUtf8(item.text));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] {
      if (procedures_.onCommand) procedures_.onCommand(this, id);
    });
  }
  layout->setMenuBar(bar);

  auto* client = new QHBoxLayout;
  client->setContentsMargins(0, 0, 0, 0);
  client->setSpacing(0);
  canvas_ = new TextCanvas(this);
  bar_ = new QScrollBar(Qt::Vertical, this);
  bar_->setRange(0, 0);
  bar_->setFocusPolicy(Qt::NoFocus);
  client->addWidget(canvas_, 1);
  client->addWidget(bar_);
  layout->addLayout(client, 1);
  setFocusProxy(canvas_);
  canvas_->setAccessibleName(title);

  connect(bar_, &QScrollBar::actionTriggered, this, &TextWindow::OnScrollAction);
  connect(bar_, &QScrollBar::sliderReleased, this, [this] {
    if (!procedures_.onVScroll) return;
    procedures_.onVScroll(this, SB_THUMBPOSITION, bar_->sliderPosition());
    procedures_.onVScroll(this, SB_ENDSCROLL, 0);
  });
}

// The bar reports and the window decides: the position the action asked
// for goes to the procedure, and the bar goes back to where it was until
// the procedure sets it.
void TextWindow::OnScrollAction(int action) {
  const int requested = bar_->sliderPosition();
  bar_->setSliderPosition(bar_->value());
  const int request = RequestOf(action);
  if (request >= 0 && procedures_.onVScroll) procedures_.onVScroll(this, request, requested);
}

TextWindow::~TextWindow() {
  if (procedures_.onDestroy) procedures_.onDestroy(this);
}

void TextWindow::closeEvent(QCloseEvent* event) {
  if (!procedures_.onClose) {
    event->accept();
    deleteLater();
    return;
  }
  event->ignore();
  procedures_.onClose(this);
}

// The keys a user scrolls with go through the scroll bar, as its arrows do.
void TextWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      return bar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down:
      return bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_PageUp:
      return bar_->triggerAction(QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown:
      return bar_->triggerAction(QAbstractSlider::SliderPageStepAdd);
    default:
      QWidget::keyPressEvent(event);
  }
}

// The same few hundred texts (" %02X", the labels) are drawn over and
// over: laid out once, they draw several times faster.
const QStaticText& TextWindow::StaticText(const std::string& text) {
  if (staticTexts_.size() > 8192) staticTexts_.clear();
  auto found = staticTexts_.find(text);
  if (found == staticTexts_.end()) {
    QStaticText laidOut(QString::fromStdString(text));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), Canvas()->font());
    found = staticTexts_.emplace(text, laidOut).first;
  }
  return found->second;
}

TextCanvas::TextCanvas(TextWindow* window) : QWidget(window), window_(window) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

QSize TextCanvas::sizeHint() const {
  const QFontMetrics metrics(font());
  return QSize(8 + 12 * 36, 24 * metrics.lineSpacing());
}

void TextCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  painter.setPen(Qt::black);
  if (!window_->Procedures().onPaint) return;
  window_->painter = &painter;
  window_->Procedures().onPaint(window_, event->rect().top(),
                                event->rect().top() + event->rect().height());
  window_->painter = nullptr;
}

void TextCanvas::resizeEvent(QResizeEvent*) {
  if (window_->Procedures().onSize) window_->Procedures().onSize(window_, width(), height());
}

void TextCanvas::wheelEvent(QWheelEvent* event) {
  QCoreApplication::sendEvent(window_->ScrollBar(), event);
}

WindowHandle CreateTextWindow(const std::string& title, const std::vector<MenuItemTemplate>& menu,
                              int iconId, WindowHandle owner,
                              const TextWindowProcedures& procedures) {
  auto* window =
      new TextWindow(QString::fromStdString(title), menu, static_cast<QWidget*>(owner), procedures);
  SetWindowIcons(window, iconId);
  if (procedures.onCreate) procedures.onCreate(window);
  window->resize(window->sizeHint());
  window->show();
  FocusWindow(window);
  window->Canvas()->setFocus(Qt::OtherFocusReason);
  return window;
}

TextMetrics GetTextMetrics(WindowHandle handle) {
  TextWindow* window = WindowOf(handle);
  if (window == nullptr) return {1, 1, 0, false};
  const QFontMetrics metrics(window->Canvas()->font());
  return {metrics.averageCharWidth(), metrics.height(), std::max(0, metrics.leading()),
          !MeasuresFixed(window->Canvas()->font())};
}

void TextOut(WindowHandle handle, int x, int y, const std::string& text, TextLook look) {
  TextWindow* window = WindowOf(handle);
  if (window == nullptr || window->painter == nullptr) return;
  QPainter& painter = *window->painter;
  if (look == TextLook::Plain) {
    painter.drawStaticText(x, y, window->StaticText(text));
    return;
  }
  const QFontMetrics metrics(window->Canvas()->font());
  const std::size_t blanks = std::min(text.find_first_not_of(' '), text.size());
  const int from = x + metrics.horizontalAdvance(QString::fromStdString(text.substr(0, blanks)));
  const int to = x + metrics.horizontalAdvance(QString::fromStdString(text));
  painter.fillRect(from, y, to - from, metrics.lineSpacing(), kChangedGround);
  painter.setPen(kChangedInk);
  painter.drawStaticText(x, y, window->StaticText(text));
  painter.setPen(Qt::black);
}

void SetVScrollInfo(WindowHandle handle, int min, int max, int page, int pos) {
  TextWindow* window = WindowOf(handle);
  if (window == nullptr) return;
  QScrollBar* bar = window->ScrollBar();
  const QSignalBlocker quiet(bar);
  bar->setRange(min, std::max(min, max - std::max(page, 1) + 1));
  bar->setPageStep(std::max(page, 1));
  bar->setValue(pos);
}

void SetVScrollPos(WindowHandle handle, int pos) {
  if (TextWindow* window = WindowOf(handle)) {
    const QSignalBlocker quiet(window->ScrollBar());
    window->ScrollBar()->setValue(pos);
  }
}

int GetVScrollPos(WindowHandle handle) {
  TextWindow* window = WindowOf(handle);
  return window ? window->ScrollBar()->value() : 0;
}

void ScrollWindowContent(WindowHandle handle, int dx, int dy) {
  if (TextWindow* window = WindowOf(handle)) window->Canvas()->scroll(dx, dy);
}

void InvalidateWindow(WindowHandle handle) {
  if (TextWindow* window = WindowOf(handle)) window->Canvas()->update();
}

// Pending repaints are flushed by the top-level window's update request.
void UpdateWindow(WindowHandle handle) {
  if (TextWindow* window = WindowOf(handle))
    QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}
