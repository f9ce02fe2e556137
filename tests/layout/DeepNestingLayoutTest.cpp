// Every template nested as deep as a text may nest it, in each of its slots: a slot that
// grows with each level (to twice the height in a fraction's numerator) stays within the
// coordinates a node takes, and the formula still lays out, paints and edits.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "LayoutSupport.h"
#include "interchange/Templates.h"
#include "model/Keywords.h"
#include "model/TextForm.h"

namespace {
// Keyword nested Depth times in its slot Slot, the other slots holding a letter.
QString Nested(const QString& Keyword, int Slot, int Depth) {
  const int Slots = FindTemplate(Keyword)->SlotCount();
  QString Inner = QStringLiteral("Simple(y)");
  for (int D = 0; D < Depth; ++D) {
    QString Element = Keyword + u'(';
    for (int S = 0; S < Slots; ++S)
      Element += QStringLiteral("EditArea(%1)").arg(S == Slot ? Inner : QStringLiteral("Simple(x)"));
    Inner = Element + u')';
  }
  return QStringLiteral("EditArea(%1)").arg(Inner);
}

// Sizes in range, and every parent at least as large as its largest child wherever the
// layout keeps children inside (a wrapped sum would show as a parent smaller than a child).
void ExpectSane(TZelkEquation& Editor) {
  ForEachChild(&Editor, [](TCustomControl*, TCustomControl* Child) {
    ASSERT_GE(Child->Width(), 0);
    ASSERT_GE(Child->Height(), 0);
    ASSERT_LE(Child->Width(), MaxCoordinate);
    ASSERT_LE(Child->Height(), MaxCoordinate);
  });
  for (int J = 0; J < Editor.LineCount(); ++J)
    for (int I = 0; I < Editor.Line(J)->Count(); ++I)
      EXPECT_GE(Editor.Line(J)->Height(), Editor.Line(J)->Item(I)->Height());
}
}  // namespace

TEST(DeepNesting, EveryTemplateInEverySlotLaysOutWithinRange) {
  for (const TTypesetting Style : {TTypesettings::Classic, TTypesettings::Math}) {
    TZelkEquation Editor;
    Editor.SetTypesetting(Style);
    for (const QString& Keyword : AcceptedTemplateKeywords()) {
      const int Slots = FindTemplate(Keyword)->SlotCount();
      for (int Slot = 0; Slot < Slots; ++Slot) {
        SCOPED_TRACE((Keyword + QStringLiteral(" slot %1").arg(Slot)).toStdString());
        Editor.PutData(Nested(Keyword, Slot, MaxNestingDepth));
        ASSERT_TRUE(Editor.ReadError().isEmpty()) << Editor.ReadError().toStdString();
        ExpectSane(Editor);
      }
    }
  }
}

TEST(DeepNesting, AFractionTowerBeyondTheRangePaintsAndEdits) {
  TZelkEquation Editor;
  Editor.PutData(Nested(QStringLiteral("Division"), 0, MaxNestingDepth));
  // Its height doubles with each level: the tower reaches the largest size a node takes.
  EXPECT_EQ(Editor.Line(0)->Height(), MaxCoordinate);
  ExpectSane(Editor);
  QImage Image(200, 200, QImage::Format_ARGB32_Premultiplied);
  QPainter Painter(&Image);
  Editor.Render(Painter);
  Painter.end();
  Editor.Line(0)->SetEquationIndex(1);
  Editor.Line(0)->AddEqSimple(u'z');
  EXPECT_TRUE(Editor.GetData().endsWith("Simple(z))"));
  ExpectSane(Editor);
}
