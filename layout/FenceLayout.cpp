// Fence: left glyph, slot, middle glyph and slot, right glyph, each centred in one band.

#include "layout/BracketGlyphs.h"
#include "model/EditArea.h"
#include "model/Fence.h"

int TEqFence::GlyphWidth(TDelimiter Value) const {
  SetCanvasFont();
  return GlyphExtent(Canvas(), DelimiterGlyph(Value)).width();
}

int TEqFence::CommonHeight() const {
  SetCanvasFont();
  int Result = 0;
  for (TDelimiter D : {FKind.Left, FKind.Middle, FKind.Right})
    Result = qMax(Result, GlyphExtent(Canvas(), DelimiterGlyph(D)).height());
  for (int I = 0; I < EditAreaCount(); ++I) Result = qMax(Result, Slot(I)->Height());
  return Result;
}

int TEqFence::CalcHeight() const { return CommonHeight(); }

int TEqFence::CalcWidth() const {
  int Result = GlyphWidth(FKind.Left) + GlyphWidth(FKind.Middle) + GlyphWidth(FKind.Right);
  for (int I = 0; I < EditAreaCount(); ++I) Result += Slot(I)->Width();
  return Result;
}

void TEqFence::RefreshEditArea(int) {
  for (int I = 0; I < EditAreaCount(); ++I) {
    RefreshEA(Slot(I), 1.0);
    Slot(I)->SetIndexInParent(I);
  }
  const int CH = CommonHeight();
  int X = GlyphWidth(FKind.Left);
  for (int I = 0; I < EditAreaCount(); ++I) {
    TEditArea* Area = Slot(I);
    Area->SetLeft(X);
    Area->SetTop((CH - Area->Height()) / 2);
    X += Area->Width() + GlyphWidth(FKind.Middle);
  }
  GetParent()->RefreshEquations();
}

void TEqFence::Paint() {
  const int CH = CommonHeight();
  PaintBackground();
  TCanvas& C = Canvas();
  int X = 0;
  PaintGlyph(C, DelimiterGlyph(FKind.Left), X, CH);
  X += GlyphWidth(FKind.Left) + Slot(0)->Width();
  if (EditAreaCount() > 1) {
    PaintGlyph(C, DelimiterGlyph(FKind.Middle), X, CH);
    X += GlyphWidth(FKind.Middle) + Slot(1)->Width();
  }
  PaintGlyph(C, DelimiterGlyph(FKind.Right), X, CH);
}
