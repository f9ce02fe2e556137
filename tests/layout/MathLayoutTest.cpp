// The Math style against the math font's own numbers, read here through HarfBuzz, and
// against the ink the editor draws.

#include <gtest/gtest.h>
#include <hb-ot.h>
#include <hb.h>

#include <QDir>
#include <QFile>
#include <cmath>
#include <algorithm>
#include <optional>
#include <tuple>

#include "layout/LayoutSupport.h"
#include "layout/MathStyle.h"
#include "model/Accent.h"
#include "model/Binomial.h"
#include "model/Index.h"
#include "model/LongDivision.h"
#include "model/Matrix.h"
#include "model/Radical.h"
#include "platform/MathFont.h"

namespace {
// The font's MATH data as HarfBuzz reads it, apart from the component.
class FontData {
 public:
  explicit FontData(const QString& Path) {
    Blob = hb_blob_create_from_file(QFile::encodeName(Path).constData());
    Face = hb_face_create(Blob, 0);
    Font = hb_font_create(Face);
    Upem = hb_face_get_upem(Face);
  }
  ~FontData() {
    hb_font_destroy(Font);
    hb_face_destroy(Face);
    hb_blob_destroy(Blob);
  }
  // A constant in pixels at Em.
  double Px(hb_ot_math_constant_t Constant, double Em) const {
    return hb_ot_math_get_constant(Font, Constant) * Em / Upem;
  }
  int Percent(hb_ot_math_constant_t Constant) const { return hb_ot_math_get_constant(Font, Constant); }
  // A character's ink in pixels at Em, y downwards from the baseline.
  QRectF Ink(char32_t Code, double Em) const {
    hb_codepoint_t Glyph = 0;
    hb_font_get_nominal_glyph(Font, Code, &Glyph);
    hb_glyph_extents_t E{};
    hb_font_get_glyph_extents(Font, Glyph, &E);
    const double S = Em / Upem;
    return QRectF(E.x_bearing * S, -E.y_bearing * S, E.width * S, -E.height * S);
  }
  // The advance of the first vertical variant of Code at least Height tall, in pixels at Em.
  double VariantAdvance(char32_t Code, double Height, double Em) const {
    hb_codepoint_t Glyph = 0;
    hb_font_get_nominal_glyph(Font, Code, &Glyph);
    hb_ot_math_glyph_variant_t Variants[32];
    unsigned Count = 32;
    hb_ot_math_get_glyph_variants(Font, Glyph, HB_DIRECTION_TTB, 0, &Count, Variants);
    unsigned I = 0;
    while (I + 1 < Count && Variants[I].advance * Em / Upem < Height) ++I;
    if (Count > 0) Glyph = Variants[I].glyph;
    return hb_font_get_glyph_h_advance(Font, Glyph) * Em / Upem;
  }
  double Advance(char32_t Code, double Em) const {
    hb_codepoint_t Glyph = 0;
    hb_font_get_nominal_glyph(Font, Code, &Glyph);
    return hb_font_get_glyph_h_advance(Font, Glyph) * Em / Upem;
  }
  double Italic(char32_t Code, double Em) const {
    hb_codepoint_t Glyph = 0;
    hb_font_get_nominal_glyph(Font, Code, &Glyph);
    return hb_ot_math_get_glyph_italics_correction(Font, Glyph) * Em / Upem;
  }

 private:
  hb_blob_t* Blob;
  hb_face_t* Face;
  hb_font_t* Font;
  unsigned Upem;
};

double EmOf(const TCustomControl* Node) { return Node->Font().pointSizeF() * 96.0 / 72.0; }

int HostBaseline(const TEditArea* Area) { return Area->HostPosition().y() + Area->MathBaseline(); }

// Inked rows of a picture between columns X1 and X2 (exclusive): first and last.
std::optional<std::pair<int, int>> InkRows(const QImage& Image, int X1, int X2, int Y1 = 0, int Y2 = -1) {
  if (Y2 < 0) Y2 = Image.height();
  std::optional<std::pair<int, int>> Rows;
  for (int Y = Y1; Y < Y2; ++Y)
    for (int X = X1; X < X2; ++X)
      if (Inked(Image, X, Y)) {
        if (!Rows) Rows = std::make_pair(Y, Y);
        Rows->second = Y;
        break;
      }
  return Rows;
}

// The bounding box of the ink inside Area of a picture.
std::optional<QRect> InkBox(const QImage& Image, QRect Area) {
  QRect Box;
  for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
    for (int X = Area.left(); X <= Area.right(); ++X)
      if (Inked(Image, X, Y)) Box |= QRect(X, Y, 1, 1);
  if (Box.isNull()) return std::nullopt;
  return Box;
}

// Every node's rectangle but the carets', depth first.
std::vector<QRect> Geometry(TZelkEquation& Editor) {
  std::vector<QRect> Result;
  for (int J = 0; J < Editor.LineCount(); ++J) {
    Result.push_back(Editor.Line(J)->BoundsRect());
    ForEachChild(Editor.Line(J), [&](TCustomControl*, TCustomControl* Child) {
      if (!dynamic_cast<TEACursor*>(Child)) Result.push_back(Child->BoundsRect());
    });
  }
  return Result;
}

QString Fixture(const char* Name) {
  QFile File(QStringLiteral(ZELK_FIXTURES_DIR "/") + QLatin1String(Name));
  EXPECT_TRUE(File.open(QIODevice::ReadOnly));
  return QString::fromUtf8(File.readAll()).trimmed();
}

class MathLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString Path = TMathFont::DefaultPath();
    if (Path.isEmpty()) GTEST_SKIP() << "no math font installed";
    Data = std::make_unique<FontData>(Path);
    F.Editor->SetTypesetting(TTypesettings::Math);
    ASSERT_NE(F.Editor->MathFontInUse(), nullptr);
  }
  void Read(const QString& Text) { F.Editor->SetData(Text); }
  TEditArea* Line() const { return F.Line(0); }
  double Em() const { return EmOf(Line()); }
  // A delimiter's ink rows around content's ink rows, as TeX sizes \left and \right: at
  // least 90.1 % of the content's height and at most a quarter em short of it (a pixel
  // given for rounding).
  void CoversAsTexDoes(std::pair<int, int> Delimiter, std::pair<int, int> Content) const {
    const double Height = Content.second - Content.first + 1;
    const double Need = qMax(0.901 * Height, Height - 0.25 * Em());
    EXPECT_GE(Delimiter.second - Delimiter.first + 2, Need) << "content " << Height;
  }
  double Px(hb_ot_math_constant_t Constant) const { return Data->Px(Constant, Em()); }
  // The node's ink alone, without the caret and the slots' frames.
  QImage Ink(const TCustomControl* Node) const {
    return F.Editor->RenderImage().copy(QRect(Node->HostPosition(), Node->BoundsRect().size()));
  }

  EditorFixture F;
  std::unique_ptr<FontData> Data;
};
}  // namespace

TEST(TypesettingTest, ClassicIsTheDefaultAndComesBackBitForBit) {
  EditorFixture F;
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Classic);
  EXPECT_EQ(F.Editor->property("Typesetting").toInt(), int(TTypesettings::Classic));
  F.Editor->SetData(Fixture("AllTemplates.txt"));
  const std::vector<QRect> Classic = Geometry(*F.Editor);
  const QString Data = F.Editor->GetData();
  F.Changes = 0;
  ASSERT_TRUE(F.Editor->setProperty("Typesetting", int(TTypesettings::Math)));
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Math);
  if (F.Editor->MathFontInUse()) {
    EXPECT_NE(Geometry(*F.Editor), Classic);
  }
  F.Editor->SetTypesetting(TTypesettings::Classic);
  EXPECT_EQ(Geometry(*F.Editor), Classic);
  // Restyling is no edit: the text stays and no change is announced.
  EXPECT_EQ(F.Editor->GetData(), Data);
  EXPECT_EQ(F.Changes, 0);
  // Values outside the enumeration are ignored.
  F.Editor->SetTypesetting(static_cast<TTypesetting>(7));
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Classic);
}

TEST(TypesettingTest, AFileThatIsNoMathFontLeavesTheClassicGeometry) {
  EditorFixture Classic, Broken;
  Classic.Editor->SetData(Fixture("AllTemplates.txt"));
  Broken.Editor->SetMathFont(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt"));
  Broken.Editor->SetTypesetting(TTypesettings::Math);
  Broken.Editor->SetData(Fixture("AllTemplates.txt"));
  EXPECT_EQ(Broken.Editor->MathFontInUse(), nullptr);
  EXPECT_EQ(Geometry(*Broken.Editor), Geometry(*Classic.Editor));
  Broken.Editor->SetMathFont(QStringLiteral("/no/such/font.otf"));
  EXPECT_EQ(Broken.Editor->MathFontInUse(), nullptr);
}

TEST_F(MathLayoutTest, FractionPartsClearTheBarOnTheAxisByTheFontsGaps) {
  Read("EditArea(Division(EditArea(Simple(a)Simple(+)Simple(b))EditArea(Simple(c)Simple(y))))");
  auto* Fraction = ElementAt<TEqDivision>(Line(), 0);
  const QImage Image = Render(Fraction);
  const int W = Fraction->Width();
  // The bar: the rows inked right across the middle half.
  int BarTop = -1, BarBottom = -1;
  for (int Y = 0; Y < Image.height(); ++Y)
    if (RowInked(Image, Y, W / 4, 3 * W / 4)) {
      if (BarTop < 0) BarTop = Y;
      BarBottom = Y;
    }
  ASSERT_GE(BarTop, 0);
  EXPECT_NEAR(BarBottom - BarTop + 1, Px(HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS), 1.0);
  const auto Above = InkRows(Image, 0, W, 0, BarTop);
  const auto Below = InkRows(Image, 0, W, BarBottom + 1);
  ASSERT_TRUE(Above && Below);
  // A line is display style: the display gaps hold (a pixel for rounding).
  EXPECT_GE(BarTop - Above->second - 1, std::floor(Px(HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN)) - 1);
  EXPECT_GE(Below->first - BarBottom - 1, std::floor(Px(HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN)) - 1);
  // The bar's middle lies on the axis above the line's baseline.
  const double BarMiddle = Fraction->HostPosition().y() + (BarTop + BarBottom + 1) / 2.0;
  EXPECT_NEAR(HostBaseline(Line()) - BarMiddle, Px(HB_OT_MATH_CONSTANT_AXIS_HEIGHT), 1.5);
  // The parts are shifted at least by the display shifts.
  EXPECT_GE(HostBaseline(Line()) - HostBaseline(Fraction->Numerator()),
            std::floor(Px(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP)));
  EXPECT_GE(HostBaseline(Fraction->Denominator()) - HostBaseline(Line()),
            std::floor(Px(HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_DISPLAY_STYLE_SHIFT_DOWN)));
}

TEST_F(MathLayoutTest, ScriptsAreShiftedAndScaledByTheFontsScriptConstants) {
  Read("EditArea(Simple(x)IndexTopBottom(EditArea(Simple(j))EditArea(Simple(2)))Simple(+)Simple(y)"
       "IndexTop(EditArea(Simple(a)IndexTop(EditArea(Simple(b))))))");
  auto* Both = ElementAt<TEqIndex>(Line(), 1);
  const int Base = HostBaseline(Line());
  EXPECT_GE(Base - HostBaseline(Both->IndexTopArea()), std::floor(Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP)));
  EXPECT_GE(HostBaseline(Both->IndexBottomArea()) - Base, std::floor(Px(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN)));
  // Superscript and subscript keep the font's least gap between their boxes.
  const QRect Super(Both->IndexTopArea()->HostPosition(), Both->IndexTopArea()->BoundsRect().size());
  const QRect Sub(Both->IndexBottomArea()->HostPosition(), Both->IndexBottomArea()->BoundsRect().size());
  EXPECT_GE(Sub.top() - Super.bottom() - 1, std::floor(Px(HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN)) - 2);
  // Sizes: a script at the script percentage, a script of a script at the second one.
  const int Size = Line()->Font().Size();
  EXPECT_NEAR(Both->IndexTopArea()->Font().Size(), Size * Data->Percent(HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0, 0.5);
  auto* Outer = ElementAt<TEqIndex>(Line(), 4);
  auto* Inner = ElementAt<TEqIndex>(Outer->IndexTopArea(), 1);
  EXPECT_NEAR(Inner->IndexTopArea()->Font().Size(),
              Size * Data->Percent(HB_OT_MATH_CONSTANT_SCRIPT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0, 1.0);
  EXPECT_EQ(Inner->IndexTopArea()->MathLevel(), mlScriptScript);
}

TEST_F(MathLayoutTest, SuperscriptsRiseLessInCrampedRuns) {
  // x^2 over x^2 under the square root of x^2: the numerator is not cramped, the
  // denominator and (inside it) the radicand are.
  const char* Power = "Simple(x)IndexTop(EditArea(Simple(2)))";
  Read(QStringLiteral("EditArea(Division(EditArea(%1)EditArea(%1Root(EditArea(%1)))))").arg(QLatin1String(Power)));
  auto* Fraction = ElementAt<TEqDivision>(Line(), 0);
  auto Rise = [](TEditArea* Run, int At) {
    const auto* Index = ElementAt<TEqIndex>(Run, At);
    return HostBaseline(Run) - HostBaseline(Index->IndexTopArea());
  };
  const double Em = EmOf(Fraction->Numerator());
  const double Up = Data->Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP, Em);
  const double Cramped = Data->Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED, Em);
  ASSERT_LT(Cramped + 1, Up) << "the font raises cramped superscripts as high as others";
  EXPECT_GE(Rise(Fraction->Numerator(), 1), std::floor(Up));
  EXPECT_GE(Rise(Fraction->Denominator(), 1), std::floor(Cramped));
  EXPECT_LT(Rise(Fraction->Denominator(), 1), Rise(Fraction->Numerator(), 1));
  auto* Root = ElementAt<TEqRoot>(Fraction->Denominator(), 2);
  EXPECT_TRUE(Root->Radicand()->MathCramped());
  EXPECT_EQ(Rise(Root->Radicand(), 1), Rise(Fraction->Denominator(), 1));
  EXPECT_FALSE(Line()->MathCramped());
  EXPECT_FALSE(Fraction->Numerator()->MathCramped());
}

TEST_F(MathLayoutTest, DisplayOperatorsReachTheDisplayHeightAndShrinkInScripts) {
  Read("EditArea(SumLimitBottomTop(EditArea(Simple(x))EditArea(Simple(0))EditArea(Simple(n))))");
  auto* Sum = ElementAt<TEqGroupOp>(Line(), 0);
  const QImage Image = Render(Sum);
  // The sign's column: left of the operand, between the limits.
  const QRect Top(Sum->LimitTopArea()->BoundsRect());
  const QRect Bottom(Sum->LimitBottomArea()->BoundsRect());
  const auto Sign = InkRows(Image, 0, Sum->Slot(0)->Left(), Top.bottom() + 1, Bottom.top());
  ASSERT_TRUE(Sign);
  const int SignHeight = Sign->second - Sign->first + 1;
  EXPECT_GE(SignHeight + 1, Px(HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT));
  // Limits clear the sign by the limit gaps.
  const auto UpperInk = InkRows(Image, Top.left(), Top.right() + 1, Top.top(), Top.bottom() + 1);
  ASSERT_TRUE(UpperInk);
  EXPECT_GE(Sign->first - UpperInk->second - 1, std::floor(Px(HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN)) - 1);
  EXPECT_EQ(Sum->LimitTopArea()->MathLevel(), mlScript);

  // The same operator in a superscript is set at its text size.
  Read("EditArea(Simple(e)IndexTop(EditArea(Sum(EditArea(Simple(x))))))");
  auto* Script = ElementAt<TEqIndex>(Line(), 1);
  auto* Small = ElementAt<TEqGroupOp>(Script->IndexTopArea(), 0);
  const QImage SmallImage = Render(Small);
  const auto SmallSign = InkRows(SmallImage, 0, Small->Slot(0)->Left());
  ASSERT_TRUE(SmallSign);
  EXPECT_LT(SmallSign->second - SmallSign->first + 1, Data->Px(HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT, EmOf(Small)));
}

TEST_F(MathLayoutTest, BracketsCoverWhatTheyHoldAsTexDoes) {
  for (const char* Text :
       {"EditArea(BracketsRound(EditArea(Division(EditArea(Simple(1))EditArea(Division(EditArea(Simple(a))"
        "EditArea(Simple(b))))))))",
        "EditArea(BracketsSquare(EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))"
        "EditArea(Division(EditArea(Simple(1))EditArea(Simple(n))))))))",
        "EditArea(BracketsFigure(EditArea(MatrixkmVert(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))"
        "EditArea(Simple(4))EditArea(Simple(5))))))",
        "EditArea(BracketsModule(EditArea(Simple(x))))", "EditArea(BracketsDModule(EditArea(Simple(x))))",
        "EditArea(BracketsCorner(EditArea(Simple(x)IndexTopBottom(EditArea(Simple(j))EditArea(Simple(2))))))"}) {
    SCOPED_TRACE(Text);
    Read(QString::fromLatin1(Text));
    auto* Brackets = ElementAt<TEqBrackets>(Line(), 0);
    const QImage Image = Render(Brackets);
    const QRect Content = Brackets->Slot(0)->BoundsRect();
    const auto Inner = InkRows(Image, Content.left(), Content.right() + 1);
    const auto Left = InkRows(Image, 0, Content.left());
    const auto Right = InkRows(Image, Content.right() + 1, Image.width());
    ASSERT_TRUE(Inner && Left && Right);
    for (const auto& Side : {*Left, *Right}) CoversAsTexDoes(Side, *Inner);
  }
}

TEST_F(MathLayoutTest, BracketsInBracketsGrowNoMoreThanTexs) {
  // TeX's 90.1 % lets brackets around brackets keep the inner ones' size, as TeX sets these
  // (a whole cover made each level larger: 51, 63, 68 px).
  Read("EditArea(BracketsRound(EditArea(BracketsRound(EditArea(BracketsRound(EditArea(Division("
       "EditArea(Simple(a))EditArea(Simple(b))))))))))");
  std::vector<int> Heights;
  for (auto* Brackets = ElementAt<TEqBrackets>(Line(), 0); Brackets;
       Brackets = dynamic_cast<TEqBrackets*>(Brackets->Slot(0)->Count() ? Brackets->Slot(0)->Item(0) : nullptr)) {
    // The left bracket: what is drawn before the slot.
    const auto Rows = InkRows(Render(Brackets), 0, Brackets->Slot(0)->Left());
    ASSERT_TRUE(Rows);
    Heights.push_back(Rows->second - Rows->first + 1);
  }
  ASSERT_EQ(Heights.size(), 3u);
  for (int I = 0; I + 1 < 3; ++I) EXPECT_LE(Heights[I], Heights[I + 1] + 1) << Heights[I] << " around " << Heights[I + 1];
}

TEST_F(MathLayoutTest, FenceDelimitersCoverEverySlotAsTexDoes) {
  for (const char* Text :
       {"EditArea(BracketsFloor(EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))))",
        "EditArea(BracketsBraKet(EditArea(Simple(a))EditArea(Division(EditArea(Simple(1))EditArea(Division("
        "EditArea(Simple(x))EditArea(Simple(y))))))))",
        "EditArea(BracketLeftFigure(EditArea(MatrixkmVert(EditArea(Simple(1))EditArea(Simple(2))EditArea(Simple(3))))))",
        // Bars as often as \\middle comes, each grown to the tallest part.
        "EditArea(FenceFigureOpenModuleFigureClose(EditArea(Simple(x))EditArea(Division(EditArea(Simple(1))"
        "EditArea(Simple(2))))EditArea(Simple(y))))"}) {
    SCOPED_TRACE(Text);
    Read(QString::fromLatin1(Text));
    auto* Fence = ElementAt<TEqFence>(Line(), 0);
    const QImage Image = Render(Fence);
    const QRect First = Fence->Slot(0)->BoundsRect();
    const QRect Last = Fence->Slot(Fence->EditAreaCount() - 1)->BoundsRect();
    std::optional<std::pair<int, int>> Inner;
    for (int I = 0; I < Fence->EditAreaCount(); ++I) {
      const QRect Slot = Fence->Slot(I)->BoundsRect();
      const auto Ink = InkRows(Image, Slot.left(), Slot.right() + 1);
      ASSERT_TRUE(Ink);
      Inner = Inner ? std::make_pair(qMin(Inner->first, Ink->first), qMax(Inner->second, Ink->second)) : *Ink;
    }
    // Every delimiter there is: left of the first slot, between the slots, right of the last.
    std::vector<std::optional<std::pair<int, int>>> Sides{InkRows(Image, 0, First.left()),
                                                          InkRows(Image, Last.right() + 1, Image.width())};
    for (int I = 1; I < Fence->EditAreaCount(); ++I)
      Sides.push_back(InkRows(Image, Fence->Slot(I - 1)->BoundsRect().right() + 1, Fence->Slot(I)->BoundsRect().left()));
    int Drawn = 0;
    for (const auto& Side : Sides) {
      if (!Side) continue;
      ++Drawn;
      CoversAsTexDoes(*Side, *Inner);
    }
    const TFenceKind Kind = Fence->Kind();
    EXPECT_EQ(Drawn, (Kind.Left != dlNone) + (Kind.Right != dlNone) + Fence->EditAreaCount() - 1);
  }
}

TEST_F(MathLayoutTest, ADisplayIntegralIsTheFontsDisplaySizeWithItsSubscriptUnderItsFoot) {
  Read("EditArea(IntIndexBottomTopOne(EditArea(Simple(x))EditArea(Simple(a))EditArea(Simple(b))))");
  auto* Integral = ElementAt<TEqGroupOp>(Line(), 0);
  const QImage Image = Render(Integral);
  const int SignRight = Integral->IndexTopArea()->Left();
  const auto Sign = InkRows(Image, 0, qMin(SignRight, Integral->IndexBottomArea()->Left()));
  ASSERT_TRUE(Sign);
  // The smallest variant of the font's display height (a step larger had stood 20 % taller).
  const double MinHeight = Px(HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT);
  EXPECT_GE(Sign->second - Sign->first + 2, MinHeight);
  EXPECT_LT(Sign->second - Sign->first, 1.25 * MinHeight);
  // The slant moves the subscript left of the superscript, as TeX does.
  EXPECT_LT(Integral->IndexBottomArea()->Left(), Integral->IndexTopArea()->Left() - 0.1 * Em());
  // The operand follows the wider script by TeX's script and operator spaces only.
  const int ScriptsRight = qMax(Integral->IndexTopArea()->Left() + Integral->IndexTopArea()->Width(),
                                Integral->IndexBottomArea()->Left() + Integral->IndexBottomArea()->Width());
  EXPECT_LE(Integral->Slot(0)->Left() - ScriptsRight, Px(HB_OT_MATH_CONSTANT_SPACE_AFTER_SCRIPT) + 3 * Em() / 18 + 1);
}

TEST_F(MathLayoutTest, MatrixColumnsAndCasesAreSpacedAndAlignedAsAmsmathSetsThem) {
  const QString Cells = "EditArea(Simple(1))EditArea(Simple(x)Simple(>)Simple(0))"
                        "EditArea(Simple(-)Simple(1)Simple(0))EditArea(Simple(x)Simple(<)Simple(0))";
  // At 36 pt, where ems and points part.
  QFont Large = F.Editor->font();
  Large.setPointSize(36);
  F.Editor->setFont(Large);
  // A matrix: columns centred, 2 \arraycolsep (10 pt at any size) apart.
  Read("EditArea(BracketsRound(EditArea(MatrixkmSquare(" + Cells + "))))");
  auto* Matrix = ElementAt<TEqMatrix>(ElementAt<TEqBrackets>(Line(), 0)->Slot(0), 0);
  const int FirstColumn = qMax(Matrix->Slot(0)->Width(), Matrix->Slot(2)->Width());
  EXPECT_NEAR(Matrix->Slot(0)->Left() + Matrix->Slot(0)->Width() / 2.0, FirstColumn / 2.0, 1.0);
  EXPECT_NEAR(qMin(Matrix->Slot(1)->Left(), Matrix->Slot(3)->Left()) - FirstColumn, 10 * 96 / 72.27, 1.0);
  // Alone in a left brace it is cases: cells to the left, columns a quad apart.
  Read("EditArea(BracketLeftFigure(EditArea(MatrixkmSquare(" + Cells + "))))");
  Matrix = ElementAt<TEqMatrix>(ElementAt<TEqFence>(Line(), 0)->Slot(0), 0);
  EXPECT_EQ(Matrix->Slot(0)->Left(), Matrix->Slot(2)->Left());
  EXPECT_EQ(Matrix->Slot(1)->Left(), Matrix->Slot(3)->Left());
  EXPECT_NEAR(Matrix->Slot(1)->Left() - qMax(Matrix->Slot(0)->Width(), Matrix->Slot(2)->Width()), Em(), 1.0);
}

TEST_F(MathLayoutTest, EllipsesAreInnerAndAnOperatorTakesNoSpaceBeforeAnOpening) {
  Read("EditArea(Simple(x)Simple(,)ExtSymbol(8230)Simple(,)Simple(y))");
  const auto Gap = [this](int I) { return Line()->Item(I)->Left() - (Line()->Item(I - 1)->Left() + Line()->Item(I - 1)->Width()); };
  // TeX's \ldots is \mathinner: a thin space after the comma and before the next one.
  EXPECT_NEAR(Gap(2), 3 * Em() / 18, 1.0);
  EXPECT_NEAR(Gap(3), 3 * Em() / 18, 1.0);
  // Op-Open has no space where Op-Ord has a thin one.
  Read("EditArea(Sum(EditArea(Simple(#40)Simple(x)Simple(#41)))Simple(=)Sum(EditArea(Simple(x))))");
  const int Open = ElementAt<TEqGroupOp>(Line(), 0)->Slot(0)->Left();
  const int Ordinary = ElementAt<TEqGroupOp>(Line(), 2)->Slot(0)->Left();
  EXPECT_NEAR(Ordinary - Open, 3 * Em() / 18, 1.0);
}

TEST_F(MathLayoutTest, BracketsAndFencesAreInnerAtomsAsLeftAndRightAre) {
  // A\left(x\right)=\left\{x\middle|y\right\}B: a thin space from a letter to the
  // brackets, a thick one to the relation, a thin one from the fence to the letter.
  Read("EditArea(Simple(A)BracketsRound(EditArea(Simple(x)))Simple(=)"
       "FenceFigureOpenModuleFigureClose(EditArea(Simple(x))EditArea(Simple(y)))Simple(B))");
  const auto Gap = [this](int I) { return Line()->Item(I)->Left() - (Line()->Item(I - 1)->Left() + Line()->Item(I - 1)->Width()); };
  EXPECT_NEAR(Gap(1), 3 * Em() / 18, 1.0);
  EXPECT_NEAR(Gap(2), 5 * Em() / 18, 1.0);
  EXPECT_NEAR(Gap(3), 5 * Em() / 18, 1.0);
  EXPECT_NEAR(Gap(4), 3 * Em() / 18, 1.0);
}

TEST_F(MathLayoutTest, TheSpacesOfThinAndThickSpacesAreTexsWidths) {
  // x\,x\;x: the six-per-em space is \, (3 mu), the three-per-em one \; (5 mu).
  Read("EditArea(Simple(x)ExtSymbol(8198)Simple(x)ExtSymbol(8196)Simple(x))");
  EXPECT_NEAR(Line()->Item(1)->Width(), 3 * Em() / 18, 1.0);
  EXPECT_NEAR(Line()->Item(3)->Width(), 5 * Em() / 18, 1.0);
}

TEST_F(MathLayoutTest, ARootsDegreeIsSetInScriptScriptStyle) {
  Read("EditArea(RootDegree(EditArea(Simple(x))EditArea(Simple(3))))");
  auto* Root = ElementAt<TEqRoot>(Line(), 0);
  EXPECT_NEAR(Root->Degree()->Font().Size(),
              Line()->Font().Size() * Data->Percent(HB_OT_MATH_CONSTANT_SCRIPT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0, 1.0);
}

TEST_F(MathLayoutTest, ApostrophesArePrimesSetAsSuperscripts) {
  // A base whose ink keeps out of the primes' columns; u'' and v''' as TeX sets them, with
  // the font's double and triple prime, each run one glyph drawn by its first apostrophe.
  Read("EditArea(Simple(u)Simple(')Simple(')Simple(#40)Simple(x)Simple(#41)Simple(v)Simple(')Simple(')Simple(')"
       "Simple(+)Simple(u)Simple(')Simple(#40)Simple(#41))");
  const QImage Image = Render(Line());
  const int Baseline = Line()->MathBaseline();
  // The font's primes at script size, raised as a superscript.
  const double ScriptEm = Em() * Data->Percent(HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0;
  for (const auto& [At, Code] : {std::pair{1, U'\u2033'}, std::pair{7, U'\u2034'}, std::pair{12, U'\u2032'}}) {
    SCOPED_TRACE(At);
    const TEquation* Prime = Line()->Item(At);
    const QRectF Ink = Data->Ink(Code, ScriptEm).translated(0, Baseline - Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP));
    EXPECT_NEAR(Prime->Width(), Data->Advance(Code, ScriptEm), 1.0);
    const auto Rows = InkRows(Image, Prime->Left(), Prime->Left() + Prime->Width(), 0, Baseline);
    ASSERT_TRUE(Rows);
    EXPECT_NEAR(Rows->first, Ink.top(), 1.5);
    EXPECT_NEAR(Rows->second + 1, Ink.bottom(), 1.5);
  }
  for (int Joined : {2, 8, 9}) EXPECT_EQ(Line()->Item(Joined)->Width(), 0) << Joined;
  // Nothing between the base and its primes, nor between the primes and what follows.
  EXPECT_EQ(Line()->Item(1)->Left(), Line()->Item(0)->Left() + Line()->Item(0)->Width());
  EXPECT_EQ(Line()->Item(3)->Left(), Line()->Item(2)->Left() + Line()->Item(2)->Width());
  // The text keeps every apostrophe.
  EXPECT_EQ(F.Editor->GetData().count(QStringLiteral("Simple(')")), 6);
}

TEST_F(MathLayoutTest, LimitsClearTheirBaseByTheFontsLimitGapsAndOperatorNamesStandUpright) {
  // Large, so that upright and italic letters differ by whole pixels.
  QFont Large = F.Editor->font();
  Large.setPointSize(36);
  F.Editor->setFont(Large);
  Read("EditArea(OperatorLimitBottomTop(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)Simple(+)Simple(1))"
       "EditArea(Simple(n)))Simple(y)StackTop(EditArea(Simple(=))EditArea(Simple(d)Simple(e)Simple(f)))Simple(z)"
       "OperatorIndexBottom(EditArea(Simple(m)Simple(a)Simple(x))EditArea(Simple(i))))");
  auto* Op = ElementAt<TEqScripted>(Line(), 0);
  const QImage Image = Render(Op);
  auto InkOf = [&](const TEditArea* Area) {
    const QRect R = Area->BoundsRect();
    return InkRows(Image, R.left(), R.right() + 1, R.top(), R.bottom() + 1);
  };
  const auto Base = InkOf(Op->Base());
  const auto Top = InkOf(Op->TopArea());
  const auto Bottom = InkOf(Op->BottomArea());
  ASSERT_TRUE(Base && Top && Bottom);
  EXPECT_GE(Base->first - Top->second - 1, std::floor(Px(HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN)) - 1);
  EXPECT_GE(Bottom->first - Base->second - 1, std::floor(Px(HB_OT_MATH_CONSTANT_LOWER_LIMIT_GAP_MIN)) - 1);
  EXPECT_GE(Op->Base()->HostPosition().y() - HostBaseline(Op->TopArea()),
            std::floor(Px(HB_OT_MATH_CONSTANT_UPPER_LIMIT_BASELINE_RISE_MIN)) - 1);
  EXPECT_EQ(Op->TopArea()->MathLevel(), mlScript);
  // The name is upright: its letters take the upright advances, which differ from the
  // italic ones.
  double Apart = 0;
  for (int I = 0; I < 3; ++I) {
    const char32_t Letter = U"lim"[I];
    EXPECT_NEAR(Op->Base()->Item(I)->Width(), Data->Advance(Letter, Em()), 1.0);
    Apart += std::abs(Data->Advance(Letter, Em()) - Data->Advance(U'\U0001D44E' + (Letter - U'a'), Em()));
  }
  EXPECT_GT(Apart, 2.0);
  // The base keeps the line's baseline.
  EXPECT_EQ(HostBaseline(Op->Base()), HostBaseline(Line()));

  // A relation with a word over it is spaced as the relation.
  auto Right = [&](int I) { return Line()->Item(I)->Left() + Line()->Item(I)->Width(); };
  EXPECT_NEAR(Line()->Item(2)->Left() - Right(1), 5 * Em() / 18, 1.0);
  EXPECT_NEAR(Line()->Item(3)->Left() - Right(2), 5 * Em() / 18, 1.0);

  // Indices beside an operator name drop by the subscript shift.
  auto* Indexed = ElementAt<TEqScripted>(Line(), 4);
  EXPECT_GE(HostBaseline(Indexed->BottomArea()) - HostBaseline(Line()),
            std::floor(Px(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN)));
  EXPECT_GE(Indexed->BottomArea()->Left(), Indexed->Base()->Left() + Indexed->Base()->Width());
}

TEST_F(MathLayoutTest, TheRadicalSignCoversTheRadicandAndItsBarKeepsTheFontsGap) {
  for (const char* Text : {"EditArea(Root(EditArea(Simple(x))))",
                           "EditArea(RootDegree(EditArea(Division(EditArea(Simple(a))EditArea(Division(EditArea(Simple(b))"
                           "EditArea(Simple(c))))))EditArea(Simple(3))))"}) {
    SCOPED_TRACE(Text);
    Read(QString::fromLatin1(Text));
    auto* Root = ElementAt<TEqRoot>(Line(), 0);
    const QImage Image = Render(Root);
    const QRect Body = Root->Radicand()->BoundsRect();
    // The bar: the topmost inked rows over the radicand's middle; the radicand's ink below.
    const auto Bar = InkRows(Image, Body.center().x(), Body.center().x() + 1);
    ASSERT_TRUE(Bar);
    int BarBottom = Bar->first;
    while (Inked(Image, Body.center().x(), BarBottom + 1)) ++BarBottom;
    // (The sign's top reaches a little over the radicand's left edge.)
    const auto Inner = InkRows(Image, Body.left() + Body.width() / 4, Body.right() + 1, BarBottom + 1);
    // The sign's column: from the degree's right edge (or the left) to the radicand.
    const int From = Root->Degree() ? Root->Degree()->Left() + Root->Degree()->Width() : 0;
    const auto Sign = InkRows(Image, From, Body.left());
    ASSERT_TRUE(Inner && Sign);
    EXPECT_LE(Sign->first, Bar->first + 1);
    EXPECT_GE(Sign->second + 1, Inner->second);
    EXPECT_GE(Inner->first - BarBottom - 1, std::floor(Px(HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP)) - 1);
  }
}

TEST_F(MathLayoutTest, LettersAreItalicAndOperatorsSpacedAsTeXSpacesAtoms) {
  Read("EditArea(Simple(-)Simple(x)Simple(+)Simple(1)Simple(=)Simple(y)Simple(,)Simple(z))");
  const double Em = this->Em();
  auto Left = [&](int I) { return Line()->Item(I)->Left(); };
  auto Right = [&](int I) { return Line()->Item(I)->Left() + Line()->Item(I)->Width(); };
  // x is the mathematical italic x; 1 stays upright.
  EXPECT_NEAR(Line()->Item(1)->Width(), Data->Advance(U'\U0001D465', Em), 1.0);
  EXPECT_NEAR(Line()->Item(3)->Width(), Data->Advance(U'1', Em), 1.0);
  // A leading minus is unary: no medium space after it; a binary plus has one either side;
  // the relation a thick one; the comma a thin one after it.
  const double Mu = Em / 18;
  EXPECT_LE(Left(1) - Right(0), TEACursor::CaretWidth);
  // The x's italic correction stands before the plus, a character.
  EXPECT_NEAR(Left(2) - Right(1), 4 * Mu + Data->Italic(U'\U0001D465', Em), 1.0);
  EXPECT_NEAR(Left(3) - Right(2), 4 * Mu, 1.0);
  EXPECT_NEAR(Left(4) - Right(3), 5 * Mu, 1.0);
  EXPECT_NEAR(Left(5) - Right(4), 5 * Mu, 1.0);
  EXPECT_LE(Left(6) - Right(5), TEACursor::CaretWidth);
  EXPECT_NEAR(Left(7) - Right(6), 3 * Mu, 1.0);
  // Every element stands on the line's baseline.
  for (int I : {1, 3, 5})
    EXPECT_EQ(Line()->Item(I)->Top() + Line()->Item(I)->GetMidLine() + std::lround(Px(HB_OT_MATH_CONSTANT_AXIS_HEIGHT)),
              Line()->MathBaseline());
  // Greek letters and their variant forms are italic too; letters of a name are not.
  const TMathFont& Font = *F.Editor->MathFontInUse();
  const TMathStyle Style(Font, Line()->Font());
  for (auto [Letter, Italic] : {std::pair{U'\u03B1', U'\U0001D6FC'}, {U'\u03D5', U'\U0001D719'}, {U'\u03D1', U'\U0001D717'},
                                {U'\u03F5', U'\U0001D716'}, {U'x', U'\U0001D465'}})
    EXPECT_EQ(Style.Character(Letter), Font.Glyph(Italic)) << int(Letter);
  EXPECT_EQ(Style.Character(U'x', true), Font.Glyph(U'x'));
}

TEST_F(MathLayoutTest, LettersSpellingAnOperatorNameStandUprightAsOneOperator) {
  QFont Large = F.Editor->font();
  Large.setPointSize(36);
  F.Editor->setFont(Large);
  // "2 sin x + using": only a run that starts with a name has one.
  Read("EditArea(Simple(2)Simple(s)Simple(i)Simple(n)Simple(x)Simple(+)Simple(u)Simple(s)Simple(i)Simple(n)Simple(g))");
  const double Em = this->Em();
  auto Italic = [](char32_t Letter) { return U'\U0001D44E' + (Letter - U'a'); };
  const char32_t Letters[] = {0, U's', U'i', U'n', U'x', 0, U'u', U's', U'i', U'n', U'g'};
  for (int I : {1, 2, 3}) EXPECT_NEAR(Line()->Item(I)->Width(), Data->Advance(Letters[I], Em), 1.0) << I;
  for (int I : {4, 6, 7, 8, 9, 10})
    EXPECT_NEAR(Line()->Item(I)->Width(), Data->Advance(Italic(Letters[I]), Em), 1.0) << I;
  auto Gap = [&](int I) { return Line()->Item(I)->Left() - Line()->Item(I - 1)->Left() - Line()->Item(I - 1)->Width(); };
  // A thin space either side of the name, none inside it.
  EXPECT_NEAR(Gap(1), 3 * Em / 18, 1.0);
  EXPECT_EQ(Gap(2), 0);
  EXPECT_EQ(Gap(3), 0);
  EXPECT_NEAR(Gap(4), 3 * Em / 18, 1.0);
  EXPECT_EQ(Gap(7), 0);
  // Typing a letter into the name splits it: "sxin" spells none.
  Line()->SetActive(true);
  Line()->SetEquationIndex(2);
  Line()->AddEqSimple(U'x');
  EXPECT_NEAR(Line()->Item(1)->Width(), Data->Advance(Italic(U's'), Em), 1.0);
  EXPECT_EQ(Gap(2), 0);
}

TEST_F(MathLayoutTest, ThePalettesRelationsAndBinariesAreSpacedAsSuch) {
  const double Em = this->Em();
  for (auto [Code, Mu] : {std::pair{0x227A, 5}, {0x21D1, 5}, {0x2234, 5}, {0x2284, 5}, {0x22A2, 5}, {0x27F6, 5},
                          {0x2216, 4}, {0x2299, 4}}) {
    Read(QStringLiteral("EditArea(Simple(a)ExtSymbol(%1)Simple(b))").arg(Code));
    const auto* Left = Line()->Item(0);
    const auto* Sign = Line()->Item(1);
    EXPECT_NEAR(Sign->Left() - Left->Left() - Left->Width(), Mu * Em / 18, 1.0) << Code;
  }
}

TEST_F(MathLayoutTest, IffAndImpliesArePaddedAsAmsmathPadsThem) {
  // A relation's 5 mu, and \; on either side; ⟶ is a plain relation.
  const double Em = this->Em();
  for (const auto& [Text, Mu] : {std::pair{"Simple(a)Simple(#10234)Simple(b)", 10}, {"Simple(a)ExtSymbol(10233)Simple(b)", 10},
                                 {"Simple(a)ExtSymbol(10230)Simple(b)", 5}}) {
    Read(QStringLiteral("EditArea(%1)").arg(QLatin1String(Text)));
    SCOPED_TRACE(Text);
    for (int I : {0, 1}) {
      const auto* Left = Line()->Item(I);
      EXPECT_NEAR(Line()->Item(I + 1)->Left() - Left->Left() - Left->Width(), Mu * Em / 18, 1.0) << I;
    }
  }
}

TEST_F(MathLayoutTest, CaretAndEditingWorkAsInClassic) {
  EditorFixture Classic;
  const QString Text = "EditArea(Simple(a)Division(EditArea(Simple(1))EditArea(Simple(n)))Simple(b))";
  for (TZelkEquation* E : {Classic.Editor.get(), F.Editor.get()}) {
    E->SetData(Text);
    TEditArea* Area = E->Line(0);
    Area->SetActive(true);
    Area->SetEquationIndex(3);
    E->KeyDown(vkLeft, {});
    E->ActiveEditArea()->AddEqSimple(U'c');
  }
  EXPECT_EQ(F.Editor->GetData(), Classic.Editor->GetData());
  // Beside the fraction the caret is as high as the fraction; it stands between the two,
  // over their common edge where TeX leaves no room.
  TEditArea* Area = Line();
  auto* Fraction = Area->Item(1);
  Area->SetEquationIndex(2);
  const QRect Caret = Area->Caret()->BoundsRect();
  EXPECT_LE(Caret.top(), Fraction->Top());
  EXPECT_GE(Caret.bottom(), Fraction->Top() + Fraction->Height() - 1);
  EXPECT_GE(Caret.left(), Fraction->Left() + Fraction->Width() - TEACursor::CaretWidth / 2);
  EXPECT_LE(Caret.right(), Area->Item(2)->Left() + TEACursor::CaretWidth / 2);
  // Every slot lies inside its template, every caret inside its area.
  ForEachChild(Area, [](TCustomControl* Parent, TCustomControl* Child) {
    if (!Child->Visible()) return;
    EXPECT_TRUE(QRect(QPoint(0, 0), Parent->BoundsRect().size()).contains(Child->BoundsRect()))
        << Child->BoundsRect().x() << "," << Child->BoundsRect().y();
  });
}

TEST_F(MathLayoutTest, EditingLaysOutAsReadingTheResult) {
  // A superscript rises with its base as the base grows; a line keeps one baseline.
  Read("EditArea(BracketsRound(EditArea(Simple(a)))IndexTop(EditArea(Simple(2)))Simple(+)"
       "Division(EditArea(Simple(1))EditArea(Simple(b))))");
  auto* Brackets = ElementAt<TEqBrackets>(Line(), 0);
  Brackets->Slot(0)->SetActive(true);
  Brackets->Slot(0)->SetEquationIndex(1);
  Brackets->Slot(0)->AddEqDivision();
  F.Editor->ActiveEditArea()->AddEqSimple(U'x');
  auto* Fraction = ElementAt<TEqDivision>(Line(), 3);
  Fraction->Denominator()->SetActive(true);
  Fraction->Denominator()->AddEqMatrix(kmVert, 3);
  const std::vector<QRect> Edited = Geometry(*F.Editor);
  EditorFixture Fresh;
  Fresh.Editor->SetTypesetting(TTypesettings::Math);
  Fresh.Editor->SetData(F.Editor->GetData());
  EXPECT_EQ(Geometry(*Fresh.Editor), Edited);
}

TEST_F(MathLayoutTest, EverySeedOfTheFuzzCorpusLaysOutAndPaints) {
  const QDir Corpus(QStringLiteral(ZELK_FUZZ_CORPUS));
  for (const QString& Name : Corpus.entryList(QDir::Files)) {
    SCOPED_TRACE(Name.toStdString());
    QFile File(Corpus.filePath(Name));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    F.Editor->PutData(QString::fromUtf8(File.readAll()));
    const QImage Image = F.Editor->RenderImage();
    EXPECT_FALSE(Image.isNull());
    const QSize Size = F.Editor->RenderSize();
    EXPECT_TRUE(Size.width() > 0 && Size.height() > 0);
  }
}

TEST_F(MathLayoutTest, EveryTemplateLaysOutInsideItsParentsAtEverySize) {
  const QString Text = Fixture("AllTemplates.txt");
  for (int Size : {12, 20, 36}) {
    SCOPED_TRACE(Size);
    QFont Font = F.Editor->font();
    Font.setPointSize(Size);
    F.Editor->setFont(Font);
    Read(Text);
    for (int J = 0; J < F.Editor->LineCount(); ++J)
      ForEachChild(F.Line(J), [](TCustomControl* Parent, TCustomControl* Child) {
        if (dynamic_cast<TEACursor*>(Child)) return;
        EXPECT_GE(Child->Left(), 0);
        EXPECT_GE(Child->Top(), 0);
        EXPECT_LE(Child->Left() + Child->Width(), Parent->Width());
        EXPECT_LE(Child->Top() + Child->Height(), Parent->Height());
      });
  }
}

TEST_F(MathLayoutTest, AccentsSitOnTheAccentBaseHeightAndWideOnesCoverTheirContent) {
  Read("EditArea(AccentDot(EditArea(Simple(b)))Simple(+)AccentDot(EditArea(Simple(x)))Simple(+)"
       "AccentArrowRight(EditArea(Simple(a)Simple(b)Simple(c)))Simple(+)AccentPrime(EditArea(Simple(f)))Simple(=)Simple(0))");
  const double Accent = Px(HB_OT_MATH_CONSTANT_ACCENT_BASE_HEIGHT);
  const double DotBottom = -Data->Ink(U'\u0307', Em()).bottom();
  // The mark's ink over the slot, the content's ink in it, in the accent's picture.
  auto Parts = [&](int Index, QImage& Image, QRect& Slot) {
    auto* Element = ElementAt<TEqAccent>(Line(), Index);
    Image = Ink(Element);
    Slot = Element->Slot(0)->BoundsRect();
    return std::make_pair(InkBox(Image, QRect(0, 0, Image.width(), Slot.top())), InkBox(Image, Slot));
  };
  QImage Image;
  QRect Slot;
  {
    // Over a letter taller than the accent base height the gap is the font's own.
    SCOPED_TRACE("dot over b");
    const auto [Mark, Content] = Parts(0, Image, Slot);
    ASSERT_TRUE(Mark && Content);
    EXPECT_NEAR(Content->top() - Mark->bottom() - 1, DotBottom - Accent, 1.5);
    EXPECT_GE(Content->top() - Mark->bottom() - 1, 1);
  }
  {
    // Over a lower one the mark sits as over one of the accent base height, centred on the
    // letter's accent attachment, right of its middle for an italic x.
    SCOPED_TRACE("dot over x");
    const auto [Mark, Content] = Parts(2, Image, Slot);
    ASSERT_TRUE(Mark && Content);
    EXPECT_NEAR(Content->top() - Mark->bottom() - 1, DotBottom + Data->Ink(U'\U0001D465', Em()).top(), 1.5);
    EXPECT_GT(Mark->center().x(), Content->center().x());
  }
  {
    SCOPED_TRACE("arrow over abc");
    const auto [Mark, Content] = Parts(4, Image, Slot);
    ASSERT_TRUE(Mark && Content);
    EXPECT_LE(Mark->left(), Content->left() + 2);
    EXPECT_GE(Mark->right(), Content->right() - 2);
    EXPECT_GE(Content->top() - Mark->bottom() - 1, 1);
  }
  {
    // A prime stands right of its letter, at least a superscript's shift above the baseline.
    SCOPED_TRACE("prime");
    auto* Prime = ElementAt<TEqAccent>(Line(), 6);
    Image = Ink(Prime);
    Slot = Prime->Slot(0)->BoundsRect();
    const auto Letter = InkBox(Image, QRect(0, 0, RunSpan(Prime->Slot(0)).Right + Slot.left(), Image.height()));
    const auto Mark = InkBox(Image, QRect(Letter ? Letter->right() + 1 : 0, 0, Image.width(), Image.height()));
    ASSERT_TRUE(Letter && Mark);
    const int Baseline = Prime->Slot(0)->Top() + Prime->Slot(0)->MathBaseline();
    EXPECT_GE(Baseline - Mark->bottom() - 1, std::floor(Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP)) - 1);
    EXPECT_LE(Mark->top(), Letter->top());
  }
  // Every accent stands on the line's baseline.
  for (int I : {0, 2, 4, 6})
    EXPECT_EQ(HostBaseline(ElementAt<TEqAccent>(Line(), I)->Slot(0)), HostBaseline(Line()));
}

TEST_F(MathLayoutTest, BracesStretchOverTheirBodyAndTakeTheirLabelAsAScript) {
  Read("EditArea(HorizBraceaeTop(EditArea(Simple(a)Simple(+)Simple(b)Simple(+)Simple(c))EditArea(Simple(n)))"
       "Simple(=)HorizBraceaeBottom(EditArea(Simple(x)Simple(+)Simple(y))EditArea(Simple(m))))");
  for (int Index : {0, 2}) {
    SCOPED_TRACE(Index);
    auto* Brace = ElementAt<TEqBrace>(Line(), Index);
    const bool Over = Brace->AlignEA() == aeTop;
    EXPECT_EQ(Brace->Label()->MathLevel(), mlScript);
    EXPECT_EQ(HostBaseline(Brace->Body()), HostBaseline(Line()));
    const QImage Image = Ink(Brace);
    const QRect Body = Brace->Body()->BoundsRect();
    const QRect Label = Brace->Label()->BoundsRect();
    const int BandTop = Over ? Label.bottom() + 1 : Body.bottom() + 1;
    const int BandBottom = Over ? Body.top() - 1 : Label.top() - 1;
    const auto Mark = InkBox(Image, QRect(0, BandTop, Image.width(), BandBottom - BandTop + 1));
    const auto Content = InkBox(Image, Body);
    const auto Script = InkBox(Image, Label);
    ASSERT_TRUE(Mark && Content && Script);
    EXPECT_LE(Mark->left(), Content->left() + 2);
    EXPECT_GE(Mark->right(), Content->right() - 2);
    const int ToBody = Over ? Content->top() - Mark->bottom() - 1 : Mark->top() - Content->bottom() - 1;
    const int ToLabel = Over ? Mark->top() - Script->bottom() - 1 : Script->top() - Mark->bottom() - 1;
    EXPECT_GE(ToBody, std::floor(Px(Over ? HB_OT_MATH_CONSTANT_STRETCH_STACK_GAP_BELOW_MIN
                                         : HB_OT_MATH_CONSTANT_STRETCH_STACK_GAP_ABOVE_MIN)) - 1);
    EXPECT_GE(ToLabel, std::floor(Px(Over ? HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN
                                          : HB_OT_MATH_CONSTANT_LOWER_LIMIT_GAP_MIN)) - 1);
  }
}

TEST_F(MathLayoutTest, TheLongDivisionBracketCoversTheDividendUnderTheFontsBar) {
  Read("EditArea(LongDivisionQuotient(EditArea(Simple(1)Simple(4)Simple(4))EditArea(Simple(1)Simple(2))"
       "EditArea(Simple(1)Simple(2))))");
  auto* Division = ElementAt<TEqLongDivision>(Line(), 0);
  EXPECT_EQ(HostBaseline(Division->Dividend()), HostBaseline(Line()));
  EXPECT_EQ(HostBaseline(Division->Divisor()), HostBaseline(Line()));
  const QImage Image = Ink(Division);
  const QRect Dividend = Division->Dividend()->BoundsRect();
  const QRect Divisor = Division->Divisor()->BoundsRect();
  const QRect Quotient = Division->Quotient()->BoundsRect();
  const auto Content = InkBox(Image, Dividend);
  const auto Above = InkBox(Image, Quotient);
  const auto Bracket = InkBox(Image, QRect(Divisor.right() + 1, 0, Dividend.left() - Divisor.right() - 1, Image.height()));
  ASSERT_TRUE(Content && Above && Bracket);
  // The bar: the rows inked right across the dividend between quotient and dividend.
  int BarTop = -1, BarBottom = -1;
  for (int Y = Quotient.bottom() + 1; Y < Dividend.top(); ++Y)
    if (RowInked(Image, Y, Content->left(), Content->right() + 1)) {
      if (BarTop < 0) BarTop = Y;
      BarBottom = Y;
    }
  ASSERT_GE(BarTop, 0);
  EXPECT_NEAR(BarBottom - BarTop + 1, Px(HB_OT_MATH_CONSTANT_OVERBAR_RULE_THICKNESS), 1.0);
  EXPECT_NEAR(Content->top() - BarBottom - 1, Px(HB_OT_MATH_CONSTANT_OVERBAR_VERTICAL_GAP), 1.5);
  EXPECT_GE(BarTop - Above->bottom() - 1, std::floor(Px(HB_OT_MATH_CONSTANT_OVERBAR_VERTICAL_GAP)) - 1);
  // The bracket reaches the bar and covers the dividend's ink.
  EXPECT_LE(Bracket->top(), BarBottom);
  EXPECT_GE(Bracket->bottom(), Content->bottom());
}

TEST_F(MathLayoutTest, TheSlantedFractionRaisesOnePartLowersTheOtherAndOneSlashCoversBoth) {
  for (const char* Text : {"EditArea(Simple(x)Simple(=)DivisionSlash(EditArea(Simple(1))EditArea(Simple(2))))",
                           "EditArea(Simple(x)Simple(=)DivisionSlash(EditArea(Division(EditArea(Simple(a))"
                           "EditArea(Simple(b))))EditArea(Simple(n)IndexBottom(EditArea(Simple(k))))))"}) {
    SCOPED_TRACE(Text);
    Read(QString::fromLatin1(Text));
    auto* Fraction = ElementAt<TEqSlashDivision>(Line(), 2);
    const int Base = HostBaseline(Line());
    EXPECT_GE(Base - HostBaseline(Fraction->Numerator()), std::floor(Px(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP)));
    EXPECT_GE(HostBaseline(Fraction->Denominator()) - Base, std::floor(Px(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN)));
    EXPECT_EQ(Fraction->Numerator()->MathLevel(), mlScript);
    const QImage Image = Ink(Fraction);
    const QRect Top = Fraction->Numerator()->BoundsRect();
    const QRect Bottom = Fraction->Denominator()->BoundsRect();
    const auto Up = InkBox(Image, Top);
    const auto Down = InkBox(Image, Bottom);
    const auto Slash = InkBox(Image, QRect(Top.right() + 1, 0, Bottom.left() - Top.right() - 1, Image.height()));
    ASSERT_TRUE(Up && Down && Slash);
    EXPECT_LE(Slash->top(), Up->top() + 1);
    EXPECT_GE(Slash->bottom(), Down->bottom() - 1);
  }
}

TEST_F(MathLayoutTest, TypingIntoMarkedSlotsLaysOutAsReadingTheResult) {
  // Each mark follows its content as it grows: the accent, the brace's body and label, the
  // dividend, the slanted fraction's parts.
  Read("EditArea(AccentHat(EditArea(Simple(x)))AccentPrime(EditArea(Simple(f)))"
       "HorizBraceaeTop(EditArea(Simple(a))EditArea(Simple(n)))"
       "LongDivisionQuotient(EditArea(Simple(1))EditArea(Simple(7))EditArea(Simple(2)))"
       "DivisionSlash(EditArea(Simple(1))EditArea(Simple(2))))");
  for (const auto& [Index, SlotIndex] : std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 0}, {4, 1}}) {
    auto* Template = dynamic_cast<TEqParent*>(Line()->Item(Index));
    ASSERT_NE(Template, nullptr);
    TEditArea* Slot = Template->Slot(SlotIndex);
    Slot->SetActive(true);
    Slot->SetEquationIndex(Slot->Count());
    Slot->AddEqSimple(U'w');
    F.Editor->ActiveEditArea()->AddEqDivision();
    F.Editor->ActiveEditArea()->AddEqSimple(U'k');
  }
  // Nodes made by typing are children in another order than those made by reading.
  auto Sorted = [](TZelkEquation& Editor) {
    std::vector<QRect> Rects = Geometry(Editor);
    std::sort(Rects.begin(), Rects.end(), [](const QRect& A, const QRect& B) {
      return std::make_tuple(A.y(), A.x(), A.height(), A.width()) < std::make_tuple(B.y(), B.x(), B.height(), B.width());
    });
    return Rects;
  };
  EditorFixture Fresh;
  Fresh.Editor->SetTypesetting(TTypesettings::Math);
  Fresh.Editor->SetData(F.Editor->GetData());
  EXPECT_EQ(Sorted(*Fresh.Editor), Sorted(*F.Editor));
}

TEST_F(MathLayoutTest, ATextFractionAndABinomialsBracketsAreSetAsTexSetsThem) {
  Read("EditArea(DivisionSmall(EditArea(Simple(1))EditArea(Simple(2)))Simple(x)"
       "Binomial(EditArea(Simple(n))EditArea(Simple(k)))BinomialSmall(EditArea(Simple(n))EditArea(Simple(k))))");
  // \tfrac in a display line keeps text style's shifts, not display style's.
  auto* Small = ElementAt<TEqDivision>(Line(), 0);
  const double Up = HostBaseline(Line()) - HostBaseline(Small->Numerator());
  EXPECT_LT(Up, Px(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP) - 1);
  EXPECT_GE(Up, std::floor(Px(HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_SHIFT_UP)));
  // A binomial's brackets are at least TeX's \delim1 (2.39 em) in display and \delim2
  // (1.01 em) in text, whatever small parts they hold.
  for (const auto& [Index, Least] : {std::pair{2, 2.39}, std::pair{3, 1.01}}) {
    SCOPED_TRACE(Index);
    auto* Binomial = ElementAt<TEqBinomial>(Line(), Index);
    const QImage Image = Ink(Binomial);
    const auto Bracket = InkRows(Image, 0, Binomial->Numerator()->Left());
    ASSERT_TRUE(Bracket);
    EXPECT_GE(Bracket->second - Bracket->first + 2, Least * Em());
  }
  EXPECT_GT(ElementAt<TEqBinomial>(Line(), 2)->Height(), ElementAt<TEqBinomial>(Line(), 3)->Height());
}

TEST_F(MathLayoutTest, AnArrowOverASlotIsTheFontsCombiningArrowAsUnicodeMathSetsIt) {
  // \overrightarrow{AB}: the head of U+20D7, smaller than the arrow U+2192's.
  Read("EditArea(VectorkaRightaeBottom(EditArea(Simple(A)Simple(B))))");
  auto* Vector = ElementAt<TEqVector>(Line(), 0);
  const QImage Image = Ink(Vector);
  const int SlotTop = Vector->Slot(0)->Top();
  const auto Arrow = InkRows(Image, 0, Image.width(), 0, SlotTop);
  ASSERT_TRUE(Arrow);
  const double Combining = Data->Ink(U'\u20D7', Em()).height();
  ASSERT_LT(Combining + 1, Data->Ink(U'\u2192', Em()).height());
  EXPECT_LE(Arrow->second - Arrow->first + 1, std::ceil(Combining) + 1);
  // Set as an accent: its baseline raised by what of AB stands above the accent base height.
  const TEditArea* Slot = Vector->Slot(0);
  const double Raise = Slot->MathBaseline() - Px(HB_OT_MATH_CONSTANT_ACCENT_BASE_HEIGHT);
  EXPECT_NEAR(Arrow->second + 1, SlotTop + Slot->MathBaseline() - Raise + Data->Ink(U'\u20D7', Em()).bottom(), 1.5);
}

TEST_F(MathLayoutTest, ALabelledArrowIsItsLabelWithAmsmathsFourteenMuAndGrowsWithoutJumps) {
  QFont Large = F.Editor->font();
  Large.setPointSize(36);
  F.Editor->setFont(Large);
  Read("EditArea(ArrowkaRightaeTop(EditArea(Simple(f)Simple(f)))ArrowkaRightaeTop(EditArea(Simple(f)Simple(f)Simple(f))))");
  const double Bearings = Data->Advance(U'\u2192', Em()) - Data->Ink(U'\u2192', Em()).width();
  // \xrightarrow{ff}, \xrightarrow{fff}: 5 and 9 mu of the label's style beside the label;
  // the ink between the bearings of the arrow's ends, though no variant is that long.
  for (int I : {0, 1}) {
    auto* Arrow = ElementAt<TEqArrow>(Line(), I);
    const TEditArea* Label = Arrow->Slot(0);
    EXPECT_NEAR(Arrow->Width(), Label->Width() + 14 * EmOf(Label) / 18, 1.0) << I;
    const QImage Image = Ink(Arrow);
    const auto Shaft = InkBox(Image, QRect(0, Label->Top() + Label->Height(), Image.width(), Image.height()));
    ASSERT_TRUE(Shaft);
    EXPECT_NEAR(Shaft->width(), Arrow->Width() - Bearings, 2.0) << I;
  }
}

TEST_F(MathLayoutTest, AContinuedFractionIsInDisplayStyleWithItsPartsInTextStyleAndItsNumeratorAtItsSide) {
  // \cfrac[l]{1}{1+\frac{1}{x}} beside \frac{1}{1+x}: amsmath's \genfrac in display style,
  // wherever it stands, so its parts are in text style and a \frac there is small.
  Read("EditArea(DivisionContinuedLeft(EditArea(Simple(1))EditArea(Simple(1)Simple(+)"
       "Division(EditArea(Simple(1))EditArea(Simple(x)))))"
       "Division(EditArea(Simple(1))EditArea(Simple(1)Simple(+)Simple(x))))");
  auto* Continued = ElementAt<TEqDivision>(Line(), 0);
  auto* Plain = ElementAt<TEqDivision>(Line(), 1);
  EXPECT_EQ(Continued->Numerator()->MathLevel(), mlText);
  EXPECT_EQ(Continued->Denominator()->MathLevel(), mlText);
  EXPECT_EQ(Plain->Numerator()->MathLevel(), mlText);
  auto* Inner = ElementAt<TEqDivision>(Continued->Denominator(), 2);
  EXPECT_EQ(Inner->Numerator()->MathLevel(), mlScript);
  // [l]: the numerator at the left, beside the bar's end.
  EXPECT_LT(Continued->Numerator()->Left(), (Continued->Width() - Continued->Numerator()->Width()) / 2 - 2);
  // amsmath's \kern-\nulldelimiterspace: the null delimiter on the left alone.
  EXPECT_EQ(Continued->Width(), Continued->Denominator()->Width() + std::lround(1.2 * 96 / 72.27));
  // A continued fraction in a continued fraction is in display style again.
  Read("EditArea(DivisionContinued(EditArea(Simple(1))EditArea(DivisionContinued(EditArea(Simple(1))EditArea(Simple(x))))))");
  auto* Nested = ElementAt<TEqDivision>(ElementAt<TEqDivision>(Line(), 0)->Denominator(), 0);
  EXPECT_EQ(Nested->Numerator()->MathLevel(), mlText);
}

TEST_F(MathLayoutTest, NullDelimitersStandBesideAFractionAndABinomialsBracketsInTheirPlace) {
  Read("EditArea(Division(EditArea(Simple(n)Simple(+)Simple(1))EditArea(Simple(k)))"
       "Binomial(EditArea(Simple(n)Simple(+)Simple(1))EditArea(Simple(k))))");
  // \nulldelimiterspace either side of a bare fraction: 1.2 pt.
  auto* Fraction = ElementAt<TEqDivision>(Line(), 0);
  EXPECT_EQ(Fraction->Width() - Fraction->Numerator()->Width(), 2 * std::lround(1.2 * 96 / 72.27));
  // \binom's brackets take their place: the stack is its wider part, the brackets right
  // beside it (of \delim1's 2.39 em here).
  auto* Binomial = ElementAt<TEqBinomial>(Line(), 1);
  const int Bracket = std::ceil(Data->VariantAdvance(U'(', 2.39 * Em(), Em()));
  EXPECT_EQ(Binomial->Numerator()->Left(), Bracket);
  EXPECT_EQ(Binomial->Width(), 2 * Bracket + Binomial->Numerator()->Width());
}

TEST_F(MathLayoutTest, AMiddleBarTakesNoSpaceOfItsOwnAsTexSpacesMiddle) {
  // \middle closes the part before it and opens the next: the bar's advance alone between
  // the parts (a space around it is the formula's own, as in \;\middle|\;).
  Read("EditArea(FenceFigureOpenModuleFigureClose(EditArea(Simple(x))EditArea(Simple(y))))");
  auto* Fence = ElementAt<TEqFence>(Line(), 0);
  ASSERT_EQ(Fence->EditAreaCount(), 2);
  const int Between = Fence->Slot(1)->Left() - Fence->Slot(0)->Left() - Fence->Slot(0)->Width();
  EXPECT_EQ(Between, std::ceil(Data->VariantAdvance(U'|', 0, Em())));
}

TEST_F(MathLayoutTest, AGlyphsInkReachesPastItsNodeAsTheFontDrawsIt) {
  // The italic f's tail runs left under the letter before it, below the baseline where
  // that letter has no ink.
  Read("EditArea(Simple(a)Simple(f))");
  auto* Letter = ElementAt<TEqSimple>(Line(), 1);
  const QRectF Tail = Data->Ink(U'\U0001D453', Em());
  ASSERT_LT(Tail.left(), -2);
  const QImage Image = F.Editor->RenderImage();
  const int Left = Letter->HostPosition().x();
  const int Baseline = HostBaseline(Line());
  EXPECT_TRUE(AnyInked(Image, QRect(Left + Tail.left() + 1, Baseline + 2, -Tail.left() - 1, Tail.bottom() - 2)));
}

TEST_F(MathLayoutTest, ALettersItalicCorrectionStandsOnlyBeforeACharacterAndASuperscript) {
  // f=f, f\,x: the correction before the relation, none at the run's end or before a space.
  Read("EditArea(Simple(f)Simple(=)Simple(f)ExtSymbol(8198)Simple(x))");
  const double Italic = Data->Italic(U'\U0001D453', Em());
  ASSERT_GT(Italic, 2);
  auto Gap = [&](int I) { return Line()->Item(I)->Left() - Line()->Item(I - 1)->Left() - Line()->Item(I - 1)->Width(); };
  for (int I : {0, 2}) EXPECT_NEAR(Line()->Item(I)->Width(), Data->Advance(U'\U0001D453', Em()), 1.0) << I;
  EXPECT_NEAR(Gap(1), 5 * Em() / 18 + Italic, 1.0);
  EXPECT_EQ(Gap(3), 0);
  // f_n^2: the subscript at the f's advance, the superscript beyond its correction.
  Read("EditArea(Simple(f)IndexTopBottom(EditArea(Simple(n))EditArea(Simple(2))))");
  auto* Scripts = ElementAt<TEqIndex>(Line(), 1);
  ASSERT_TRUE(Scripts && Scripts->IndexTopArea() && Scripts->IndexBottomArea());
  EXPECT_EQ(Scripts->Left(), Line()->Item(0)->Left() + Line()->Item(0)->Width());
  EXPECT_EQ(Scripts->IndexBottomArea()->Left(), 0);
  EXPECT_EQ(Scripts->IndexTopArea()->Left(), std::lround(Italic));
}

TEST_F(MathLayoutTest, TheLinesOfALimitStandBoxOnBoxTheFontsStackGapApart) {
  // \sum_{\substack{0<i<m\\0<j<n}}: subarray's lines, no strut, \lineskip (three rule
  // thicknesses: the stack gap) between them.
  Read("EditArea(SumLimitBottom(EditArea(Simple(P))EditArea(MatrixkmVert(EditArea(Simple(0)Simple(<)Simple(i)Simple(<)"
       "Simple(m))EditArea(Simple(0)Simple(<)Simple(j)Simple(<)Simple(n))))))");
  auto* Sum = dynamic_cast<TEqParent*>(Line()->Item(0));
  ASSERT_TRUE(Sum);
  TEqMatrix* Lines = nullptr;
  for (int I = 0; I < Sum->EditAreaCount() && !Lines; ++I)
    if (Sum->Slot(I)->Count() == 1) Lines = dynamic_cast<TEqMatrix*>(Sum->Slot(I)->Item(0));
  ASSERT_TRUE(Lines);
  EXPECT_GE(Lines->MathLevel(), mlScript);
  const TEditArea* First = Lines->Slot(0);
  const TEditArea* Second = Lines->Slot(1);
  EXPECT_EQ(Second->Top() - First->Top() - First->Height(),
            std::lround(Data->Px(HB_OT_MATH_CONSTANT_STACK_GAP_MIN, EmOf(Lines))));
  // A matrix in the line keeps its rows' struts.
  Read("EditArea(MatrixkmVert(EditArea(Simple(a))EditArea(Simple(b))))");
  auto* Matrix = ElementAt<TEqMatrix>(Line(), 0);
  auto Baseline = [](const TEditArea* Cell) { return Cell->Top() + Cell->MathBaseline(); };
  EXPECT_NEAR(Baseline(Matrix->Slot(1)) - Baseline(Matrix->Slot(0)), 1.2 * Em(), 1.0);
}

TEST_F(MathLayoutTest, AWideHatIsTheWidestVariantNoWiderThanItsBase) {
  // \widehat{xyz}: TeX takes the hat's variants while they fit over the base, never one
  // wider than it.
  QFont Large = F.Editor->font();
  Large.setPointSize(36);
  F.Editor->setFont(Large);
  Read("EditArea(AccentHat(EditArea(Simple(x)Simple(y)Simple(z))))");
  auto* Accent = ElementAt<TEqAccent>(Line(), 0);
  const QImage Image = Ink(Accent);
  const QRect Slot = Accent->Slot(0)->BoundsRect();
  const auto Mark = InkBox(Image, QRect(0, 0, Image.width(), Slot.top()));
  ASSERT_TRUE(Mark);
  EXPECT_LE(Mark->width(), Slot.width() + 1) << Mark->width() << " over " << Slot.width();
  // Still a wide one: more than half the base.
  EXPECT_GT(Mark->width(), Slot.width() / 2);
}

TEST_F(MathLayoutTest, ATwoWordNameHasAThinSpaceBetweenItsWords) {
  // \limsup is lim\,sup; \sup alone keeps its letters together.
  Read("EditArea(Simple(l)Simple(i)Simple(m)Simple(s)Simple(u)Simple(p)Simple(a))");
  auto Gap = [&](int I) { return Line()->Item(I)->Left() - Line()->Item(I - 1)->Left() - Line()->Item(I - 1)->Width(); };
  EXPECT_EQ(Gap(1), 0);
  EXPECT_EQ(Gap(2), 0);
  EXPECT_NEAR(Gap(3), 3 * Em() / 18, 1.0);
  EXPECT_EQ(Gap(4), 0);
  EXPECT_NEAR(Gap(6), 3 * Em() / 18, 1.0);
  for (int I = 0; I < 6; ++I) EXPECT_EQ(ElementAt<TEqSimple>(Line(), I)->MathName(), I == 0 || I == 3 ? mnFirst : mnRest) << I;
}
