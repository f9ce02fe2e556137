#include "OperatorNames.h"

const QSet<QString>& OperatorNames() {
  static const QSet<QString> Names = {
      "sin", "cos", "tan", "cot", "sec", "csc", "arcsin", "arccos", "arctan", "sinh", "cosh", "tanh", "coth",
      "log", "ln", "lg", "exp", "lim", "liminf", "limsup", "sup", "inf", "max", "min", "det", "dim", "ker",
      "deg", "gcd", "hom", "arg", "Pr", "injlim", "projlim", "bmod", "mod"};
  return Names;
}

int OperatorNamePrefix(QStringView Letters) {
  // The longest names have seven letters.
  for (int Length = qMin<int>(Letters.size(), 7); Length > 1; --Length)
    if (OperatorNames().contains(Letters.left(Length).toString())) return Length;
  return 0;
}
