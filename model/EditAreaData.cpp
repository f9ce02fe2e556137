// The text form of a run: one Keyword(Argument) item per element.

#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/Keywords.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"


QString TEditArea::GetData() const {
  if (FDataKnown) return FData;
  QString Text;
  for (int I = 0; I < Count(); ++I) {
    Text += FEquationList->GetString(I);
    Text += QLatin1Char('(');
    Text += Item(I)->GetData();
    Text += QLatin1Char(')');
  }
  FData = Text;
  FDataKnown = true;
  return FData;
}

void TEditArea::SetData(const QString& Text) {
  TReadScope Reading(FEditor);
  if (Reading.Interrupted()) return;
  ClearEquations();
  InsertData(Text);
}

int TEditArea::InsertData(const QString& Text) {
  TReadScope Reading(FEditor);
  const int Start = FEquationIndex;
  int Depth = -1;  // found at the first template
  for (const TExpression& Expr : GetExprData(Text)) {
    // A receiver replaced the formula, or took this area out of it.
    if (Reading.Interrupted() || FEditor != Reading.Editor()) return FEquationIndex - Start;
    if (Expr.Name == QLatin1String("Simple")) {
      // An empty argument has no character to insert.
      if (Expr.Argument.isEmpty()) continue;
      Reading.CountElements(1);
      AddEqSimple(SimpleCharacter(Expr.Argument));
    } else if (Expr.Name == QLatin1String("ExtSymbol")) {
      const int Code = StrToInt(Expr.Argument);
      Reading.CountElements(1);
      AddEqExtSymbol(Code);
    } else if (Expr.Name == AlignMarkKeyword()) {
      Reading.CountElements(1);
      AddEqAlignMark();
    } else if (const TInsertion Insert = InsertionForKeyword(Expr.Name)) {
      if (Depth < 0) Depth = NestingDepth(this);
      // Each level costs stack and font size; none is visible this deep.
      if (Depth >= MaxNestingDepth && Reading.Limited())
        throw ELimitError("templates nest deeper than " + std::to_string(MaxNestingDepth) +
                          " levels");
      Reading.CountElements(1);
      Insert(*this);
      Item(EquationIndex())->SetData(Expr.Argument);
    } else {
      continue;
    }
    SetEquationIndex(EquationIndex() + 1);
  }
  return FEquationIndex - Start;
}
