#pragma once
// The formula as Typst math and back.
//
// The writer gives an equation, $ ... $, that the Typst compiler sets without a diagnostic:
// frac, binom, sqrt and root, big operators with their attachments (limits() and scripts()
// where the placement is not Typst's own), lr() for bracket pairs and fences, mat, vec and
// cases, accents, cancel, overbrace and underbrace, attach() for left and wide scripts,
// op() and stretch(); letters spaced apart, characters by their symbol names, several
// lines parted by \ and aligned at &. Typst has no operand of a big operator, no long
// division, no slanted fraction and no arrow under a slot: what the writer can only
// approximate it still writes, and names in Losses.
//
// The reader takes what people write: the same functions and also a/b, attachments with
// parenthesized or single-atom scripts, primes, shorthands (->, <=, ...), symbol names,
// strings and escapes. A big operator's operand runs to the next relation, as TeX spaces
// it. Matched ( ) [ ] { } around plain content are characters. Code (#...), unknown names
// and functions without an element kind are refused with their place.

#include <QStringList>

#include "Latex.h"

// Delimited false gives the math content alone, without the $ and spaces around it.
QString WriteTypst(const TFormula& Formula, QStringList* Losses = nullptr, bool Delimited = true);
// Reads an equation with or without its $ delimiters.
TReadResult ReadTypst(const QString& Text);

// Whether a character ends a big operator's operand in the readers (relations, commas):
// the writer marks no operand off where the reader would read it this way.
bool EndsOperand(char32_t Char);
