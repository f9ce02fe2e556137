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

// The bounds of every line, element and slot in the order the formula reads, with the
// active caret's: two trees built by different edits compare alike when laid out alike.
inline void CollectRun(const TEditArea* Area, std::vector<QRect>& Out) {
  Out.push_back(Area->BoundsRect());
  if (Area->Active()) Out.push_back(Area->Caret()->BoundsRect());
  for (int I = 0; I < Area->Count(); ++I) {
    Out.push_back(Area->Item(I)->BoundsRect());
    if (const auto* Template = dynamic_cast<const TEqParent*>(Area->Item(I)))
      for (int S = 0; S < Template->EditAreaCount(); ++S) CollectRun(Template->Slot(S), Out);
  }
}
inline std::vector<QRect> FormulaGeometry(const TZelkEquation& Editor) {
  std::vector<QRect> Out;
  for (int J = 0; J < Editor.LineCount(); ++J) CollectRun(Editor.Line(J), Out);
  return Out;
}
