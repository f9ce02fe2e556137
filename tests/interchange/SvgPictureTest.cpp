// The Math style's SVG writer: what a painter draws comes out in the picture's pixels,
// as viewers draw it.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "interchange/SvgPicture.h"

namespace {
QByteArray Draw(QSizeF Size, const std::function<void(QPainter&)>& Paint) {
  QBuffer Out;
  Out.open(QIODevice::WriteOnly);
  TSvgPicture Picture(Out, Size, 96, QStringLiteral("A <title> & more"));
  QPainter Painter;
  EXPECT_TRUE(Painter.begin(&Picture));
  Paint(Painter);
  EXPECT_TRUE(Painter.end());
  return Out.data();
}

QImage Rasterised(const QByteArray& Svg, QSize Size) {
  QSvgRenderer Renderer(Svg);
  EXPECT_TRUE(Renderer.isValid()) << Svg.toStdString();
  QImage Image(Size, QImage::Format_ARGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  Renderer.render(&Painter);
  return Image;
}
}  // namespace

TEST(SvgPicture, WritesCoordinatesInPicturePixelsToAHundredth) {
  const QByteArray Svg = Draw({40.5, 20}, [](QPainter& P) {
    // Drawn at 64 times the size and scaled down, as the Math style's pictures are.
    P.scale(1.0 / 64, 1.0 / 64);
    P.fillRect(QRectF(64, 64, 640, 320), Qt::black);
    P.fillRect(QRectF(-32.32, 0, 1, 1), Qt::black);
  });
  EXPECT_TRUE(Svg.contains("viewBox=\"0 0 40.5 20\"")) << Svg.toStdString();
  EXPECT_TRUE(Svg.contains("width=\"10.72mm\""));
  EXPECT_TRUE(Svg.contains("M1 1L11 1L11 6L1 6"));
  EXPECT_TRUE(Svg.contains("M-0.51 0L-0.49 0"));
  EXPECT_TRUE(Svg.contains("<title>A &lt;title&gt; &amp; more</title>"));
  const QImage Image = Rasterised(Svg, {41, 20});
  EXPECT_EQ(qGray(Image.pixel(5, 3)), 0);
  EXPECT_EQ(qGray(Image.pixel(20, 15)), 255);
}

TEST(SvgPicture, FillsByTheRuleStrokesWithThePenAndKeepsOpacity) {
  const QByteArray Svg = Draw({100, 60}, [](QPainter& P) {
    // Two overlapping squares: wound the same way they fill as one; even-odd leaves the
    // overlap open.
    QPainterPath Both;
    Both.addRect(0, 0, 40, 40);
    Both.addRect(20, 20, 40, 40);
    Both.setFillRule(Qt::OddEvenFill);
    P.fillPath(Both, Qt::black);
    Both.setFillRule(Qt::WindingFill);
    P.translate(40, 0);
    P.scale(0.5, 0.5);
    P.fillPath(Both, QColor(0, 0, 255, 128));
    P.resetTransform();
    P.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    P.scale(2, 2);
    P.drawLine(QPointF(0, 29), QPointF(50, 29));
  });
  EXPECT_TRUE(Svg.contains("fill-rule=\"evenodd\""));
  EXPECT_TRUE(Svg.contains("fill=\"#0000ff\" fill-opacity=\"0.5\""));
  // The pen is as wide as the transform makes it; a line is not filled.
  EXPECT_TRUE(Svg.contains("fill=\"none\" stroke=\"#ff0000\" stroke-width=\"4\" stroke-linecap=\"round\" "
                           "stroke-linejoin=\"bevel\""));
  const QImage Image = Rasterised(Svg, {100, 60});
  EXPECT_EQ(qGray(Image.pixel(10, 10)), 0);
  EXPECT_EQ(qGray(Image.pixel(30, 30)), 255);  // the even-odd overlap
  // Half the blue over white, where the two squares overlap as well.
  for (const QPoint At : {QPoint(45, 5), QPoint(55, 15)}) {
    EXPECT_NEAR(qRed(Image.pixel(At)), 128, 2);
    EXPECT_EQ(qBlue(Image.pixel(At)), 255);
  }
  EXPECT_EQ(QColor(Image.pixel(50, 58)), QColor(Qt::red));
}

TEST(SvgPicture, TextBecomesOutlinesAndImagesAreEmbedded) {
  QImage Red(4, 4, QImage::Format_RGB32);
  Red.fill(Qt::red);
  const QByteArray Svg = Draw({80, 40}, [&](QPainter& P) {
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(30);
    P.setFont(Font);
    P.setPen(Qt::black);
    P.drawText(QPointF(2, 30), QStringLiteral("H"));
    P.drawImage(QRectF(60, 0, 20, 20), Red);
  });
  EXPECT_FALSE(Svg.contains("<text"));
  EXPECT_TRUE(Svg.contains("data:image/png;base64,"));
  const QImage Image = Rasterised(Svg, {80, 40});
  EXPECT_EQ(qGray(Image.pixel(5, 20)), 0);  // the H's left stem
  EXPECT_EQ(QColor(Image.pixel(70, 10)), QColor(Qt::red));
}

TEST(SvgPicture, ReportsADeviceItCannotWrite) {
  QBuffer Closed;
  TSvgPicture Picture(Closed, {10, 10}, 96, QString());
  QPainter Painter;
  ASSERT_TRUE(Painter.begin(&Picture));
  Painter.fillRect(QRectF(0, 0, 5, 5), Qt::black);
  EXPECT_FALSE(Painter.end());
}
