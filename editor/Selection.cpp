#include "Selection.h"

#include <QtGlobal>

#include "model/EditArea.h"
#include "model/Equation.h"

std::pair<int, int> TSelection::Range(int Caret) const {
  if (FAnchor < 0) return {Caret, Caret};
  return {qMin(FAnchor, Caret), qMax(FAnchor, Caret)};
}

QString RunData(const TEditArea& Area, int First, int Last) {
  QString Text = QStringLiteral("EditArea(");
  for (int I = qMax(First, 0); I < Last && I < Area.Count(); ++I)
    Text += Area.EquationList()->GetString(I) + QLatin1Char('(') + Area.Item(I)->GetData() +
            QLatin1Char(')');
  return Text + QLatin1Char(')');
}

void DeleteRun(TEditArea& Area, int First, int Last) {
  First = qBound(0, First, Area.Count());
  Last = qBound(First, Last, Area.Count());
  // The caret first, so that no layout on the way sees it past the run's end.
  Area.SetEquationIndex(First);
  // From the end, so that each deletion leaves the indices before it alone.
  for (int I = Last - 1; I >= First; --I) Area.DelEquation(I);
  Area.SetEquationIndex(First);
}
