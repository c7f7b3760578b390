// The fixed-pitch font is chosen by what it measures: DejaVu Sans Mono when
// it is installed, else a face whose digits and letters all have one
// advance, whatever the desktop's own monospace face reports of itself.
#include "platform/fixed_font.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace {

// As text is laid out: the advance may be a fraction of a pixel (DejaVu
// Sans Mono 10 pt is 7.8 pixels at 96 dpi), but it is the same for every
// character, and a line is as wide as its characters side by side.
void ExpectOneAdvance(const QFont& font) {
  const QFontMetricsF metrics(font);
  const QString all = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const qreal advance = metrics.horizontalAdvance('0');
  EXPECT_GT(advance, 0);
  for (const QChar c : all)
    EXPECT_NEAR(metrics.horizontalAdvance(c), advance, 0.01) << c.toLatin1();
  EXPECT_NEAR(metrics.horizontalAdvance(all), all.size() * advance, 0.5);
}

TEST(FixedPitchFont, IsDejaVuSansMonoTenPointWhenInstalled) {
  const QFont font = FixedPitchFont();
  ExpectOneAdvance(font);
  EXPECT_EQ(font.pointSize(), 10);
  if (QFontDatabase::hasFamily("DejaVu Sans Mono")) {
    EXPECT_EQ(QFontInfo(font).family(), "DejaVu Sans Mono");
  }
}

TEST(FixedPitchFont, WithoutThePreferredFaceAnotherThatMeasuresFixed) {
  const QFont font = ChooseFixedPitchFont({"No Such Face At All"}, 10);
  ExpectOneAdvance(font);
  EXPECT_NE(QFontInfo(font).family(), "No Such Face At All");
}

TEST(FixedPitchFont, AProportionalFaceDoesNotMeasureFixed) {
  if (!QFontDatabase::hasFamily("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  EXPECT_FALSE(MeasuresFixed(QFont("DejaVu Sans", 10)));
  EXPECT_TRUE(MeasuresFixed(FixedPitchFont()));
}

}  // namespace
