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
    ForEachChild(F.Line(J), [&](QWidget* Parent, QWidget* Child) {
      ++Checked;
      EXPECT_TRUE(Parent->rect().contains(Child->geometry()))
          << typeid(*Child).name() << " " << Child->x() << "," << Child->y() << " "
          << Child->width() << "x" << Child->height() << " in " << typeid(*Parent).name() << " "
          << Parent->width() << "x" << Parent->height();
    });
  EXPECT_GT(Checked, 300);
}
