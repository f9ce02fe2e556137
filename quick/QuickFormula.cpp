#include "QuickFormula.h"

#include <QMetaMethod>
#include <QQuickWindow>

#include "accessibility/SpokenFormula.h"

TQuickFormula::TQuickFormula(QQuickItem* Parent) : QQuickPaintedItem(Parent) {}

void TQuickFormula::setFontFamily(const QString& Family) {
  if (Family == fontFamily()) return;
  QFont Changed = Font();
  Changed.setFamily(Family);
  SetEditorFont(Changed);
  UpdateViewSize();
  update();
  emit fontFamilyChanged(Family);
}

void TQuickFormula::setFontSize(int Points) {
  if (Points < 1 || Points == fontSize()) return;
  QFont Changed = Font();
  Changed.setPointSize(Points);
  SetEditorFont(Changed);
  UpdateViewSize();
  update();
  emit fontSizeChanged(Points);
}

void TQuickFormula::setColor(QColor Value) {
  if (!Value.isValid() || Value == FontColor()) return;
  SetFontColor(Value);
  emit colorChanged(Value);
}

void TQuickFormula::setBackground(QColor Value) {
  if (!Value.isValid() || Value == BkColor()) return;
  SetBkColor(Value);
  update();
  emit backgroundChanged(Value);
}

QString TQuickFormula::spokenFormula() const { return TSpokenFormula(*this, Language()).Text(); }

void TQuickFormula::UpdateViewSize() {
  const QSize Size = NaturalSize();
  setImplicitSize(Size.width(), Size.height());
}

qreal TQuickFormula::ViewDevicePixelRatio() const { return window() ? window()->effectiveDevicePixelRatio() : 1.0; }

bool TQuickFormula::ValueListened(TValueText Kind) const {
  static const QMetaMethod Signals[] = {
      QMetaMethod::fromSignal(&TQuickFormula::dataChanged), QMetaMethod::fromSignal(&TQuickFormula::latexChanged),
      QMetaMethod::fromSignal(&TQuickFormula::mathMLChanged),
      QMetaMethod::fromSignal(&TQuickFormula::plainLatexChanged),
      QMetaMethod::fromSignal(&TQuickFormula::plainMathMLChanged)};
  static const QMetaMethod Spoken = QMetaMethod::fromSignal(&TQuickFormula::spokenFormulaChanged);
  // The spoken formula follows the Data.
  return isSignalConnected(Signals[static_cast<int>(Kind)]) || (Kind == TValueText::Data && isSignalConnected(Spoken));
}

void TQuickFormula::ValueAnnounced(TValueText Kind, const QString& Text) {
  switch (Kind) {
    case TValueText::Data:
      emit dataChanged(Text);
      emit spokenFormulaChanged();
      break;
    case TValueText::Latex: emit latexChanged(Text); break;
    case TValueText::MathML: emit mathMLChanged(Text); break;
    case TValueText::PlainLatex: emit plainLatexChanged(Text); break;
    case TValueText::PlainMathML: emit plainMathMLChanged(Text); break;
  }
}

void TQuickFormula::SettingChanged(TSetting Setting) {
  if (Setting == TSetting::Typesetting) emit typesettingChanged(Typesetting());
  if (Setting == TSetting::Language) {
    emit languageChanged(Language());
    emit spokenFormulaChanged();
  }
}

void TQuickFormula::geometryChange(const QRectF& New, const QRectF& Old) {
  QQuickPaintedItem::geometryChange(New, Old);
  ViewResized(Old.size().toSize(), New.size().toSize());
}
