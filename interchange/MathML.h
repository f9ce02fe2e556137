#pragma once
// The formula as presentation MathML and back.
//
// The writer gives one <math> element, valid against the MathML 3 DTD: the presentation
// markup inside <semantics>, followed by two annotations, the exact formula
// (encoding "application/x-zelk-data") and its LaTeX ("application/x-tex"). Several
// lines become an <mtable> with one row each; an index takes the element before it as
// its base; characters that XML cannot carry become <mrow class="zelk-unprintable"/>.
//
// The reader prefers the Data annotation. Without it, it reads the presentation elements
// people use: mrow, mi, mn, mo, mtext, mspace, mfrac, msub, msup, msubsup, munder, mover,
// munderover, mtable, fences (\left...\right style mrows and mfenced), semantics, mstyle and
// mpadded. Anything else is refused with the element and its position in the text.

#include "Latex.h"

QString WriteMathML(const TFormula& Formula, bool Annotated = true);
TReadResult ReadMathML(const QString& Text, bool PreferData = true);
