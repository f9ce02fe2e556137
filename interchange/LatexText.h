#pragma once
// How one character is written in LaTeX; the reader undoes exactly this.

#include <QString>

// Characters math mode has no symbol for (letters of other alphabets, ~ and ^, codes no
// font prints) go into \text{...}.
bool WrittenAsText(char16_t Code);
// The character inside \text{...}, for a character WrittenAsText accepts.
QString TextModeCharacter(char16_t Code);
// The character in math mode, escaped where LaTeX gives it a meaning.
QString MathModeCharacter(char16_t Code);
// A character no font prints and XML cannot carry.
bool Unprintable(char16_t Code);
