// The palette for a screen reader and for a sharp screen: buttons named by their
// descriptions in the palette's language, category buttons that are push buttons, and
// glyphs with twins for a device pixel ratio of 2.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineF>
#include <QStackedWidget>

#include "PaletteSupport.h"
#include "palette/ImageList.h"

using enum TLanguages::TLanguage;

namespace {
// How much ink an image has, in glyph pixels, and where its centre lies.
struct TInk {
  double Mass = 0;
  QPointF Centre;
};
TInk InkOf(const QImage& Image, int Scale) {
  const QImage Argb = Image.convertToFormat(QImage::Format_ARGB32);
  TInk Ink;
  QPointF Sum;
  for (int Y = 0; Y < Argb.height(); ++Y)
    for (int X = 0; X < Argb.width(); ++X) {
      const double A = qAlpha(Argb.pixel(X, Y)) / 255.0 / (Scale * Scale);
      Ink.Mass += A;
      Sum += A * QPointF((X + 0.5) / Scale, (Y + 0.5) / Scale);
    }
  if (Ink.Mass > 0) Ink.Centre = Sum / Ink.Mass;
  return Ink;
}

QString AccessibleName(QWidget* Widget) {
  return QAccessible::queryAccessibleInterface(Widget)->text(QAccessible::Name);
}
}  // namespace

TEST(PaletteAccessibility, EveryButtonIsNamedByItsDescriptionInThePalettesLanguage) {
  PaletteFixture F;
  for (TLanguage Language : {lRussian, lEnglish, lDeutsche}) {
    F.Palette->SetLanguage(Language);
    for (int G = 0; G < TSelectEquation::GroupCount; ++G) {
      TToolBar* Bar = G == 0 ? F.Palette->CategoryBar() : F.Palette->GroupBar(G);
      for (int B = 0; B < Bar->ButtonCount(); ++B)
        ASSERT_EQ(AccessibleName(Bar->Buttons(B)), TSelectEquation::Description(Language, G, B))
            << G << " " << B;
    }
  }
  F.Palette->SetLanguage(lEnglish);
  EXPECT_EQ(AccessibleName(F.Button(12, 0)), QStringLiteral("Full-size vertical fraction"));
  EXPECT_EQ(AccessibleName(F.Category(0)), QStringLiteral("Relation symbols"));
}

TEST(PaletteAccessibility, CategoryButtonsArePushButtonsThatShowTheyAreDown) {
  PaletteFixture F;
  QAccessibleInterface* Down = QAccessible::queryAccessibleInterface(F.Category(0));
  QAccessibleInterface* Up = QAccessible::queryAccessibleInterface(F.Category(1));
  EXPECT_EQ(Down->role(), QAccessible::Button);
  EXPECT_EQ(Up->role(), QAccessible::Button);
  EXPECT_TRUE(Down->state().pressed);
  EXPECT_FALSE(Up->state().pressed);
  // Pressing through the interface opens the category as a click does.
  ASSERT_TRUE(
      Up->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  Up->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(F.Palette->PageControl()->currentIndex(), 1);
  EXPECT_TRUE(Up->state().pressed);
  EXPECT_FALSE(Down->state().pressed);
  // A hidden button is marked so.
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(F.Button(1, 2))->state().invisible);
}

TEST(PaletteGlyphs, EveryGlyphHasASharpTwinOfTheSameShape) {
  TSelectEquation Palette;
  for (int G = 0; G < TSelectEquation::GroupCount; ++G) {
    const TImageList* List = Palette.ImageLists().GetItem(G);
    const QSize Size(List->Width(), List->Height());
    for (int B = 0; B < List->Count(); ++B) {
      const QIcon Icon = List->GetIcon(B);
      // At ratio 1 the one-bit glyph itself.
      EXPECT_EQ(Icon.pixmap(Size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
                List->GetBitmap(B).toImage().convertToFormat(QImage::Format_ARGB32));
      const QPixmap Sharp = Icon.pixmap(Size, 2.0);
      ASSERT_EQ(Sharp.devicePixelRatio(), 2.0) << G << " " << B;
      ASSERT_EQ(Sharp.size(), Size * 2);
      // The twin is the same glyph: ink in the same place and about as much of it.
      const TInk One = InkOf(List->GetBitmap(B).toImage(), 1);
      const TInk Two = InkOf(Sharp.toImage(), 2);
      ASSERT_EQ(One.Mass > 0, Two.Mass > 0) << "group " << G << " button " << B;
      if (One.Mass == 0) continue;
      EXPECT_LT(QLineF(One.Centre, Two.Centre).length(), 1.5) << "group " << G << " button " << B;
      EXPECT_GT(Two.Mass / One.Mass, 0.4) << "group " << G << " button " << B;
      EXPECT_LT(Two.Mass / One.Mass, 2.5) << "group " << G << " button " << B;
    }
  }
}
