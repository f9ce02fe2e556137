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
// nodes it paints. Render draws the same formula on any painter, without the editing marks
// if asked. An OnChange receiver may assign Data, delete lines or delete the editor later
// while a text is read or a key is handled: the interrupted read stops and the newer
// formula stands.
//
// Beside these names, the editor has the same surface in Qt's naming, as Zelk::Equation:
// the properties data, latex, mathML, typesetting, inputStyle, zoom and language with
// accessors data()/setData() ... and change signals that carry the new value. Designer
// shows, and forms store, only the capitalised properties.

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "InputStyle.h"
#include "Language.h"
#include "LineAlignment.h"
#include "Render.h"
#include "Typesetting.h"
#include "../model/ZelkGraphic.h"
#include "../platform/VirtualKeys.h"

class QUndoStack;
class TEditArea;
class QPainter;
class TEditing;

class TZelkEquation : public QWidget, public TEquatStore, public TNodeHost {
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

  // Size of the whole formula as Render draws it at scale 1: every line with the margins
  // the editor keeps around them.
  QSize RenderSize() const;
  // Draws the whole formula, its top-left corner at the painter's origin, scaled by
  // Options.Scale; the painter's state is kept.
  void Render(QPainter& Painter, const TRenderOptions& Options = {}) const;
  // The formula as an image of RenderSize() * Options.Scale pixels.
  QImage RenderImage(const TRenderOptions& Options = {}) const;

  QString ReadError() const { return FReadError; }

  int Zoom() const { return FZoom; }
  void SetZoom(int Percent);
  double ZoomFactor() const { return FZoom / 100.0; }
  // Widget coordinates to the formula's (node) coordinates, and a formula rectangle to the
  // widget rectangle that covers it.
  QPoint FormulaPoint(QPointF WidgetPoint) const;
  QRect WidgetRect(const QRect& FormulaRect) const;
  // The whole formula at the zoom (RenderSize scaled): layouts and scroll areas give the
  // editor room for every line. Updated on every change.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // In a QScrollArea the area scrolls the whole formula (minimumSizeHint is all of it);
  // elsewhere the editor asks for little room and scrolls its content itself (the wheel,
  // with Shift across). Either way the caret is kept in view.
  void EnsureCaretVisible();
  // How far the editor has scrolled its own content, in widget pixels.
  QPoint ScrollOffset() const { return FScroll; }

  // The edit area that holds the caret, or none.
  TEditArea* ActiveEditArea() const { return FActiveEditArea; }
  void SetActiveEditArea(TEditArea* Value);

  // Selection, clipboard and undo (editor/Editing.h).
  TEditing& Editing() const { return *FEditing; }
  // Every edit is a step; hosts connect canUndoChanged/canRedoChanged for their buttons.
  QUndoStack* UndoStack() const;

  int LineCount() const { return EditAreaCount(); }
  TEditArea* Line(int Index) const;

  // Line commands; each but the moves raises OnChange.
  void InsertEditArea() override;  // new line before the current one
  void AddEditArea();              // new line after the current one
  void DeleteEditArea() override;  // the current line, unless it is the only one
  void EditAreaUp() override;
  void EditAreaDown() override;
  // Re-stacks lines Index..last.
  void RefreshEditArea(int Index) override;

  // Top of line N; CalcHeight(LineCount()) is the height of the whole content.
  int CalcHeight(int N) const;
  // Width of the widest line.
  int CalcWidth() const;

  QString GetData() const;
  // The text of a line or of something in it changed.
  void DataChanged() { FDataKnown = false; }
  // Rebuilds every line from Text. Throws EConvertError on a non-numeric ExtSymbol and
  // ELimitError on a text beyond the reader's limits (model/TextForm.h); what was read
  // before either stays. With no OnChange receiver connected, the tree is laid out once
  // at the end, to the same geometry and caret the step-by-step reading leaves.
  void SetData(const QString& Text);
  // The property's writer: as SetData, but a fault never leaves it; ReadError and
  // OnReadError tell what was dropped.
  void PutData(const QString& Text);
  // As SetData, for a text this editor wrote itself (an undo step): the reader's limits
  // do not apply, since edits may have taken the formula beyond what a text may hold.
  void RestoreData(const QString& Text);
  QString GetLaTeX() const;
  void PutLaTeX(const QString& Text);
  QString GetMathML() const;
  void PutMathML(const QString& Text);
  QString GetPlainLaTeX() const;
  QString GetPlainMathML() const;

  // How edit areas lay out. lmEach: every command lays out its path at once. lmDeferred:
  // while Data is read with no OnChange receiver to see the steps, areas are not
  // measured; only the carets' blink phase follows each step as it would. lmWhole: the
  // one pass that ends such a read; a template's layout leaves its run to that pass.
  enum TLayoutMode { lmEach, lmDeferred, lmWhole };
  TLayoutMode LayoutMode() const { return FLayoutMode; }
  // Runs Edit with the layout deferred (lmDeferred) and lays the tree out once at its end,
  // to the geometry its steps one by one would give: an edit of many elements (a paste)
  // costs one layout, not one per element.
  void DeferLayout(const std::function<void()>& Edit);

  void SetBkColor(QColor Value) override;
  QColor FontColor() const { return Font().Color; }
  void SetFontColor(QColor Value);
  void RefreshDimensions() override {}
  QString Version() const;

  // Raises OnChange.
  virtual void Change();
  // Counts the changes of the tree (each Change, each node that leaves it): a reader that
  // keeps nodes compares it to know they may be gone.
  quint64 Revision() const { return FRevision; }

  TTypesetting Typesetting() const { return FTypesetting; }
  // Any other value is ignored.
  void SetTypesetting(TTypesetting Value);
  TTypesetting ClipboardTypesetting() const { return FClipboardTypesetting; }
  // Any other value is ignored.
  void SetClipboardTypesetting(TTypesetting Value);
  QString MathFont() const { return FMathFont; }
  void SetMathFont(const QString& Path);
  // The math font the Math style uses now; nullptr in the Classic style or where the
  // font cannot be read.
  const TMathFont* MathFontInUse() const;

  TLineAlignment LineAlignment() const { return FLineAlignment; }
  // Any other value is ignored.
  void SetLineAlignment(TLineAlignment Value);

  int WrapWidth() const { return FWrapWidth; }
  // Any negative width is -1: the editor's own width, followed as it is resized.
  void SetWrapWidth(int Pixels);
  TBreakOperator BreakOperator() const { return FBreakOperator; }
  // Any other value is ignored.
  void SetBreakOperator(TBreakOperator Value);

  TInputStyle InputStyle() const { return FInputStyle; }
  // Any other value is ignored. Modern also makes the editor a Tab stop.
  void SetInputStyle(TInputStyle Value);
  bool Modern() const { return FInputStyle == TInputStyles::Modern; }
  bool WordShortcuts() const { return FWordShortcuts; }
  void SetWordShortcuts(bool Value) { FWordShortcuts = Value; }
  // Whether the caret and the active area's frame show now: while the editor is enabled
  // and, in the Modern style, has the keyboard focus (Render shows them when asked).
  bool ShowsCaret() const;

  TLanguage Language() const { return FLanguage; }
  // Any other value is ignored.
  void SetLanguage(TLanguage Value);

  // Frees a node taken out of the tree; while a receiver of OnChange runs, the node is only
  // detached and freed once control is back in the event loop, as the commands that
  // raised the notification may still stand on it.
  void Dispose(TCustomControl* Node);
  // Restarts the blink timer for the active caret's phase.
  void ScheduleBlink();

  // The key map: what the key with virtual-key code Key does to the active edit area and
  // to the lines. Keys act only while an area is active. Shift, Ctrl and Alt act like the
  // plain key; for a character key they only change what it types. True when the key is
  // one the editor acts on; false leaves it to the host.
  bool KeyDown(quint16 Key, TShiftState Shift);
  // What an input method asks: the caret's rectangle, its run as text, the caret's place.
  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

  // Counts what changes the formula as a whole (a new reading, deleted lines): a command
  // that sees it change under it while a receiver ran stops.
  int Generation() const { return FGeneration; }

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
  // Inserts a Data text (EditArea items) at the caret, in place of the selection, as a
  // paste does: one edit, one undo step. False when the text goes beyond the reader's
  // limits or holds a malformed symbol; what was read before the fault stays.
  bool insertFormula(const QString& Data);

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
  void SetUpdateState(bool Updating) override;
  void Paint() override;
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
  // Input methods (editor/InputMethod.cpp): the committed text is typed at the caret as
  // characters, one undo step; the text being composed shows at the caret, underlined.
  void inputMethodEvent(QInputMethodEvent* Event) override;
  // A press goes to the innermost node under the pointer; outside every line it only
  // focuses the editor (and gives an editor without a line one).
  void mousePressEvent(QMouseEvent* Event) override;
  // A drag with the left button selects (across slots, whole templates in the nearest
  // area that holds both ends); a double click selects the element under the pointer.
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  // Ctrl+wheel zooms.
  void wheelEvent(QWheelEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

  void RepaintRect(const QRect& Rect) override;
  void PayLayout() override;
  bool HostShown() const override { return isVisible(); }

 private:
  // Lays out every line and every template again for the new font; no OnChange.
  void FontChanged();
  // Hands the canvas the math font the style and font file ask for, and lays out again.
  void TypesettingChanged();
  void EnabledChanged();
  TEditArea* CreateLine(int Position);
  // Places the lines side to side and pads them at their alignment marks
  // (layout/LineAlignment.cpp); lines stay where they stand top to bottom.
  void AlignLines();
  void ReadLines(const QString& Text);
  // Lays out the whole tree in one pass, bottom-up, to what the step-by-step layout gives,
  // keeps the active caret's blink phase and leaves the layout mode at Then.
  void LayoutWhole(TLayoutMode Then);
  void SetReadError(const QString& Message);
  // The Modern style's caret after a reading: at the end of the last line.
  void CaretToEnd();
  // Takes the Data of a LaTeX or MathML reading, or its refusal.
  void PutRead(const struct TReadResult& Read);
  // SetData without the value signals, which wait for the outermost read to end.
  void ReadData(const QString& Text);
  // Emits the value signals (dataChanged, latexChanged ...) if the formula differs from what
  // they last carried; AnnounceOwed does so for the changes a read held back.
  void AnnounceValue();
  void AnnounceOwed();
  std::optional<QString> FAnnouncedData;
  bool FValueOwed = false;
  void FreeDisposed();
  void Blink();
  // First member: the nodes built by the constructor already announce changes to it.
  std::unique_ptr<TEditing> FEditing;
  TEditArea* FActiveEditArea = nullptr;
  // The reading of a text in progress: nesting of its readers, elements built so far and
  // the generation it began in.
  friend class TReadScope;
  int FReadLevel = 0;
  int FElementsRead = 0;
  int FReadGeneration = 0;
  bool FRestoring = false;
  int FGeneration = 0;
  TLayoutMode FLayoutMode = lmEach;
  quint64 FRevision = 0;
  TLanguage FLanguage = lRussian;
  int FEmitting = 0;
  std::vector<std::unique_ptr<TCustomControl>> FDisposed;
  QTimer FBlinkTimer;
  QString FReadError;
  mutable QString FData;
  mutable bool FDataKnown = false;
  int FZoom = 100;
  TTypesetting FTypesetting = TTypesettings::Classic;
  TTypesetting FClipboardTypesetting = TTypesettings::Math;
  TInputStyle FInputStyle = TInputStyles::Classic;
  TLineAlignment FLineAlignment = TLineAlignments::Left;
  int FWrapWidth = 0;
  TBreakOperator FBreakOperator = TBreakOperators::After;
  // Hands the wrap settings to every line (HandWrap) and lays them out again; a line
  // measures against the width less the margins either side of it.
  void WrapChanged();
  void HandWrap();
  int LineWrapWidth() const;
  // Stacks the lines from Index down again, each at its height.
  void StackLines(int Index);
  bool FWordShortcuts = false;
  QPoint FScroll;
  // Scrolls the content by Offset, bounded to the formula.
  void ScrollTo(QPoint Offset);
  // What an input method is composing.
  QString FPreedit;
  // The caret's rectangle in widget coordinates, or an empty one without an active area.
  QRect CaretRect() const;
  void PaintPreedit(QPainter& Painter) const;
  // Render draws the caret whatever the focus.
  bool FRendering = false;
  QString FMathFont;
};

namespace Zelk {
using Equation = TZelkEquation;
}  // namespace Zelk
