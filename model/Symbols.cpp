#include "Symbols.h"

void TEqSimple::SetCharacter(QChar Value) {
  FCharacter = Value;
  ContentChanged();
}

QString TEqSimple::GetData() const {
  const char16_t Code = FCharacter.unicode();
  if (Code <= 32 || Code == u'(' || Code == u')') return QLatin1Char('#') + QString::number(Code);
  return QString(FCharacter);
}

void TEqExtSymbol::SetSymbolCode(char16_t Value) {
  FSymbolCode = Value;
  ContentChanged();
}

QString TEqExtSymbol::GetData() const { return QString::number(FSymbolCode); }
