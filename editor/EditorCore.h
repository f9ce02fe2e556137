#pragma once
// TEditorCore: the formula editor without a view. It is the root of the formula's node
// tree and holds everything the editor is: the lines, the caret, the key map of both input
// styles, the mouse, selection, clipboard and undo, zoom, typesetting, the Data, LaTeX and
// MathML texts, and Render. A host (the widget TZelkEquation, the Qt Quick items of the
// ZelkEquations QML module) derives from it beside its view class, hands it the view's
// events and paints it with PaintView; the core asks the host back through the protected
// hooks below. Every hook has a default, so a core alone is a formula without a view (for
// pictures and conversions).
//
// A new editor has one empty line, current and active; Data reads "EditArea()". Every edit
// raises Changed. Whoever receives a change may assign Data, delete lines or delete the
// editor later while a text is read or a key is handled: the interrupted read stops and
// the newer formula stands.
//
// The core is no QObject: the widget, which must stay the root of its tree, could not
// derive from a second one. Each host declares its own properties and signals and emits
// them from the hooks.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "InputStyle.h"
#include "Language.h"
#include "LineAlignment.h"
#include "Render.h"
#include "Typesetting.h"
#include "../accessibility/AccessibleEquation.h"
#include "../model/ZelkGraphic.h"
#include "../platform/VirtualKeys.h"

class QInputMethodEvent;
class QKeyEvent;
class QPainter;
class QUndoStack;
class QWidget;
class TEditArea;
class TEditing;

class TEditorCore : public TEquatStore, public TNodeHost {
 public:
  // The texts the value hooks announce.
  enum class TValueText { Data, Latex, MathML, PlainLatex, PlainMathML };
  // The settings whose change the SettingChanged hook reports.
  enum class TSetting { Typesetting, InputStyle, Zoom, Language, LineAlignment, WrapWidth, BreakOperator };

  // Font: the editor's font (its size in points is the formula's size in pixels).
  explicit TEditorCore(const QFont& Font = DefaultFont());
  virtual ~TEditorCore();
  TEditorCore(const TEditorCore&) = delete;
  TEditorCore& operator=(const TEditorCore&) = delete;

  // Times New Roman at 20 points.
  static QFont DefaultFont();

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
  // 10 to 800 percent.
  void SetZoom(int Percent);
  double ZoomFactor() const { return FZoom / 100.0; }
  // View coordinates to the formula's (node) coordinates, and a formula rectangle to the
  // view rectangle that covers it.
  QPoint FormulaPoint(QPointF WidgetPoint) const;
  QRect WidgetRect(const QRect& FormulaRect) const;
  // The whole formula at the zoom (RenderSize scaled), at least 1 by 1.
  QSize ContentSize() const;
  // Keeps the caret in view, scrolling the content the core scrolls itself.
  virtual void EnsureCaretVisible();
  // How far the content is scrolled, in view pixels.
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

  // Line commands; each but the moves raises Changed.
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
  // before either stays. With nobody listening to the steps, the tree is laid out once
  // at the end, to the same geometry and caret the step-by-step reading leaves.
  void SetData(const QString& Text);
  // As SetData, but a fault never leaves it; ReadError tells what was dropped.
  void PutData(const QString& Text);
  // As SetData, for a text this editor wrote itself (an undo step): the reader's limits
  // do not apply, since edits may have taken the formula beyond what a text may hold.
  void RestoreData(const QString& Text);
  // The formula as LaTeX and as presentation MathML, each carrying the exact Data as well
  // (interchange/Latex.h, interchange/MathML.h). Assigning a text the reader refuses keeps
  // the formula and sets ReadError to the place and reason; a text read only approximately
  // is taken, and ReadError names what was lost.
  QString GetLaTeX() const;
  void PutLaTeX(const QString& Text);
  QString GetMathML() const;
  void PutMathML(const QString& Text);
  // The same without the exact copy: LaTeX without the %zelk-data line (empty for an empty
  // formula), MathML without annotations.
  QString GetPlainLaTeX() const;
  QString GetPlainMathML() const;

  // How edit areas lay out. lmEach: every command lays out its path at once. lmDeferred:
  // while Data is read with nobody to see the steps, areas are not measured; only the
  // carets' blink phase follows each step as it would. lmWhole: the one pass that ends
  // such a read; a template's layout leaves its run to that pass.
  enum TLayoutMode { lmEach, lmDeferred, lmWhole };
  TLayoutMode LayoutMode() const { return FLayoutMode; }
  // Runs Edit with the layout deferred (lmDeferred) and lays the tree out once at its end,
  // to the geometry its steps one by one would give: an edit of many elements (a paste)
  // costs one layout, not one per element.
  void DeferLayout(const std::function<void()>& Edit);

  void SetBkColor(QColor Value) override;
  QColor FontColor() const { return Font().Color; }
  void SetFontColor(QColor Value);
  // The editor's font; the formula is laid out again for it.
  void SetEditorFont(const QFont& Value);
  void RefreshDimensions() override {}
  QString Version() const;

  // Raises Changed.
  virtual void Change();
  // Counts the changes of the tree (each Change, each node that leaves it): a reader that
  // keeps nodes compares it to know they may be gone.
  quint64 Revision() const { return FRevision; }

  TTypesetting Typesetting() const { return FTypesetting; }
  // Any other value is ignored.
  void SetTypesetting(TTypesetting Value);
  // How the pictures a copy puts on the clipboard are set; Math by default.
  TTypesetting ClipboardTypesetting() const { return FClipboardTypesetting; }
  // Any other value is ignored.
  void SetClipboardTypesetting(TTypesetting Value);
  // The OpenType MATH font file the Math style sets with; empty takes TeX Gyre Termes Math.
  QString MathFont() const { return FMathFont; }
  void SetMathFont(const QString& Path);
  // The math font the Math style uses now; nullptr in the Classic style or where the
  // font cannot be read.
  const TMathFont* MathFontInUse() const;
  // A copy laid out Value times larger for a finer picture (fonts Value times larger
  // too): the Math style's lengths in points, which do not follow the font, follow it.
  void SetLayoutScale(double Value);

  TLineAlignment LineAlignment() const { return FLineAlignment; }
  // Any other value is ignored.
  void SetLineAlignment(TLineAlignment Value);

  // Soft wrapping (TZelkEquation's WrapWidth): 0 keeps every line in one row, a negative
  // width wraps to the view's width.
  int WrapWidth() const { return FWrapWidth; }
  // Any negative width is -1: the view's own width, followed as it is resized.
  void SetWrapWidth(int Pixels);
  TBreakOperator BreakOperator() const { return FBreakOperator; }
  // Any other value is ignored.
  void SetBreakOperator(TBreakOperator Value);

  TInputStyle InputStyle() const { return FInputStyle; }
  // Any other value is ignored.
  void SetInputStyle(TInputStyle Value);
  bool Modern() const { return FInputStyle == TInputStyles::Modern; }
  // Whether words typed in the Modern style turn into their sign or template.
  bool WordShortcuts() const { return FWordShortcuts; }
  void SetWordShortcuts(bool Value) { FWordShortcuts = Value; }
  // Whether the caret and the active area's frame show now: while the view is enabled
  // and, in the Modern style, has the keyboard focus (Render shows them when asked).
  bool ShowsCaret() const;

  TLanguage Language() const { return FLanguage; }
  // Any other value is ignored.
  void SetLanguage(TLanguage Value);

  // Frees a node taken out of the tree; while a receiver of a change runs, the node is
  // only detached and freed once control is back in the event loop, as the commands that
  // raised the notification may still stand on it.
  void Dispose(TCustomControl* Node);
  // Restarts the blink timer for the active caret's phase.
  void ScheduleBlink();

  // The key map: what the key with virtual-key code Key does to the active edit area and
  // to the lines. Keys act only while an area is active. Shift, Ctrl and Alt act like the
  // plain key; for a character key they only change what it types. True when the key is
  // one the editor acts on; false leaves it to the host.
  bool KeyDown(quint16 Key, TShiftState Shift);

  // Counts what changes the formula as a whole (a new reading, deleted lines): a command
  // that sees it change under it while a receiver ran stops.
  int Generation() const { return FGeneration; }

  // Inserts a Data text (EditArea items) at the caret, in place of the selection, as a
  // paste does: one edit, one undo step. False when the text goes beyond the reader's
  // limits or holds a malformed symbol; what was read before the fault stays.
  bool insertFormula(const QString& Data);
  // Inserts the template of an accepted keyword (model/Keywords.h: "Division", "Root",
  // "SumIndexBottomTop" ...) at the caret as the palette does, a selection going into its
  // first slot: one edit, one undo step. False, with nothing done, for another name.
  bool InsertTemplate(const QString& Keyword);
  // Inserts the symbol with the Unicode code Code at the caret as the palette does.
  bool InsertSymbol(int Code);

  // What the view's events do, for the host to call. Each catches what the command throws:
  // none of these lets an exception out.
  //
  // Whether the editor claims the key before the host's shortcuts and focus navigation
  // see it: the arrows without Ctrl, Alt or Meta, and the editing chords (Ctrl+Z ...).
  static bool ClaimsKey(const QKeyEvent& Event);
  // Tab and Shift+Tab move between slots; with nowhere left to go, or with Ctrl, the
  // focus leaves (FocusNext). False for another key, or while the command line is open.
  bool TabKey(const QKeyEvent& Event);
  // A key press; false when the key is not the editor's.
  bool KeyPress(const QKeyEvent& Event);
  // Input methods: the committed text is typed at the caret as characters, one undo step;
  // the text being composed shows at the caret, underlined.
  void InputMethod(const QInputMethodEvent& Event);
  // The caret's rectangle, its run as text, the caret's place; an invalid value for a
  // query the core does not answer.
  QVariant InputMethodQuery(Qt::InputMethodQuery Query) const;
  // A press goes to the innermost node under the pointer; outside every line a left press
  // only focuses the view (and gives an editor without a line one).
  void MousePress(QPointF Point, Qt::MouseButton Button);
  // A drag with the left button selects; a double click selects the element under Point.
  void MouseMove(QPointF Point, Qt::MouseButtons Buttons);
  void MouseDoubleClick(QPointF Point, Qt::MouseButton Button);
  // Ctrl+wheel zooms; another wheel scrolls the content when it does not fit the view and
  // the host does not scroll it (Shift across). False when the core took no part.
  bool Wheel(QPoint AngleDelta, Qt::KeyboardModifiers Modifiers, bool HostScrolls);
  // The view gained or lost the keyboard focus, or was enabled or disabled.
  void FocusChanged();
  void EnabledChanged();
  // The view has its new size.
  void ViewResized(QSize Old, QSize New);
  // Paints the view's Exposed rectangle (view coordinates) with the editing marks, the
  // selection, the command line and the text an input method composes.
  void PaintView(QPainter& Painter, const QRect& Exposed);

  // What the core asks of its view; a host overrides these. The defaults suit a core
  // without a view.
  //
  // The view's size in its own pixels.
  virtual QSize ViewSize() const { return QSize(); }
  // Schedules a repaint of Rect (view coordinates), or of the whole view.
  virtual void UpdateView(const QRect& Rect) { (void)Rect; }
  virtual void UpdateView() {}
  // The formula's size changed (ContentSize): layouts take the new size.
  virtual void UpdateViewSize() {}
  virtual bool ViewEnabled() const { return true; }
  virtual bool ViewFocused() const { return false; }
  // A left click asks for the keyboard focus.
  virtual void FocusView() {}
  // The view's palette and device pixel ratio, for the command line and clipboard pictures.
  virtual QPalette ViewPalette() const;
  virtual qreal ViewDevicePixelRatio() const { return 1.0; }
  // The parent of the popups (the context menu, the command line's list); none in a view
  // that is no widget.
  virtual QWidget* PopupParent() const { return nullptr; }
  // Tells assistive technology about Event.
  virtual void AccessibilityEvent(TFormulaEvent Event) { (void)Event; }

 protected:
  // What the core tells its host; a host emits its signals from these.
  //
  // The formula changed (TZelkEquation's OnChange): raised at every step of a reading.
  virtual void Changed() {}
  // The last reading dropped what Message says (empty after a whole one that followed one
  // that dropped something).
  virtual void ReadErrorSet(const QString& Message) { (void)Message; }
  // Whether anyone listens for Kind; the core writes only the texts that are listened for.
  virtual bool ValueListened(TValueText Kind) const { (void)Kind; return false; }
  // The formula as it is now, once an edit or an assignment is done, when it differs from
  // what was announced last.
  virtual void ValueAnnounced(TValueText Kind, const QString& Text) { (void)Kind; (void)Text; }
  // A setter changed the value.
  virtual void SettingChanged(TSetting Setting) { (void)Setting; }
  // The input style was set (even to what it was): the host's focus policy follows it.
  virtual void InputStyleSet() {}
  // Tab with nowhere left to go: the focus moves on (Forward) or back.
  virtual void FocusNext(bool Forward) { (void)Forward; }

  void SetUpdateState(bool Updating) override;
  void Paint() override;
  void RepaintRect(const QRect& Rect) override;
  void PayLayout() override;
  // Whether the view is shown: nodes ask a hidden one for no repaints.
  bool HostShown() const override { return false; }

 private:
  // Lays out every line and every template again for the new font; no Changed.
  void FontChanged();
  // Hands the canvas the math font the style and font file ask for, and lays out again.
  void TypesettingChanged();
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
  // SetData without the value announcements, which wait for the outermost read to end.
  void ReadData(const QString& Text);
  // Announces the value texts if the formula differs from what they last carried;
  // AnnounceOwed does so for the changes a read held back.
  void AnnounceValue();
  void AnnounceOwed();
  std::optional<QString> FAnnouncedData;
  bool FValueOwed = false;
  void FreeDisposed();
  void Blink();
  // The context of the core's timers and deferred calls.
  QObject FContext;
  // First member after it: the nodes built by the constructor already announce changes.
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
  TLanguage FLanguage = TLanguages::lRussian;
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
  // The caret's rectangle in view coordinates, or an empty one without an active area.
  QRect CaretRect() const;
  void PaintPreedit(QPainter& Painter) const;
  // Render draws the caret whatever the focus.
  bool FRendering = false;
  QString FMathFont;
};
