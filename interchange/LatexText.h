#pragma once
// How one character is written in LaTeX; the reader undoes exactly this.

#include <QString>

// Characters math mode has no symbol for (letters of other alphabets without a command of
// their own, ~ and ^, codes no font prints) go into \text{...}.
bool WrittenAsText(char32_t Code);
// The character inside \text{...}, for a character WrittenAsText accepts.
QString TextModeCharacter(char32_t Code);
// The character in math mode, escaped where LaTeX gives it a meaning; a styled letter or
// digit (MathAlphabets.h) as its alphabet's command; with Commands, a character beyond
// ASCII that a command stands for as that command.
QString MathModeCharacter(char32_t Code, bool Commands = false);
// A character no font prints and XML cannot carry.
bool Unprintable(char32_t Code);
