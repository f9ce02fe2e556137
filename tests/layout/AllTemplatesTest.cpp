// A formula holding every template the palette inserts, in every variant.

#include <gtest/gtest.h>

#include <QFile>
#include <typeinfo>

#include "layout/LayoutSupport.h"

namespace {
QString Fixture() {
  QFile File(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt"));
  if (!File.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(File.readAll());
}
}  // namespace

TEST(AllTemplates, ReadsAndWritesBackTheSameText) {
  const QString Text = Fixture();
  ASSERT_FALSE(Text.isEmpty());
  EditorFixture F;
  F.Editor->SetData(Text);
  EXPECT_EQ(F.Editor->GetData(), QString(Text).remove(QLatin1Char('\n')));
}

TEST(AllTemplates, EveryNodeLiesInsideItsParent) {
  EditorFixture F;
  F.Editor->SetData(Fixture());
  ASSERT_GT(F.Editor->LineCount(), 1);
  int Checked = 0;
  for (int J = 0; J < F.Editor->LineCount(); ++J)
    ForEachChild(F.Line(J), [&](TCustomControl* Parent, TCustomControl* Child) {
      ++Checked;
      EXPECT_TRUE(QRect(QPoint(0, 0), Parent->BoundsRect().size()).contains(Child->BoundsRect()))
          << typeid(*Child).name() << " " << Child->Left() << "," << Child->Top() << " "
          << Child->Width() << "x" << Child->Height() << " in " << typeid(*Parent).name() << " "
          << Parent->Width() << "x" << Parent->Height();
    });
  EXPECT_GT(Checked, 300);
}
