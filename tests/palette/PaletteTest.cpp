#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>

#include "PaletteSupport.h"
#include "editor/UsefulUtils.h"
#include "palette/ImageList.h"

using enum TLanguages::TLanguage;

namespace {
struct TGroupRow {
  int Count;
  int Width;
  int Height;
  const char* Mask;
  int Shown;
};
// The published group table: buttons, glyph size, visibility mask and shown count; every
// button shows (the alignment mark included).
const TGroupRow Groups[20] = {
    {19, 40, 20, "1111111111111111111", 19}, {11, 10, 10, "11111111111", 11},
    {11, 15, 15, "11111111111", 11},         {20, 15, 15, "11111111111111111111", 20},
    {12, 10, 10, "111111111111", 12},        {14, 15, 15, "11111111111111", 14},
    {8, 10, 10, "11111111", 8},              {12, 10, 10, "111111111111", 12},
    {18, 10, 10, "111111111111111111", 18},  {28, 15, 15, "1111111111111111111111111111", 28},
    {24, 10, 10, "111111111111111111111111", 24},
    {31, 20, 20, "1111111111111111111111111111111", 31},
    {12, 20, 20, "111111111111", 12},          {15, 20, 20, "111111111111111", 15},
    {5, 20, 20, "11111", 5},                 {21, 20, 20, "111111111111111111111", 21},
    {10, 15, 15, "1111111111", 10},          {6, 15, 15, "111111", 6},
    {20, 20, 20, "11111111111111111111", 20}, {12, 20, 20, "111111111111", 12},
};

QString Id(int Language, int Group, int Button) {
  return QString::number(Language * 10000 + Group * 100 + Button);
}
}  // namespace

TEST(PaletteTable, GroupConstantsMatchThePublishedTable) {
  TSelectEquation Palette;
  ASSERT_EQ(Palette.EqData().size(), 20u);
  for (int G = 0; G < 20; ++G) {
    SCOPED_TRACE(G);
    const TEqData& D = Palette.EqData()[G];
    EXPECT_EQ(D.ButtonCount, Groups[G].Count);
    EXPECT_EQ(D.GlyphWidth, Groups[G].Width);
    EXPECT_EQ(D.GlyphHeight, Groups[G].Height);
    EXPECT_EQ(D.VisibleMask, QString::fromLatin1(Groups[G].Mask));
    EXPECT_EQ(D.VisibleMask.count(u'1'), Groups[G].Shown);
    EXPECT_EQ(D.Descriptions.size(), D.ButtonCount);
  }
}

TEST(PaletteResources, EveryStripIsAMonochromeRowOfGlyphsWithInk) {
  for (int G = 0; G < 20; ++G) {
    SCOPED_TRACE(G);
    const QImage Strip(QStringLiteral(":/ZelkEquations/BT") + IntToStrZero(G, 2));
    ASSERT_FALSE(Strip.isNull());
    EXPECT_EQ(Strip.depth(), 1);
    EXPECT_EQ(Strip.size(), QSize(Groups[G].Count * Groups[G].Width, Groups[G].Height));
    for (int B = 0; B < Groups[G].Count; ++B) {
      bool Ink = false;
      for (int Y = 0; Y < Strip.height() && !Ink; ++Y)
        for (int X = B * Groups[G].Width; X < (B + 1) * Groups[G].Width && !Ink; ++X)
          Ink = qGray(Strip.pixel(X, Y)) < 128;
      EXPECT_TRUE(Ink) << "glyph " << B << " is blank";
    }
  }
}

TEST(PaletteResources, ImageListsHoldOneTransparentBackedGlyphPerButton) {
  TSelectEquation Palette;
  ASSERT_EQ(Palette.ImageLists().Count(), 20);
  for (int G = 0; G < 20; ++G) {
    SCOPED_TRACE(G);
    const TImageList* List = Palette.ImageLists().GetItem(G);
    EXPECT_EQ(List->Count(), Groups[G].Count);
    EXPECT_EQ(List->Width(), Groups[G].Width);
    EXPECT_EQ(List->Height(), Groups[G].Height);
    EXPECT_EQ(List->GetBitmap(0).size(), QSize(Groups[G].Width, Groups[G].Height));
  }
  // White is transparent, black stays: the top-left corner of the first category glyph is
  // white paper; the glyph has black ink somewhere.
  const QImage Glyph = Palette.ImageLists().GetItem(0)->GetBitmap(0).toImage();
  EXPECT_EQ(Glyph.pixelColor(0, 0).alpha(), 0);
  bool Opaque = false;
  for (int Y = 0; Y < Glyph.height(); ++Y)
    for (int X = 0; X < Glyph.width(); ++X) Opaque |= Glyph.pixelColor(X, Y).alpha() == 255;
  EXPECT_TRUE(Opaque);
  EXPECT_TRUE(Palette.ImageLists().GetItem(1)->GetBitmap(11).isNull());
  EXPECT_TRUE(Palette.ImageLists().GetItem(1)->GetBitmap(-1).isNull());
}

TEST(PaletteResources, UnreadableStripLeavesTheListEmpty) {
  TImageList List(10, 10);
  EXPECT_FALSE(List.GetResource(QStringLiteral(":/ZelkEquations/BT20")));
  EXPECT_EQ(List.Count(), 0);
}

TEST(PaletteStrings, ExactlyTheButtonIdsResolveInAllThreeLanguages) {
  for (int Language = 1; Language <= 3; ++Language)
    for (int Number = 0; Number <= 1999; ++Number) {
      const int G = Number / 100, B = Number % 100;
      const bool Belongs = G < 20 && B < Groups[G].Count;
      const QString Text = GetString(Id(Language, G, B));
      EXPECT_EQ(!Text.isEmpty(), Belongs) << Id(Language, G, B).toStdString();
      EXPECT_LE(Text.size(), 255);
    }
  EXPECT_TRUE(GetString(QStringLiteral("40000")).isEmpty());
}

TEST(PaletteStrings, StoredTextsAreKeptAsTheyStand) {
  EXPECT_EQ(GetString("10000"), QString::fromUtf8("Символы отношений"));
  EXPECT_EQ(GetString("20009"), "Griechische Gro?buchstaben");
  EXPECT_EQ(GetString("20011"), "Vorlagen fur Bruche und Wurzeln");
  EXPECT_EQ(GetString("20015"), "Vorlagen fur Unter- und Uberstreichungen");
  EXPECT_EQ(GetString("10913"), QString::fromUtf8("Ню(строчная)"));
  EXPECT_EQ(GetString("21517"), "Flachenintegral mit tiefgestelltem Grenzwert");
  EXPECT_EQ(GetString("11517"), QString::fromUtf8("Иинтеграл по площади с нижним индексом"));
  EXPECT_EQ(GetString("10817"), QString::fromUtf8("Сопроизведение"));
  EXPECT_EQ(GetString("30000"), "Relation symbols");
  // Groups without German texts of their own repeat the Russian ones.
  for (int G : {1, 3, 4, 5, 6, 7, 8, 12, 13, 16, 17, 18, 19})
    for (int B = 0; B < Groups[G].Count; ++B) EXPECT_EQ(GetString(Id(2, G, B)), GetString(Id(1, G, B)));
  for (int G : {0, 2, 9, 10, 11, 14, 15}) EXPECT_NE(GetString(Id(2, G, 0)), GetString(Id(1, G, 0)));
}

TEST(PaletteLanguage, DescriptionsFollowTheLanguage) {
  TSelectEquation Palette;
  EXPECT_EQ(Palette.Language(), lRussian);
  EXPECT_EQ(Palette.EqData()[0].Descriptions[0], QString::fromUtf8("Символы отношений"));
  Palette.SetLanguage(lDeutsche);
  EXPECT_EQ(Palette.EqData()[0].Descriptions[0], "Relationssymbole");
  Palette.SetLanguage(lEnglish);
  EXPECT_EQ(Palette.EqData()[9].Descriptions[0], "Greek small letter alpha");
  // A stray value from a stored form is refused; the language stays.
  Palette.setProperty("Language", 7);
  EXPECT_EQ(Palette.Language(), lEnglish);
  Palette.setProperty("Language", QVariant::fromValue(lRussian));
  EXPECT_EQ(Palette.Language(), lRussian);
}

TEST(PaletteWindow, ChildrenComeWithTheWindowOnceOnly) {
  QWidget Window;
  auto* Palette = new TSelectEquation(&Window);
  EXPECT_EQ(Palette->CategoryBar(), nullptr);
  EXPECT_EQ(Palette->findChildren<TToolBar*>().size(), 0);
  Window.show();
  ASSERT_NE(Palette->CategoryBar(), nullptr);
  EXPECT_EQ(Palette->findChildren<TToolBar*>().size(), 20);
  EXPECT_EQ(Palette->PageControl()->count(), 19);
  // A new window for the palette (it moves to a window of its own) builds nothing more.
  Palette->setParent(nullptr);
  Palette->show();
  QWidget Other;
  Palette->setParent(&Other);
  Other.show();
  EXPECT_EQ(Palette->findChildren<TToolBar*>().size(), 20);
  EXPECT_EQ(Palette->findChildren<QLabel*>().size(), 1);
  EXPECT_EQ(Palette->findChildren<QStackedWidget*>().size(), 1);
  delete Palette;
}

TEST(PaletteWindow, StartsOnGroupOneWithAllItsButtonsShown) {
  PaletteFixture F;
  EXPECT_EQ(F.Palette->PageControl()->currentIndex(), 0);
  for (int B = 0; B < 19; ++B) EXPECT_EQ(F.Category(B)->Down(), B == 0) << B;
  EXPECT_TRUE(F.Palette->DescriptionLabel()->text().isEmpty());
  for (int B = 0; B < 11; ++B) EXPECT_TRUE(F.Button(1, B)->isVisible()) << B;
  // Layout: the category bar on top, the label, then the pages.
  EXPECT_LT(F.Palette->CategoryBar()->y(), F.Palette->DescriptionLabel()->y());
  EXPECT_LT(F.Palette->DescriptionLabel()->y(), F.Palette->PageControl()->y());
  // The ornaments' category is shown like the others.
  EXPECT_TRUE(F.Category(2)->isVisible());
}

TEST(PaletteWindow, BarsWrapTheirButtonsWhenNarrow) {
  PaletteFixture F;
  F.Window.resize(1000, 600);
  QApplication::processEvents();
  const int OneRow = F.Category(0)->height();
  EXPECT_EQ(F.Palette->CategoryBar()->height(), OneRow);
  F.Window.resize(200, 600);
  QApplication::processEvents();
  EXPECT_GT(F.Palette->CategoryBar()->height(), 3 * OneRow);
  EXPECT_LE(F.Category(18)->geometry().right(), F.Palette->CategoryBar()->width());
}

TEST(PaletteWindow, TheCategoryBarStaysWholeAtAnyWidth) {
  PaletteFixture F;
  // At the demo's height the page below gives way down to three rows of categories; a
  // palette free to grow takes the height the rows need.
  F.Palette->setFixedHeight(121);
  for (int Width : {900, 380, 300, 240, 120}) {
    if (Width < 300) F.Palette->setMaximumHeight(QWIDGETSIZE_MAX);
    F.Window.resize(Width, 600);
    QApplication::processEvents();
    TToolBar* Bar = F.Palette->CategoryBar();
    for (int B = 0; B < Bar->ButtonCount(); ++B) {
      if (Bar->Buttons(B)->isHidden()) continue;
      const QRect InPalette(Bar->Buttons(B)->mapTo(F.Palette, QPoint(0, 0)), Bar->Buttons(B)->size());
      EXPECT_TRUE(Bar->rect().contains(Bar->Buttons(B)->geometry())) << Width << " " << B;
      EXPECT_TRUE(F.Palette->rect().contains(InPalette)) << Width << " " << B;
    }
  }
}

TEST(PaletteHover, ShowsTheDescriptionInTheLabelAndTheToolTip) {
  PaletteFixture F;
  Hover(F.Category(0));
  EXPECT_EQ(F.Palette->DescriptionLabel()->text(), QString::fromUtf8("Символы отношений"));
  EXPECT_EQ(F.Category(0)->toolTip(), QString::fromUtf8("Символы отношений"));
  Hover(F.Button(1, 6));
  EXPECT_EQ(F.Palette->DescriptionLabel()->text(), QString::fromUtf8("Не равно"));
  EXPECT_EQ(F.Button(1, 6)->toolTip(), QString::fromUtf8("Не равно"));
}

TEST(PaletteHover, LanguageChangeReachesAButtonAtItsNextHover) {
  PaletteFixture F;
  F.Palette->SetLanguage(lDeutsche);
  EXPECT_EQ(F.Category(0)->toolTip(), QString::fromUtf8("Символы отношений"));
  Hover(F.Category(0));
  EXPECT_EQ(F.Category(0)->toolTip(), "Relationssymbole");
  Hover(F.Button(1, 0));
  EXPECT_EQ(F.Palette->DescriptionLabel()->text(), QString::fromUtf8("Меньше или равно"));
  F.Palette->SetLanguage(lEnglish);
  Hover(F.Button(1, 0));
  EXPECT_EQ(F.Palette->DescriptionLabel()->text(), "Less than or equal to");
}

TEST(PaletteHover, LanguageSetBeforeTheWindowGivesTheHints) {
  QWidget Window;
  auto* Palette = new TSelectEquation(&Window);
  Palette->SetLanguage(lDeutsche);
  Window.show();
  EXPECT_EQ(Palette->CategoryBar()->Buttons(9)->toolTip(), "Griechische Gro?buchstaben");
  EXPECT_EQ(Palette->GroupBar(15)->Buttons(17)->toolTip(), "Flachenintegral mit tiefgestelltem Grenzwert");
}

TEST(PaletteCategories, ExactlyOneCategoryButtonIsDown) {
  PaletteFixture F;
  QTest::mouseClick(F.Category(5), Qt::LeftButton);
  EXPECT_EQ(F.Palette->PageControl()->currentIndex(), 5);
  for (int B = 0; B < 19; ++B) EXPECT_EQ(F.Category(B)->Down(), B == 5) << B;
  EXPECT_TRUE(F.Button(6, 5)->isVisible());
  EXPECT_FALSE(F.Button(1, 0)->isVisible());
  // Clicking the button that is down keeps it down.
  QTest::mouseClick(F.Category(5), Qt::LeftButton);
  EXPECT_TRUE(F.Category(5)->Down());
  QTest::mouseClick(F.Category(18), Qt::LeftButton);
  for (int B = 0; B < 19; ++B) EXPECT_EQ(F.Category(B)->Down(), B == 18) << B;
  EXPECT_EQ(F.Palette->PageControl()->currentIndex(), 18);
}

TEST(PaletteRegistration, OffersThePaletteOnTheZelkPage) {
  const TComponentInfo Info = SelectEquation::Register();
  EXPECT_EQ(Info.ClassName, "TSelectEquation");
  EXPECT_EQ(Info.Page, "Zelk Equations");
  EXPECT_EQ(QImage(Info.IconResource).size(), QSize(24, 24));
  EXPECT_EQ(QImage(":/ZelkEquations/TZELKEQUATION.png").size(), QSize(24, 24));
  std::unique_ptr<QWidget> Widget(Info.Create(nullptr));
  EXPECT_NE(qobject_cast<TSelectEquation*>(Widget.get()), nullptr);
}
