#include "Brackets.h"

TEqBrackets::TEqBrackets(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqBrackets::SetKindBracket(TKindBracket Value) {
  static const char16_t Glyphs[][2] = {{u'\uFD3E', u'\uFD3F'}, {u'[', u']'},
                                       {u'{', u'}'},           {u'\u2039', u'\u203A'},
                                       {u'\u2502', u'\u2502'}, {u'\u2551', u'\u2551'}};
  FKindBracket = Value;
  FLSymbol = Glyphs[Value][0];
  FRSymbol = Glyphs[Value][1];
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
