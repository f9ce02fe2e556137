// Receivers of OnChange that change the formula while a text is read or a key is handled,
// and receivers that look at the layout in the middle of a read. CI runs these under
// AddressSanitizer: a node freed under a running command shows there.

#include <gtest/gtest.h>

#include <QImage>

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <functional>

#include "TestSupport.h"

namespace {
const QString ThreeLines = QStringLiteral(
    "EditArea(Simple(a)Division(EditArea(Simple(b)Simple(c))EditArea(Simple(d))))"
    "EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))EditArea()))"
    "EditArea(Simple(e)BracketsRound(EditArea(Simple(f))))");

// Runs Act once, on the notification numbered At (from 1).
void OnNotification(TZelkEquation& Editor, int At, std::function<void()> Act) {
  auto Count = std::make_shared<int>(0);
  QObject::connect(&Editor, &TZelkEquation::OnChange, &Editor, [=] {
    if (++*Count == At) Act();
  });
}

// Every line sits at its index, and the caret's area belongs to the tree.
void ExpectConsistent(TZelkEquation& Editor) {
  for (int J = 0; J < Editor.LineCount(); ++J) {
    EXPECT_EQ(Editor.Line(J)->IndexInParent(), J);
    EXPECT_EQ(Editor.Line(J)->ParentNode(), &Editor);
  }
  if (TEditArea* Active = Editor.ActiveEditArea()) {
    const TCustomControl* Root = Active;
    while (Root->ParentNode()) Root = Root->ParentNode();
    EXPECT_EQ(Root, &Editor);
  }
  // The text it holds reads back to itself.
  TZelkEquation Copy;
  Copy.SetData(Editor.GetData());
  EXPECT_EQ(Copy.GetData(), Editor.GetData());
}
}  // namespace

TEST(Reentrancy, DataAssignedDuringAReadStandsAndTheReadStops) {
  for (int At : {1, 2, 5, 9}) {
    TZelkEquation Editor;
    OnNotification(Editor, At, [&] { Editor.PutData("EditArea(Simple(z))"); });
    Editor.SetData(ThreeLines);
    EXPECT_EQ(Editor.GetData(), "EditArea(Simple(z))") << At;
    ExpectConsistent(Editor);
    // The editor goes on working.
    QTest::keyClicks(&Editor, "q");
    EXPECT_EQ(Editor.GetData(), "EditArea(Simple(z)Simple(q))");
  }
}

TEST(Reentrancy, ClearingTheFormulaDuringAReadLeavesItEmpty) {
  TZelkEquation Editor;
  OnNotification(Editor, 4, [&] { Editor.PutData(""); });
  Editor.SetData(ThreeLines);
  EXPECT_EQ(Editor.GetData(), "");
  EXPECT_EQ(Editor.LineCount(), 0);
  EXPECT_EQ(Editor.ActiveEditArea(), nullptr);
  Editor.SetData("EditArea(Simple(a))");
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(a))");
}

TEST(Reentrancy, DeletingLinesDuringAReadStopsItWithATreeThatHoldsTogether) {
  TZelkEquation Editor;
  bool Deleted = false;
  QObject::connect(&Editor, &TZelkEquation::OnChange, [&] {
    if (Deleted || Editor.LineCount() < 2) return;
    Deleted = true;
    Editor.SetEditAreaIndex(0);
    Editor.DeleteEditArea();
  });
  Editor.SetData(ThreeLines);
  EXPECT_TRUE(Deleted);
  EXPECT_EQ(Editor.LineCount(), 1);
  ExpectConsistent(Editor);
}

TEST(Reentrancy, DeletingTheEditorLaterDuringAReadOrAKey) {
  QPointer<TZelkEquation> Editor = new TZelkEquation;
  OnNotification(*Editor, 3, [&] { Editor->deleteLater(); });
  Editor->SetData(ThreeLines);
  EXPECT_EQ(Editor->GetData(), ThreeLines);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(Editor.isNull());

  Editor = new TZelkEquation;
  OnNotification(*Editor, 1, [&] { Editor->deleteLater(); });
  QTest::keyClicks(Editor.data(), "x");
  EXPECT_EQ(Editor->GetData(), "EditArea(Simple(x))");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(Editor.isNull());
}

TEST(Reentrancy, DataAssignedWhileAKeyIsHandledStands) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(a)Simple(b))");
  Editor.ActiveEditArea()->SetEquationIndex(1);
  OnNotification(Editor, 1, [&] { Editor.PutData("EditArea(Simple(z)Simple(y))"); });
  QTest::keyClicks(&Editor, "x");
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(z)Simple(y))");
  // The caret is where the new formula left it, not moved on by the interrupted key.
  EXPECT_EQ(Editor.ActiveEditArea()->EquationIndex(), 2);
  // Backspace deleting an element, and a line, under a receiver that replaces the formula.
  Editor.SetData("EditArea(Simple(a))EditArea(Simple(b))");
  OnNotification(Editor, 1, [&] { Editor.PutData("EditArea(Simple(w))"); });
  QTest::keyClick(&Editor, Qt::Key_Backspace);
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(w))");
  ExpectConsistent(Editor);
  QCoreApplication::processEvents();
  ExpectConsistent(Editor);
}

TEST(Reentrancy, NodesDetachedDuringANotificationAreFreedOnceItReturns) {
  TZelkEquation Editor;
  Editor.SetData("EditArea(Simple(a))");
  TEditArea* Line = Editor.Line(0);
  OnNotification(Editor, 1, [&] { Editor.PutData("EditArea(Simple(z))"); });
  Line->AddEqDivision();
  // The command that raised the notification still stands on its area: detached, alive.
  EXPECT_EQ(Line->ParentNode(), nullptr);
  EXPECT_EQ(Line->Editor(), nullptr);
  Line->SetEquationIndex(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(z))");
}

namespace {
using TSnapshot = std::vector<std::array<int, 7>>;

void Collect(const TCustomControl* Node, TSnapshot& Out) {
  for (const TCustomControl* Child : Node->Children()) {
    Out.push_back({Child->Left(), Child->Top(), Child->Width(), Child->Height(), Child->Font().Size(),
                   Child->Visible(), static_cast<int>(Child->Children().size())});
    Collect(Child, Out);
  }
}

// The geometry of the whole tree at every notification.
std::vector<TSnapshot>* Record(TZelkEquation& Editor) {
  auto* Snapshots = new std::vector<TSnapshot>;
  QObject::connect(&Editor, &TZelkEquation::OnChange, &Editor, [&Editor, Snapshots] {
    TSnapshot S;
    Collect(&Editor, S);
    Snapshots->push_back(S);
  });
  QObject::connect(&Editor, &QObject::destroyed, [Snapshots] { delete Snapshots; });
  return Snapshots;
}
}  // namespace

TEST(Reentrancy, AReceiverLookingMidReadSeesTheStepByStepLayout) {
  // The reader's own steps, one command at a time: each lays out its path at once.
  TZelkEquation Stepwise;
  Stepwise.SetData("");
  const std::vector<TSnapshot>* Expected = Record(Stepwise);
  Stepwise.InsertEditArea();
  TEditArea* L = Stepwise.Line(0);
  L->AddEqSimple(u'a');
  L->SetEquationIndex(1);
  L->AddEqDivision();
  auto* D = ElementAt<TEqDivision>(L, 1);
  D->Numerator()->AddEqSimple(u'b');
  D->Numerator()->SetEquationIndex(1);
  D->Numerator()->AddEqSimple(u'c');
  D->Numerator()->SetEquationIndex(2);
  D->Denominator()->AddEqSimple(u'd');
  D->Denominator()->SetEquationIndex(1);
  L->SetEquationIndex(2);
  Stepwise.AddEditArea();
  TEditArea* M = Stepwise.Line(1);
  M->AddEqMatrix(kmHoriz, 0);
  auto* Matrix = ElementAt<TEqMatrix>(M, 0);
  Matrix->SetData("EditArea(Simple(1))EditArea(Simple(2))EditArea()");
  M->SetEquationIndex(1);

  TZelkEquation Read;
  const std::vector<TSnapshot>* Seen = Record(Read);
  Read.SetData(Stepwise.GetData());
  ASSERT_EQ(Read.GetData(), Stepwise.GetData());
  ASSERT_EQ(Seen->size(), Expected->size());
  for (size_t I = 0; I < Seen->size(); ++I) EXPECT_EQ((*Seen)[I], (*Expected)[I]) << "notification " << I;
}

TEST(ReadError, ThePropertyTellsWhatTheLastReadDropped) {
  TZelkEquation Editor;
  QSignalSpy Errors(&Editor, &TZelkEquation::OnReadError);
  Editor.setProperty("Data", "EditArea(Simple(a)ExtSymbol(x)Simple(b))");
  EXPECT_EQ(Editor.GetData(), "EditArea(Simple(a))");
  EXPECT_FALSE(Editor.ReadError().isEmpty());
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_EQ(Errors[0][0].toString(), Editor.ReadError());

  QString Deep = "Simple(x)";
  for (int I = 0; I < 40; ++I) Deep = "BracketsRound(EditArea(" + Deep + "))";
  Editor.setProperty("Data", "EditArea(" + Deep + ")");
  EXPECT_TRUE(Editor.ReadError().contains("32")) << Editor.ReadError().toStdString();

  Editor.setProperty("Data", "EditArea(Simple(c))");
  EXPECT_TRUE(Editor.ReadError().isEmpty());
  EXPECT_EQ(Errors.size(), 3);
  // A whole read after a whole read says nothing.
  Editor.setProperty("Data", "EditArea(Simple(d))");
  EXPECT_EQ(Errors.size(), 3);
}

TEST(DataText, TheKeptTextFollowsEveryKindOfEdit) {
  // One editor reads Data after every notification (so every text is kept and must be
  // forgotten on the next change); the other only at the end.
  auto Edit = [](TZelkEquation& E) {
    QTest::keyClicks(&E, "ab");
    E.ActiveEditArea()->AddEqDivision();
    QTest::keyClicks(&E, "x");
    E.Line(0)->SetActive(true);
    E.ActiveEditArea()->AddEqIndex(TGroupOptions{goIndexTop, goIndexBottom});
    QTest::keyClicks(&E, "2");
    E.Line(0)->SetActive(true);
    QTest::keyClick(&E, Qt::Key_Backspace);
    QTest::keyClick(&E, Qt::Key_Return);
    E.ActiveEditArea()->AddEqMatrix(kmSquare, 3);
    ElementAt<TEqMatrix>(E.Line(1), 0)->SetCountEA(5);
    QTest::keyClicks(&E, "m");
    E.Line(1)->SetActive(true);
    E.ActiveEditArea()->AddEqExtSymbol(8734);
    ElementAt<TEqExtSymbol>(E.Line(1), 0)->SetSymbolCode(u'\u03B1');
    ElementAt<TEqSimple>(E.Line(0), 0)->SetCharacter(u'q');
    QTest::keyClick(&E, Qt::Key_Up);
    QTest::keyClick(&E, Qt::Key_Home);
    QTest::keyClick(&E, Qt::Key_Delete);
    E.AddEditArea();
    E.SetEditAreaIndex(0);
    E.DeleteEditArea();
  };
  TZelkEquation Watched, Plain;
  QStringList Seen;
  QObject::connect(&Watched, &TZelkEquation::OnChange, [&] { Seen << Watched.GetData(); });
  Edit(Watched);
  Edit(Plain);
  EXPECT_EQ(Watched.GetData(), Plain.GetData());
  EXPECT_GT(Seen.size(), 10);
  EXPECT_EQ(Seen.last(), Plain.GetData());
}

TEST(Reentrancy, AReceiverLookingAtTheLayoutNowAndThenChangesNothing) {
  // Styled letters come from a fallback font of their own (found by the fuzzer).
  for (const QString& Text : {QStringLiteral("EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))"), ThreeLines,
                              QStringLiteral("EditArea(Simple(\u211D)Simple(\U0001D431))")}) {
    TZelkEquation Plain;
    Plain.SetData(Text);
    QImage Image(Plain.size(), QImage::Format_ARGB32_Premultiplied);
    Plain.render(&Image);
    TZelkEquation Watched;
    long Seen = 0;
    QObject::connect(&Watched, &TZelkEquation::OnChange, [&] {
      ++Seen;
      if ((Seen & (Seen - 1)) == 0 && Watched.ActiveEditArea()) (void)Watched.ActiveEditArea()->Caret()->Left();
    });
    Watched.SetData(Text);
    TSnapshot A, B;
    Collect(&Plain, A);
    Collect(&Watched, B);
    EXPECT_EQ(A, B) << Text.toStdString();
  }
}
