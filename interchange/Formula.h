#pragma once
// A formula as a plain value: lines of runs, each element a character, a symbol code or a
// template with its slots. The interchange writers and readers meet here; the Data text
// is its storage form, read by exactly the rules the editor reads it with.

#include <QString>
#include <vector>

#include "../model/Types.h"

struct TFormulaNode;
using TFormulaRun = std::vector<TFormulaNode>;

struct TFormulaNode {
  enum TKind { Simple, ExtSymbol, Template };
  TKind Kind = Simple;
  // The character (Simple, any code point) or symbol code (ExtSymbol, 16 bits).
  char32_t Code = 0;
  // The template keyword ("Division", "SumLimitBottom", ...) and its slots in Data order.
  QString Keyword;
  std::vector<TFormulaRun> Slots;

  static TFormulaNode Character(char32_t Code) { return {Simple, Code, {}, {}}; }
  static TFormulaNode Symbol(char16_t Code) { return {ExtSymbol, Code, {}, {}}; }
  bool operator==(const TFormulaNode&) const = default;
};

struct TFormula {
  std::vector<TFormulaRun> Lines;
  bool operator==(const TFormula&) const = default;
};

// Reads a Data text as the editor does: unknown items are skipped, missing slots stay
// empty. Throws EConvertError on a non-numeric ExtSymbol and ELimitError where the editor
// would stop (model/TextForm.h).
TFormula ParseData(const QString& Data);

// The Data text the editor writes for the formula. Portable additionally writes every
// character that XML or UTF-8 cannot carry (surrogate halves, U+FFFE, U+FFFF) as #code,
// which reads back to the same formula.
QString WriteData(const TFormula& Formula, bool Portable = false);

// Lines aligned at marks: whether a line holds an alignment mark at its top level, and
// the runs before, between and after such marks (one run for a line without them).
bool IsAlignMark(const TFormulaNode& Node);
bool HasAlignedLines(const TFormula& Formula);
std::vector<TFormulaRun> AlignedCells(const TFormulaRun& Line);

// Empty when the formula stays within the editor's reading limits, else why not.
QString LimitProblem(const TFormula& Formula);
