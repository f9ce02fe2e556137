#pragma once
// FormulaView: shows a formula, without caret, frames or editing. Its implicit size is the
// formula's; the formula stands at its top-left corner, drawn in vectors at the window's
// device pixel ratio.
//
//   FormulaView { latex: "\\frac{a}{b}"; fontSize: 32; color: "navy" }

#include "QuickFormula.h"

class TFormulaView : public TQuickFormula {
  Q_OBJECT
  QML_NAMED_ELEMENT(FormulaView)

 public:
  explicit TFormulaView(QQuickItem* Parent = nullptr);

  void paint(QPainter* Painter) override;

 protected:
  QSize NaturalSize() const override { return RenderSize(); }
};
