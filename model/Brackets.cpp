#include "Brackets.h"

#include "layout/BracketGlyphs.h"

TEqBrackets::TEqBrackets(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqBrackets::SetKindBracket(TKindBracket Value) {
  FKindBracket = Value;
  FLSymbol = DelimiterGlyph(OpeningDelimiter(Value));
  FRSymbol = DelimiterGlyph(ClosingDelimiter(Value));
  RefreshEditArea(0);
}

void TEqBrackets::SetLSymbol(char16_t Value) {
  FLSymbol = Value;
  ContentChanged();
  Repaint();
}

void TEqBrackets::SetRSymbol(char16_t Value) {
  FRSymbol = Value;
  Repaint();
}
