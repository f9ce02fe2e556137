#pragma once
// The base of every windowed node: a QWidget child of its owner with a canvas, a font of
// its own and bounds relative to its parent. Left/Top/Width/Height are its geometry;
// Repaint schedules a repaint; Paint draws the client rectangle on the canvas.

#include <QWidget>

#include "Canvas.h"
#include "Font.h"

class TCustomControl : public QWidget {
 public:
  explicit TCustomControl(QWidget* Parent);

  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetLeft(int Value);
  void SetTop(int Value);
  void SetWidth(int Value);
  void SetHeight(int Value);

  // The node's own font; nodes do not follow Qt's font propagation.
  const TFont& Font() const { return FFont; }
  // An equal font is not taken over: the one held keeps its resolved glyph data. A new
  // font repaints.
  void SetFont(const TFont& Value);
  void SetFontSize(int Value) { FFont.SetSize(Value); }

  // Shown or hidden in its parent, whether or not the parent is shown itself.
  bool Visible() const { return !isHidden(); }
  void SetVisible(bool Value);

  void Repaint() { update(); }
  // Measuring does not change the node, so a const node can measure on its canvas.
  TCanvas& Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void paintEvent(QPaintEvent* Event) override;

 private:
  TFont FFont;
  mutable TCanvas FCanvas;
};
