#include <gtest/gtest.h>

#include <QTest>
#include <QUndoStack>
#include <map>

#include "PaletteSupport.h"
#include "model/Matrix.h"
#include "editor/Editing.h"

namespace {
// Where the caret goes after a click: the line itself, or a slot of the new element.
// cUnchanged: the click changes nothing and the caret stays at the start of the line.
enum TCaret { cLine, cFirstSlot, cLowerLimit, cLowerIndex, cUpperIndex, cCell, cUnchanged };

struct TExpected {
  QString Element;  // the element's text form
  TCaret Caret;
  int Cell = 0;  // for cCell
};

QString Template(const QString& Keyword, int Slots) {
  QString Text = Keyword + u'(';
  for (int I = 0; I < Slots; ++I) Text += QStringLiteral("EditArea()");
  return Text + u')';
}

std::map<std::pair<int, int>, TExpected> ExpectedTable() {
  std::map<std::pair<int, int>, TExpected> T;
  const std::map<int, std::vector<std::pair<int, int>>> Symbols = {
      {1, {{0, 8804}, {1, 8805}, {2, 8826}, {3, 8827}, {4, 8882}, {5, 8883}, {6, 8800}, {7, 8801},
           {8, 8776}, {9, 8773}, {10, 8733}}},
      {2, {{1, 8203}, {2, 160}, {3, 8198}, {4, 8196}, {5, 8195}, {6, 8230}, {7, 8943}, {8, 8942},
           {9, 8944}, {10, 8945}}},
      {4, {{0, 177}, {1, 8723}, {2, 215}, {3, 247}, {4, 42}, {5, 8729}, {6, 9675}, {7, 9679},
           {8, 8855}, {9, 8853}, {10, 8249}, {11, 8250}}},
      {5, {{0, 8594}, {1, 8592}, {2, 8596}, {3, 8593}, {4, 8595}, {5, 8597}, {6, 8658}, {7, 8656},
           {8, 8660}, {9, 8657}, {10, 8659}, {11, 8661}, {12, 8614}, {13, 8629}}},
      {6, {{0, 8756}, {1, 8757}, {2, 8715}, {3, 8707}, {4, 8704}, {5, 9488}, {6, 8743}, {7, 8744}}},
      {7, {{0, 8712}, {1, 8713}, {2, 8746}, {3, 8745}, {4, 8746}, {5, 8745}, {6, 8834}, {7, 8835},
           {8, 8838}, {9, 8839}, {10, 8836}, {11, 8709}}},
      {8, {{0, 8706}, {1, 8711}, {2, 8734}, {3, 8465}, {4, 8476}, {5, 8501}, {6, 8736}, {7, 9524},
           {8, 9674}, {9, 8467}, {10, 8472}, {11, 176}, {12, 295}, {13, 411}, {14, 8747},
           {15, 8721}, {16, 8719}, {17, 8720}}},
  };
  for (const auto& [G, Pairs] : Symbols)
    for (const auto& [B, Code] : Pairs) T[{G, B}] = {QStringLiteral("ExtSymbol(%1)").arg(Code), cLine};
  const int Lower[] = {945, 946, 967, 948, 949, 966, 966, 947, 951, 953, 954, 955, 956, 957,
                       959, 960, 969, 952, 952, 961, 963, 962, 964, 965, 969, 958, 968, 950};
  for (int B = 0; B < 28; ++B) T[{9, B}] = {QStringLiteral("ExtSymbol(%1)").arg(Lower[B]), cLine};
  const int Upper[] = {913, 914, 935, 916, 917, 934, 915, 919, 921, 922, 923, 924,
                       925, 927, 928, 920, 929, 931, 932, 933, 937, 926, 936, 918};
  for (int B = 0; B < 24; ++B) T[{10, B}] = {QStringLiteral("ExtSymbol(%1)").arg(Upper[B]), cLine};

  const char* Brackets[] = {"Round", "Square", "Figure", "Corner", "Module", "DModule"};
  for (int B = 0; B < 6; ++B) T[{11, B}] = {Template(QStringLiteral("Brackets") + Brackets[B], 1), cFirstSlot};
  T[{12, 0}] = {Template("Division", 2), cFirstSlot};
  // Fractions, radicals, long division, the binomial, the continued fraction and text: the
  // caret in the numerator, the radicand, the dividend, the upper part, the text (each the
  // first slot).
  const std::pair<const char*, int> Group12[] = {
      {"Division", 2}, {"DivisionSmall", 2}, {"Division", 2},     {"DivisionSmall", 2},
      {"DivisionSlash", 2}, {"Root", 1}, {"RootDegree", 2}, {"LongDivision", 2}, {"LongDivisionQuotient", 3},
      {"Binomial", 2}, {"DivisionContinued", 2}, {"Text", 1}};
  for (int B = 0; B < 12; ++B) T[{12, B}] = {Template(Group12[B].first, Group12[B].second), cFirstSlot};
  const char* Accents[] = {"Strike", "Slash", "Prime", "PrimeTwo", "PrimeThree", "Dot", "DotTwo",
                           "DotThree", "Bar", "Hat", "Tilde", "ArrowRight", "ArrowLeft", "ArrowRightLeft",
                           "HarpoonRight", "HarpoonLeft", "ArcUp", "ArcDown", "BackPrime"};
  T[{3, 0}] = {QString(), cUnchanged};  // no accent before the caret to remove
  for (int B = 1; B < 20; ++B) T[{3, B}] = {Template(QStringLiteral("Accent") + Accents[B - 1], 1), cFirstSlot};
  T[{2, 0}] = {QStringLiteral("AlignMark()"), cLine};
  T[{13, 0}] = {Template("IndexTop", 1), cUpperIndex};
  T[{13, 1}] = {Template("IndexBottom", 1), cLowerIndex};
  T[{13, 2}] = {Template("IndexTopBottom", 2), cLowerIndex};

  // Big operators: suffix, slot count and caret of the five limit variants.
  const TExpected Variants[] = {{"", cFirstSlot}, {"LimitBottom", cLowerLimit}, {"LimitBottomTop", cLowerLimit},
                                {"IndexBottom", cLowerIndex}, {"IndexBottomTop", cLowerIndex}};
  const int Slots[] = {1, 2, 3, 2, 3};
  auto Operator = [&](int G, int B, const QString& Name, int V) {
    T[{G, B}] = {Template(Name + Variants[V].Element, Slots[V]), Variants[V].Caret};
  };
  for (int B = 0; B < 5; ++B) Operator(14, B, "Sum", B);
  const char* Products[] = {"Multiply", "CoMult", "Intersection", "Join"};
  for (int B = 0; B < 20; ++B) Operator(18, B, Products[B / 5], B % 5);

  const int IntegralVariant[] = {0, 2, 4, 0, 1, 3};  // buttons 0..5; 6..20 repeat 3..5
  const char* Sizes[] = {"One", "Two", "Three"};
  for (int B = 0; B < 21; ++B) {
    const int V = B < 6 ? IntegralVariant[B] : IntegralVariant[3 + B % 3];
    const int Size = B < 3 ? 0 : (B - 3) / 3 % 3;
    const QString Suffix = QString::fromLatin1(Sizes[Size]) + (B >= 12 ? "Ring" : "");
    T[{15, B}] = {Template("Int" + Variants[V].Element + Suffix, Slots[V]), Variants[V].Caret};
  }

  const char* Vectors[] = {"aeBottom", "kaDoubleaeBottom", "aeTop", "kaDoubleaeTop",
                           "kaRightaeBottom", "kaLeftaeBottom", "kaRightkaLeftaeBottom",
                           "kaRightaeTop", "kaLeftaeTop", "kaRightkaLeftaeTop"};
  for (int B = 0; B < 10; ++B) T[{16, B}] = {Template(QStringLiteral("Vector") + Vectors[B], 1), cFirstSlot};
  const char* Arrows[] = {"kaRightaeTop", "kaLeftaeTop", "kaRightkaLeftaeTop",
                          "kaRightaeBottom", "kaLeftaeBottom", "kaRightkaLeftaeBottom"};
  for (int B = 0; B < 6; ++B) T[{17, B}] = {Template(QStringLiteral("Arrow") + Arrows[B], 1), cFirstSlot};

  // Fences, braces, left indices, stacks and operators with scripts: the caret goes to the
  // content, the base or (left indices) the script the right index would take.
  const char* Fences[] = {"BracketsFloor", "BracketsCeiling", "BracketsSquareRound", "BracketsRoundSquare",
                          "BracketsRevSquareRevSquare", "BracketsSquareRevSquare", "BracketsRevSquareSquare"};
  for (int B = 6; B <= 12; ++B) T[{11, B}] = {Template(Fences[B - 6], 1), cFirstSlot};
  T[{11, 13}] = {Template("HorizBraceaeTop", 2), cFirstSlot};
  T[{11, 14}] = {Template("HorizBraceaeBottom", 2), cFirstSlot};
  for (int B = 15; B <= 26; ++B)
    T[{11, B}] = {Template(QString::fromLatin1(B % 2 ? "BracketLeft" : "BracketRight") + Brackets[(B - 15) / 2], 1), cFirstSlot};
  T[{11, 27}] = {Template("BracketsKet", 1), cFirstSlot};
  T[{11, 28}] = {Template("BracketsBra", 1), cFirstSlot};
  T[{11, 29}] = {Template("BracketsBraKet", 2), cFirstSlot};
  T[{11, 30}] = {Template("FenceRoundOpenModuleRoundClose", 2), cFirstSlot};
  T[{13, 3}] = {Template("IndexLeftTop", 1), cUpperIndex};
  T[{13, 4}] = {Template("IndexLeftBottom", 1), cLowerIndex};
  T[{13, 5}] = {Template("IndexLeftTopBottom", 2), cLowerIndex};
  const char* Scripts[] = {"Top", "Bottom", "BottomTop"};
  for (int B = 0; B < 3; ++B) {
    T[{13, 6 + B}] = {Template(QStringLiteral("Stack") + Scripts[B], 2 + B / 2), cFirstSlot};
    T[{13, 9 + B}] = {Template(QStringLiteral("OperatorIndex") + Scripts[B], 2 + B / 2), cFirstSlot};
    T[{13, 12 + B}] = {Template(QStringLiteral("OperatorLimit") + Scripts[B], 2 + B / 2), cFirstSlot};
  }

  const char* Shapes[] = {"kmHoriz", "kmVert", "kmSquare"};
  const int Cells[] = {2, 2, 4, 3, 3, 9, 4, 4, 16};
  for (int B = 0; B < 9; ++B)
    T[{19, B}] = {Template(QStringLiteral("Matrix") + Shapes[B % 3], Cells[B]), cCell, Cells[B] - 2};
  // The size dialog's own offer: three columns, three rows, two by two.
  T[{19, 9}] = {Template("MatrixkmHoriz", 3), cCell, 0};
  T[{19, 10}] = {Template("MatrixkmVert", 3), cCell, 0};
  T[{19, 11}] = {Template("MatrixkmGridTwo", 4), cCell, 0};
  return T;
}

TEditArea* ExpectedCaretArea(TEditArea* Line, const TExpected& E) {
  TEquation* Element = Line->Count() > 0 ? Line->Item(0) : nullptr;
  auto* Op = dynamic_cast<TEqGroupOp*>(Element);
  auto* Index = dynamic_cast<TEqIndex*>(Element);
  switch (E.Caret) {
    case cLine: case cUnchanged: return Line;
    case cFirstSlot: return SlotOf(Line, 0, 0);
    case cLowerLimit: return Op ? Op->LimitBottomArea() : nullptr;
    case cLowerIndex: return Op ? Op->IndexBottomArea() : (Index ? Index->IndexBottomArea() : nullptr);
    case cUpperIndex: return Index ? Index->IndexTopArea() : nullptr;
    case cCell: return SlotOf(Line, 0, E.Cell);
  }
  return nullptr;
}
}  // namespace

TEST(PaletteCommands, EveryShownButtonInsertsItsElementAndHiddenOnesNothing) {
  PaletteFixture F;
  const auto Expected = ExpectedTable();
  int Shown = 0;
  for (int G = 1; G <= 19; ++G) {
    const TEqData& D = F.Palette->EqData()[G];
    for (int B = 0; B < D.ButtonCount; ++B) {
      SCOPED_TRACE(testing::Message() << "group " << G << " button " << B);
      F.Editor->SetData("EditArea()");
      F.Palette->setFocus();
      const auto Entry = Expected.find({G, B});
      const bool Visible = D.VisibleMask.at(B) == u'1';
      EXPECT_EQ(Entry != Expected.end(), Visible);
      if (MatrixSizeAsked(G, B)) AnswerMatrixSize(0, 0);
      F.Button(G, B)->click();
      EXPECT_EQ(F.Window.focusWidget(), F.Editor);
      if (!Visible) {
        EXPECT_EQ(F.Editor->GetData(), "EditArea()");
        continue;
      }
      ++Shown;
      ASSERT_EQ(F.Editor->GetData(), "EditArea(" + Entry->second.Element + ")");
      TEditArea* Caret = ExpectedCaretArea(F.Editor->Line(0), Entry->second);
      ASSERT_NE(Caret, nullptr);
      EXPECT_EQ(F.Editor->ActiveEditArea(), Caret);
      // After a symbol the caret stands behind it, as after a typed character.
      EXPECT_EQ(Caret->EquationIndex(), Entry->second.Caret == cLine ? 1 : 0);
    }
  }
  EXPECT_EQ(Shown, 11 + 11 + 20 + 12 + 14 + 8 + 12 + 18 + 28 + 24 + 31 + 12 + 15 + 5 + 21 + 10 + 6 + 20 + 12);
}

TEST(PaletteCommands, AClickWithTheMouseInsertsAtTheCaretOnce) {
  PaletteFixture F;
  F.Editor->SetData("EditArea(Simple(a)Simple(b))");
  F.Editor->Line(0)->SetEquationIndex(1);
  int Changes = 0;
  QObject::connect(F.Editor, &TZelkEquation::OnChange, [&] { ++Changes; });
  QTest::mouseClick(F.Button(1, 6), Qt::LeftButton);
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)ExtSymbol(8800)Simple(b))");
  EXPECT_EQ(F.Editor->Line(0)->EquationIndex(), 2);
  EXPECT_EQ(Changes, 1);
}

TEST(PaletteCommands, InsertsIntoTheActiveSlot) {
  PaletteFixture F;
  F.Button(13, 1)->click();  // subscript: the caret moves into it
  F.Button(9, 0)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(IndexBottom(EditArea(ExtSymbol(945))))");
}

TEST(PaletteCommands, WithoutAnEditorNothingHappens) {
  PaletteFixture F;
  F.Palette->SetZelkEquation(nullptr);
  F.Palette->setFocus();
  F.Button(1, 0)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea()");
  EXPECT_EQ(F.Window.focusWidget(), F.Palette);
}

TEST(PaletteCommands, ADestroyedEditorUnlinksThePalette) {
  PaletteFixture F;
  delete F.Editor;
  EXPECT_EQ(F.Palette->Equation(), nullptr);
  F.Button(15, 1)->click();  // nothing to insert into, and no crash
  EXPECT_EQ(F.Palette->property("Equation").value<TZelkEquation*>(), nullptr);
}

TEST(PaletteCommands, AnEditorWithoutALineGetsOneForTheInsertion) {
  PaletteFixture F;
  F.Editor->SetData("");
  ASSERT_EQ(F.Editor->ActiveEditArea(), nullptr);
  F.Palette->setFocus();
  F.Button(19, 5)->click();
  EXPECT_EQ(F.Editor->GetData(),
            "EditArea(MatrixkmSquare(EditArea()EditArea()EditArea()EditArea()EditArea()EditArea()"
            "EditArea()EditArea()EditArea()))");
  EXPECT_EQ(F.Window.focusWidget(), F.Editor);
}

TEST(PaletteCommands, ADisabledEditorStillReceivesTheInsertionButNotTheFocus) {
  PaletteFixture F;
  F.Editor->setEnabled(false);
  F.Palette->setFocus();
  F.Button(19, 2)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(MatrixkmSquare(EditArea()EditArea()EditArea()EditArea()))");
  EXPECT_EQ(F.Window.focusWidget(), F.Palette);
}

TEST(PaletteCommands, TheLinkIsReadAtEachClick) {
  PaletteFixture F;
  TZelkEquation Second;
  F.Palette->setProperty("Equation", QVariant::fromValue(&Second));
  F.Button(5, 0)->click();
  EXPECT_EQ(Second.GetData(), "EditArea(ExtSymbol(8594))");
  EXPECT_EQ(F.Editor->GetData(), "EditArea()");
}

TEST(PaletteCommands, TypingGoesOnBehindASymbolAndASelectionFillsTheTemplate) {
  PaletteFixture F;
  F.Editor->setFocus();
  QTest::keyClicks(F.Editor, "-b");
  F.Button(4, 0)->click();  // plus-minus
  QTest::keyClicks(F.Editor, "b");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(-)Simple(b)ExtSymbol(177)Simple(b))");
  QTest::keyClick(F.Editor, Qt::Key_Home, Qt::ShiftModifier);
  F.Button(12, 0)->click();  // fraction: the selection becomes its numerator
  EXPECT_EQ(F.Editor->GetData(),
            "EditArea(Division(EditArea(Simple(-)Simple(b)ExtSymbol(177)Simple(b))EditArea()))");
  F.Editor->UndoStack()->undo();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(-)Simple(b)ExtSymbol(177)Simple(b))");
}

TEST(PaletteCommands, AVariableMatrixTakesTheSizeAskedForAndACancelInsertsNothing) {
  PaletteFixture F;
  F.Editor->SetData("EditArea(Simple(x))");
  F.Editor->Line(0)->SetEquationIndex(1);
  const int Steps = F.Editor->UndoStack()->count();
  AnswerMatrixSize(3, 4);
  F.Button(19, 11)->click();
  QString Cells;
  for (int I = 0; I < 12; ++I) Cells += "EditArea()";
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(x)MatrixkmGridFour(" + Cells + "))");
  EXPECT_EQ(F.Editor->ActiveEditArea(), SlotOf(F.Editor->Line(0), 1, 0));
  EXPECT_EQ(F.Editor->UndoStack()->count(), Steps + 1);

  // Into the grid's first cell: a row of five.
  AnswerMatrixSize(0, 5);
  F.Button(19, 9)->click();
  TEditArea* Cell = SlotOf(F.Editor->Line(0), 1, 0);
  auto* Row = dynamic_cast<TEqMatrix*>(Cell->Item(0));
  ASSERT_NE(Row, nullptr);
  EXPECT_EQ(Row->KindMatrix(), kmHoriz);
  EXPECT_EQ(Row->EditAreaCount(), 5);
  EXPECT_EQ(F.Editor->ActiveEditArea(), Row->Slot(0));

  const QString Before = F.Editor->GetData();
  AnswerMatrixSize(7, 0, false);
  F.Button(19, 10)->click();
  EXPECT_EQ(F.Editor->GetData(), Before);
  EXPECT_EQ(F.Editor->UndoStack()->count(), Steps + 2);
}

TEST(PaletteCommands, TheQuadraticFormulaCanBeWrittenWithTheRadical) {
  PaletteFixture F;
  const auto Type = [&F](const QString& Text) {
    TEditArea* Area = F.Editor->ActiveEditArea();
    for (QChar C : Text) {
      Area->AddEqSimple(C);
      Area->SetEquationIndex(Area->EquationIndex() + 1);
    }
  };
  F.Button(12, 0)->click();
  Type("-b");
  F.Button(4, 0)->click();  // ±
  F.Button(12, 5)->click();  // the caret goes into the radicand
  Type("b");
  F.Button(13, 0)->click();
  Type("2");
  EXPECT_EQ(F.Editor->GetData().toStdString(),
            "EditArea(Division(EditArea(Simple(-)Simple(b)ExtSymbol(177)Root(EditArea(Simple(b)IndexTop(EditArea("
            "Simple(2))))))EditArea()))");
}

TEST(PaletteCommands, NoOrnamentTakesTheAccentOffTheElementBeforeTheCaretAsOneUndoStep) {
  PaletteFixture F;
  F.Editor->SetData("EditArea(Simple(a)AccentHat(EditArea(Simple(x)Division(EditArea()EditArea())))Simple(b))");
  TEditArea* Line = F.Editor->Line(0);
  Line->SetActive(true);
  Line->SetEquationIndex(2);
  int Changes = 0;
  QObject::connect(F.Editor, &TZelkEquation::OnChange, [&] { ++Changes; });
  F.Button(3, 0)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)Simple(x)Division(EditArea()EditArea())Simple(b))");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(F.Editor->ActiveEditArea(), Line);
  EXPECT_EQ(Line->EquationIndex(), 3);  // after what the accent held
  F.Editor->Editing().Undo();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)AccentHat(EditArea(Simple(x)Division(EditArea()EditArea())))Simple(b))");
  // Before anything else it does nothing.
  Line = F.Editor->Line(0);
  Line->SetActive(true);
  Line->SetEquationIndex(1);
  F.Button(3, 0)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)AccentHat(EditArea(Simple(x)Division(EditArea()EditArea())))Simple(b))");
}

TEST(PaletteCommands, NoOrnamentInsideAnAccentsSlotTakesThatAccentOff) {
  PaletteFixture F;
  F.Button(3, 6)->click();  // the caret goes into the dotted slot
  F.Button(9, 0)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(AccentDot(EditArea(ExtSymbol(945))))");
  F.Button(3, 0)->click();  // the element before the caret is no accent: its holder is
  EXPECT_EQ(F.Editor->GetData(), "EditArea(ExtSymbol(945))");
  EXPECT_EQ(F.Editor->ActiveEditArea(), F.Editor->Line(0));
  EXPECT_EQ(F.Editor->Line(0)->EquationIndex(), 1);
}

TEST(PaletteCommands, ASelectionGoesUnderTheAccentAndIntoTheRadicand) {
  PaletteFixture F;
  F.Editor->SetData("EditArea(Simple(a)Simple(b))");
  F.Editor->Editing().SelectAll();
  F.Button(3, 10)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(AccentHat(EditArea(Simple(a)Simple(b))))");
  F.Editor->SetData("EditArea(Simple(x))");
  F.Editor->Editing().SelectAll();
  F.Button(12, 6)->click();
  EXPECT_EQ(F.Editor->GetData(), "EditArea(RootDegree(EditArea(Simple(x))EditArea()))");
}
