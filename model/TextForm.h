#pragma once
// Pieces of the Data text form shared by every level of reader and writer.

#include <QString>

#include "Types.h"

// Removes leading and trailing characters whose code is 32 or less.
QString TrimText(const QString& Text);

// Splits a text into items Name(Argument): names are runs of ASCII letters, arguments
// the trimmed text between the matching parentheses. Runs in time linear in the text.
TExprArray SplitItems(const QString& Text);

// Parses a decimal whole number with an optional sign that fits in 32 bits; throws
// EConvertError for anything else.
// The character a Simple item's argument stands for: "#" and digits give a code (up to
// U+10FFFF whole, a larger one its low 16 bits), anything else its first character (a
// surrogate pair is one character).
char32_t SimpleCharacter(const QString& Argument);

int StrToInt(const QString& Text);

// The text form of each slot in turn, as EditArea(...) items.
class TEditArea;
QString EditAreaItem(const TEditArea* Area);

// What the editor builds from one text. Beyond these limits reading stops with ELimitError
// and keeps what it read. Each level of nesting costs stack, and fractions and indices reach
// a one-pixel font long before 32 levels; the counts keep the nodes well
// inside memory. Every element of a run
// counts once, a matrix once per cell.
constexpr int MaxNestingDepth = 32;
constexpr int MaxLines = 10000;
constexpr int MaxElements = 100000;

// The number of templates that hold Area, 0 for a line.
int NestingDepth(const TEditArea* Area);

// One reading of a text, begun by whichever reader runs first (the editor's, a line's or a
// slot's): the readers nested in it share its count of elements built.
class TEditorCore;
class TReadScope {
 public:
  explicit TReadScope(TEditorCore* Editor);
  ~TReadScope();
  TReadScope(const TReadScope&) = delete;
  TReadScope& operator=(const TReadScope&) = delete;

  // Counts N more elements; throws ELimitError, before they are built, past MaxElements.
  void CountElements(int N);
  // Whether the limits apply: not to a text the editor wrote itself (see
  // TEditorCore::RestoreData).
  bool Limited() const;
  // The formula changed under the reading (a receiver assigned Data or deleted lines):
  // what is left to read is dropped.
  bool Interrupted() const;
  TEditorCore* Editor() const { return FEditor; }

 private:
  TEditorCore* FEditor;
};
