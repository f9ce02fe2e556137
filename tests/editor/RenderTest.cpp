// Drawing the formula outside the editor: Render at any scale, with or without the editing
// marks, on the background or transparent, and the pictures written from it.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "TestSupport.h"
#include "interchange/ImageExport.h"

namespace {
const QString Formula = QStringLiteral(
    "EditArea(Simple(x)Simple(=)Division(EditArea(Simple(a))EditArea()))"
    "EditArea(IntLimitBottomTopOne(EditArea(Simple(x))EditArea(Simple(0))EditArea(ExtSymbol(8734))))");

int Inked(const QImage& Image) {
  int Count = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X) {
      const QColor C = Image.pixelColor(X, Y);
      Count += C.alpha() > 128 && qGray(C.rgb()) < 128;
    }
  return Count;
}

struct Rendered : EditorFixture {
  Rendered() {
    Editor->SetData(Formula);
    Editor->resize(Editor->RenderSize());
  }
};
}  // namespace

TEST(Render, WithTheMarksItIsTheEditorAsShown) {
  Rendered F;
  TRenderOptions Options;
  Options.EditingMarks = true;
  const QImage Shown = F.Editor->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage Drawn = F.Editor->RenderImage(Options).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Drawn, Shown);
}

TEST(Render, WithoutTheMarksNoFrameNoCaretNoSlotFrame) {
  Rendered F;
  TEditArea* Empty = SlotOf(F.Line(0), 2, 1);
  ASSERT_TRUE(Empty->GetIsEmpty());
  TRenderOptions Marks;
  Marks.EditingMarks = true;
  const QImage With = F.Editor->RenderImage(Marks);
  const QImage Without = F.Editor->RenderImage();
  EXPECT_LT(qGray(With.pixel(0, 0)), 128);
  EXPECT_EQ(Without.pixel(0, 0), QColor(Qt::white).rgba());
  const QRect Slot(Empty->HostPosition(), Empty->BoundsRect().size());
  EXPECT_LT(qGray(With.pixel(Slot.topLeft())), 128);
  EXPECT_EQ(Without.pixel(Slot.topLeft()), QColor(Qt::white).rgba());
  // The formula's own ink is all there; only marks are missing.
  EXPECT_GT(Inked(Without), 100);
  EXPECT_LT(Inked(Without), Inked(With));
  // The editor itself still shows its marks afterwards.
  EXPECT_LT(qGray(F.Editor->grab().toImage().pixel(0, 0)), 128);
}

TEST(Render, TransparentKeepsOnlyTheInk) {
  Rendered F;
  TRenderOptions Options;
  Options.Transparent = true;
  const QImage Image = F.Editor->RenderImage(Options);
  EXPECT_EQ(qAlpha(Image.pixel(1, 1)), 0);
  int Opaque = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X) Opaque += qAlpha(Image.pixel(X, Y)) == 255;
  EXPECT_GT(Opaque, 50);
  EXPECT_LT(Opaque, Image.width() * Image.height() / 4);
}

TEST(Render, ScalesToAnySizeOnAnyPainter) {
  Rendered F;
  const QSize Size = F.Editor->RenderSize();
  TRenderOptions Double;
  Double.Scale = 2;
  const QImage Image = F.Editor->RenderImage(Double);
  EXPECT_EQ(Image.size(), Size * 2);
  EXPECT_GT(Inked(Image), 3 * Inked(F.Editor->RenderImage()));
  // On a painter of the caller's, at its origin, with its state kept.
  QImage Target(Size + QSize(40, 40), QImage::Format_ARGB32);
  Target.fill(Qt::red);
  QPainter Painter(&Target);
  Painter.translate(20, 20);
  const QTransform Before = Painter.transform();
  F.Editor->Render(Painter);
  EXPECT_EQ(Painter.transform(), Before);
  Painter.end();
  EXPECT_EQ(Target.pixel(10, 10), QColor(Qt::red).rgba());
  EXPECT_EQ(Target.pixel(21, 21), QColor(Qt::white).rgba());
}

TEST(ImageExport, WritesEachFormatAndRefusesADeviceItCannotWrite) {
  Rendered F;
  TImageFormat Format;
  ASSERT_TRUE(ImageFormatOfFile("a/b.SVG", Format));
  EXPECT_EQ(Format, TImageFormat::Svg);
  EXPECT_FALSE(ImageFormatOfFile("formula.txt", Format));

  QBuffer Png, Svg, Pdf;
  for (QBuffer* B : {&Png, &Svg, &Pdf}) B->open(QIODevice::WriteOnly);
  EXPECT_TRUE(WriteImage(*F.Editor, TImageFormat::Png, Png, {}));
  EXPECT_TRUE(WriteImage(*F.Editor, TImageFormat::Svg, Svg, {}));
  EXPECT_TRUE(WriteImage(*F.Editor, TImageFormat::Pdf, Pdf, {}));
  EXPECT_EQ(QImage::fromData(Png.data(), "PNG").size(), F.Editor->RenderSize());
  EXPECT_TRUE(Svg.data().contains("<svg"));
  EXPECT_TRUE(Svg.data().contains("viewBox=\"0 0 " + QByteArray::number(F.Editor->RenderSize().width())));
  EXPECT_TRUE(Pdf.data().startsWith("%PDF"));

  QBuffer Closed;
  QString Error;
  EXPECT_FALSE(WriteImage(*F.Editor, TImageFormat::Png, Closed, {}, &Error));
  EXPECT_FALSE(Error.isEmpty());
  TRenderOptions Huge;
  Huge.Scale = 1e9;
  Closed.open(QIODevice::WriteOnly);
  EXPECT_FALSE(WriteImage(*F.Editor, TImageFormat::Png, Closed, Huge, &Error));
}

TEST(ImageExport, AnSvgOfStretchedDelimitersDrawsAsThePngDoes) {
  // Brackets grown from pieces over tall content: the pieces overlap.
  EditorFixture F;
  F.Editor->SetTypesetting(TTypesettings::Math);
  const QString Tall = QStringLiteral("Division(EditArea(Division(EditArea(Simple(1))EditArea(Simple(2))))"
                                      "EditArea(Division(EditArea(Simple(3))EditArea(Simple(4)))))");
  F.Editor->SetData("EditArea(BracketsRound(EditArea(" + Tall + "))BracketsFigure(EditArea(" + Tall + ")))");
  ASSERT_NE(F.Editor->MathFontInUse(), nullptr);
  for (const double Scale : {1.0, 1.8}) {
    SCOPED_TRACE(Scale);
    TRenderOptions Options;
    Options.Scale = Scale;
    QBuffer Png, Svg;
    Png.open(QIODevice::WriteOnly);
    Svg.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteImage(*F.Editor, TImageFormat::Png, Png, Options));
    ASSERT_TRUE(WriteImage(*F.Editor, TImageFormat::Svg, Svg, Options));
    const QImage Ours = QImage::fromData(Png.data(), "PNG");
    QSvgRenderer Renderer(Svg.data());
    QImage Drawn(Ours.size(), QImage::Format_ARGB32);
    Drawn.fill(Qt::white);
    QPainter Painter(&Drawn);
    Renderer.render(&Painter, QRectF(QPointF(0, 0), Ours.size()));
    Painter.end();
    // Where our picture has ink the SVG's must too, within a pixel (the two rasterisers
    // may round a glyph's place apart): a hole shows as ink missing.
    auto SvgInkNear = [&Drawn](int X, int Y) {
      for (int DY = -1; DY <= 1; ++DY)
        for (int DX = -1; DX <= 1; ++DX)
          if (Drawn.rect().contains(X + DX, Y + DY) && qGray(Drawn.pixel(X + DX, Y + DY)) <= 200) return true;
      return false;
    };
    int Ink = 0, Missing = 0;
    for (int Y = 0; Y < Ours.height(); ++Y)
      for (int X = 0; X < Ours.width(); ++X)
        if (qGray(Ours.pixel(X, Y)) < 128) {
          ++Ink;
          Missing += !SvgInkNear(X, Y);
        }
    ASSERT_GT(Ink, 0);
    EXPECT_LT(Missing, Ink / 50) << Missing << " of " << Ink;
  }
}

TEST(ImageExport, AMathPictureKeepsItsPlacesExactAtAnySize) {
  // Laid out in whole pixels, every place rounds apart at each size; kept exact, a
  // formula at 40 pt is the one at 20 pt twice as large, but for the lengths TeX gives
  // in points whatever the size: a matrix's 10 pt between columns.
  auto ViewBox = [](int Points, TTypesettings::TTypesetting Style, const char* Latex) {
    EditorFixture F;
    QFont Font(QStringLiteral("DejaVu Serif"));
    Font.setPointSize(Points);
    F.Editor->setFont(Font);
    F.Editor->SetTypesetting(Style);
    F.Editor->PutLaTeX(QString::fromLatin1(Latex));
    QBuffer Svg;
    Svg.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteImage(*F.Editor, TImageFormat::Svg, Svg, {}));
    return QSvgRenderer(Svg.data()).viewBoxF().size();
  };
  const char* Formula = "x=-b\\pm\\sqrt{b^2-4ac}\\qquad\\int_0^\\infty e^{-x^2}\\,dx\\qquad\\sum_{i=1}^n i^2";
  const QSizeF Small = ViewBox(20, TTypesettings::Math, Formula), Large = ViewBox(40, TTypesettings::Math, Formula);
  ASSERT_GT(Small.width(), 100);
  EXPECT_NEAR(Large.width(), 2 * Small.width(), 0.5);
  EXPECT_NEAR(Large.height(), 2 * Small.height(), 0.5);
  const char* Matrix = "\\begin{matrix}a&b\\end{matrix}";
  const double Gap = 10 * 96 / 72.27;
  EXPECT_NEAR(ViewBox(40, TTypesettings::Math, Matrix).width() - Gap,
              2 * (ViewBox(20, TTypesettings::Math, Matrix).width() - Gap), 0.5);
  // Classic keeps the editor's whole pixels in its pictures too.
  const QSizeF Classic = ViewBox(20, TTypesettings::Classic, Formula);
  EXPECT_EQ(Classic, Classic.toSize());
}
