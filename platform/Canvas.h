#pragma once
// A drawing surface with the state-machine semantics the formula nodes are written
// against: a pen, a brush and a font that stay set between calls. Measuring works at any
// time; drawing works while a paint event has bound a painter.
//
//  - Rectangle(x1, y1, x2, y2) covers the pixels x1..x2-1, y1..y2-1: the pen (unless
//    clear) draws the outline on the outermost pixels, the brush (unless clear) fills.
//  - Setting the brush colour turns a clear brush into a solid one.
//  - TextOut draws with its top-left corner at the point, on an opaque background of the
//    brush colour unless the brush is clear.
//  - A pen of width 0 is the thinnest pen, one pixel wide.

#include <QColor>
#include <QFontMetrics>
#include <QHash>
#include <QPoint>
#include <QPolygonF>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <memory>
#include <vector>

#include "Font.h"
#include "MathFont.h"

class QPainter;

enum TPenStyle { psSolid, psDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid, bsClear };

class TPen {
 public:
  TPenStyle Style = psSolid;
  QColor Color = Qt::black;
  int Width = 1;
};

class TBrush {
 public:
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value) { FStyle = Value; }
  QColor Color() const { return FColor; }
  void SetColor(QColor Value) {
    FColor = Value;
    FStyle = bsSolid;
  }

 private:
  TBrushStyle FStyle = bsSolid;
  QColor FColor = Qt::white;
};

class TCanvas {
 public:
  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Binds the painter of the current paint event; drawing calls outside it do nothing.
  void BeginPaint(QPainter* Painter);
  void EndPaint();
  QPainter* Painter() const { return FPainter; }
  // The state a node starts to draw with: a solid pen, a solid white brush, its font.
  void Reset(const TFont& NodeFont);
  // What is drawn from here on stays inside Clip, given in the painter's coordinates.
  void SetClip(const QRect& Clip);
  // Fills in this colour are left out, so that a picture can have a transparent
  // background; an invalid colour (the default) leaves every fill in.
  void SetTransparentColor(QColor Value) { FTransparentColor = Value; }

  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  // Joined line segments through Points with the pen, smoothed (antialiased) for the
  // slanted and curved strokes of radicals and accents.
  void Polyline(const QPolygonF& Points);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Cubic curves with the pen, unfilled: Points holds the start and then three points
  // (two controls and an end) for each curve; the pen ends at the last point.
  void PolyBezier(const std::vector<QPoint>& Points);
  void TextOut(int X, int Y, const QString& Text);

  // The math font of the Math typesetting style; none (the default) is the Classic style.
  const TMathFont* Math() const { return FMath.get(); }
  void SetMath(std::shared_ptr<const TMathFont> Value) { FMath = std::move(Value); }
  // How many layout pixels a pixel of the picture is: 1 on screen, more in a copy of the
  // formula laid out larger for a finer picture.
  double LayoutScale() const { return FLayoutScale; }
  void SetLayoutScale(double Value) { FLayoutScale = Value; }
  // Draws math glyphs at Em pixels in the font colour, their origin at Origin.
  void GlyphsOut(QPointF Origin, const TMathGlyphs& Run, double Em);

  int TextWidth(const QString& Text) const;
  int TextHeight(const QString& Text) const;
  // Extent (advance width, line height) of one UTF-16 code unit.
  QSize TextExtentW(char16_t Code) const;
  void TextOutW(int X, int Y, char16_t Code);

 private:
  // The metrics of one font and the extents measured in it.
  struct TFontEntry {
    explicit TFontEntry(const QFont& F);
    QFont Font;
    QFontMetrics Metrics;
    QHash<QString, QSize> Extents;
    QHash<QString, QRect> Inks;
    // Shaped once: a formula draws the same characters over and over.
    QHash<QString, QStaticText> Shaped;
  };
  void ApplyPen() const;
  void ApplyBrush() const;
  bool Fills(QColor Color) const { return !FTransparentColor.isValid() || Color != FTransparentColor; }
  const TFontEntry& Entry() const;
  // Advance and line height of Text in Font; a formula measures the same few characters
  // in the same few fonts over and over, so every answer is kept.
  QSize Extent(const QString& Text) const;
  // Clipping a painter costs a pass over the device's rows: fills are cut to the clip
  // instead, and the painter is clipped only for what may cross it.
  void Fill(const QRect& Area, QColor Color);
  void ClipPainter();
  QPainter* FPainter = nullptr;
  QRect FClip;
  bool FClipApplied = false;
  bool FPainterClipped = false;
  QPoint FPenPos;
  QColor FTransparentColor;
  std::shared_ptr<const TMathFont> FMath;
  double FLayoutScale = 1;
  mutable std::vector<std::unique_ptr<TFontEntry>> FFonts;
  mutable TFontEntry* FLastFont = nullptr;
};
