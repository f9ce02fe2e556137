#pragma once
// What each template keyword stands for, as parameters the writers and readers work
// with, and the keyword for a set of parameters. Covers exactly the keywords the editor
// accepts.

#include <QString>

#include "../model/Types.h"

struct TTemplateInfo {
  enum TKind {
    Index, BigOperator, Brackets, Arrow, Vector, Division, Matrix, SlashDivision, Root, LongDivision, Accent,
    // A slot or two between delimiters of any kinds, a left index, a base with scripts, a
    // horizontal brace with a label.
    Fence, LeftIndex, Scripted, Brace,
    // Two parts stacked without a bar, in round brackets.
    Binomial,
    // Words set as text (\text): one slot of characters.
    Text,
    // The alignment mark, without slots: a column boundary of aligned lines.
    AlignMark
  };
  // The six big-operator signs; an integral comes one to three times and may have a ring.
  enum TOperator { Integral, Sum, Product, Coproduct, Intersection, Union };

  TKind Kind = Division;
  TOperator Operator = Sum;
  // Index and big operators: which optional slots there are.
  TGroupOptions Options;
  int Size = 1;
  bool Ring = false;
  TKindBracket Bracket = kbRound;
  TKindArrow Heads;
  TAlignEA Align = aeTop;
  TKindMatrix Shape = kmSquare;
  int Columns = 0;  // of a grid
  // A small fraction or binomial, an n-th root (a degree slot), a long division with a quotient slot.
  bool Small = false;
  // A continued fraction, and where its numerator stands.
  TContinued Continued = cfNone;
  bool Degree = false;
  bool Quotient = false;
  TKindAccent Mark = acBar;
  TFenceKind Delimiters;
  // Scripted: whether the base is an operator.
  bool OperatorBase = false;

  // Slots in Data order; a matrix has as many as it has cells, at least one, and a fence
  // with a middle delimiter as many as it has parts, at least two.
  int SlotCount() const;
  // Data position of an optional slot of an index or big operator, or -1 without it.
  int SlotOf(TGroupOption Option) const;
  QString Keyword() const;
  // The columns a matrix of Cells cells is laid out in.
  int MatrixColumns(int Cells) const;
};

// The parameters of an accepted keyword, or null.
const TTemplateInfo* FindTemplate(const QString& Keyword);

// The MathML character of an accent's mark (0 for the strokes across the slot), and the
// accent a mark character stands for. The bar and the arrows are an accent's only when
// not stretched; stretched, they are the bars' and arrows' over a slot.
char16_t AccentChar(TKindAccent Mark);
bool AccentByChar(char16_t Code, bool Stretchy, TKindAccent& Mark);
// The character that stands for a delimiter in LaTeX and MathML (0 for none): the plain
// parenthesis, bar and angle bracket rather than the glyphs the editor draws.
char16_t DelimiterChar(TDelimiter Value);
// The fence or bracket pair with these delimiter characters (0: none), or null.
const TTemplateInfo* FenceByChars(char16_t Left, char16_t Middle, char16_t Right);
