#pragma once
// AsciiMath, as learning platforms and Markdown editors store it, read into a formula.
//
// The reader follows the grammar MathJax's AsciiMath input reads: symbols by their
// AsciiMath names (longest name first), numbers, letters, "text" and text(...); bracket
// pairs ( ) [ ] { } (: :) << >> and the invisible {: :} around an expression, each a
// bracket element where it is one of ours; unary sqrt, accents, fonts, abs, floor, ceil,
// norm, cancel, ubrace and obrace; binary frac, root, stackrel, overset and underset;
// scripts _ and ^ (the brackets around a script or an argument taken off), S/S as a
// fraction, a bracketed list of equally long bracketed lists as a matrix. A big
// operator's operand runs to the next relation, as TeX spaces it. There is no way back:
// the editor writes LaTeX, MathML and Typst.

#include "Latex.h"

TReadResult ReadAsciiMath(const QString& Text);
