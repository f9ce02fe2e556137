#pragma once
// The symbols the palette and the keyboard produce as ExtSymbol codes, with their LaTeX
// command and MathML character; and the symbol commands other writers use that map to a
// plain character. Our own codes map one to one in both directions, so an ExtSymbol
// survives LaTeX and MathML. Where the command's character differs from the code (\ast
// is U+2217, \hbar U+210F) the MathML character is the command's, as other tools expect.

#include <QString>
#include <QStringList>

struct TSymbol {
  char16_t Code;       // the ExtSymbol code
  const char* Latex;   // command without backslash, or null: written as the character
  char16_t MathChar;   // the character in MathML
  bool Identifier;     // <mi> rather than <mo>
};

// The entry of an ExtSymbol code, or null for a code the palette does not produce.
const TSymbol* SymbolByCode(char16_t Code);
// The palette symbol a command (without backslash) or a MathML character stands for.
const TSymbol* SymbolByLatex(const QString& Command);
const TSymbol* SymbolByMathChar(char16_t Char);

// The palette's spaces (no-break, em, three- and six-per-em, zero width): text in MathML.
bool IsSpaceSymbol(char16_t Code);
// A character that only makes room (a space of any width, an invisible operator): an
// <mtext> of nothing else is spacing, not words.
bool IsBlank(char32_t Code);

// A command of other writers for a character that is no palette symbol (\cdot, \in,
// \forall ...): the character, or 0.
char16_t ForeignSymbolChar(const QString& Command);

// The command (without backslash) amsmath or amssymb has for a character beyond ASCII,
// which reads back to the same character or palette symbol: empty where there is none.
QString CharacterCommand(char32_t Char);

// Every symbol command (without backslash) the LaTeX reader takes for a character: the
// palette's symbols, their other names and the other writers' symbols.
QStringList SymbolCommands();

// The big-operator commands: 1..6 signs of TTemplateInfo::TOperator order in Operator,
// with the integral's count and ring; false for any other command.
struct TOperatorSign {
  int Operator;
  int Size;
  bool Ring;
};
bool BigOperatorByLatex(const QString& Command, TOperatorSign& Sign);
// The command and MathML character of a big operator.
QString BigOperatorLatex(int Operator, int Size, bool Ring);
char16_t BigOperatorChar(int Operator, int Size, bool Ring);
// The template sign a MathML operator character stands for.
bool BigOperatorByChar(char16_t Char, TOperatorSign& Sign);
