// Selecting with the mouse, and the highlight that shows the selection.

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <exception>

#include "editor/Editing.h"
#include "editor/SlotNavigation.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"

namespace {
struct TPlace {
  TEditArea* Area = nullptr;
  int Index = 0;
};

// The area a point of the formula falls in (an element counts for the area that holds
// it; outside every line, the line nearest in height) and the element boundary nearest
// to it in that area.
TPlace PlaceAt(TEditorCore& Editor, QPoint Point) {
  TCustomControl* Node = Editor.NodeAt(Point);
  while (Node && Node != &Editor && !dynamic_cast<TEditArea*>(Node)) Node = Node->ParentNode();
  auto* Area = dynamic_cast<TEditArea*>(Node);
  for (int J = 0; !Area && J < Editor.LineCount(); ++J) {
    TEditArea* Line = Editor.Line(J);
    if (Point.y() < Line->HostPosition().y() + Line->Height() || J == Editor.LineCount() - 1) Area = Line;
  }
  if (!Area) return {};
  return {Area, NearestIndex(*Area, Point.x())};
}

// Elements First..Last-1 of Area, the area's full height, in the formula's coordinates.
QRect RunRect(const TEditArea& Area, int First, int Last) {
  const QPoint Origin = Area.HostPosition();
  const int Left = Area.Item(First)->Left();
  const int Right = Area.Item(Last - 1)->Left() + Area.Item(Last - 1)->Width();
  return QRect(Origin.x() + Left, Origin.y(), Right - Left, Area.Height());
}
}  // namespace

void TEditing::MousePress(QPoint Point) {
  FTyping.Reset();
  const TPlace Place = PlaceAt(FEditor, Point);
  FDragPath = Place.Area ? PathOf(Place.Area) : TAreaPath();
  FDragIndex = Place.Index;
  FSelection.Clear();
  // Modern: the caret goes under the pointer.
  if (FEditor.Modern() && Place.Area) PlaceCaret(Place.Area, Place.Index);
  RefreshHighlight();
}

void TEditing::MouseDrag(QPoint Point) {
  const TPlace Place = PlaceAt(FEditor, Point);
  if (!Place.Area || !FDragPath.IsValid()) return;
  const TCommonRange Range = CommonRange(FDragPath, FDragIndex, PathOf(Place.Area), Place.Index);
  if (!Range.Path.IsValid()) return;
  SelectRange(Range.Path, Range.Anchor, Range.Caret);
  RefreshHighlight();
  FEditor.EnsureCaretVisible();
}

void TEditing::DoubleClick(QPoint Point) {
  TCustomControl* Node = FEditor.NodeAt(Point);
  while (Node && Node != &FEditor && !dynamic_cast<TEquation*>(Node)) Node = Node->ParentNode();
  auto* Element = dynamic_cast<TEquation*>(Node);
  if (!Element || !Element->GetParent()) return;
  TEditArea* Area = Element->GetParent();
  int Index = Area->Count() - 1;
  while (Index >= 0 && Area->Item(Index) != Element) --Index;
  if (Index < 0) return;
  SelectRange(PathOf(Area), Index, Index + 1);
  RefreshHighlight();
}

QRegion TEditing::HighlightRegion() const {
  QRegion Region;
  if (FSelection.IsWhole()) {
    for (int J = 0; J < FEditor.LineCount(); ++J)
      if (const TEditArea* Line = FEditor.Line(J); Line->Count() > 0)
        Region += RunRect(*Line, 0, Line->Count());
    return Region;
  }
  const TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area || !FSelection.HasRange(Area->EquationIndex())) return Region;
  const auto [First, Last] = FSelection.Range(Area->EquationIndex());
  if (First >= 0 && Last <= Area->Count() && First < Last) Region += RunRect(*Area, First, Last);
  return Region;
}

void TEditing::PaintSelection(QPainter& Painter) const {
  QColor Colour = QGuiApplication::palette().color(QPalette::Highlight);
  Colour.setAlpha(90);
  Painter.save();
  Painter.setClipping(false);  // the nodes leave the clip of the last one drawn
  for (const QRect& Rect : HighlightRegion()) Painter.fillRect(Rect, Colour);
  Painter.restore();
}

void TEditing::RefreshHighlight() {
  QRegion Now;
  try {
    Now = HighlightRegion();
  } catch (const std::exception&) {
    // A selection the formula no longer has shows nothing.
  }
  if (Now == FHighlight) return;
  for (const QRect& Rect : FHighlight ^ Now) FEditor.UpdateView(FEditor.WidgetRect(Rect));
  FHighlight = Now;
}
