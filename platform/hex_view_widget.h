#pragma once
// The widgets behind platform/hex_view.h.

#include <QScrollBar>
#include <QStaticText>
#include <QWidget>
#include <string>
#include <unordered_map>

#include "platform/hex_view.h"

class QPainter;
class TextCanvas;

class TextWindow : public QWidget {
  Q_OBJECT

 public:
  TextWindow(const QString& title, const std::vector<MenuItemTemplate>& menu, QWidget* owner,
             const TextWindowProcedures& procedures);
  ~TextWindow() override;

  const TextWindowProcedures& Procedures() const { return procedures_; }
  TextCanvas* Canvas() const { return canvas_; }
  QScrollBar* ScrollBar() const { return bar_; }
  // The painter of the paint going on, or nullptr.
  QPainter* painter = nullptr;
  // text laid out in the window's font, kept for the next paint.
  const QStaticText& StaticText(const std::string& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnScrollAction(int action);

  TextWindowProcedures procedures_;
  TextCanvas* canvas_;
  QScrollBar* bar_;
  std::unordered_map<std::string, QStaticText> staticTexts_;
};

// The client area: white, painted only where exposed, so that a scroll
// moves pixels and repaints the uncovered strip alone.
class TextCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit TextCanvas(TextWindow* window);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  TextWindow* window_;
};
