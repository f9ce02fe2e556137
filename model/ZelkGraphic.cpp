#include "ZelkGraphic.h"

#include "model/TextForm.h"

void TZelkGraphic::SetBkColor(QColor Value) {
  FBkColor = Value;
  Repaint();
}

TExprArray TZelkGraphic::GetExprData(const QString& Text) { return SplitItems(Text); }

void TEquatStore::SetEditAreaIndex(int Value) {
  if (Value != FEditAreaIndex && Value >= 0 && Value < EditAreaCount()) FEditAreaIndex = Value;
}

void TEquatStore::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TEquatStore::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}
