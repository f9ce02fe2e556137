// The editor's own font and text colour, characters beyond 16 bits, and the Data
// property's change signal.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QMetaProperty>
#include <QVBoxLayout>

#include "EditingSupport.h"
#include "model/EditArea.h"
#include "model/Symbols.h"

namespace {
const QString MathX = QString::fromUtf8("\xF0\x9D\x91\xA5");  // U+1D465
const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600
}  // namespace

TEST(WideCharacters, AreOneSimpleElementTypedReadAndWrittenWhole) {
  EditorFixture F;
  QTest::sendKeyEvent(QTest::Click, F.Editor.get(), Qt::Key_unknown, MathX, Qt::NoModifier);
  QTest::sendKeyEvent(QTest::Click, F.Editor.get(), Qt::Key_unknown, Emoji, Qt::NoModifier);
  ASSERT_EQ(F.Line(0)->Count(), 2);
  EXPECT_EQ(ElementAt<TEqSimple>(F.Line(0), 0)->Character(), U'\U0001D465');
  EXPECT_EQ(F.Active()->EquationIndex(), 2);
  const QString Data = F.Editor->GetData();
  EXPECT_TEXT(Data, Row("Simple(" + MathX + ")Simple(" + Emoji + ")"));
  EXPECT_TRUE(Data.isValidUtf16());  // nothing a .ui file or UTF-8 would lose
  EXPECT_EQ(QString::fromUtf8(Data.toUtf8()), Data);
  TZelkEquation Copy;
  Copy.setProperty("Data", Data);
  EXPECT_TEXT(Copy.GetData(), Data);
  // #N above 65535 reads the whole code; beyond Unicode the low 16 bits, as before.
  Copy.SetData(Row("Simple(#119909)Simple(#65601)Simple(#1114112)Simple(#55296)"));
  EXPECT_TEXT(Copy.GetData(), Row("Simple(" + MathX + ")Simple(" + QString::fromUcs4(U"\U00010041") +
                                  ")Simple(#0)Simple(#55296)"));
  // The element is as wide as the character, not as half of it.
  EXPECT_GT(ElementAt<TEqSimple>(Copy.Line(0), 0)->Width(), 0);
  Key(F.Editor.get(), Qt::Key_Backspace);
  EXPECT_TEXT(F.Editor->GetData(), Row("Simple(" + MathX + ")"));
}

TEST(EditorFont, DoesNotFollowTheParentAndASizeAloneKeepsTheFamily) {
  QWidget Parent;
  QFont Italic(QStringLiteral("DejaVu Sans"), 11);
  Italic.setItalic(true);
  Italic.setBold(true);
  Parent.setFont(Italic);
  auto* Layout = new QVBoxLayout(&Parent);
  auto* E = new TZelkEquation(&Parent);
  Layout->addWidget(E);
  const auto Family = [E] { return QFontInfo(E->Font()).family(); };
  const QString Serif = Family();
  EXPECT_FALSE(E->Font().italic());
  EXPECT_FALSE(E->Font().bold());
  EXPECT_EQ(E->Font().Size(), 20);
  // What a .ui file that sets only the size does.
  QFont SizeOnly;
  SizeOnly.setPointSize(14);
  E->setFont(SizeOnly);
  EXPECT_EQ(Family(), Serif);
  EXPECT_EQ(E->Font().Size(), 14);
  EXPECT_FALSE(E->Font().italic());
  EXPECT_EQ(E->Line(0)->Font().Size(), 14);
  // Later changes of the parent's font stay with the parent.
  Italic.setPointSize(30);
  Parent.setFont(Italic);
  EXPECT_EQ(E->Font().Size(), 14);
  EXPECT_FALSE(E->Font().italic());
  // What the editor is given explicitly it takes (unless the parent has the same).
  QFont Chosen(QStringLiteral("FreeSans"), 16);
  Chosen.setUnderline(true);
  E->setFont(Chosen);
  EXPECT_TRUE(E->Font().underline());
  EXPECT_FALSE(E->Font().italic());
  EXPECT_EQ(Family(), QFontInfo(Chosen).family());
}

TEST(EditorFont, FontColorColoursEveryNodeAndIsAStoredProperty) {
  EditorFixture F;
  F.Editor->SetData(Row("Simple(a)Division(EditArea(Simple(1))EditArea(Simple(2)))"));
  F.Editor->setProperty("FontColor", QColor(Qt::red));
  EXPECT_EQ(F.Editor->FontColor(), QColor(Qt::red));
  EXPECT_EQ(F.Line(0)->Item(0)->Font().Color, QColor(Qt::red));
  EXPECT_EQ(SlotOf(F.Line(0), 1, 1)->Item(0)->Font().Color, QColor(Qt::red));
  // New elements and a font change keep it.
  QTest::keyClicks(F.Editor.get(), "b");
  EXPECT_EQ(F.Active()->Item(F.Active()->EquationIndex() - 1)->Font().Color, QColor(Qt::red));
  F.Editor->setFont(QFont(QStringLiteral("Times New Roman"), 30));
  EXPECT_EQ(SlotOf(F.Line(0), 1, 1)->Item(0)->Font().Color, QColor(Qt::red));
  // Red ink in the picture.
  const QImage Image = F.Editor->RenderImage();
  bool Red = false;
  for (int Y = 0; Y < Image.height() && !Red; ++Y)
    for (int X = 0; X < Image.width() && !Red; ++X) {
      const QColor C = Image.pixelColor(X, Y);
      Red = C.red() > 200 && C.green() < 80 && C.blue() < 80;
    }
  EXPECT_TRUE(Red);
  const QMetaObject& Meta = TZelkEquation::staticMetaObject;
  EXPECT_TRUE(Meta.property(Meta.indexOfProperty("FontColor")).isStored());
}

TEST(EditorProperties, DataNotifiesWithOnChange) {
  const QMetaObject& Meta = TZelkEquation::staticMetaObject;
  const QMetaProperty Data = Meta.property(Meta.indexOfProperty("Data"));
  ASSERT_TRUE(Data.hasNotifySignal());
  EXPECT_EQ(Data.notifySignal().name(), "OnChange");
  const QMetaProperty Zoom = Meta.property(Meta.indexOfProperty("Zoom"));
  EXPECT_TRUE(Zoom.isWritable());
}
