#pragma once
// The formula as LaTeX (amsmath) and back.
//
// The writer gives math-mode LaTeX that KaTeX, Temml and amsmath read: every template as
// its command or environment, slots and big-operator operands braced, several lines as a
// gathered environment. A last line "%zelk-data:<Data>" carries the exact formula, so that
// our reader gets back what was written even where LaTeX cannot tell two formulas apart
// (a typed character from a palette symbol, a 1x1 matrix's shape).
//
// The reader prefers that line. Without it, it reads what people write: fractions
// (\frac \dfrac \tfrac \over), scripts with or without braces, \left...\right pairs, the big
// operators with \limits/\nolimits, bars and arrows over and under, labelled arrows, the
// matrix environments, Greek letters and symbol commands, \text and spacing. What the
// formula model cannot hold is refused with the construct and its position; what it holds
// only approximately (named operators, styles, spacing, sized delimiters) is read and the
// loss stated.

#include <QHash>
#include <QString>
#include <QStringList>

#include "Formula.h"

// What a reader made of a text.
struct TReadResult {
  // The Data text; empty when the text was refused.
  QString Data;
  // Why the text was refused, and where (1-based line and column of the input).
  QString Error;
  int Line = 0;
  int Column = 0;
  // What was read only approximately, one phrase each, without repeats.
  QStringList Losses;

  bool Ok() const { return Error.isEmpty(); }
  // "line L, column C: message", or empty.
  QString Message() const;
};

// Annotated false leaves out the %zelk-data line.
QString WriteLatex(const TFormula& Formula, bool Annotated = true);

// A document's own command: its body, with #1...#9 standing for its arguments.
struct TLatexMacro {
  int Arguments = 0;
  QString Body;
};
using TLatexMacros = QHash<QString, TLatexMacro>;

// The commands a document defines with \newcommand, \renewcommand, \DeclareMathOperator and
// \let; those with an optional argument are left out.
TLatexMacros ReadLatexMacros(const QString& Document);

struct TLatexReadOptions {
  // Whether the text is a displayed formula: big operators other than integrals then take
  // limits above and below unless \nolimits says otherwise.
  bool Display = true;
  // Whether a %zelk-data line wins over the LaTeX before it.
  bool PreferData = true;
  // Commands to expand before reading (positions in messages then refer to the expanded
  // text).
  TLatexMacros Macros;
};
TReadResult ReadLatex(const QString& Text, const TLatexReadOptions& Options = {});
