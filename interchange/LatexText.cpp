#include "LatexText.h"

#include "interchange/MathAlphabets.h"
#include "interchange/SymbolTable.h"

namespace {
bool Greek(char32_t Code) { return Code >= 0x370 && Code <= 0x3FF; }
}  // namespace

bool Unprintable(char32_t Code) {
  return Code < 32 || (Code >= 0x7F && Code < 0xA0) || (Code >= 0xD800 && Code <= 0xDFFF) ||
         Code == 0xFFFE || Code == 0xFFFF;
}

bool WrittenAsText(char32_t Code) {
  if (Code == u'~' || Code == u'^' || Unprintable(Code)) return true;
  // Math mode would skip the spaces of other scripts as blanks between tokens. A letter
  // with a command of its own (\ell, \aleph) is math.
  return Code > 0x7F && !PlainCharacter(Code) &&
         ((QChar::isLetter(Code) && !Greek(Code) && CharacterCommand(Code).isEmpty()) ||
          (QChar::isSpace(Code) && Code != 160));
}

QString TextModeCharacter(char32_t Code) {
  if (Code == u'~') return QStringLiteral("\\textasciitilde{}");
  if (Code == u'^') return QStringLiteral("\\textasciicircum{}");
  if (Unprintable(Code)) return QStringLiteral("\\char\"%1").arg(QString::number(Code, 16).toUpper());
  return QString::fromUcs4(&Code, 1);
}

QString MathModeCharacter(char32_t Code, bool Commands) {
  switch (Code) {
    case u' ': return QStringLiteral("\\ ");
    case u'\\': return QStringLiteral("\\backslash");
    case u'\'': return QStringLiteral("{'}");  // a prime would take the next superscript
    case u'#': case u'$': case u'%': case u'&': case u'_': case u'{': case u'}':
      return QLatin1Char('\\') + QChar(char16_t(Code));
    default:
      if (const auto Plain = PlainCharacter(Code))
        return QLatin1Char('\\') + AlphabetCommand(Plain->first) + QLatin1Char('{') + QChar(char16_t(Plain->second)) +
               QLatin1Char('}');
      if (Commands && Code == 0x2212) return QStringLiteral("-");
      if (const QString Command = Commands ? CharacterCommand(Code) : QString(); !Command.isEmpty()) {
        TOperatorSign Sign;
        // A big operator's sign braced, as a character and not the template.
        if (BigOperatorByLatex(Command, Sign)) return QStringLiteral("{\\") + Command + QLatin1Char('}');
        return QLatin1Char('\\') + Command;
      }
      return QString::fromUcs4(&Code, 1);
  }
}
