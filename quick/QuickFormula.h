#pragma once
// TQuickFormula: what the two Qt Quick items of the ZelkEquations module share, the
// formula and its look. It is a host of TEditorCore (editor/EditorCore.h): it hands the
// core its size, focus and enabled state, paints it and turns the core's notices into
// signals. Property names are lowercase, as QML binds no other. The formula's data takes
// the name of Item's default property: child items declared inside go to children.

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

#include "../editor/EditorCore.h"

class TQuickFormula : public QQuickPaintedItem, public TEditorCore {
  Q_OBJECT
  QML_ANONYMOUS
  Q_CLASSINFO("DefaultProperty", "children")
  // The formula as Data, LaTeX and MathML. Assigning a text the reader refuses keeps the
  // formula and sets readError; see TZelkEquation's properties of the same names.
  Q_PROPERTY(QString data READ GetData WRITE PutData NOTIFY dataChanged)
  Q_PROPERTY(QString latex READ GetLaTeX WRITE PutLaTeX NOTIFY latexChanged)
  Q_PROPERTY(QString mathML READ GetMathML WRITE PutMathML NOTIFY mathMLChanged)
  Q_PROPERTY(QString plainLatex READ GetPlainLaTeX NOTIFY plainLatexChanged)
  Q_PROPERTY(QString plainMathML READ GetPlainMathML NOTIFY plainMathMLChanged)
  Q_PROPERTY(QString readError READ ReadError NOTIFY readErrorChanged)
  // Typesetting.Classic (the default) or Typesetting.Math.
  Q_PROPERTY(TTypesettings::TTypesetting typesetting READ Typesetting WRITE SetTypesetting NOTIFY typesettingChanged)
  // Times New Roman at 20 by default; the size in points is the formula's size in pixels.
  Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY fontFamilyChanged)
  Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize NOTIFY fontSizeChanged)
  // The colour of the formula's text, bars and signs, and of what lies behind it (the
  // view's is transparent by default, the editor's white).
  Q_PROPERTY(QColor color READ FontColor WRITE setColor NOTIFY colorChanged)
  Q_PROPERTY(QColor background READ BkColor WRITE setBackground NOTIFY backgroundChanged)
  // The language the formula is read aloud in (spokenFormula): 0 English, 1 Russian (the
  // default), 2 German.
  Q_PROPERTY(int language READ language WRITE setLanguage NOTIFY languageChanged)
  // The formula read aloud in that language, as assistive technology reads it.
  Q_PROPERTY(QString spokenFormula READ spokenFormula NOTIFY spokenFormulaChanged)

 public:
  explicit TQuickFormula(QQuickItem* Parent = nullptr);

  QString fontFamily() const { return Font().family(); }
  void setFontFamily(const QString& Family);
  int fontSize() const { return Font().Size(); }
  void setFontSize(int Points);
  void setColor(QColor Value);
  void setBackground(QColor Value);
  QString spokenFormula() const;
  int language() const { return Language(); }
  void setLanguage(int Value) { SetLanguage(TLanguage(Value)); }

 signals:
  void dataChanged(const QString& Data);
  void latexChanged(const QString& Latex);
  void mathMLChanged(const QString& MathML);
  void plainLatexChanged(const QString& Latex);
  void plainMathMLChanged(const QString& MathML);
  void readErrorChanged(const QString& Message);
  void typesettingChanged(TTypesettings::TTypesetting Value);
  void fontFamilyChanged(const QString& Family);
  void fontSizeChanged(int Points);
  void colorChanged(const QColor& Value);
  void backgroundChanged(const QColor& Value);
  void languageChanged(int Value);
  void spokenFormulaChanged();

 protected:
  // The implicit size the item asks for now.
  virtual QSize NaturalSize() const = 0;

  bool HostShown() const override { return isVisible() && window(); }
  QSize ViewSize() const override { return size().toSize(); }
  void UpdateView(const QRect& Rect) override { update(Rect); }
  void UpdateView() override { update(); }
  void UpdateViewSize() override;
  bool ViewEnabled() const override { return isEnabled(); }
  qreal ViewDevicePixelRatio() const override;
  void ReadErrorSet(const QString& Message) override { emit readErrorChanged(Message); }
  bool ValueListened(TValueText Kind) const override;
  void ValueAnnounced(TValueText Kind, const QString& Text) override;
  void SettingChanged(TSetting Setting) override;
  void geometryChange(const QRectF& New, const QRectF& Old) override;
};
