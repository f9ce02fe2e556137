#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/Keywords.h"
#include "platform/Exceptions.h"

namespace {
const QString DemoFormula =
    "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
    "EditArea(ExtSymbol(8734))))";

QString RoundTrip(const QString& Text) {
  TZelkEquation Editor;
  Editor.SetData(Text);
  return Editor.GetData();
}
}  // namespace

TEST(DataText, NewEditorHoldsOneEmptyLine) {
  TZelkEquation Editor;
  EXPECT_EQ(Editor.GetData(), "EditArea()");
  EXPECT_EQ(RoundTrip("EditArea()"), "EditArea()");
}

TEST(DataText, DemoFormulaRoundTripsAndBuildsTheIntegral) {
  EditorFixture F;
  F.Editor->SetData(DemoFormula);
  EXPECT_EQ(F.Editor->GetData(), DemoFormula);
  auto* Integral = ElementAt<TEqIntegral>(F.Line(0), 0);
  ASSERT_NE(Integral, nullptr);
  EXPECT_EQ(Integral->EditAreaCount(), 3);
  EXPECT_EQ(Integral->LimitBottomArea(), Integral->Slot(1));
  EXPECT_EQ(Integral->LimitTopArea(), Integral->Slot(2));
  EXPECT_EQ(ElementAt<TEqExtSymbol>(Integral->LimitTopArea(), 0)->SymbolCode(), 8734);
  EXPECT_EQ(F.Line(0)->EquationIndex(), 1);
}
