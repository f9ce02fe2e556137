#include "editor/Equations.h"

TComponentInfo Equations::Register() {
  TComponentInfo Info;
  Info.ClassName = QStringLiteral("TZelkEquation");
  Info.Page = QStringLiteral("Zelk Equations");
  Info.IconResource = QStringLiteral(":/ZelkEquations/TZELKEQUATION.png");
  Info.IncludeFile = QStringLiteral("ZelkEquations/Equation.h");
  Info.ToolTip = QStringLiteral("Visual editor of a mathematical formula");
  Info.Create = [](QWidget* Parent) -> QWidget* { return new TZelkEquation(Parent); };
  return Info;
}
