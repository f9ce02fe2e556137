#include "Language.h"

#include "editor/UsefulUtils.h"

using enum TLanguages::TLanguage;

bool IsLanguage(int Value) { return Value == lEnglish || Value == lRussian || Value == lDeutsche; }

int LanguageDigit(TLanguage Language) {
  switch (Language) {
    case lRussian: return 1;
    case lDeutsche: return 2;
    case lEnglish: break;
  }
  return 3;
}

QString LanguageString(TLanguage Language, int Number) {
  return GetString(QString::number(LanguageDigit(Language)) + IntToStrZero(Number, 4));
}
