#include "Canvas.h"

#include <QFontMetrics>
#include <cmath>
#include <QPainter>
#include <QPainterPath>

namespace {
QString CodeUnitText(char16_t Code) { return QString(QChar(Code)); }
}  // namespace

void TCanvas::BeginPaint(QPainter* Painter) {
  FPainter = Painter;
  FPainterClipped = false;
  FClipApplied = false;
  FClip = QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
}

void TCanvas::SetClip(const QRect& Clip) {
  FClip = Clip;
  FClipApplied = false;
  if (FPainterClipped && FPainter) FPainter->setClipping(false);
  FPainterClipped = false;
}

void TCanvas::ClipPainter() {
  if (FClipApplied) return;
  FPainter->setClipRect(FClip);
  FClipApplied = FPainterClipped = true;
}

void TCanvas::Fill(const QRect& Area, QColor Color) {
  const QRect Visible = Area & FClip;
  if (Visible.isEmpty()) return;
  const QTransform& Device = FPainter->transform();
  // Vector pictures keep their rules where the layout put them.
  const bool Raster = FPainter->device() && FPainter->device()->devType() == QInternal::Image;
  if (!Raster || Device.m22() >= 1 || Device.isRotating()) {
    FPainter->fillRect(Visible, Color);
    return;
  }
  // A picture laid out larger and drawn scaled down: the edges go to whole pixels and a
  // thin rule keeps one, as PDF rasterisers adjust rules; a fraction bar thinner than a
  // pixel between two pixel centres had vanished. What is thinner than half a pixel (a
  // one-unit outline of the fine layout) stays as thin as it is.
  const QRectF Mapped = Device.mapRect(QRectF(Visible));
  if (Mapped.width() < 0.5 || Mapped.height() < 0.5) {
    FPainter->fillRect(Visible, Color);
    return;
  }
  auto Edges = [](double From, double To) {
    double A = std::round(From), B = std::round(To);
    if (B <= A) {
      A = std::floor((From + To) / 2);
      B = A + 1;
    }
    return std::pair{A, B};
  };
  const auto [X1, X2] = Edges(Mapped.left(), Mapped.right());
  const auto [Y1, Y2] = Edges(Mapped.top(), Mapped.bottom());
  FPainter->save();
  FPainter->resetTransform();
  FPainter->fillRect(QRectF(X1, Y1, X2 - X1, Y2 - Y1), Color);
  FPainter->restore();
}

void TCanvas::EndPaint() { FPainter = nullptr; }

void TCanvas::Reset(const TFont& NodeFont) {
  Pen = TPen();
  Brush = TBrush();
  Font = NodeFont;
}

void TCanvas::ApplyPen() const {
  if (Pen.Style == psClear) {
    FPainter->setPen(Qt::NoPen);
    return;
  }
  QPen QtPen(Pen.Color);
  QtPen.setWidth(Pen.Width < 1 ? 1 : Pen.Width);
  QtPen.setStyle(Pen.Style == psDot ? Qt::DotLine : Qt::SolidLine);
  QtPen.setCapStyle(Qt::FlatCap);
  QtPen.setJoinStyle(Qt::MiterJoin);
  FPainter->setPen(QtPen);
}

void TCanvas::ApplyBrush() const {
  FPainter->setBrush(Brush.Style() == bsClear ? QBrush(Qt::NoBrush) : QBrush(Brush.Color()));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (!FPainter || X2 <= X1 || Y2 <= Y1) return;
  const QRect Area(X1, Y1, X2 - X1, Y2 - Y1);
  if (Brush.Style() != bsClear && Fills(Brush.Color())) Fill(Area, Brush.Color());
  if (Pen.Style == psClear) return;
  const int W = Pen.Width < 1 ? 1 : Pen.Width;
  if (Pen.Style == psDot) {
    // Every other pixel of the one-pixel outline, where it shows: an area may be far
    // larger than the screen.
    const auto From = [](int Start, int Shown) { return Shown > Start ? Start + (Shown - Start) / 2 * 2 : Start; };
    for (int X = From(X1, FClip.left()), XEnd = qMin(X2, FClip.right() + 1); X < XEnd; X += 2) {
      Fill(QRect(X, Y1, 1, 1), Pen.Color);
      Fill(QRect(X, Y2 - 1, 1, 1), Pen.Color);
    }
    for (int Y = From(Y1, FClip.top()), YEnd = qMin(Y2, FClip.bottom() + 1); Y < YEnd; Y += 2) {
      Fill(QRect(X1, Y, 1, 1), Pen.Color);
      Fill(QRect(X2 - 1, Y, 1, 1), Pen.Color);
    }
    return;
  }
  // The outline lies inside the rectangle, W pixels thick.
  Fill(QRect(X1, Y1, X2 - X1, qMin(W, Y2 - Y1)), Pen.Color);
  Fill(QRect(X1, qMax(Y1, Y2 - W), X2 - X1, qMin(W, Y2 - Y1)), Pen.Color);
  Fill(QRect(X1, Y1, qMin(W, X2 - X1), Y2 - Y1), Pen.Color);
  Fill(QRect(qMax(X1, X2 - W), Y1, qMin(W, X2 - X1), Y2 - Y1), Pen.Color);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (!FPainter || X2 <= X1 || Y2 <= Y1) return;
  ClipPainter();
  FPainter->save();
  FPainter->setRenderHint(QPainter::Antialiasing, false);
  ApplyPen();
  ApplyBrush();
  FPainter->drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
  FPainter->restore();
}

void TCanvas::Polyline(const QPolygonF& Points) {
  if (!FPainter || Pen.Style == psClear || Points.size() < 2) return;
  ClipPainter();
  FPainter->save();
  FPainter->setRenderHint(QPainter::Antialiasing, true);
  ApplyPen();
  QPen Round = FPainter->pen();
  Round.setCapStyle(Qt::RoundCap);
  Round.setJoinStyle(Qt::RoundJoin);
  FPainter->setPen(Round);
  FPainter->drawPolyline(Points);
  FPainter->restore();
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = QPoint(X, Y); }

void TCanvas::PolyBezier(const std::vector<QPoint>& Points) {
  if (Points.size() < 4 || (Points.size() - 1) % 3 != 0) return;
  FPenPos = Points.back();
  if (!FPainter || Pen.Style == psClear) return;
  QPainterPath Path(Points.front());
  for (size_t I = 1; I + 2 < Points.size(); I += 3) Path.cubicTo(Points[I], Points[I + 1], Points[I + 2]);
  ClipPainter();
  FPainter->save();
  // Curves without smoothing break into steps.
  FPainter->setRenderHint(QPainter::Antialiasing, true);
  ApplyPen();
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawPath(Path);
  FPainter->restore();
}

void TCanvas::LineTo(int X, int Y) {
  const QPoint To(X, Y);
  if (FPainter && Pen.Style != psClear) {
    ClipPainter();
    FPainter->save();
    ApplyPen();
    FPainter->drawLine(FPenPos, To);
    FPainter->restore();
  }
  FPenPos = To;
}

void TCanvas::TextOut(int X, int Y, const QString& Text) {
  if (!FPainter) return;
  if (Brush.Style() != bsClear && Fills(Brush.Color())) Fill(QRect(QPoint(X, Y), Extent(Text)), Brush.Color());
  const TFontEntry& Known = Entry();
  const QPoint Base(X, Y + Known.Metrics.ascent());
  auto Ink = Known.Inks.constFind(Text);
  if (Ink == Known.Inks.constEnd())
    Ink = const_cast<TFontEntry&>(Known).Inks.insert(Text, Known.Metrics.boundingRect(Text));
  if (!FClip.contains(Ink->translated(Base))) ClipPainter();
  auto Shaped = Known.Shaped.constFind(Text);
  if (Shaped == Known.Shaped.constEnd()) {
    QStaticText Prepared(Text);
    Prepared.setTextFormat(Qt::PlainText);
    Prepared.prepare(QTransform(), Font);
    Shaped = const_cast<TFontEntry&>(Known).Shaped.insert(Text, Prepared);
  }
  FPainter->setFont(Font);
  FPainter->setPen(Font.Color);
  FPainter->drawStaticText(QPoint(X, Y), *Shaped);
}

void TCanvas::GlyphsOut(QPointF Origin, const TMathGlyphs& Run, double Em) {
  if (!FPainter || !FMath || Run.Empty()) return;
  // Type reaches past its box where the font draws it so (an italic f's tail and hook, a
  // letter's overhang at the end of a run): a glyph is cut only to what the paint covers,
  // not to its node.
  if (FPainterClipped) {
    FPainter->setClipping(false);
    FPainterClipped = FClipApplied = false;
  }
  FMath->Draw(*FPainter, Origin, Run, Em, Font.Color);
}

TCanvas::TFontEntry::TFontEntry(const QFont& F) : Font(F), Metrics(F) {
  // Qt looks up the whole list of fallback fonts only when a character beyond 16 bits first
  // needs one, and from then on may take another fallback for characters the font lacks
  // (U+211D measured 20 pixels before, 22 after). Looking it up now makes every measure
  // the same whatever was measured before.
  (void)Metrics.horizontalAdvance(QString::fromUcs4(U"\U0001D431", 1));
}

const TCanvas::TFontEntry& TCanvas::Entry() const {
  // Equal fonts measure alike; a copy shares the original's data, so the usual check is
  // one pointer comparison.
  const QFont& Wanted = Font;
  if (FLastFont && FLastFont->Font == Wanted) return *FLastFont;
  for (const auto& Known : FFonts)
    if (Known->Font == Wanted) return *(FLastFont = Known.get());
  // A formula uses a handful of sizes; only font changes without end would grow the list.
  if (FFonts.size() >= 64) FFonts.clear();
  FFonts.push_back(std::make_unique<TFontEntry>(Wanted));
  return *(FLastFont = FFonts.back().get());
}

QSize TCanvas::Extent(const QString& Text) const {
  const TFontEntry& Known = Entry();
  auto It = Known.Extents.constFind(Text);
  if (It != Known.Extents.constEnd()) return *It;
  const QSize Result(Known.Metrics.horizontalAdvance(Text), Known.Metrics.height());
  const_cast<TFontEntry&>(Known).Extents.insert(Text, Result);
  return Result;
}

int TCanvas::TextWidth(const QString& Text) const { return Extent(Text).width(); }

int TCanvas::TextHeight(const QString& Text) const { return Extent(Text).height(); }

QSize TCanvas::TextExtentW(char16_t Code) const { return Extent(CodeUnitText(Code)); }

void TCanvas::TextOutW(int X, int Y, char16_t Code) { TextOut(X, Y, CodeUnitText(Code)); }
