// The events assistive technology hears while the formula is edited and the caret moves.
// Qt hands events on only while a platform bridge is active: this program runs under
// tools/a11y-session.sh, with Qt's AT-SPI bridge switched on.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "accessibility/AccessibleSupport.h"
#include "model/EditArea.h"
#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

using enum TLanguages::TLanguage;

namespace {
bool Has(const std::vector<TCaught>& Events, QAccessible::Event Type) {
  return std::any_of(Events.begin(), Events.end(),
                     [&](const TCaught& C) { return C.Type == Type; });
}
}  // namespace

TEST(AccessibleEvents, TypingAndMovingRaiseTextAndCursorEvents) {
  AccessibleEditor F;
  F.Editor->SetLanguage(lEnglish);
  F.Line(0)->SetActive(true);
  F.Events.Take();
  F.Key(Qt::Key_A, QStringLiteral("a"));
  F.Key(Qt::Key_Plus, QStringLiteral("+"));
  std::vector<TCaught> E = F.Events.Take();
  // The empty line said "empty"; the two keys are announced together once Qt runs its queue.
  ASSERT_EQ(E.size(), 4u);
  EXPECT_EQ(E[0].Type, QAccessible::TextRemoved);
  EXPECT_EQ(E[0].Text, QStringLiteral("empty"));
  EXPECT_EQ(E[1].Type, QAccessible::TextInserted);
  EXPECT_EQ(E[1].Text, QStringLiteral("a plus"));
  EXPECT_EQ(E[2].Type, QAccessible::ValueChanged);
  EXPECT_EQ(E[2].Text, QStringLiteral("a plus"));
  EXPECT_EQ(E[3].Type, QAccessible::TextCaretMoved);
  EXPECT_EQ(E[3].Position, 6);

  F.Key(Qt::Key_B, QStringLiteral("b"));
  E = F.Events.Take();
  ASSERT_EQ(E.size(), 3u);
  EXPECT_EQ(E[0].Type, QAccessible::TextInserted);
  EXPECT_EQ(E[0].Position, 6);
  EXPECT_EQ(E[0].Text, QStringLiteral(" b"));
  EXPECT_EQ(E[2].Type, QAccessible::TextCaretMoved);
  EXPECT_EQ(E[2].Position, 8);

  F.Key(Qt::Key_Left);
  E = F.Events.Take();
  ASSERT_EQ(E.size(), 1u);
  EXPECT_EQ(E[0].Type, QAccessible::TextCaretMoved);
  EXPECT_EQ(E[0].Position, 7);

  F.Key(Qt::Key_Backspace);
  E = F.Events.Take();
  ASSERT_GE(E.size(), 2u);
  EXPECT_EQ(E[0].Type, QAccessible::TextRemoved);
  EXPECT_EQ(E[0].Position, 2);
  EXPECT_EQ(E[0].Text, QStringLiteral("plus "));
  EXPECT_EQ(F.Interface()->text(QAccessible::Value), QStringLiteral("a b"));

  // A new language is a new text and a new name.
  F.Editor->SetLanguage(lDeutsche);
  E = F.Events.Take();
  EXPECT_TRUE(Has(E, QAccessible::NameChanged));
  EXPECT_FALSE(Has(E, QAccessible::TextInserted));  // "a b" reads the same in German
}

TEST(AccessibleEvents, APaletteCommandIsOneAnnouncementAndTheCaretGoesIntoTheSlot) {
  AccessibleEditor F;
  F.Editor->SetLanguage(lEnglish);
  TSelectEquation Palette;
  Palette.SetZelkEquation(F.Editor.get());
  Palette.show();
  F.Line(0)->SetActive(true);
  F.Events.Take();
  Palette.GroupBar(12)->Buttons(0)->click();  // the fraction
  const std::vector<TCaught> E = F.Events.Take();
  ASSERT_EQ(E.size(), 4u);
  EXPECT_EQ(E[1].Type, QAccessible::TextInserted);
  EXPECT_EQ(E[1].Text, QStringLiteral("the fraction empty over empty end fraction"));
  EXPECT_EQ(E[3].Type, QAccessible::TextCaretMoved);
  EXPECT_EQ(E[3].Position, QStringLiteral("the fraction ").size());
}

TEST(AccessibleEvents, AClickIntoASlotMovesTheCursorOnly) {
  AccessibleEditor F;
  F.Spoken(Line("Division(" + Slot(X) + Slot("Simple(y)") + ")"), lEnglish);
  F.Events.Take();
  TEditArea* Denominator = SlotOf(F.Line(0), 0, 1);
  QTest::mouseClick(F.Editor.get(), Qt::LeftButton, Qt::NoModifier,
                    Denominator->HostPosition() + QPoint(1, 1));
  const std::vector<TCaught> E = F.Events.Take();
  ASSERT_EQ(E.size(), 1u);
  EXPECT_EQ(E[0].Type, QAccessible::TextCaretMoved);
  // The caret stands where it last stood in the slot.
  EXPECT_EQ(F.Active(), Denominator);
  EXPECT_EQ(E[0].Position, F.Text()->text(0, -1).indexOf(u'y') + Denominator->EquationIndex());
}

TEST(AccessibleEvents, TheAnnouncementFreesTheInterfacesOfNodesThatLeft) {
  AccessibleEditor F;
  F.Spoken(Line("Division(" + Slot(X) + Slot("Simple(2)") + ")"), lEnglish);
  const QAccessible::Id Numerator = QAccessible::uniqueId(F.Node({0, 0, 0}));
  const QAccessible::Id LineId = QAccessible::uniqueId(F.Node({0}));
  F.Line(0)->DelEquation(0);
  F.Events.Take();
  EXPECT_EQ(QAccessible::accessibleInterface(Numerator), nullptr);
  EXPECT_NE(QAccessible::accessibleInterface(LineId), nullptr);
  // An editor that goes takes its nodes' interfaces along.
  F.Editor.reset();
  EXPECT_EQ(QAccessible::accessibleInterface(LineId), nullptr);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication App(argc, argv);
  // The bridge switches itself on once it has found the accessibility bus.
  QElapsedTimer Clock;
  Clock.start();
  while (!QAccessible::isActive() && Clock.elapsed() < 15000)
    App.processEvents(QEventLoop::AllEvents, 50);
  if (!QAccessible::isActive()) {
    std::fprintf(stderr, "no active accessibility bridge: run this under tools/a11y-session.sh\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
