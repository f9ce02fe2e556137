// The math font component against HarfBuzz read directly: constants, and glyphs grown to
// a size by variants and assemblies.

#include <gtest/gtest.h>
#include <hb-ot.h>
#include <hb.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <utility>

#include "platform/MathFont.h"

namespace {
class MathFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Path = TMathFont::DefaultPath();
    if (Path.isEmpty()) GTEST_SKIP() << "no math font installed";
    Font = TMathFont::Open(Path);
    ASSERT_NE(Font, nullptr);
    Blob = hb_blob_create_from_file(QFile::encodeName(Path).constData());
    Face = hb_face_create(Blob, 0);
    Hb = hb_font_create(Face);
    Upem = hb_face_get_upem(Face);
  }
  void TearDown() override {
    if (Hb) hb_font_destroy(Hb);
    if (Face) hb_face_destroy(Face);
    if (Blob) hb_blob_destroy(Blob);
  }
  QString Path;
  std::shared_ptr<const TMathFont> Font;
  hb_blob_t* Blob = nullptr;
  hb_face_t* Face = nullptr;
  hb_font_t* Hb = nullptr;
  unsigned Upem = 1000;
  static constexpr double Em = 40;
};
}  // namespace

TEST(MathFontOpen, RefusesWhatIsNoMathFont) {
  EXPECT_EQ(TMathFont::Open(QString()), nullptr);
  EXPECT_EQ(TMathFont::Open(QStringLiteral("/no/such/file.otf")), nullptr);
  EXPECT_EQ(TMathFont::Open(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt")), nullptr);
  // A font without a MATH table is no math font either.
  if (QFile::exists("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf")) {
    EXPECT_EQ(TMathFont::Open(QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf")), nullptr);
  }
}

TEST_F(MathFontTest, ConstantsAreTheTablesInPixels) {
  const std::pair<TMathConstant, hb_ot_math_constant_t> Pairs[] = {
      {TMathConstant::AxisHeight, HB_OT_MATH_CONSTANT_AXIS_HEIGHT},
      {TMathConstant::FractionRuleThickness, HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS},
      {TMathConstant::SuperscriptShiftUp, HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP},
      {TMathConstant::SubscriptShiftDown, HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN},
      {TMathConstant::UpperLimitGapMin, HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN},
      {TMathConstant::LowerLimitBaselineDropMin, HB_OT_MATH_CONSTANT_LOWER_LIMIT_BASELINE_DROP_MIN},
      {TMathConstant::FractionDenomDisplayStyleGapMin, HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN},
      {TMathConstant::OverbarExtraAscender, HB_OT_MATH_CONSTANT_OVERBAR_EXTRA_ASCENDER},
      {TMathConstant::RadicalKernAfterDegree, HB_OT_MATH_CONSTANT_RADICAL_KERN_AFTER_DEGREE},
      {TMathConstant::DisplayOperatorMinHeight, HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT},
  };
  for (const auto& [Ours, Theirs] : Pairs)
    EXPECT_DOUBLE_EQ(Font->Constant(Ours, Em), hb_ot_math_get_constant(Hb, Theirs) * Em / Upem) << int(Ours);
  // Percentages are not scaled.
  EXPECT_EQ(Font->Constant(TMathConstant::ScriptPercentScaleDown, Em),
            hb_ot_math_get_constant(Hb, HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN));
}

TEST_F(MathFontTest, GlyphsGrowToCoverTheSizeAskedFor) {
  const quint32 Paren = Font->Glyph(U'(');
  const quint32 Arrow = Font->Glyph(U'\u2192');
  ASSERT_NE(Paren, 0u);
  ASSERT_NE(Arrow, 0u);
  EXPECT_EQ(Font->Glyph(U'\U0010FFFD'), 0u);
  // Small sizes keep the glyph, larger ones take variants, the largest an assembly.
  EXPECT_EQ(Font->Stretched(Paren, 1, false, Em).Glyphs, std::vector<quint32>{Paren});
  for (double Ems : {1.5, 2.5, 4.0, 8.0, 20.0}) {
    SCOPED_TRACE(Ems);
    const TMathGlyphs Tall = Font->Stretched(Paren, Ems * Em, false, Em);
    EXPECT_GE(Tall.Ink.height(), Ems * Em - 0.5);
    // No more than a part's length too tall.
    EXPECT_LE(Tall.Ink.height(), Ems * Em + Em * 1.5);
    const TMathGlyphs Wide = Font->Stretched(Arrow, Ems * Em, true, Em);
    EXPECT_GE(Wide.Ink.width(), Ems * Em - 0.5);
  }
  EXPECT_GT(Font->Stretched(Paren, 20 * Em, false, Em).Glyphs.size(), 2u);
  // Sizes without end give a run of bounded length, quickly.
  EXPECT_LE(Font->Stretched(Paren, 1e12, false, Em).Glyphs.size(), 400u);
  // Asked again, after many other sizes, a size gives the same run (the answers are kept).
  const TMathGlyphs First = Font->Stretched(Paren, 6 * Em, false, Em);
  for (int Size = 1; Size < 5000; ++Size) Font->Stretched(Paren, Size, Size % 2 == 0, Em);
  const TMathGlyphs Again = Font->Stretched(Paren, 6 * Em, false, Em);
  EXPECT_EQ(Again.Glyphs, First.Glyphs);
  EXPECT_EQ(Again.Positions, First.Positions);
  EXPECT_EQ(Again.Ink, First.Ink);
}

TEST_F(MathFontTest, DrawsWhatItMeasures) {
  const TMathGlyphs Sigma = Font->Single(Font->Glyph(U'\u2211'), Em);
  QImage Image(200, 200, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  const QPointF Origin(50, 150);
  Font->Draw(Painter, Origin, Sigma, Em, Qt::black);
  Painter.end();
  QRect Ink;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (qGray(Image.pixel(X, Y)) < 128) Ink |= QRect(X, Y, 1, 1);
  const QRectF Measured = Sigma.Ink.translated(Origin);
  EXPECT_NEAR(Ink.left(), Measured.left(), 1.5);
  EXPECT_NEAR(Ink.right() + 1, Measured.right(), 1.5);
  EXPECT_NEAR(Ink.top(), Measured.top(), 1.5);
  EXPECT_NEAR(Ink.bottom() + 1, Measured.bottom(), 1.5);
}

// A raster picture laid out 64 times larger places each glyph as PDF rasterisers do: its
// origin on the pixel corner above and to its left, a small glyph's on the quarter pixel.
TEST_F(MathFontTest, PicturesPlaceGlyphsOnWholePixelsAndSmallOnesOnQuarters) {
  const auto Picture = [this](double X, double Y, double PixelEm = 16) {
    const double Fine = 64 * PixelEm;
    QImage Image(60, 60, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Painter.scale(1.0 / 64, 1.0 / 64);
    Font->Draw(Painter, QPointF(X * 64, Y * 64), Font->Single(Font->Glyph(U'x'), Fine), Fine, Qt::black);
    return Image;
  };
  EXPECT_EQ(Picture(10.7, 40.6), Picture(10, 40));
  EXPECT_NE(Picture(11, 40), Picture(10, 40));
  EXPECT_NE(Picture(10, 41), Picture(10, 40));
  EXPECT_EQ(Picture(10.7, 40, 10), Picture(10.5, 40, 10));
  EXPECT_NE(Picture(10.7, 40, 10), Picture(10, 40, 10));
}

TEST_F(MathFontTest, OpeningAPathAgainSharesTheFontWhileItIsHeld) {
  EXPECT_EQ(TMathFont::Open(Path), Font);
  Font.reset();
  // Once no one holds it, the next Open reads the file anew and shares that.
  const std::shared_ptr<const TMathFont> Again = TMathFont::Open(Path);
  ASSERT_NE(Again, nullptr);
  EXPECT_EQ(TMathFont::Open(Path), Again);
  EXPECT_EQ(TMathFont::Open(Path + ".missing"), nullptr);
}
