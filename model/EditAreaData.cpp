// The text form of a run: one Keyword(Argument) item per element.

#include "editor/ZelkEquation.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/Keywords.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
// "#" followed by digits stands for a character code; anything else for its first
// character. Codes beyond 16 bits keep their low 16 bits.
QChar SimpleCharacter(const QString& Argument) {
  if (Argument.size() > 1 && Argument[0] == u'#') {
    unsigned Code = 0;
    bool Digits = true;
    for (qsizetype I = 1; I < Argument.size() && Digits; ++I) {
      const char16_t U = Argument[I].unicode();
      Digits = U >= u'0' && U <= u'9';
      Code = (Code * 10 + (U - u'0')) & 0xFFFFu;
    }
    if (Digits) return QChar(static_cast<char16_t>(Code));
  }
  return Argument[0];
}
}  // namespace

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
  int Depth = -1;  // found at the first template
  for (const TExpression& Expr : GetExprData(Text)) {
    // A receiver replaced the formula, or took this area out of it.
    if (Reading.Interrupted() || FEditor != Reading.Editor()) return;
    if (Expr.Name == QLatin1String("Simple")) {
      // An empty argument has no character to insert.
      if (Expr.Argument.isEmpty()) continue;
      Reading.CountElements(1);
      AddEqSimple(SimpleCharacter(Expr.Argument));
    } else if (Expr.Name == QLatin1String("ExtSymbol")) {
      const int Code = StrToInt(Expr.Argument);
      Reading.CountElements(1);
      AddEqExtSymbol(Code);
    } else if (const TInsertion Insert = InsertionForKeyword(Expr.Name)) {
      if (Depth < 0) Depth = NestingDepth(this);
      // Each level costs stack and font size; none is visible this deep.
      if (Depth >= MaxNestingDepth)
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
}
