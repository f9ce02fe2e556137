// Text from input methods, in both input styles: what is committed is typed as characters
// in one undo step; what is composed shows at the caret and leaves the formula alone.

#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QUndoStack>

#include "EditingSupport.h"
#include "editor/CommandLine.h"
#include "interchange/Latex.h"

using enum TLanguages::TLanguage;

namespace {
struct InputMethod : ::testing::Test, EditorFixture {
  TZelkEquation* E = Editor.get();
  void Compose(const QString& Preedit, const QString& Commit = QString()) {
    QInputMethodEvent Event(Preedit, {});
    Event.setCommitString(Commit);
    QCoreApplication::sendEvent(E, &Event);
  }
};

TEST_F(InputMethod, ACommitIsTypedAsCharactersInOneStep) {
  for (const TInputStyle Style : {TInputStyles::Classic, TInputStyles::Modern}) {
    E->SetInputStyle(Style);
    E->SetData(Row(""));
    E->Editing().ResetHistory();
    Compose(QString(), QString::fromUtf8("é"));
    Compose(QString(), QString::fromUtf8("中文"));
    EXPECT_TEXT(E->GetData(), Row(QString::fromUtf8("Simple(é)Simple(中)Simple(文)")));
    EXPECT_EQ(Active()->EquationIndex(), 3);
    EXPECT_EQ(E->UndoStack()->count(), 1);  // typing goes on where it left off
    Ctrl(E, Qt::Key_Z);
    EXPECT_TEXT(E->GetData(), Row(""));
  }
}

TEST_F(InputMethod, WhatIsComposedChangesNothingUntilItIsCommitted) {
  Changes = 0;
  Compose(QString::fromUtf8("zhong"));
  EXPECT_TEXT(E->GetData(), Row(""));
  EXPECT_EQ(Changes, 0);
  Compose(QString(), QString::fromUtf8("中"));
  EXPECT_TEXT(E->GetData(), Row(QString::fromUtf8("Simple(中)")));
  EXPECT_EQ(Changes, 1);
}

TEST_F(InputMethod, TheQueriesDescribeTheCaretAndItsRun) {
  E->SetData(Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(2)))Simple(b)"));
  Line(0)->SetActive(true);
  Line(0)->SetEquationIndex(2);
  EXPECT_TRUE(E->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(E->inputMethodQuery(Qt::ImEnabled).toBool());
  EXPECT_EQ(E->inputMethodQuery(Qt::ImSurroundingText).toString(), QString::fromUtf8("a\uFFFCb"));
  EXPECT_EQ(E->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
  const QRect Caret = E->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QPoint Expected = E->WidgetRect(QRect(Line(0)->HostPosition(), QSize(1, 1))).topLeft();
  EXPECT_GT(Caret.left(), Expected.x() + Line(0)->Item(1)->Left());
  EXPECT_GT(Caret.height(), 0);
}

TEST(CommandLineCandidates, EveryLatexCandidateIsReadByTheLatexReader) {
  int Checked = 0;
  for (const TCommandLine::TCandidate& C : TCommandLine::Candidates(lEnglish)) {
    if (C.Latex.isEmpty()) continue;
    const TReadResult Read = ReadLatex(C.Latex);
    EXPECT_TRUE(Read.Ok()) << C.Latex.toStdString() << ": " << Read.Message().toStdString();
    EXPECT_NE(Read.Data, Row("")) << C.Latex.toStdString();
    ++Checked;
  }
  EXPECT_GT(Checked, 150);
}
}  // namespace
