// Our SVG and PDF drawn by the renderers other programs use (librsvg, poppler) look like
// our own PNG: every template of the palette, in both typesetting styles, at 12, 20 and
// 36 pt.

#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "interchange/ImageExport.h"

namespace {
// The palette's templates, and every bracket around content tall enough to grow it from
// pieces (pieces overlap: the place holes showed).
QStringList Formulas() {
  QFile File(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt"));
  if (!File.open(QIODevice::ReadOnly)) return {};
  QStringList Lines = QString::fromUtf8(File.readAll()).split('\n', Qt::SkipEmptyParts);
  const QString Tall = QStringLiteral("Division(EditArea(Division(EditArea(Simple(1))EditArea(Simple(2))))"
                                      "EditArea(Division(EditArea(Simple(3))EditArea(Simple(4)))))");
  QString Grown;
  for (const char* Kind : {"Round", "Square", "Figure", "Module", "DModule", "Floor", "Ceiling", "Corner", "BraKet"})
    Grown += QStringLiteral("Brackets%1(EditArea(%2))").arg(QLatin1String(Kind), Tall);
  Lines << "EditArea(" + Grown + ")";
  return Lines;
}

bool Dark(const QImage& Image, int X, int Y) { return qGray(Image.pixel(X, Y)) < 128; }

bool DarkNear(const QImage& Image, int X, int Y) {
  for (int DY = -1; DY <= 1; ++DY)
    for (int DX = -1; DX <= 1; ++DX)
      if (Image.rect().contains(X + DX, Y + DY) && qGray(Image.pixel(X + DX, Y + DY)) <= 200) return true;
  return false;
}

// Ink of A with no ink of B within a pixel (two rasterisers round a glyph's place apart),
// and all ink of A.
std::pair<int, int> Unmatched(const QImage& A, const QImage& B) {
  int Ink = 0, Alone = 0;
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X)
      if (Dark(A, X, Y)) {
        ++Ink;
        Alone += !DarkNear(B, X, Y);
      }
  return {Alone, Ink};
}

// Holes show as our ink missing in theirs; stray fills as theirs missing in ours. A few
// per cent differ anyway: a one-pixel line on whole pixels is one dark row on our raster
// and two grey ones in a renderer that antialiases it.
void ExpectSamePicture(const QImage& Ours, const QImage& Theirs) {
  ASSERT_FALSE(Theirs.isNull());
  EXPECT_LE(qAbs(Ours.width() - Theirs.width()), 1);
  EXPECT_LE(qAbs(Ours.height() - Theirs.height()), 1);
  const auto [Missing, Ink] = Unmatched(Ours, Theirs);
  const auto [Stray, TheirInk] = Unmatched(Theirs, Ours);
  ASSERT_GT(Ink, 0);
  EXPECT_LT(Missing, Ink / 20) << Missing << " of our " << Ink << " inked pixels missing";
  EXPECT_LT(Stray, TheirInk / 20) << Stray << " of their " << TheirInk << " inked pixels stray";
}

QImage Drawn(const QString& Program, const QStringList& Arguments, const QString& Output) {
  QProcess Process;
  Process.start(Program, Arguments);
  if (!Process.waitForFinished(60000) || Process.exitCode() != 0) {
    ADD_FAILURE() << Program.toStdString() << ": " << Process.readAllStandardError().toStdString();
    return {};
  }
  return QImage(Output).convertToFormat(QImage::Format_RGB32);
}

struct Picture {
  QImage Png;
  QString Svg, Pdf;
};

// The editor set in Style at Points.
void SetStyle(TZelkEquation& Editor, TTypesettings::TTypesetting Style, int Points) {
  Editor.SetTypesetting(Style);
  QFont Font = Editor.font();
  Font.setPointSize(Points);
  Editor.setFont(Font);
}

Picture Write(const TZelkEquation& Editor, const QString& Dir, const QString& Name, double Scale) {
  TRenderOptions Options;
  Options.Scale = Scale;
  Picture P;
  P.Svg = Dir + "/" + Name + ".svg";
  P.Pdf = Dir + "/" + Name + ".pdf";
  const QString Png = Dir + "/" + Name + ".png";
  for (const auto& [Format, Path] :
       {std::pair{TImageFormat::Svg, P.Svg}, std::pair{TImageFormat::Pdf, P.Pdf}, std::pair{TImageFormat::Png, Png}}) {
    QFile File(Path);
    EXPECT_TRUE(File.open(QIODevice::WriteOnly));
    EXPECT_TRUE(WriteImage(Editor, Format, File, Options));
  }
  P.Png = QImage(Png).convertToFormat(QImage::Format_RGB32);
  return P;
}
}  // namespace

TEST(OtherRenderers, DrawEveryTemplateAsWeDo) {
  const QString Rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
  const QString Poppler = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (Rsvg.isEmpty() || Poppler.isEmpty()) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) or pdftoppm (poppler-utils) missing";
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QStringList Lines = Formulas();
  ASSERT_FALSE(Lines.isEmpty());
  for (const TTypesettings::TTypesetting Style : {TTypesettings::Math, TTypesettings::Classic}) {
    for (const int Points : {12, 20, 36}) {
      EditorFixture F;
      SetStyle(*F.Editor, Style, Points);
      for (int I = 0; I < Lines.size(); ++I) {
        F.Editor->SetData(Lines[I]);
        // At 1.5 the pieces of a stretched glyph fall between device pixels.
        const double Scale = Points == 20 ? 1.5 : 1.0;
        SCOPED_TRACE(QStringLiteral("style %1, row %2, %3 pt").arg(int(Style)).arg(I + 1).arg(Points).toStdString());
        const QString Name = QStringLiteral("r%1-%2-%3").arg(int(Style)).arg(I).arg(Points);
        const Picture P = Write(*F.Editor, Dir.path(), Name, Scale);
        const QString FromSvg = Dir.filePath(Name + "-rsvg.png");
        ExpectSamePicture(P.Png, Drawn(Rsvg, {"--background-color", "white", "-o", FromSvg, P.Svg}, FromSvg));
        const QString FromPdf = Dir.filePath(Name + "-pdf");
        ExpectSamePicture(P.Png, Drawn(Poppler, {"-r", "96", "-png", "-singlefile", P.Pdf, FromPdf},
                                     FromPdf + ".png"));
      }
    }
  }
}

// A PDF rasteriser gives a glyph the coverage of its outline; our PNG of the Math style
// is as dark (glyph runs scaled down from the fine layout had come out lighter, the thin
// ends of a bracket a pixel short; a third of the ink at 12 pt).
TEST(OtherRenderers, PopplerDrawsOurMathGlyphsAsDarkAsOurPng) {
  const QString Poppler = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (Poppler.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) missing";
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  auto Ink = [](const QImage& Image) {
    int Count = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
      for (int X = 0; X < Image.width(); ++X) Count += Dark(Image, X, Y);
    return Count;
  };
  const QString Formula = QStringLiteral("EditArea(BracketsRound(EditArea(Simple(x)Simple(+)Simple(y)))Simple(=)Simple(a))");
  for (const int Points : {12, 20, 36}) {
    SCOPED_TRACE(Points);
    EditorFixture F;
    SetStyle(*F.Editor, TTypesettings::Math, Points);
    F.Editor->SetData(Formula);
    const QString Name = QStringLiteral("dark-%1").arg(Points);
    const Picture P = Write(*F.Editor, Dir.path(), Name, 1.0);
    const QString FromPdf = Dir.filePath(Name + "-pdf");
    const int Theirs = Ink(Drawn(Poppler, {"-r", "96", "-png", "-singlefile", P.Pdf, FromPdf}, FromPdf + ".png"));
    ASSERT_GT(Theirs, 0);
    EXPECT_NEAR(Ink(P.Png), Theirs, Theirs * 0.1);
  }
}

// A raster picture keeps baselines and rules on whole pixels, as PDF rasterisers draw
// them: the flat foot of an F ends at a pixel's edge, and a fraction bar thinner than a
// pixel still shows as one full row at any size.
TEST(OtherRenderers, OurMathPngPutsBaselinesAndRulesOnWholePixels) {
  auto Rows = [](const QImage& Image, int Threshold) {
    std::vector<int> Dark;
    for (int Y = 0; Y < Image.height(); ++Y) {
      int Count = 0;
      for (int X = 0; X < Image.width(); ++X) Count += qGray(Image.pixel(X, Y)) < Threshold;
      Dark.push_back(Count);
    }
    return Dark;
  };
  for (const int Points : {9, 10, 11, 12, 13, 20, 36}) {
    SCOPED_TRACE(Points);
    EditorFixture F;
    SetStyle(*F.Editor, TTypesettings::Math, Points);
    TRenderOptions Options;
    // The foot: the row under the F's last dark row holds no ink to speak of.
    F.Editor->SetData(QStringLiteral("EditArea(Simple(F))"));
    QBuffer Png;
    Png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteImage(*F.Editor, TImageFormat::Png, Png, Options));
    const QImage Letter = QImage::fromData(Png.data()).convertToFormat(QImage::Format_RGB32);
    const std::vector<int> Dark = Rows(Letter, 128);
    const int Last = static_cast<int>(std::find_if(Dark.rbegin(), Dark.rend(), [](int C) { return C > 0; }).base() - Dark.begin()) - 1;
    ASSERT_GE(Last, 0);
    EXPECT_EQ(Rows(Letter, 224)[Last + 1], 0);
    // The bar: one row inked across the wider part at least.
    F.Editor->SetData(QStringLiteral("EditArea(Division(EditArea(Simple(a)Simple(b)Simple(c))EditArea(Simple(d))))"));
    QBuffer Bar;
    Bar.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteImage(*F.Editor, TImageFormat::Png, Bar, Options));
    const QImage Fraction = QImage::fromData(Bar.data()).convertToFormat(QImage::Format_RGB32);
    const std::vector<int> Across = Rows(Fraction, 128);
    EXPECT_GE(*std::max_element(Across.begin(), Across.end()), Points);
    // A radical's bar is its rule alone: no outline of the fine layout grows into rows
    // of its own.
    F.Editor->SetData(QStringLiteral("EditArea(Root(EditArea(Simple(x)Simple(x)Simple(x)Simple(x))))"));
    QBuffer Root;
    Root.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteImage(*F.Editor, TImageFormat::Png, Root, Options));
    const std::vector<int> Radical = Rows(QImage::fromData(Root.data()).convertToFormat(QImage::Format_RGB32), 128);
    const int Widest = *std::max_element(Radical.begin(), Radical.end());
    const int Rule = std::count_if(Radical.begin(), Radical.end(), [&](int C) { return C > Widest * 9 / 10; });
    EXPECT_LE(Rule, std::ceil(0.052 * Points * 96 / 72));
  }
}
