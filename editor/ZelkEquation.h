#pragma once
// TZelkEquation: the formula editor control. It holds the formula as a vertical stack of
// lines (edit areas), keeps track of the current line and of the one edit area that holds
// the caret, hands its font and background colour down to the lines, and exposes the
// whole formula as the text property Data. Every edit raises OnChange.
//
// A new editor has one empty line, current and active; Data reads "EditArea()".
//
// The editor takes the keyboard focus from a click, not from Tab. A click on a line or a
// slot, or on an element in it, moves the caret into that area (where it last stood, not
// under the pointer); keys edit at the caret (KeyDown). While the editor is disabled no
// caret and no dotted frame shows.
//
// The editor is the one widget of the formula: the lines, elements and carets are plain
// nodes it paints. What it does lives in TEditorCore (editor/EditorCore.h), of which the
// widget is the host: it hands the core its events and paints it. Render draws the same
// formula on any painter, without the editing marks if asked. An OnChange receiver may assign Data, delete lines or delete the editor later
// while a text is read or a key is handled: the interrupted read stops and the newer
// formula stands.
//
// Beside these names, the editor has the same surface in Qt's naming, as Zelk::Equation:
// the properties data, latex, mathML, typesetting, inputStyle, zoom and language with
// accessors data()/setData() ... and change signals that carry the new value. Designer
// shows, and forms store, only the capitalised properties.

#include <QColor>
#include <QString>
#include <QWidget>

#include "EditorCore.h"

class TZelkEquation : public QWidget, public TEditorCore {
  Q_OBJECT
  // The whole formula as text. Assigning a text that cannot be read, or only in part,
  // keeps what was read before the fault; ReadError says what was dropped.
  Q_PROPERTY(QString Data READ GetData WRITE PutData NOTIFY OnChange)
  Q_PROPERTY(QColor BkColor READ BkColor WRITE SetBkColor)
  // The colour of the formula's text, bars and signs.
  Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(QString Version READ Version STORED false)
  // The language in which assistive technology reads the formula aloud and names the editor
  // when the host gives it no accessible name (accessibility/AccessibleEquation.h).
  Q_PROPERTY(TLanguages::TLanguage Language READ Language WRITE SetLanguage NOTIFY languageChanged)
  // The scale of the painting in percent (10 to 800): the layout and the font stay as they
  // are. Ctrl+wheel, Ctrl+plus, Ctrl+minus and Ctrl+0 (back to 100) change it.
  Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom NOTIFY zoomChanged)
  // How the formula is set (editor/Typesetting.h); Classic by default. Caret, keys, mouse,
  // Data and OnChange work alike in both.
  Q_PROPERTY(TTypesettings::TTypesetting Typesetting READ Typesetting WRITE SetTypesetting NOTIFY typesettingChanged)
  // How the lines stand side to side and at their alignment marks (editor/LineAlignment.h);
  // Left by default.
  Q_PROPERTY(TLineAlignments::TLineAlignment LineAlignment READ LineAlignment WRITE SetLineAlignment
             NOTIFY lineAlignmentChanged)
  // Soft wrapping while editing: a line wider than WrapWidth pixels (margins included) is
  // shown in rows broken at its operators (TEditArea::SetWrap); 0, the default, keeps
  // every line in one row, and a negative width wraps to the editor's own width. BreakOperator says where the operator at a break stands. Data,
  // LaTeX and MathML stay as they are; the caret and Up/Down move through the rows.
  Q_PROPERTY(int WrapWidth READ WrapWidth WRITE SetWrapWidth NOTIFY wrapWidthChanged)
  Q_PROPERTY(TBreakOperators::TBreakOperator BreakOperator READ BreakOperator WRITE SetBreakOperator
             NOTIFY breakOperatorChanged)
  // How keys and the mouse edit (editor/InputStyle.h); Classic by default.
  Q_PROPERTY(TInputStyles::TInputStyle InputStyle READ InputStyle WRITE SetInputStyle NOTIFY inputStyleChanged)
  // Whether words typed in the Modern style (alpha, sqrt, infty, ...) turn into their sign
  // or template (editor/StructureTyping.h); off by default. Digraphs (->, <=, ...) always do.
  Q_PROPERTY(bool WordShortcuts READ WordShortcuts WRITE SetWordShortcuts)
  // How the pictures a copy puts on the clipboard are set; Math by default.
  Q_PROPERTY(TTypesettings::TTypesetting ClipboardTypesetting READ ClipboardTypesetting WRITE SetClipboardTypesetting)
  // The OpenType MATH font file the Math style sets with; empty (the default) takes TeX
  // Gyre Termes Math. A file that is no math font leaves the Math style set as Classic.
  Q_PROPERTY(QString MathFont READ MathFont WRITE SetMathFont)
  // What the last assignment of Data dropped (a text beyond the reader's limits, a
  // non-numeric ExtSymbol), empty when it was read whole.
  Q_PROPERTY(QString ReadError READ ReadError NOTIFY OnReadError STORED false)
  // The formula as LaTeX and as presentation MathML, each carrying the exact Data as well
  // (interchange/Latex.h, interchange/MathML.h). Assigning a text the reader refuses keeps
  // the formula and sets ReadError to the place and reason; a text read only approximately
  // is taken, and ReadError names what was lost.
  Q_PROPERTY(QString LaTeX READ GetLaTeX WRITE PutLaTeX NOTIFY latexChanged STORED false)
  Q_PROPERTY(QString MathML READ GetMathML WRITE PutMathML NOTIFY mathMLChanged STORED false)
  // The same without the exact copy, for hosts that show or store the text itself: LaTeX
  // without the %zelk-data line (empty for an empty formula), MathML without annotations.
  Q_PROPERTY(QString PlainLaTeX READ GetPlainLaTeX NOTIFY plainLatexChanged STORED false)
  Q_PROPERTY(QString PlainMathML READ GetPlainMathML NOTIFY plainMathMLChanged STORED false)

  // The Qt-style names of the properties above.
  Q_PROPERTY(QString data READ data WRITE setData NOTIFY dataChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString latex READ latex WRITE setLatex NOTIFY latexChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString mathML READ mathML WRITE setMathML NOTIFY mathMLChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString plainLatex READ plainLatex NOTIFY plainLatexChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString plainMathML READ plainMathML NOTIFY plainMathMLChanged DESIGNABLE false STORED false)
  Q_PROPERTY(TTypesettings::TTypesetting typesetting READ typesetting WRITE setTypesetting
             NOTIFY typesettingChanged DESIGNABLE false STORED false)
  Q_PROPERTY(TInputStyles::TInputStyle inputStyle READ inputStyle WRITE setInputStyle
             NOTIFY inputStyleChanged DESIGNABLE false STORED false)
  Q_PROPERTY(int zoom READ zoom WRITE setZoom NOTIFY zoomChanged DESIGNABLE false STORED false)
  Q_PROPERTY(TLineAlignments::TLineAlignment lineAlignment READ lineAlignment WRITE setLineAlignment
             NOTIFY lineAlignmentChanged DESIGNABLE false STORED false)
  Q_PROPERTY(int wrapWidth READ wrapWidth WRITE setWrapWidth NOTIFY wrapWidthChanged DESIGNABLE false STORED false)
  Q_PROPERTY(TBreakOperators::TBreakOperator breakOperator READ breakOperator WRITE setBreakOperator
             NOTIFY breakOperatorChanged DESIGNABLE false STORED false)
  Q_PROPERTY(TLanguages::TLanguage language READ language WRITE setLanguage NOTIFY languageChanged
             DESIGNABLE false STORED false)

 public:
  // TZelkEquation::lRussian ...
  using enum TLanguages::TLanguage;

  explicit TZelkEquation(QWidget* Parent = nullptr);
  ~TZelkEquation() override;

  // The whole formula at the zoom (RenderSize scaled): layouts and scroll areas give the
  // editor room for every line. Updated on every change.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // In a QScrollArea the area scrolls the whole formula (minimumSizeHint is all of it);
  // elsewhere the editor asks for little room and scrolls its content itself (the wheel,
  // with Shift across). Either way the caret is kept in view.
  void EnsureCaretVisible() override;

  // What an input method asks: the caret's rectangle, its run as text, the caret's place.
  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

  // The Qt-style surface. The setters never throw: setData is PutData.
  QString data() const { return GetData(); }
  QString latex() const { return GetLaTeX(); }
  QString mathML() const { return GetMathML(); }
  QString plainLatex() const { return GetPlainLaTeX(); }
  QString plainMathML() const { return GetPlainMathML(); }
  TTypesetting typesetting() const { return Typesetting(); }
  TInputStyle inputStyle() const { return InputStyle(); }
  int zoom() const { return Zoom(); }
  TLanguage language() const { return Language(); }
  TLineAlignment lineAlignment() const { return LineAlignment(); }
  int wrapWidth() const { return WrapWidth(); }
  TBreakOperator breakOperator() const { return BreakOperator(); }

 public slots:
  void setData(const QString& Data) { PutData(Data); }
  void setLatex(const QString& Text) { PutLaTeX(Text); }
  void setMathML(const QString& Text) { PutMathML(Text); }
  void setTypesetting(TTypesettings::TTypesetting Value) { SetTypesetting(Value); }
  void setInputStyle(TInputStyles::TInputStyle Value) { SetInputStyle(Value); }
  void setZoom(int Percent) { SetZoom(Percent); }
  void setLanguage(TLanguages::TLanguage Value) { SetLanguage(Value); }
  void setLineAlignment(TLineAlignments::TLineAlignment Value) { SetLineAlignment(Value); }
  void setWrapWidth(int Pixels) { SetWrapWidth(Pixels); }
  void setBreakOperator(TBreakOperators::TBreakOperator Value) { SetBreakOperator(Value); }

 signals:
  void OnChange();
  // A read dropped part of the text; Message says why (empty after a whole read that
  // followed one that dropped something).
  void OnReadError(const QString& Message);
  // The formula as it is now, when it differs from what these signals last carried: once
  // an edit or an assignment is done (a Data text read element by element raises OnChange
  // at each step, these once at its end). The texts are written only for receivers.
  void dataChanged(const QString& Data);
  void latexChanged(const QString& Latex);
  void mathMLChanged(const QString& MathML);
  void plainLatexChanged(const QString& Latex);
  void plainMathMLChanged(const QString& MathML);
  // A setter changed the value.
  void typesettingChanged(TTypesettings::TTypesetting Value);
  void inputStyleChanged(TInputStyles::TInputStyle Value);
  void zoomChanged(int Percent);
  void languageChanged(TLanguages::TLanguage Value);
  void lineAlignmentChanged(TLineAlignments::TLineAlignment Value);
  void wrapWidthChanged(int Pixels);
  void breakOperatorChanged(TBreakOperators::TBreakOperator Value);

 protected:
  void changeEvent(QEvent* Event) override;
  // The caret and the active frame come and go with the focus in the Modern style.
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Claims the arrow keys and the editing chords (Ctrl+Z, Ctrl+C, ...) before the host's
  // shortcuts and navigation see them. Tab and Shift+Tab move between slots and leave
  // the editor, through Qt's focus navigation, only where no slot is left to go to; with
  // Ctrl they always leave.
  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  // Ctrl+wheel zooms.
  void wheelEvent(QWheelEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

  // The core's hooks (editor/EditorCore.h).
  bool HostShown() const override { return isVisible(); }
  QSize ViewSize() const override { return size(); }
  void UpdateView(const QRect& Rect) override { update(Rect); }
  void UpdateView() override { update(); }
  void UpdateViewSize() override { updateGeometry(); }
  bool ViewEnabled() const override { return isEnabled(); }
  bool ViewFocused() const override { return hasFocus(); }
  void FocusView() override { setFocus(Qt::MouseFocusReason); }
  QPalette ViewPalette() const override { return palette(); }
  qreal ViewDevicePixelRatio() const override { return devicePixelRatioF(); }
  QWidget* PopupParent() const override { return const_cast<TZelkEquation*>(this); }
  void AccessibilityEvent(TFormulaEvent Event) override;
  void Changed() override { emit OnChange(); }
  void ReadErrorSet(const QString& Message) override { emit OnReadError(Message); }
  bool ValueListened(TValueText Kind) const override;
  void ValueAnnounced(TValueText Kind, const QString& Text) override;
  void SettingChanged(TSetting Setting) override;
  void InputStyleSet() override;
  void FocusNext(bool Forward) override { focusNextPrevChild(Forward); }
};

namespace Zelk {
using Equation = TZelkEquation;
}  // namespace Zelk
