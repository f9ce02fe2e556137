#pragma once
// The names Typst's math mode gives characters (alpha, arrow.r, plus.minus ...) and the
// operator names it sets upright (sin, lim ...): what the Typst writer writes a character
// as, and what its reader takes a name for.

#include <QString>
#include <QStringList>

// The character a symbol name stands for, or 0.
char32_t TypstSymbolChar(const QString& Name);
// The name the writer gives a character, or empty where it writes the character itself.
QString TypstSymbolName(char32_t Char);
// Every symbol name the reader knows, with its character.
QList<std::pair<QString, char32_t>> TypstSymbols();

// Whether Typst knows Name as an operator (sin, lim ...), and whether it sets that
// operator's scripts as limits in display.
bool IsTypstOperator(const QString& Name);
bool TypstOperatorHasLimits(const QString& Name);
