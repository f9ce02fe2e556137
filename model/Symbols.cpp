#include "Symbols.h"

void TEqSimple::SetCharacter(char32_t Value) {
  FCharacter = Value;
  ContentChanged();
}

QString TEqSimple::GetData() const {
  const char32_t Code = FCharacter;
  if (Code <= 32 || Code == U'(' || Code == U')' || QChar::isSurrogate(Code) || Code > 0x10FFFF)
    return QLatin1Char('#') + QString::number(Code);
  return Text();
}

void TEqExtSymbol::SetSymbolCode(char16_t Value) {
  FSymbolCode = Value;
  ContentChanged();
}

QString TEqExtSymbol::GetData() const { return QString::number(FSymbolCode); }
