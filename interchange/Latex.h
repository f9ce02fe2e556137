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

// How a character that amsmath or amssymb has a command for is written: as that command
// (\cdot, \mid, \|, \prime, - for the minus sign), which pdfLaTeX sets, or as the
// character itself, for unicode-math under XeLaTeX or LuaLaTeX. A character no command
// stands for is written as itself in both.
enum class TLatexFlavour { PdfLatex, UnicodeMath };

// The refusal of a text that holds a NUL or another control character no LaTeX, MathML or
// Data text holds (below U+0020, other than tab, line feed and carriage return), placed
// at the first of them; an Ok result for any other text. Both readers refuse such a text.
TReadResult CheckControlCharacters(const QString& Text);

// Annotated false leaves out the %zelk-data line.
QString WriteLatex(const TFormula& Formula, bool Annotated = true, TLatexFlavour Flavour = TLatexFlavour::PdfLatex);

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
  // Commands to expand as they are read: a fault inside what one makes is placed at the
  // command. What they make, however they nest, stays within the editor's element limit.
  TLatexMacros Macros;
};
TReadResult ReadLatex(const QString& Text, const TLatexReadOptions& Options = {});
