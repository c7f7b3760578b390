#include "platform/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <cmath>

namespace {

// What the listing and the viewers line up in columns.
const QString kMeasured =
    QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz $#(),:?");

QFont AtSize(QFont font, int points) {
  font.setPointSize(points);
  return font;
}

}  // namespace

bool MeasuresFixed(const QFont& font) {
  const QFontMetricsF metrics(font);
  const qreal advance = metrics.horizontalAdvance(kMeasured[0]);
  if (advance <= 0) return false;
  for (const QChar c : kMeasured)
    if (std::abs(metrics.horizontalAdvance(c) - advance) > 0.01) return false;
  // Kerning or shaping would still move a line's later columns.
  return std::abs(metrics.horizontalAdvance(kMeasured) - kMeasured.size() * advance) < 0.5;
}

QFont ChooseFixedPitchFont(const QStringList& preferred, int points) {
  for (const QString& family : preferred) {
    if (!QFontDatabase::hasFamily(family)) continue;
    const QFont font(family, points);
    if (QFontInfo(font).family() == family && MeasuresFixed(font)) return font;
  }
  const QFont system = AtSize(QFontDatabase::systemFont(QFontDatabase::FixedFont), points);
  if (MeasuresFixed(system)) return system;
  for (const QString& family : QFontDatabase::families()) {
    const QFont font(family, points);
    if (MeasuresFixed(font)) return font;
  }
  return system;
}

// Kept as its description: a QFont held past the application's end would
// outlive the font database it refers to.
QFont FixedPitchFont() {
  static const QString chosen =
      ChooseFixedPitchFont({QStringLiteral("DejaVu Sans Mono")}, 10).toString();
  QFont font;
  font.fromString(chosen);
  return font;
}
