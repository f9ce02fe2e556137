#pragma once
// The mathematical alphabets a style command selects in LaTeX (\mathbf, \mathcal, \mathbb,
// \mathfrak) and mathvariant in MathML: each styled letter or digit is one character of
// its own (Unicode's mathematical alphanumerics, or the older letter-like symbol where the
// alphabet has a hole), so a formula keeps it as a plain character.

#include <QString>
#include <optional>
#include <utility>

enum class TMathAlphabet { Bold, Script, DoubleStruck, Fraktur };

// The character of Plain in Alphabet, or 0 where the alphabet has none (bold: letters and
// digits; script and double-struck: capitals; fraktur: letters).
char32_t StyledCharacter(TMathAlphabet Alphabet, char32_t Plain);
// The alphabet and plain character a styled character stands for.
std::optional<std::pair<TMathAlphabet, char32_t>> PlainCharacter(char32_t Styled);

// The LaTeX command (without backslash) and MathML mathvariant of an alphabet, and back.
QString AlphabetCommand(TMathAlphabet Alphabet);
QString AlphabetVariant(TMathAlphabet Alphabet);
std::optional<TMathAlphabet> AlphabetByCommand(const QString& Command);
std::optional<TMathAlphabet> AlphabetByVariant(const QString& Variant);
