#include "SlotNavigation.h"

#include "editor/AreaPath.h"
#include "model/EditArea.h"
#include "model/Equation.h"

namespace {
TEqParent* TemplateAt(const TEditArea& Area, int Index) {
  return Index >= 0 && Index < Area.Count() ? dynamic_cast<TEqParent*>(Area.Item(Index)) : nullptr;
}

TEqParent* HoldingTemplate(const TEditArea& Area) {
  return dynamic_cast<TEqParent*>(Area.GetParent());
}

bool HasSlots(const TEqParent* Template) { return Template && Template->EditAreaCount() > 0; }
}  // namespace

TSlotStop NextSlotStop(TEditArea& Area, int Index) {
  for (int I = qMax(Index, 0); I < Area.Count(); ++I)
    if (TEqParent* Template = TemplateAt(Area, I); HasSlots(Template))
      return {Template->Slot(0), 0};
  TEqParent* Template = HoldingTemplate(Area);
  if (!Template) return {};
  const int Slot = Template->EditAreaList()->IndexOf(&Area);
  if (Slot + 1 < Template->EditAreaCount()) return {Template->Slot(Slot + 1), 0};
  return {Template->GetParent(), TemplateIndexOf(&Area) + 1};
}

TSlotStop PreviousSlotStop(TEditArea& Area, int Index) {
  for (int I = qMin(Index, Area.Count()) - 1; I >= 0; --I)
    if (TEqParent* Template = TemplateAt(Area, I); HasSlots(Template)) {
      TEditArea* Last = Template->Slot(Template->EditAreaCount() - 1);
      return {Last, Last->Count()};
    }
  TEqParent* Template = HoldingTemplate(Area);
  if (!Template) return {};
  const int Slot = Template->EditAreaList()->IndexOf(&Area);
  if (Slot > 0) {
    TEditArea* Before = Template->Slot(Slot - 1);
    return {Before, Before->Count()};
  }
  return {Template->GetParent(), TemplateIndexOf(&Area)};
}
