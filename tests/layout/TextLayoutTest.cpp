// Text: in the Math style the math font's upright glyphs side by side, a space as the
// font's word space, the whole an ordinary atom as large as its slot; Classic unchanged.
#include <gtest/gtest.h>
#include <hb-ot.h>
#include <hb.h>

#include <QFile>
#include <cmath>

#include "layout/LayoutSupport.h"
#include "model/Symbols.h"
#include "model/Text.h"
#include "platform/MathFont.h"

namespace {
class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString Path = TMathFont::DefaultPath();
    if (Path.isEmpty()) GTEST_SKIP() << "no math font installed";
    Blob = hb_blob_create_from_file(QFile::encodeName(Path).constData());
    Face = hb_face_create(Blob, 0);
    Font = hb_font_create(Face);
    F.Editor->SetTypesetting(TTypesettings::Math);
  }
  void TearDown() override {
    if (!Blob) return;
    hb_font_destroy(Font);
    hb_face_destroy(Face);
    hb_blob_destroy(Blob);
  }
  // The glyph HarfBuzz maps the code point to, apart from the component.
  hb_codepoint_t Glyph(char32_t Code) const {
    hb_codepoint_t Result = 0;
    hb_font_get_nominal_glyph(Font, Code, &Result);
    return Result;
  }
  // A glyph's advance at the node's em, in whole pixels as a run places its characters
  // (the run adds a letter's italic correction where TeX does, never inside text).
  int Width(char32_t Code, const TCustomControl* Node) const {
    const double Em = Node->Font().pointSizeF() * 96.0 / 72.0;
    const double Units = hb_font_get_glyph_h_advance(Font, Glyph(Code));
    return static_cast<int>(std::ceil(Units * Em / hb_face_get_upem(Face) - 0.5));
  }
  // A glyph's italic correction at the node's em, in pixels.
  double Italic(char32_t Code, const TCustomControl* Node) const {
    const double Em = Node->Font().pointSizeF() * 96.0 / 72.0;
    return hb_ot_math_get_glyph_italics_correction(Font, Glyph(Code)) * Em / hb_face_get_upem(Face);
  }
  TEditArea* Line() const { return F.Line(0); }

  EditorFixture F;
  hb_blob_t* Blob = nullptr;
  hb_face_t* Face = nullptr;
  hb_font_t* Font = nullptr;
};
}  // namespace

TEST_F(TextLayoutTest, CharactersAreTheFontsUprightGlyphsSideBySide) {
  F.Editor->SetData("EditArea(Simple(f)Text(EditArea(Simple(i)Simple(f)Simple(#32)Simple(-)Simple(x)Simple('))))");
  auto* Text = ElementAt<TEqText>(Line(), 1);
  ASSERT_TRUE(Text);
  const TEditArea* Body = Text->Slot(0);
  // The hyphen stays a hyphen and the apostrophe an apostrophe, not a minus and a prime.
  const char32_t Codes[] = {U'i', U'f', U' ', U'-', U'x', U'\''};
  ASSERT_EQ(Body->Count(), 6);
  int X = 0;
  for (int I = 0; I < Body->Count(); ++I) {
    SCOPED_TRACE(I);
    ASSERT_NE(Glyph(Codes[I]), 0u);
    EXPECT_EQ(Body->Item(I)->Width(), Width(Codes[I], Body));
    // No math spacing between them.
    EXPECT_EQ(Body->Item(I)->Left(), X);
    X += Body->Item(I)->Width();
  }
  // The space is the font's word space, a quarter em in TeX Gyre Termes.
  EXPECT_NEAR(Body->Item(2)->Width(), 0.25 * Body->Font().pointSizeF() * 96.0 / 72.0, 0.5);
  // Outside text the letter is the italic one, of another width.
  EXPECT_EQ(Line()->Item(0)->Width(), Width(U'\U0001D453', Line()));
  EXPECT_NE(Width(U'f', Line()), Width(U'\U0001D453', Line()));
  // The element is its slot, on the line's baseline.
  EXPECT_EQ(Body->Width(), X);
  EXPECT_EQ(Body->Left(), 0);
  EXPECT_EQ(Body->Top(), 0);
  EXPECT_EQ(Text->Width(), Body->Width());
  EXPECT_EQ(Text->Height(), Body->Height());
  EXPECT_EQ(Text->Top() + Body->MathBaseline(), Line()->MathBaseline());
  EXPECT_EQ(Text->MathAtom(), maOrd);
}

TEST_F(TextLayoutTest, WordsOfTextAreNoOperatorNamesAndTheTextIsAnOrdinaryAtom) {
  F.Editor->SetData("EditArea(Simple(s)Simple(i)Simple(n)Simple(x)Simple(=)"
                    "Text(EditArea(Simple(s)Simple(i)Simple(n)Simple(x)))Simple(=)Simple(y))");
  const auto Gap = [](const TEditArea* Run, int I) {
    return Run->Item(I + 1)->Left() - Run->Item(I)->Left() - Run->Item(I)->Width();
  };
  // Outside, sin is an operator and stands apart from x; inside, the letters are a word.
  EXPECT_GT(Gap(Line(), 2), 0);
  const TEditArea* Body = ElementAt<TEqText>(Line(), 5)->Slot(0);
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(ElementAt<TEqSimple>(const_cast<TEditArea*>(Body), I)->MathName(), mnNone);
    if (I < 3) {
      EXPECT_EQ(Gap(Body, I), 0);
    }
  }
  // The relations stand as far from the text as from the letters x and y.
  EXPECT_GT(Gap(Line(), 6), 0);
  EXPECT_EQ(Gap(Line(), 4), Gap(Line(), 6));
  // The letter x before = has its italic correction too.
  EXPECT_NEAR(Gap(Line(), 5), Gap(Line(), 3) - Italic(U'\U0001D465', Line()), 0.5);
}

TEST(TextClassicLayout, TheSlotIsLaidOutAsAnyRun) {
  FormulaFixture F("EditArea(Simple(i)Simple(f)Simple(#32)Simple(x)Text(EditArea(Simple(i)Simple(f)Simple(#32)Simple(x))))");
  auto* Text = ElementAt<TEqText>(F.Line(0), 4);
  ASSERT_TRUE(Text);
  TEditArea* Body = Text->Slot(0);
  EXPECT_EQ(Body->Font().Size(), F.Line(0)->Font().Size());
  for (int I = 0; I < 4; ++I) {
    EXPECT_EQ(Body->Item(I)->Width(), F.Line(0)->Item(I)->Width());
    EXPECT_EQ(Body->Item(I)->Left() - Body->Item(0)->Left(), F.Line(0)->Item(I)->Left() - F.Line(0)->Item(0)->Left());
  }
  EXPECT_EQ(Text->Width(), Body->Width());
  EXPECT_EQ(Text->Height(), Body->Height());
  EXPECT_EQ(Body->Left(), 0);
  EXPECT_EQ(Body->Top(), 0);
}
