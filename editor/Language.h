#pragma once
// The languages of the palette's descriptions and of the editor's spoken formula, and how a
// language picks its strings from the string table.

#include <QObject>

class TLanguages {
  Q_GADGET

 public:
  // The English texts are ours. The enums of the editor are int-sized: bindings (PyQt)
  // read the enum arguments of signals as int.
  enum TLanguage : int { lEnglish = 0, lRussian = 1, lDeutsche = 2 };
  Q_ENUM(TLanguage)
};

using TLanguage = TLanguages::TLanguage;

// The values are named in the classes that take a language (TSelectEquation::lRussian, as
// forms store them; TZelkEquation::lRussian) and here (Zelk::lRussian).
namespace Zelk {
using Language = TLanguages::TLanguage;
using enum TLanguages::TLanguage;
}  // namespace Zelk

// A stored form or a property call may carry any byte: only these three are languages.
bool IsLanguage(int Value);

// The language digit of the string ids: 1 Russian, 2 German, 3 English.
int LanguageDigit(TLanguage Language);

// The string Number (four digits: group and button, or a word of the spoken formula) in
// Language; empty when the table has none.
QString LanguageString(TLanguage Language, int Number);
