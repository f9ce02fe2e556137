#include "SlotNavigation.h"

#include <QRect>
#include <algorithm>
#include <limits>
#include <vector>

#include "editor/AreaPath.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"

namespace {

TEditArea* FirstSlot(const TEqParent& Template) { return Template.ReadingOrder().front(); }
TEditArea* LastSlot(const TEqParent& Template) { return Template.ReadingOrder().back(); }

// The slot before (Step -1) or after (Step 1) Area in its template's reading order.
TEditArea* SlotBeside(const TEqParent& Template, const TEditArea& Area, int Step) {
  const std::vector<TEditArea*> Order = Template.ReadingOrder();
  const auto At = std::find(Order.begin(), Order.end(), &Area);
  if (At == Order.end()) return nullptr;
  const auto Place = (At - Order.begin()) + Step;
  return Place >= 0 && Place < static_cast<std::ptrdiff_t>(Order.size()) ? Order[Place] : nullptr;
}

// The line Step lines from Line, or none.
TEditArea* LineBeside(const TEditArea& Line, int Step) {
  const TEditorCore* Editor = Line.Editor();
  if (!Editor || Line.GetParent() != Editor) return nullptr;
  const int Place = Editor->EditAreaList()->IndexOf(&Line) + Step;
  return Place >= 0 && Place < Editor->LineCount() ? Editor->Line(Place) : nullptr;
}

// The line that holds Area.
TEditArea* LineOf(TEditArea& Area) {
  TEditArea* Run = &Area;
  while (TEqParent* Template = HoldingTemplate(*Run)) Run = Template->GetParent();
  return Run;
}

QRect FormulaRect(const TEditArea& Area) { return QRect(Area.HostPosition(), QSize(Area.Width(), Area.Height())); }

// The slot of Template drawn wholly above (below) the middle of From that lies nearest to
// x X, the nearest in height among equals: a matrix cell of the same column, the
// numerator of a denominator, the upper limit of a lower one.
TEditArea* SlotAcross(const TEqParent& Template, const TEditArea& From, bool Up, int X) {
  const int Middle = FormulaRect(From).center().y();
  TEditArea* Best = nullptr;
  std::pair<int, int> BestDistance{std::numeric_limits<int>::max(), 0};
  for (TEditArea* Slot : Template.ReadingOrder()) {
    const QRect Rect = FormulaRect(*Slot);
    if (Slot == &From || (Up ? Rect.bottom() >= Middle : Rect.top() <= Middle)) continue;
    const int Across = X < Rect.left() ? Rect.left() - X : X > Rect.right() ? X - Rect.right() : 0;
    const std::pair<int, int> Distance{Across, std::abs(Rect.center().y() - Middle)};
    if (!Best || Distance < BestDistance) {
      Best = Slot;
      BestDistance = Distance;
    }
  }
  return Best;
}

// Entering Area from below (Up) or above at x X: the slot nearest the caret's side that a
// template in Area draws at X on that side of Area's middle (the denominator of a fraction
// in a numerator, seen from below), else Area itself; at the insertion point nearest X.
TSlotStop Nearest(TEditArea& Area, bool Up, int X) {
  TEditArea* Into = &Area;
  for (TEditArea* Deeper = Into; Deeper;) {
    Into = Deeper;
    Deeper = nullptr;
    const QRect Run = FormulaRect(*Into);
    const int Index = qMin(NearestIndex(*Into, X), Into->Count() - 1);
    for (int I : {Index - 1, Index}) {
      const TEqParent* Template = TemplateWithSlots(*Into, I);
      if (!Template) continue;
      for (TEditArea* Slot : Template->ReadingOrder()) {
        const QRect Rect = FormulaRect(*Slot);
        const bool Beside = Up ? Rect.center().y() > Run.center().y() : Rect.center().y() < Run.center().y();
        const bool Better = !Deeper || (Up ? Rect.bottom() > FormulaRect(*Deeper).bottom()
                                           : Rect.top() < FormulaRect(*Deeper).top());
        if (Beside && X >= Rect.left() && X <= Rect.right() + 1 && Better) Deeper = Slot;
      }
    }
  }
  return {Into, NearestIndex(*Into, X)};
}
}  // namespace

TEqParent* HoldingTemplate(const TEditArea& Area) { return dynamic_cast<TEqParent*>(Area.GetParent()); }

TEqParent* TemplateWithSlots(const TEditArea& Area, int Index) {
  auto* Template = Index >= 0 && Index < Area.Count() ? dynamic_cast<TEqParent*>(Area.Item(Index)) : nullptr;
  return Template && Template->EditAreaCount() > 0 ? Template : nullptr;
}

TSlotStop NextSlotStop(TEditArea& Area, int Index) {
  for (int I = qMax(Index, 0); I < Area.Count(); ++I)
    if (TEqParent* Template = TemplateWithSlots(Area, I)) return {FirstSlot(*Template), 0};
  TEqParent* Template = HoldingTemplate(Area);
  if (!Template) return {};
  if (TEditArea* Next = SlotBeside(*Template, Area, 1)) return {Next, 0};
  return {Template->GetParent(), TemplateIndexOf(&Area) + 1};
}

TSlotStop PreviousSlotStop(TEditArea& Area, int Index) {
  for (int I = qMin(Index, Area.Count()) - 1; I >= 0; --I)
    if (TEqParent* Template = TemplateWithSlots(Area, I)) {
      TEditArea* Last = LastSlot(*Template);
      return {Last, Last->Count()};
    }
  TEqParent* Template = HoldingTemplate(Area);
  if (!Template) return {};
  if (TEditArea* Before = SlotBeside(*Template, Area, -1)) return {Before, Before->Count()};
  return {Template->GetParent(), TemplateIndexOf(&Area)};
}

TSlotStop NextCaretStop(TEditArea& Area, int Index) {
  if (Index < Area.Count()) {
    if (TEqParent* Template = TemplateWithSlots(Area, Index)) return {FirstSlot(*Template), 0};
    return {&Area, Index + 1};
  }
  if (TEqParent* Template = HoldingTemplate(Area)) {
    if (TEditArea* Next = SlotBeside(*Template, Area, 1)) return {Next, 0};
    return {Template->GetParent(), TemplateIndexOf(&Area) + 1};
  }
  if (TEditArea* Next = LineBeside(Area, 1)) return {Next, 0};
  return {};
}

TSlotStop PreviousCaretStop(TEditArea& Area, int Index) {
  if (Index > 0) {
    if (TEqParent* Template = TemplateWithSlots(Area, Index - 1)) {
      TEditArea* Last = LastSlot(*Template);
      return {Last, Last->Count()};
    }
    return {&Area, Index - 1};
  }
  if (TEqParent* Template = HoldingTemplate(Area)) {
    if (TEditArea* Before = SlotBeside(*Template, Area, -1)) return {Before, Before->Count()};
    return {Template->GetParent(), TemplateIndexOf(&Area)};
  }
  if (TEditArea* Before = LineBeside(Area, -1)) return {Before, Before->Count()};
  return {};
}

TSlotStop VerticalStop(TEditArea& Area, bool Up, int X) {
  TEditArea* From = &Area;
  int At = Area.EquationIndex();
  while (TEqParent* Template = HoldingTemplate(*From)) {
    if (TEditArea* To = SlotAcross(*Template, *From, Up, X)) return Nearest(*To, Up, X);
    At = TemplateIndexOf(From);
    From = Template->GetParent();
  }
  // A wrapped line's rows come before the lines beside it.
  if (const int Row = From->RowOf(At) + (Up ? -1 : 1); Row >= 0 && Row < From->RowCount())
    return {From, From->NearestInRow(Row, X - From->HostPosition().x())};
  if (TEditArea* To = LineBeside(*From, Up ? -1 : 1)) return Nearest(*To, Up, X);
  return {};
}

TSlotStop HomeStop(TEditArea& Area, int Index) {
  if (Index > 0 || !HoldingTemplate(Area)) return {&Area, 0};
  return {LineOf(Area), 0};
}

TSlotStop EndStop(TEditArea& Area, int Index) {
  if (Index < Area.Count() || !HoldingTemplate(Area)) return {&Area, Area.Count()};
  TEditArea* Line = LineOf(Area);
  return {Line, Line->Count()};
}

int CaretX(const TEditArea& Area, int Index) {
  int X = 0;
  if (Index < Area.Count())
    X = Area.Item(Index)->Left();
  else if (Area.Count() > 0)
    X = Area.Item(Area.Count() - 1)->Left() + Area.Item(Area.Count() - 1)->Width();
  return Area.HostPosition().x() + X;
}

int NearestIndex(const TEditArea& Area, int X) {
  const int Inside = X - Area.HostPosition().x();
  int Index = 0;
  while (Index < Area.Count() && Inside > Area.Item(Index)->Left() + Area.Item(Index)->Width() / 2) ++Index;
  return Index;
}

// The first empty slot, in reading order, of the element at Index of Area and of the
// templates inside it: a matrix's first cell inside its brackets.
TEditArea* FirstEmptySlot(const TEditArea& Area, int Index) {
  const TEqParent* Template = TemplateWithSlots(Area, Index);
  if (!Template) return nullptr;
  for (TEditArea* Slot : Template->ReadingOrder()) {
    if (Slot->GetIsEmpty()) return Slot;
    for (int I = 0; I < Slot->Count(); ++I)
      if (TEditArea* Inner = FirstEmptySlot(*Slot, I)) return Inner;
  }
  return nullptr;
}
