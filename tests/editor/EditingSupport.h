#pragma once
// Key helpers for the editing tests: real key events sent to an editor.

#include <QTest>

#include "TestSupport.h"
#include "editor/Editing.h"

inline void Key(QWidget* W, Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) {
  QTest::keyClick(W, K, M);
}
inline void Ctrl(QWidget* W, Qt::Key K) { QTest::keyClick(W, K, Qt::ControlModifier); }
// Texts compared as UTF-8, so that a failure shows them.
#define EXPECT_TEXT(A, B) EXPECT_EQ(QString(A).toStdString(), QString(B).toStdString())

inline QString Row(const QString& Run) { return "EditArea(" + Run + ")"; }
inline QString Chars(const QString& Text) {
  QString Run;
  for (QChar C : Text) Run += QStringLiteral("Simple(%1)").arg(C);
  return Run;
}
