// One character or one symbol, measured and drawn in the element's own font.

#include "model/Symbols.h"

int TEqSimple::CalcHeight() const {
  SetCanvasFont();
  return Canvas().TextHeight(Text());
}

int TEqSimple::CalcWidth() const {
  SetCanvasFont();
  return Canvas().TextWidth(Text());
}

void TEqSimple::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqSimple::Paint() {
  SetCanvasFont();
  Canvas().TextOut(0, 0, Text());
}

int TEqExtSymbol::CalcHeight() const {
  SetCanvasFont();
  return Canvas().TextExtentW(FSymbolCode).height();
}

int TEqExtSymbol::CalcWidth() const {
  SetCanvasFont();
  return Canvas().TextExtentW(FSymbolCode).width();
}

void TEqExtSymbol::RefreshDimensions() {
  SetHeight(CalcHeight());
  SetWidth(CalcWidth());
}

void TEqExtSymbol::Paint() {
  SetCanvasFont();
  Canvas().TextOutW(0, 0, FSymbolCode);
}
