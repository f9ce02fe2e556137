// Mouse presses and keyboard focus, with the editor on a shown host window: presses go
// through the window, so they land on the innermost node under the pointer.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <optional>

#include "TestSupport.h"

namespace {
// A host window that records the keys its children leave to it.
class THost : public QWidget {
 public:
  QList<int> KeysLeft;

 protected:
  void keyPressEvent(QKeyEvent* Event) override { KeysLeft.append(Event->key()); }
};

struct HostedEditor : ::testing::Test {
  THost Host;
  QLineEdit* Before = new QLineEdit(&Host);
  TZelkEquation* E = new TZelkEquation(&Host);
  QLineEdit* After = new QLineEdit(&Host);
  int Changes = 0;

  void SetUp() override {
    auto* Layout = new QVBoxLayout(&Host);
    Layout->addWidget(Before);
    Layout->addWidget(E);
    Layout->addWidget(After);
    E->setMinimumSize(400, 250);
    Host.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Host));
    Before->setFocus();
    QObject::connect(E, &TZelkEquation::OnChange, [this] { ++Changes; });
  }

  // A point (window coordinates) where the pointer is over Target itself, if any.
  std::optional<QPoint> PointOn(const TCustomControl* Target, bool FromRight = false) const {
    const QPoint Origin = Target->HostPosition();
    for (int Dx = 0; Dx < Target->Width(); ++Dx)
      for (int Y = 0; Y < Target->Height(); ++Y) {
        const QPoint P = Origin + QPoint(FromRight ? Target->Width() - 1 - Dx : Dx, Y);
        if (E->NodeAt(P) == Target) return E->mapTo(&Host, P);
      }
    return std::nullopt;
  }
  void Click(QPoint P, Qt::MouseButton Button = Qt::LeftButton) {
    QTest::mouseClick(Host.windowHandle(), Button, Qt::NoModifier, P);
  }
  bool Focused() const { return Host.focusWidget() == E; }
};
}  // namespace

TEST_F(HostedEditor, ClickOnALineActivatesItWhereItsCaretLastStood) {
  E->SetData("EditArea(Simple(a)Simple(b))EditArea(Simple(c))");
  E->Line(0)->SetEquationIndex(1);
  ASSERT_EQ(E->ActiveEditArea(), E->Line(1));
  Changes = 0;
  const auto P = PointOn(E->Line(0), true);  // right of its last element
  ASSERT_TRUE(P);
  Click(*P);
  EXPECT_EQ(E->ActiveEditArea(), E->Line(0));
  EXPECT_EQ(E->Line(0)->EquationIndex(), 1);
  EXPECT_EQ(E->EditAreaIndex(), 0);
  EXPECT_FALSE(E->Line(1)->Active());
  EXPECT_TRUE(Focused());
  EXPECT_EQ(Changes, 0);
}

TEST_F(HostedEditor, ClickOnACharacterActivatesTheLineThatHoldsIt) {
  E->SetData("EditArea(Simple(a))EditArea(Simple(c))");
  E->Line(0)->SetActive(true);
  const auto P = PointOn(E->Line(1)->Item(0));
  ASSERT_TRUE(P);
  Click(*P);
  EXPECT_EQ(E->ActiveEditArea(), E->Line(1));
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_TRUE(Focused());
}

TEST_F(HostedEditor, ClickOutsideEveryLineOnlyFocuses) {
  TEditArea* A = E->ActiveEditArea();
  const bool Phase = A->Caret()->Visible();
  const QPoint P = E->mapTo(&Host, QPoint(E->width() - 5, E->height() - 5));
  ASSERT_EQ(Host.childAt(P), E);
  Click(P);
  EXPECT_TRUE(Focused());
  EXPECT_EQ(E->ActiveEditArea(), A);
  EXPECT_EQ(A->Caret()->Visible(), Phase);
  EXPECT_EQ(Changes, 0);
}

TEST_F(HostedEditor, OtherButtonsActivateNothing) {
  E->AddEditArea();
  const auto P = PointOn(E->Line(0));
  ASSERT_TRUE(P);
  Click(*P, Qt::RightButton);
  EXPECT_EQ(E->ActiveEditArea(), E->Line(1));
}

TEST_F(HostedEditor, PressOnASlotActivatesItAndLeavesTheCurrentLine) {
  E->Line(0)->AddEqDivision();
  auto* Division = ElementAt<TEqDivision>(E->Line(0), 0);
  E->AddEditArea();
  Click(*PointOn(Division->Denominator()));
  EXPECT_EQ(E->ActiveEditArea(), Division->Denominator());
  EXPECT_EQ(E->EditAreaIndex(), 1);
  EXPECT_TRUE(Focused());
  // A press on the element's own surface goes to the area that holds it.
  const auto OnDivision = PointOn(Division);
  ASSERT_TRUE(OnDivision);
  Click(*OnDivision);
  EXPECT_EQ(E->ActiveEditArea(), E->Line(0));
  EXPECT_FALSE(Division->Denominator()->Active());
  EXPECT_EQ(E->EditAreaIndex(), 0);
}

TEST_F(HostedEditor, ClicksOnATemplateAsLaidOut) {
  E->Line(0)->AddEqDivision();
  auto* Division = ElementAt<TEqDivision>(E->Line(0), 0);
  const auto OnSlot = PointOn(Division->Numerator());
  const auto OnElement = PointOn(Division);
  if (!OnSlot || !OnElement) GTEST_SKIP() << "the fraction has no surface of its own yet";
  E->Line(0)->SetActive(true);
  Click(*OnSlot);
  EXPECT_EQ(E->ActiveEditArea(), Division->Numerator());
  Click(*OnElement);
  EXPECT_EQ(E->ActiveEditArea(), E->Line(0));
}

TEST_F(HostedEditor, TabPassesTheEditorByAndLeavesIt) {
  QTest::keyClick(Before, Qt::Key_Tab);
  EXPECT_EQ(Host.focusWidget(), After);
  Click(E->mapTo(&Host, QPoint(E->width() - 5, E->height() - 5)));
  ASSERT_TRUE(Focused());
  QTest::keyClick(E, Qt::Key_Tab);
  EXPECT_EQ(Host.focusWidget(), After);
  EXPECT_EQ(E->GetData(), "EditArea()");
}

TEST_F(HostedEditor, ArrowsBeatTheHostsShortcutsOtherKeysGoToTheHost) {
  E->SetData("EditArea(Simple(a)Simple(b))");
  E->setFocus();
  int LeftCommands = 0, CtrlLeftCommands = 0, EscapeCommands = 0;
  auto Command = [this](QKeySequence Keys, int& Count) {
    auto* Action = new QAction(&Host);
    Action->setShortcut(Keys);
    QObject::connect(Action, &QAction::triggered, [&Count] { ++Count; });
    Host.addAction(Action);
  };
  Command(QKeySequence(Qt::Key_Left), LeftCommands);
  Command(QKeySequence(Qt::CTRL | Qt::Key_Left), CtrlLeftCommands);
  Command(QKeySequence(Qt::Key_Escape), EscapeCommands);
  QTest::keyClick(E, Qt::Key_Left);
  EXPECT_EQ(E->ActiveEditArea()->EquationIndex(), 1);
  EXPECT_EQ(LeftCommands, 0);
  QTest::keyClick(E, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(CtrlLeftCommands, 1);
  QTest::keyClick(E, Qt::Key_Escape);
  EXPECT_EQ(EscapeCommands, 1);
  // Without a shortcut, keys the editor does not use reach the host's own handling.
  Host.KeysLeft.clear();
  QTest::keyClick(E, Qt::Key_F5);
  QTest::keyClick(E, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(Host.KeysLeft, (QList<int>{Qt::Key_F5, Qt::Key_Control, Qt::Key_Q}));
  EXPECT_EQ(E->GetData(), "EditArea(Simple(a)Simple(b))");
}

TEST_F(HostedEditor, AClickOnABracesLabelOrAStacksScriptActivatesThatSlot) {
  E->SetData("EditArea(HorizBraceaeTop(EditArea(Simple(a))EditArea(Simple(n)))"
             "StackTop(EditArea(Simple(x))EditArea(Simple(t))))");
  auto* Brace = dynamic_cast<TEqBrace*>(E->Line(0)->Item(0));
  auto* Stack = dynamic_cast<TEqScripted*>(E->Line(0)->Item(1));
  ASSERT_TRUE(Brace && Stack);
  for (TEditArea* Slot : {Brace->Label(), Stack->TopArea(), Brace->Body()}) {
    const auto P = PointOn(Slot, true);
    ASSERT_TRUE(P);
    Click(*P);
    EXPECT_EQ(E->ActiveEditArea(), Slot);
  }
}
