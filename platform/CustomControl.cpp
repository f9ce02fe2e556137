#include "CustomControl.h"

#include <QPainter>
#include <algorithm>
#include <exception>

TCustomControl::TCustomControl(TCustomControl* Parent) { SetParentNode(Parent); }

TCustomControl::~TCustomControl() {
  Repaint();
  // Children go first, each told that its parent no longer needs to hear of it.
  std::vector<TCustomControl*> Children;
  Children.swap(FChildren);
  for (auto It = Children.rbegin(); It != Children.rend(); ++It) {
    (*It)->FParent = nullptr;
    (*It)->FHost = nullptr;
    delete *It;
  }
  Detach();
}

void TCustomControl::Detach() {
  if (!FParent) return;
  // Runs are cleared from the end, so the search starts there.
  auto& Siblings = FParent->FChildren;
  const auto It = std::find(Siblings.rbegin(), Siblings.rend(), this);
  if (It != Siblings.rend()) Siblings.erase(std::next(It).base());
  FParent = nullptr;
}

void TCustomControl::DetachChildren(const std::vector<TCustomControl*>& Nodes) {
  for (TCustomControl* Node : Nodes) {
    if (Node->FParent != this) continue;
    Node->Repaint();
    Node->FParent = nullptr;
  }
  std::erase_if(FChildren, [this](const TCustomControl* Child) { return Child->FParent != this; });
}

void TCustomControl::SetParentNode(TCustomControl* Value) {
  if (Value == FParent && Value) return;
  Repaint();
  Detach();
  FParent = Value;
  if (Value) {
    Value->FChildren.push_back(this);
    FHost = Value->FHost;
    Repaint();
  }
}

void TCustomControl::SetBounds(const QRect& Value) {
  if (Value == FBounds) return;
  Repaint();
  FBounds = Value;
  Repaint();
}

void TCustomControl::SetLeft(int Value) {
  SetBounds(QRect(ClampCoordinate(Value), FBounds.top(), FBounds.width(), FBounds.height()));
}
void TCustomControl::SetTop(int Value) {
  SetBounds(QRect(FBounds.left(), ClampCoordinate(Value), FBounds.width(), FBounds.height()));
}
void TCustomControl::SetWidth(int Value) {
  SetBounds(QRect(FBounds.left(), FBounds.top(), ClampCoordinate(qMax(Value, 0)), FBounds.height()));
}
void TCustomControl::SetHeight(int Value) {
  SetBounds(QRect(FBounds.left(), FBounds.top(), FBounds.width(), ClampCoordinate(qMax(Value, 0))));
}

void TCustomControl::SetFont(const TFont& Value) {
  if (FFont.Color == Value.Color && static_cast<const QFont&>(FFont) == Value) {
    // Sharing the caller's font data costs nothing and keeps one copy per size.
    if (!FFont.isCopyOf(Value)) static_cast<QFont&>(FFont) = Value;
    return;
  }
  FFont = Value;
  Repaint();
}

void TCustomControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (FParent) FParent->Repaint();
  Repaint();
}

QPoint TCustomControl::HostPosition() const {
  qint64 X = 0;
  qint64 Y = 0;
  for (const TCustomControl* Node = this; Node && Node->FParent; Node = Node->FParent) {
    X += Node->FBounds.left();
    Y += Node->FBounds.top();
  }
  return {ClampCoordinate(X), ClampCoordinate(Y)};
}

void TCustomControl::Repaint() {
  if (!FHost || !FHost->HostShown() || FBounds.isEmpty()) return;
  // Only what the node's ancestors show of it can change on the screen.
  QRect Rect(QPoint(0, 0), FBounds.size());
  const TCustomControl* Node = this;
  for (; Node->FParent; Node = Node->FParent) {
    if (!Node->FVisible) return;
    Rect.translate(Node->FBounds.topLeft());
    Rect &= QRect(QPoint(0, 0), Node->FParent->FBounds.size());
    if (Rect.isEmpty()) return;
  }
  if (Node == FHost->RootNode()) FHost->RepaintRect(Rect);
}

TCanvas& TCustomControl::Canvas() const { return FHost->HostCanvas(); }

TCustomControl* TCustomControl::NodeAt(QPoint Point) {
  if (!QRect(QPoint(0, 0), Looked().FBounds.size()).contains(Point)) return nullptr;
  // The child painted last lies on top.
  for (auto It = FChildren.rbegin(); It != FChildren.rend(); ++It) {
    TCustomControl* Child = *It;
    if (!Child->FVisible) continue;
    if (TCustomControl* Hit = Child->NodeAt(Point - Child->FBounds.topLeft())) return Hit;
  }
  return this;
}

void TCustomControl::PaintTree(TCanvas& On, const QRect& Clip) {
  QPainter* Painter = On.Painter();
  On.SetClip(Clip);
  On.Reset(FFont);
  try {
    Paint();
  } catch (const std::exception&) {
    // A node that fails to draw stays blank; the rest of the tree still shows.
  }
  for (TCustomControl* Child : FChildren) {
    if (!Child->FVisible) continue;
    const QRect ChildClip = Clip & Child->FBounds;
    if (ChildClip.isEmpty()) continue;
    const QPoint Offset = Child->FBounds.topLeft();
    Painter->translate(Offset);
    Child->PaintTree(On, ChildClip.translated(-Offset));
    Painter->translate(-Offset);
  }
  if (FChildren.empty()) return;
  On.SetClip(Clip);
  try {
    PaintOver();
  } catch (const std::exception&) {
    // As above: what was drawn stays.
  }
}

bool TCustomControl::MouseDown(Qt::MouseButton, QPoint) { return false; }
