// The editor in a host's layout: zoom, size hints, scrolling, and the mouse selecting.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "EditingSupport.h"
#include "editor/EACursor.h"
#include "model/EditArea.h"

namespace {
// Pixels darker than mid-grey inside Rect.
int DarkPixels(const QImage& Image, const QRect& Rect) {
  int Count = 0;
  for (int Y = Rect.top(); Y <= Rect.bottom(); ++Y)
    for (int X = Rect.left(); X <= Rect.right(); ++X) Count += Image.pixelColor(X, Y).lightness() < 128;
  return Count;
}

struct Shown : ::testing::Test {
  QWidget Window;
  TZelkEquation* E = new TZelkEquation;
  TEditing& Ed = E->Editing();
  void Show() {
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
  }
  TEditArea* Line(int I) const { return E->Line(I); }
  TEditArea* Active() const { return E->ActiveEditArea(); }
  // The middle of a node, in the editor widget's coordinates.
  QPoint MiddleOf(const TCustomControl* Node) const {
    return E->WidgetRect(QRect(Node->HostPosition(), Node->BoundsRect().size())).center();
  }
  void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
    QMouseEvent Event(Type, At, E->mapToGlobal(At), Qt::LeftButton, Buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(E, &Event);
  }
};
}  // namespace

TEST_F(Shown, ZoomScalesThePaintingNotTheGeometry) {
  auto* Layout = new QVBoxLayout(&Window);
  Layout->addWidget(E);
  E->SetData(Row("Simple(x)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  Show();
  const QSize Content = E->RenderSize();
  const QRect Fraction = Line(0)->Item(1)->BoundsRect();
  const int Size = E->Font().Size();
  const QSize Hint = E->sizeHint();
  // The ink inside the formula, the editor's frame left out.
  const auto Ink = [&] {
    return DarkPixels(E->grab().toImage(), QRect(QPoint(4, 4), E->sizeHint() - QSize(8, 8)));
  };
  const int InkBefore = Ink();
  Ctrl(E, Qt::Key_Equal);
  Ctrl(E, Qt::Key_Plus);
  EXPECT_EQ(E->Zoom(), 120);
  for (int I = 0; I < 8; ++I) Ctrl(E, Qt::Key_Equal);
  EXPECT_EQ(E->Zoom(), 200);
  Window.adjustSize();  // a host that gives the editor its new size hint
  QCoreApplication::processEvents();
  EXPECT_EQ(E->RenderSize(), Content);
  EXPECT_EQ(Line(0)->Item(1)->BoundsRect(), Fraction);
  EXPECT_EQ(E->Font().Size(), Size);
  EXPECT_EQ(E->sizeHint(), Hint * 2);
  EXPECT_TEXT(E->GetData(), Row("Simple(x)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  // Twice as large each way: about four times the ink.
  EXPECT_GT(Ink(), InkBefore * 3);
  EXPECT_LT(Ink(), InkBefore * 5);
  // A press at a zoomed point lands on the node drawn there.
  QTest::mouseClick(E, Qt::LeftButton, {}, MiddleOf(SlotOf(Line(0), 1, 1)));
  EXPECT_EQ(Active(), SlotOf(Line(0), 1, 1));
  Ctrl(E, Qt::Key_Minus);
  EXPECT_EQ(E->Zoom(), 190);
  Ctrl(E, Qt::Key_0);
  EXPECT_EQ(E->Zoom(), 100);
  QWheelEvent Wheel(QPointF(5, 5), E->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(E, &Wheel);
  EXPECT_EQ(E->Zoom(), 120);
  E->setProperty("Zoom", 5000);
  EXPECT_EQ(E->Zoom(), 800);
}

TEST_F(Shown, InALayoutTheEditorTakesItsRoomAndScrollsWhatDoesNotFit) {
  auto* Layout = new QVBoxLayout(&Window);
  auto* Text = new QLineEdit(&Window);
  Layout->addWidget(E);
  Layout->addWidget(Text);
  Show();
  EXPECT_GE(E->height(), E->RenderSize().height());  // room enough: the whole formula
  const QSize Before = Window.size();
  E->setFocus();
  for (int I = 0; I < 6; ++I) {
    QTest::keyClicks(E, "a");
    Key(E, Qt::Key_Return);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(E->sizeHint(), E->RenderSize());
  EXPECT_EQ(Window.size(), Before);  // the host keeps its size
  EXPECT_GT(E->ScrollOffset().y(), 0);
  const QRect Caret = E->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_TRUE(E->rect().contains(Caret.center())) << Caret.y() << " in " << E->height();
}

TEST_F(Shown, ALongLineKeepsTheWindowWidthAndScrollsToTheCaret) {
  auto* Layout = new QVBoxLayout(&Window);
  Layout->addWidget(E);
  Window.resize(800, 300);
  Show();
  QString Run;
  for (int I = 0; I < 150; ++I) Run += QStringLiteral("Simple(x)Simple(+)");
  E->setProperty("InputStyle", QVariant::fromValue(TInputStyles::Modern));
  E->setFocus();
  E->setProperty("Data", Row(Run));  // the caret at the end of the line
  E->EnsureCaretVisible();
  QCoreApplication::processEvents();
  EXPECT_EQ(Window.width(), 800);
  EXPECT_GT(E->RenderSize().width(), 3000);
  EXPECT_LT(E->minimumSizeHint().width(), 200);
  EXPECT_GT(E->ScrollOffset().x(), 2000);
  const QRect Caret = E->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  EXPECT_TRUE(E->rect().contains(Caret.center()));
  // A click lands where it is shown.
  Key(E, Qt::Key_Home);
  EXPECT_EQ(E->ScrollOffset().x(), 0);
  QTest::mouseClick(E, Qt::LeftButton, {}, E->WidgetRect(QRect(Line(0)->Item(3)->HostPosition(), QSize(1, 1))).topLeft());
  EXPECT_EQ(Active()->EquationIndex(), 3);
}

TEST_F(Shown, AScrollAreaKeepsTheCaretInView) {
  auto* Layout = new QVBoxLayout(&Window);
  auto* Scroll = new QScrollArea(&Window);
  Scroll->setWidgetResizable(true);
  Scroll->setWidget(E);
  Layout->addWidget(Scroll);
  Window.resize(300, 200);
  Show();
  E->setFocus();
  for (int I = 0; I < 12; ++I) {
    QTest::keyClicks(E, "x");
    Key(E, Qt::Key_Return);
  }
  QTest::qWait(20);
  QScrollBar* Bar = Scroll->verticalScrollBar();
  EXPECT_GT(Bar->value(), 0);
  const auto CaretInView = [&] {
    const QRect Caret = E->WidgetRect(QRect(Active()->Caret()->HostPosition(), QSize(2, Active()->Height())));
    const QRect InViewport(E->mapTo(Scroll->viewport(), Caret.topLeft()), Caret.size());
    return Scroll->viewport()->rect().intersects(InViewport);
  };
  EXPECT_TRUE(CaretInView());
  Key(E, Qt::Key_Up);
  for (int I = 0; I < 11; ++I) Key(E, Qt::Key_Up);
  QTest::qWait(20);
  EXPECT_LT(Bar->value(), Line(0)->HostPosition().y() + Line(0)->Height());
  EXPECT_TRUE(CaretInView());
}

TEST_F(Shown, ADragSelectsAndAcrossSlotsTakesWholeTemplates) {
  auto* Layout = new QVBoxLayout(&Window);
  Layout->addWidget(E);
  E->SetData(Row("Simple(a)Simple(b)Division(EditArea(Simple(1)Simple(2))EditArea(Simple(3)))Simple(c)"));
  Show();
  // Within one run: from the left edge of b to the right edge of c.
  const TEquation* B = Line(0)->Item(1);
  const QPoint FromB = E->WidgetRect(QRect(B->HostPosition(), QSize(1, B->Height()))).center();
  Mouse(QEvent::MouseButtonPress, FromB, Qt::LeftButton);
  Mouse(QEvent::MouseMove, MiddleOf(Line(0)->Item(1)) + QPoint(3, 0), Qt::LeftButton);
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(b)"));
  // Into the numerator: the fraction is taken whole, in the line.
  Mouse(QEvent::MouseMove, MiddleOf(SlotOf(Line(0), 2, 0)->Item(1)), Qt::LeftButton);
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(b)Division(EditArea(Simple(1)Simple(2))EditArea(Simple(3)))"));
  Mouse(QEvent::MouseButtonRelease, MiddleOf(SlotOf(Line(0), 2, 0)->Item(1)), Qt::NoButton);
  EXPECT_EQ(Active(), Line(0));
  EXPECT_EQ(Active()->EquationIndex(), 3);
  // From the numerator to the denominator: the fraction again.
  const QPoint One = MiddleOf(SlotOf(Line(0), 2, 0)->Item(0)) - QPoint(3, 0);
  Mouse(QEvent::MouseButtonPress, One, Qt::LeftButton);
  Mouse(QEvent::MouseMove, MiddleOf(SlotOf(Line(0), 2, 1)->Item(0)), Qt::LeftButton);
  EXPECT_TEXT(Ed.SelectedData(), Row("Division(EditArea(Simple(1)Simple(2))EditArea(Simple(3)))"));
  // The highlight is drawn over the selection.
  const QImage Image = E->grab().toImage();
  const QRect Den = E->WidgetRect(QRect(SlotOf(Line(0), 2, 1)->HostPosition(), SlotOf(Line(0), 2, 1)->BoundsRect().size()));
  const QColor Corner = Image.pixelColor(Den.topLeft() + QPoint(2, 2));
  EXPECT_NE(Corner, QColor(Qt::white));
  // A double click takes the element under the pointer.
  QTest::mouseDClick(E, Qt::LeftButton, {}, MiddleOf(SlotOf(Line(0), 2, 0)->Item(1)));
  EXPECT_TEXT(Ed.SelectedData(), Row("Simple(2)"));
  EXPECT_EQ(Active(), SlotOf(Line(0), 2, 0));
}
