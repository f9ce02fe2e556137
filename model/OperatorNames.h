#pragma once
// The names of functions and operators that mathematics sets upright (sin, log, lim, ...):
// the LaTeX reader knows them as commands, and the Math style sets a run's letters that
// spell one upright and spaced as an operator.

#include <QSet>
#include <QString>

const QSet<QString>& OperatorNames();

// The length of the longest name Letters starts with, 0 for none.
int OperatorNamePrefix(QStringView Letters);
