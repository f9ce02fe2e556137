#include "AreaPath.h"

#include <algorithm>

#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"

TAreaPath TAreaPath::Parent() const {
  if (Steps.empty()) return {};
  TAreaPath Up = *this;
  Up.Steps.pop_back();
  return Up;
}

int TemplateIndexOf(const TEditArea* Area) {
  const auto* Template = dynamic_cast<const TEquation*>(Area->GetParent());
  if (!Template || !Template->GetParent()) return -1;
  const TEditArea* Run = Template->GetParent();
  for (int I = 0; I < Run->Count(); ++I)
    if (Run->Item(I) == Template) return I;
  return -1;
}

TAreaPath PathOf(const TEditArea* Area) {
  TAreaPath Path;
  while (Area) {
    TEquatStore* Owner = Area->GetParent();
    if (!Owner || !Owner->EditAreaList()) return {};
    const int Slot = Owner->EditAreaList()->IndexOf(Area);
    if (Slot < 0) return {};
    if (dynamic_cast<TEditorCore*>(Owner)) {
      Path.Line = Slot;
      std::reverse(Path.Steps.begin(), Path.Steps.end());
      return Path;
    }
    const int Element = TemplateIndexOf(Area);
    if (Element < 0) return {};
    Path.Steps.emplace_back(Element, Slot);
    Area = static_cast<TEquation*>(Owner)->GetParent();
  }
  return {};
}

TEditArea* AreaAt(const TEditorCore& Editor, const TAreaPath& Path) {
  if (Path.Line < 0 || Path.Line >= Editor.LineCount()) return nullptr;
  TEditArea* Area = Editor.Line(Path.Line);
  for (const auto& [Element, Slot] : Path.Steps) {
    if (Element < 0 || Element >= Area->Count()) return nullptr;
    auto* Template = dynamic_cast<TEqParent*>(Area->Item(Element));
    if (!Template || Slot < 0 || Slot >= Template->EditAreaCount()) return nullptr;
    Area = Template->Slot(Slot);
  }
  return Area;
}

TCommonRange CommonRange(const TAreaPath& A, int CaretA, const TAreaPath& B, int CaretB) {
  TCommonRange Common;
  if (A.Line != B.Line || A.Line < 0) return Common;
  Common.Path.Line = A.Line;
  std::size_t Depth = 0;
  while (Depth < A.Steps.size() && Depth < B.Steps.size() && A.Steps[Depth] == B.Steps[Depth])
    Common.Path.Steps.push_back(A.Steps[Depth++]);
  // Each end as a span of the common run: a caret is empty, a template one element wide.
  const auto Span = [Depth](const TAreaPath& P, int Caret) {
    if (Depth < P.Steps.size()) return std::pair{P.Steps[Depth].first, P.Steps[Depth].first + 1};
    return std::pair{Caret, Caret};
  };
  const auto [StartA, EndA] = Span(A, CaretA);
  const auto [StartB, EndB] = Span(B, CaretB);
  if (StartB >= StartA) {
    Common.Anchor = qMin(StartA, StartB);
    Common.Caret = qMax(EndA, EndB);
  } else {
    Common.Anchor = qMax(EndA, EndB);
    Common.Caret = qMin(StartA, StartB);
  }
  return Common;
}
