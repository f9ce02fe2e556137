// A scripted base: the scripts around the base as the shared script placement puts them.

#include "layout/ScriptPlacement.h"
#include "model/EditArea.h"
#include "model/Scripted.h"

namespace {
QSize SizeOf(const TEditArea* Area) { return QSize(Area->Width(), Area->Height()); }
}  // namespace

TScriptFrame TEqScripted::Frame() const {
  const QSize Top = FTopArea ? SizeOf(FTopArea) : QSize();
  const QSize Bottom = FBottomArea ? SizeOf(FBottomArea) : QSize();
  return PlaceScripts(Place(), SizeOf(Base()), FTopArea ? &Top : nullptr, FBottomArea ? &Bottom : nullptr);
}

int TEqScripted::CalcHeight() const { return Frame().Size.height(); }

int TEqScripted::CalcWidth() const { return Frame().Size.width(); }

int TEqScripted::GetMidLine() const { return Frame().MidLine; }

void TEqScripted::RefreshEditArea(int) {
  if (UpdateCount() > 0) return;
  const double ScriptFactor = FOperator ? 0.8 : 0.7;
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), I == 0 ? 1.0 : ScriptFactor);
    Slot(I)->SetIndexInParent(I);
  }
  const TScriptFrame F = Frame();
  Base()->SetLeft(F.Base.x());
  Base()->SetTop(F.Base.y());
  if (FTopArea) {
    FTopArea->SetLeft(F.Top.x());
    FTopArea->SetTop(F.Top.y());
  }
  if (FBottomArea) {
    FBottomArea->SetLeft(F.Bottom.x());
    FBottomArea->SetTop(F.Bottom.y());
  }
  GetParent()->RefreshEquations();
}

void TEqScripted::Paint() { PaintBackground(); }
