#pragma once
// The base of every formula node: a plain object with a parent, ordered children, bounds
// relative to its parent, a visibility flag and a font. A node is not a window: the one
// widget that shows the tree (its host) paints the nodes in child order, each clipped to
// its rectangle, and routes a mouse press to the innermost visible node under the pointer.
// A node frees its remaining children when it is freed.

#include <QPoint>
#include <QRect>
#include <vector>

#include "Canvas.h"
#include "Font.h"

class TCustomControl;

// Node geometry stays within -MaxCoordinate..MaxCoordinate (Qt's largest widget size), so
// that layouts may add a few such values in int. Nesting deep enough to grow a formula
// beyond it (a slot can double in height with each level) is laid out up to that size.
inline constexpr int MaxCoordinate = (1 << 24) - 1;
// Value clamped into that range: sums over many elements, lines or cells are taken in 64
// bits and clamped.
constexpr int ClampCoordinate(qint64 Value) {
  return static_cast<int>(Value < -MaxCoordinate ? -MaxCoordinate : Value > MaxCoordinate ? MaxCoordinate : Value);
}

// What the nodes of one tree share with the widget that shows them.
class TNodeHost {
 public:
  // The host's canvas: nodes measure and draw on it (state is not kept between nodes).
  TCanvas& HostCanvas() { return FCanvas; }
  // Whether the nodes being painted draw their editing marks (caret, slot frames).
  bool PaintingMarks() const { return FPaintingMarks; }

  // Set while geometry deferred by a read may be looked at from outside: the next look
  // lays the tree out first.
  bool LayoutOwed() const { return FLayoutOwed; }
  // The root of the tree the host shows; nodes under another root are not shown.
  TCustomControl* RootNode() const { return FRootNode; }

 protected:
  ~TNodeHost() = default;
  friend class TCustomControl;
  // Schedules a repaint of Rect, given in the host's coordinates.
  virtual void RepaintRect(const QRect& Rect) = 0;
  // Lays out what a read deferred and clears LayoutOwed.
  virtual void PayLayout() = 0;
  void SetLayoutOwed(bool Value) { FLayoutOwed = Value; }
  void SetPaintingMarks(bool Value) { FPaintingMarks = Value; }
  void SetRootNode(TCustomControl* Value) { FRootNode = Value; }
  // The host's own node is shown (a hidden host needs no repaint requests).
  virtual bool HostShown() const = 0;

 private:
  TCanvas FCanvas;
  TCustomControl* FRootNode = nullptr;
  bool FLayoutOwed = false;
  bool FPaintingMarks = true;
};

class TCustomControl {
 public:
  // A node under Parent, last in its child order; a node without parent is a root.
  explicit TCustomControl(TCustomControl* Parent);
  virtual ~TCustomControl();
  TCustomControl(const TCustomControl&) = delete;
  TCustomControl& operator=(const TCustomControl&) = delete;

  int Left() const { return Looked().FBounds.left(); }
  int Top() const { return Looked().FBounds.top(); }
  int Width() const { return Looked().FBounds.width(); }
  int Height() const { return Looked().FBounds.height(); }
  void SetLeft(int Value);
  void SetTop(int Value);
  void SetWidth(int Value);
  void SetHeight(int Value);
  // Bounds in the parent's coordinates.
  QRect BoundsRect() const { return Looked().FBounds; }

  // The node's own font. An equal font is shared rather than copied; a different one
  // repaints the node.
  const TFont& Font() const { return Looked().FFont; }
  void SetFont(const TFont& Value);
  void SetFontSize(int Value) { FFont.SetSize(Value); }

  // Shown or hidden in its parent, whether or not the parent is shown itself. New nodes
  // are shown.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // Schedules a repaint of the node's rectangle in its host.
  void Repaint();
  // The host's canvas; measuring does not change the node, so a const node can measure.
  TCanvas& Canvas() const;

  TCustomControl* ParentNode() const { return FParent; }
  // Moves the node to the end of Value's children (nowhere for nullptr).
  void SetParentNode(TCustomControl* Value);
  const std::vector<TCustomControl*>& Children() const { return FChildren; }
  // Takes Nodes, children of this node, out of its children in one pass (a run losing a
  // range of elements); each becomes a root.
  void DetachChildren(const std::vector<TCustomControl*>& Nodes);
  TNodeHost* Host() const { return FHost; }

  // Position of the node's top-left corner in its host's coordinates.
  QPoint HostPosition() const;
  // The innermost visible node at Point (in this node's coordinates), this node when no
  // child is there, nullptr when Point is outside.
  TCustomControl* NodeAt(QPoint Point);

  // Draws the node and its visible children that meet Clip (in this node's coordinates)
  // on the canvas's painter, whose transform places this node's origin.
  void PaintTree(TCanvas& On, const QRect& Clip);

  // A mouse press at Point (node coordinates). False passes it on to the parent.
  virtual bool MouseDown(Qt::MouseButton Button, QPoint Point);

 protected:
  virtual void Paint() {}
  // Drawn after the children, over them: strokes across a slot.
  virtual void PaintOver() {}
  // For the host's own node, whose host is itself.
  void SetHost(TNodeHost* Value) { FHost = Value; }

 protected:
  // The node as an observer may see it: geometry a read deferred is laid out first.
  const TCustomControl& Looked() const {
    if (FHost && FHost->LayoutOwed()) FHost->PayLayout();
    return *this;
  }

 private:
  void SetBounds(const QRect& Value);
  void Detach();

  TCustomControl* FParent = nullptr;
  TNodeHost* FHost = nullptr;
  std::vector<TCustomControl*> FChildren;
  QRect FBounds{0, 0, 0, 0};
  TFont FFont;
  bool FVisible = true;
};
