#pragma once
// The enumerations and option sets that parameterise the template elements.

#include <QString>
#include <vector>

#include "../platform/Set.h"

// Which optional slots a big operator or an index has.
enum TGroupOption { goLimitTop, goLimitBottom, goIndexTop, goIndexBottom };
using TGroupOptions = TSet<TGroupOption>;

// Arrow heads at the right or left end, and a second parallel bar (vectors only).
enum TKindArrow_ { kaRight, kaLeft, kaDouble };
using TKindArrow = TSet<TKindArrow_>;

// Whether the slot of an arrow or vector lies above or below its line.
enum TAlignEA { aeTop, aeBottom };

// Parentheses, square brackets, braces, angle marks, single bars, double bars.
enum TKindBracket { kbRound, kbSquare, kbFigure, kbCorner, kbModule, kbDModule };

// One row, one column, a square grid, or a grid of a given number of columns.
enum TKindMatrix { kmHoriz, kmVert, kmSquare, kmGrid };

// A grid has 2..MaxMatrixColumns columns (one column is a kmVert matrix).
constexpr int MaxMatrixColumns = 40;
// The marks of an accent, numbered as the palette's ornament buttons: strokes across the
// slot, primes at its upper right, and marks over it.
enum TKindAccent {
  acStrike = 1, acSlash, acPrime, acPrimeTwo, acPrimeThree, acDot, acDotTwo, acDotThree, acBar,
  acHat, acTilde, acArrowRight, acArrowLeft, acArrowRightLeft, acHarpoonRight, acHarpoonLeft,
  acArcUp, acArcDown, acBackPrime
};
constexpr TKindAccent FirstAccent = acStrike;
constexpr TKindAccent LastAccent = acBackPrime;

// One delimiter of a fence: the opening or closing glyph of a bracket kind, a single or
// double bar, a floor or ceiling half, or none.
enum TDelimiter {
  dlNone, dlRoundOpen, dlRoundClose, dlSquareOpen, dlSquareClose, dlFigureOpen, dlFigureClose,
  dlCornerOpen, dlCornerClose, dlModule, dlDModule, dlFloorOpen, dlFloorClose, dlCeilingOpen,
  dlCeilingClose
};

// The delimiters a bracket pair is made of.
inline TDelimiter OpeningDelimiter(TKindBracket Kind) {
  constexpr TDelimiter Opening[] = {dlRoundOpen, dlSquareOpen, dlFigureOpen, dlCornerOpen, dlModule, dlDModule};
  return Opening[Kind];
}
inline TDelimiter ClosingDelimiter(TKindBracket Kind) {
  constexpr TDelimiter Closing[] = {dlRoundClose, dlSquareClose, dlFigureClose, dlCornerClose, dlModule, dlDModule};
  return Closing[Kind];
}

// The delimiters of a fence element: a middle one parts two slots.
struct TFenceKind {
  TDelimiter Left = dlNone;
  TDelimiter Middle = dlNone;
  TDelimiter Right = dlNone;
  bool operator==(const TFenceKind&) const = default;
};

// A continued fraction (TeX's \cfrac): its parts stay in the style of the line, the
// numerator centred or at one side.
enum TContinued { cfNone, cfCentre, cfLeft, cfRight };

// Where the scripts of a scripted base stand: above and below it, or beside it on the right.
enum TScriptPlace { spLimits, spIndices };


// One item of a text form: Name(Argument).
struct TExpression {
  QString Name;
  QString Argument;
};
using TExprArray = std::vector<TExpression>;

// How the Math style spaces an element against its neighbours: ordinary, big operator,
// binary operator, relation, opening, closing, punctuation, inner (fractions, brackets);
// scripts sit on the element before them and are spaced as it is.
enum TMathAtom { maOrd, maOp, maBin, maRel, maOpen, maClose, maPunct, maInner, maScript };

// A letter's part in an operator name its run spells in the Math style: none, the first
// letter, or a letter after it.
enum TMathName { mnNone, mnFirst, mnRest };

// Math style levels of an edit area: a line is display; smaller levels follow TeX.
enum TMathLevel { mlDisplay, mlText, mlScript, mlScriptScript };

// How a template's slot is set in the Math style: at its template's level, at least at
// text level (matrix cells, a continued fraction's parts), one level down (fraction
// parts), or as a script or as a script's script (a root's degree).
enum TSlotStyle { ssSame, ssText, ssFraction, ssScript, ssScriptScript };

// Where the operator at a soft line break stands: ending the row, beginning the next, or
// ending the row and shown again at the start of the next.
enum TWrapBreak { wbAfter, wbBefore, wbRepeated };
