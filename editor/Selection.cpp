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
  Area.DelEquations(First, Last);
  Area.SetEquationIndex(qBound(0, First, Area.Count()));
}
