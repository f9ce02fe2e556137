#include "SvgPicture.h"

#include <QBuffer>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
// A coordinate or length to a hundredth, the shortest way: 12, 12.5, -0.25.
char* WriteNumber(char* Out, double Value) {
  if (!std::isfinite(Value)) Value = 0;
  long long Hundredths = std::llround(std::clamp(Value, -1e12, 1e12) * 100);
  if (Hundredths < 0) {
    *Out++ = '-';
    Hundredths = -Hundredths;
  }
  Out = std::to_chars(Out, Out + 16, Hundredths / 100).ptr;
  if (const int Fraction = static_cast<int>(Hundredths % 100)) {
    *Out++ = '.';
    *Out++ = static_cast<char>('0' + Fraction / 10);
    if (Fraction % 10) *Out++ = static_cast<char>('0' + Fraction % 10);
  }
  return Out;
}

void AppendNumber(QByteArray& Out, double Value) {
  char Text[24];
  Out.append(Text, WriteNumber(Text, Value) - Text);
}

void AppendPoint(QByteArray& Out, QPointF Point) {
  char Text[48];
  char* End = WriteNumber(Text, Point.x());
  *End++ = ' ';
  Out.append(Text, WriteNumber(End, Point.y()) - Text);
}

void AppendColour(QByteArray& Out, const char* Name, const char* OpacityName, QColor Colour, double Opacity) {
  Out += ' ';
  Out += Name;
  Out += "=\"";
  Out += Colour.name(QColor::HexRgb).toLatin1();
  Out += '"';
  const double Alpha = Colour.alphaF() * Opacity;
  if (Alpha < 1) {
    Out += ' ';
    Out += OpacityName;
    Out += "=\"";
    AppendNumber(Out, Alpha);
    Out += '"';
  }
}

const char* CapName(Qt::PenCapStyle Cap) {
  return Cap == Qt::RoundCap ? "round" : Cap == Qt::SquareCap ? "square" : "butt";
}

const char* JoinName(Qt::PenJoinStyle Join) {
  return Join == Qt::RoundJoin ? "round" : Join == Qt::BevelJoin ? "bevel" : "miter";
}
}  // namespace

class TSvgEngine : public QPaintEngine {
 public:
  TSvgEngine(QIODevice& Device, QSizeF Size, int Dpi, const QString& Title)
      : QPaintEngine(AllFeatures), FDevice(Device), FSize(Size), FDpi(Dpi), FTitle(Title) {}

  bool begin(QPaintDevice*) override {
    FOut.clear();
    FOut.reserve(16384);
    FOut += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"";
    AppendNumber(FOut, FSize.width() * 25.4 / FDpi);
    FOut += "mm\" height=\"";
    AppendNumber(FOut, FSize.height() * 25.4 / FDpi);
    FOut += "mm\" viewBox=\"0 0 ";
    AppendPoint(FOut, QPointF(FSize.width(), FSize.height()));
    FOut += "\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\">\n";
    FOut += "<title>" + FTitle.toHtmlEscaped().toUtf8() + "</title>\n";
    return true;
  }

  bool end() override {
    FOut += "</svg>\n";
    return FDevice.write(FOut) == FOut.size();
  }

  Type type() const override { return SVG; }

  void updateState(const QPaintEngineState& State) override {
    const DirtyFlags Flags = State.state();
    if (Flags & DirtyPen) FPen = State.pen();
    if (Flags & DirtyBrush) FBrush = State.brush();
    if (Flags & DirtyTransform) FTransform = State.transform();
    if (Flags & DirtyOpacity) FOpacity = State.opacity();
  }

  void drawPath(const QPainterPath& Path) override { Shape(Path, true); }

  void drawRects(const QRectF* Rects, int Count) override {
    for (int I = 0; I < Count; ++I) {
      QPainterPath Path;
      Path.setFillRule(Qt::WindingFill);
      Path.addRect(Rects[I]);
      Shape(Path, true);
    }
  }

  // Whole-pixel rectangles come here through the engine's own conversion.
  using QPaintEngine::drawRects;

  void drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) override {
    if (Count <= 0) return;
    QPainterPath Path(Points[0]);
    for (int I = 1; I < Count; ++I) Path.lineTo(Points[I]);
    if (Mode != PolylineMode) Path.closeSubpath();
    Path.setFillRule(Mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    Shape(Path, Mode != PolylineMode);
  }

  void drawPixmap(const QRectF& Target, const QPixmap& Pixmap, const QRectF& Source) override {
    QByteArray Png;
    QBuffer Buffer(&Png);
    Buffer.open(QIODevice::WriteOnly);
    if (!Pixmap.copy(Source.toAlignedRect()).save(&Buffer, "PNG")) return;
    // Pictures are only scaled and moved: the image's place in the picture's pixels.
    const QRectF Placed = FTransform.mapRect(Target);
    FOut += "<image x=\"";
    AppendNumber(FOut, Placed.x());
    FOut += "\" y=\"";
    AppendNumber(FOut, Placed.y());
    FOut += "\" width=\"";
    AppendNumber(FOut, Placed.width());
    FOut += "\" height=\"";
    AppendNumber(FOut, Placed.height());
    FOut += "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," + Png.toBase64() + "\"/>\n";
  }

 private:
  // One path element: the shape mapped to the picture's pixels, filled with the brush
  // (when Fill) and stroked with the pen.
  void Shape(const QPainterPath& Path, bool Fill) {
    const bool Filled = Fill && FBrush.style() != Qt::NoBrush && FBrush.color().alpha() > 0;
    const bool Stroked = FPen.style() != Qt::NoPen && FPen.color().alpha() > 0;
    if ((!Filled && !Stroked) || Path.isEmpty()) return;
    FOut += "<path d=\"";
    for (int I = 0; I < Path.elementCount(); ++I) {
      const QPainterPath::Element E = Path.elementAt(I);
      if (E.isCurveTo() && I + 2 < Path.elementCount()) {
        FOut += 'C';
        AppendPoint(FOut, FTransform.map(QPointF(E)));
        FOut += ' ';
        AppendPoint(FOut, FTransform.map(QPointF(Path.elementAt(I + 1))));
        FOut += ' ';
        AppendPoint(FOut, FTransform.map(QPointF(Path.elementAt(I + 2))));
        I += 2;
        continue;
      }
      FOut += E.isMoveTo() ? 'M' : 'L';
      AppendPoint(FOut, FTransform.map(QPointF(E)));
    }
    FOut += '"';
    if (Filled) {
      AppendColour(FOut, "fill", "fill-opacity", FBrush.color(), FOpacity);
      if (Path.fillRule() == Qt::OddEvenFill) FOut += " fill-rule=\"evenodd\"";
    } else {
      FOut += " fill=\"none\"";
    }
    if (Stroked) {
      AppendColour(FOut, "stroke", "stroke-opacity", FPen.color(), FOpacity);
      // A cosmetic pen is as wide in the picture whatever the transform.
      const double Width = FPen.isCosmetic() ? qMax(FPen.widthF(), 1.0)
                                             : FPen.widthF() * std::sqrt(std::abs(FTransform.determinant()));
      FOut += " stroke-width=\"";
      AppendNumber(FOut, Width);
      FOut += "\" stroke-linecap=\"";
      FOut += CapName(FPen.capStyle());
      FOut += "\" stroke-linejoin=\"";
      FOut += JoinName(FPen.joinStyle());
      FOut += '"';
    }
    FOut += "/>\n";
  }

  QIODevice& FDevice;
  QSizeF FSize;
  int FDpi;
  QString FTitle;
  QByteArray FOut;
  QPen FPen;
  QBrush FBrush;
  QTransform FTransform;
  double FOpacity = 1;
};

TSvgPicture::TSvgPicture(QIODevice& Device, QSizeF Size, int Dpi, const QString& Title)
    : FEngine(std::make_unique<TSvgEngine>(Device, Size, Dpi, Title)), FSize(Size), FDpi(Dpi) {}

TSvgPicture::~TSvgPicture() = default;

QPaintEngine* TSvgPicture::paintEngine() const { return FEngine.get(); }

int TSvgPicture::metric(PaintDeviceMetric Metric) const {
  switch (Metric) {
    case PdmWidth: return static_cast<int>(std::ceil(FSize.width()));
    case PdmHeight: return static_cast<int>(std::ceil(FSize.height()));
    case PdmWidthMM: return static_cast<int>(std::lround(FSize.width() * 25.4 / FDpi));
    case PdmHeightMM: return static_cast<int>(std::lround(FSize.height() * 25.4 / FDpi));
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return FDpi;
    case PdmDepth: return 32;
    case PdmNumColors: return 0xffffff;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(Metric);
  }
}
