#pragma once
// What the LaTeX and MathML readers share: the refusal they throw, the losses they
// collect, and the step from a read formula to its Data text.

#include <QSet>
#include <QStringList>
#include <iterator>
#include <vector>

#include "Latex.h"
#include "Templates.h"

// Thrown by a reader at the first thing it cannot represent: where, as an offset into the
// text or (Line > 0) as line and column.
struct TReadRefusal {
  QString Message;
  qsizetype Offset = 0;
  int Line = 0;
  int Column = 0;
};

class TReadLosses {
 public:
  void Add(const QString& What) {
    if (!FList.contains(What)) FList.push_back(What);
  }
  const QStringList& List() const { return FList; }

 private:
  QStringList FList;
};

// Deepest group or element nesting a reader follows before it refuses: far beyond any
// formula the editor can show (model/TextForm.h), well inside the stack.
constexpr int MaxReadDepth = 200;

// The Data text of a formula a reader built, or the refusal when it exceeds the editor's
// limits.
TReadResult FinishRead(const TFormula& Formula, const TReadLosses& Losses);
// Reads a Data annotation (the exact formula) into a result in canonical form.
TReadResult ReadDataAnnotation(const QString& Data);
// 1-based line and column of Offset in Text.
void PlaceOffset(const QString& Text, qsizetype Offset, TReadResult& Result);

// A template node of the kind Info with the given slots.
TFormulaNode MakeTemplate(const TTemplateInfo& Info, std::vector<TFormulaRun> Slots);
// The alignment mark that parts the columns of aligned lines.
TFormulaNode AlignMarkNode();
// Slots and runs moved in, in order: a braced list would copy them, and with them every
// level nested below.
template <size_t N>
std::vector<TFormulaRun> SlotsOf(TFormulaRun (&&Runs)[N]) {
  return {std::make_move_iterator(Runs), std::make_move_iterator(Runs + N)};
}
TFormulaRun RunOf(TFormulaNode Node);
// The big operator with the options that the scripts present and their placement ask for;
// null when no template has them.
const TTemplateInfo* BigOperatorTemplate(int Operator, int Size, bool Ring, bool HasBottom, bool HasTop,
                                         bool Limits);
// The big-operator (or scripted base) template with Operand, Bottom and Top in their Data
// places.
TFormulaNode BigOperatorNode(const TTemplateInfo& Info, TFormulaRun Operand, TFormulaRun Bottom, TFormulaRun Top);
// A base with scripts (Options of limits or of indices) in their Data places.
TFormulaNode ScriptedNode(TGroupOptions Options, bool Operator, TFormulaRun Base, TFormulaRun Bottom, TFormulaRun Top);
// An index element (or, with Left, a left index) for the scripts present.
TFormulaNode IndexNode(bool HasBottom, TFormulaRun Bottom, bool HasTop, TFormulaRun Top, bool Left = false);
// A matrix from rows of cells: 1 x n, n x 1, k x k and our own square grids with a short
// last row map exactly; any other shape becomes a column of one-row matrices, with a loss.
TFormulaNode MatrixNode(std::vector<std::vector<TFormulaRun>> Rows, TReadLosses& Losses);
// The character (or palette symbol) for a character read as it stands.
TFormulaNode CharacterNode(char16_t Code);
// Content between the delimiters Left and Right (0: none) appended to Out: a brackets or
// fence element where the delimiters are those of one of ours, else the delimiters as
// characters, with a loss.
void FencedNodes(char16_t Left, TFormulaRun Content, char16_t Right, TFormulaRun& Out, TReadLosses& Losses);
// The same with two or more parts of content, each parted from the next by a Middle
// delimiter.
void FencedNodes(char16_t Left, std::vector<TFormulaRun> Parts, char16_t Middle, char16_t Right, TFormulaRun& Out,
                 TReadLosses& Losses);
