#pragma once
// TEditArea: a horizontal run of elements with a caret of its own. Every line of the
// editor and every slot of a template is an edit area. The insertion commands are the one
// way elements enter a run: each creates the element at the caret, lays out the path up to
// the editor and raises the editor's change notification, leaving the caret in front of
// the new element (or in the slot that the new template activated).

#include <vector>

#include "Types.h"
#include "ZelkGraphic.h"

class TEACursor;
class TEquation;
class TEquatStore;
class TEditorCore;
using TEquationList = TStringObjectList<TEquation>;

class TEditArea : public TZelkGraphic {
 public:
  // Owner is the editor (for a line) or the template (for a slot); it becomes the parent.
  explicit TEditArea(TEquatStore* Owner);
  ~TEditArea() override;

  // The run, left to right: element keyword and element.
  TEquationList* EquationList() const { return FEquationList; }
  // Replaces the list reference; the old list stays with the caller.
  void SetEquationList(TEquationList* Value) { FEquationList = Value; }
  int Count() const { return FEquationList->Count(); }
  TEquation* Item(int Index) const { return FEquationList->GetItem(Index); }
  bool GetIsEmpty() const { return Count() == 0; }

  // The caret and insertion position, 0..Count.
  int EquationIndex() const { return FEquationIndex; }
  // Takes values in 0..Count only; in every case re-places the caret.
  void SetEquationIndex(int Value);

  int IndexInParent() const { return FIndexInParent; }
  void SetIndexInParent(int Value) { FIndexInParent = Value; }
  TEditorCore* Editor() const { return FEditor; }
  void SetEditor(TEditorCore* Value) { FEditor = Value; }
  TEACursor* Caret() const { return FCaret; }

  // The node that owns this area: the editor for a line, the template for a slot.
  TEquatStore* GetParent() const;
  void PutParent(TEquatStore* Value);

  // Holding the caret; activating an area deactivates the one that was active.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // A left-button press on the area or on an element it holds: focus the editor and
  // activate the area.
  void WMLButtonDown();

  // Frees element Index (ignored when out of range) and lays out; always notifies. The
  // caret keeps its index, but never past the run's end.
  void DelEquation(int Index);
  // Frees elements First..Last-1 (clamped to the run), as DelEquation does one, with one
  // layout and one notification.
  void DelEquations(int First, int Last);
  // Lays out the path from this area up to the editor.
  void RefreshRecurse();

  // Insertion commands: each inserts one element at EquationIndex.
  void AddEqSimple(char32_t Ch);
  void AddEqSimple(QChar Ch) { AddEqSimple(char32_t{Ch.unicode()}); }
  void AddEqExtSymbol(int Code);
  void AddEqIndex(TGroupOptions Options);
  void AddEqIntegral(TGroupOptions Options, int Size, bool Ring);
  void AddEqSumma(TGroupOptions Options);
  void AddEqMultiply(TGroupOptions Options);
  void AddEqIntersection(TGroupOptions Options);
  void AddEqJoin(TGroupOptions Options);
  void AddEqCoMult(TGroupOptions Options);
  void AddEqBrackets(TKindBracket Kind);
  void AddEqArrow(TKindArrow Kind, TAlignEA Align);
  void AddEqVector(TKindArrow Kind, TAlignEA Align);
  // A fraction; Small sets both parts a size step further down.
  void AddEqDivision(bool Small = false);
  void AddEqContinuedFraction(TContinued Kind);
  void AddEqMatrix(TKindMatrix Kind, int Count);
  // A grid of Rows x Columns empty cells (Columns in 2..MaxMatrixColumns), the caret in
  // its first cell.
  void AddEqMatrixGrid(int Rows, int Columns);
  // Fraction with a slanted stroke, radicals, long division and accents.
  void AddEqSlashDivision();
  void AddEqRoot(bool Degree);
  void AddEqLongDivision(bool Quotient);
  void AddEqAccent(TKindAccent Kind);
  // Fences, left indices, scripted bases and horizontal braces.
  void AddEqFence(TFenceKind Kind);
  void AddEqLeftIndex(TGroupOptions Options);
  void AddEqScripted(TGroupOptions Options, bool Operator);
  void AddEqBrace(TAlignEA Align);
  // A binomial coefficient: two parts stacked without a bar, in round brackets; Small as
  // for a fraction.
  void AddEqBinomial(bool Small = false);
  // Words set as text (TeX's \text), the caret in its slot.
  void AddEqText();
  // The mark the editor's lines are aligned at (model/AlignMark.h).
  void AddEqAlignMark();

  // Text form of the run, and rebuilding the run from it. The text is kept until the run
  // or anything in it changes, so a receiver that copies Data on every notification
  // rebuilds only the path that changed.
  QString GetData() const;
  void SetData(const QString& Text);
  // Inserts the elements of a run's text form at the caret and leaves the caret after
  // them (the area stays active only if it was and the text holds no template); returns
  // how many went in. Faults as SetData; what was read before one stays.
  int InsertData(const QString& Text);

  // The Math style's level of the run (a line is display), set by the template that owns
  // the area; and the distance of the run's baseline from the area's top.
  TMathLevel MathLevel() const { return FMathLevel; }
  void SetMathLevel(TMathLevel Value) { FMathLevel = Value; }
  int MathBaseline() const { return FMathBaseline; }
  // A cramped run (a denominator, a subscript, a radicand, what lies under a mark, and
  // everything inside them) raises its superscripts less (Math style only).
  bool MathCramped() const { return FMathCramped; }
  void SetMathCramped(bool Value) { FMathCramped = Value; }
  // Letters of the run set upright, as the name of an operator is (Math style only).
  bool MathUpright() const { return FMathUpright; }
  void SetMathUpright(bool Value) { FMathUpright = Value; }
  // The run is text (model/Text.h): its characters upright as they are, no math spacing
  // between them and no operator names in them (Math style only).
  bool MathText() const { return FMathText; }
  void SetMathText(bool Value) { FMathText = Value; }

  // Layout of the run.
  int CalcHeight() const;
  int CalcWidth(int N) const;
  void RefreshDimensions() override;
  // Room added before element I (I == Count: after the last) so that the editor's lines
  // stand aligned at their marks; empty (the default) adds none. Setting it places the
  // elements and the caret again and sizes the area; the elements keep their sizes.
  const std::vector<int>& AlignPads() const { return FAlignPads; }
  void SetAlignPads(std::vector<int> Pads);
  // Positions of the alignment marks in the run, kept from its last layout.
  const std::vector<int>& Marks() const { return FMarks; }
  // Soft wrapping (the editor sets it on its lines): a run wider than Width pixels shows in
  // rows, broken at its top-level relations first, then at its binary operators, never
  // inside a template or a typed bracket pair, each row after the first indented; Break
  // says where the operator at a break stands. Width 0 (the default) keeps one row. The
  // run and its Data stay as they are.
  void SetWrap(int Width, TWrapBreak Break);
  // The first element of each shown row after the first; empty while the run shows in one.
  const std::vector<int>& RowStarts() const { return FRowStarts; }
  int RowCount() const { return static_cast<int>(FRowStarts.size()) + 1; }
  // The shown row of caret position (or element) Index.
  int RowOf(int Index) const;
  // The caret position in shown row Row nearest to X, in the area's coordinates.
  int NearestInRow(int Row, int X) const;
  // How far the elements of shown row Row stand from where one row would put them.
  QPoint RowShift(int Row) const;
  // The width the run takes in one row, its pads included.
  int RunWidth() const { return FRunWidth; }
  // Refreshes every element (font, colour, size) and places it; the area keeps its size.
  void RefreshEquations();
  void RefreshCursor();
  // Hands a changed colour down to the elements not of that colour yet (and to their
  // slots); an area keeps its elements in its own colour, so an unchanged colour has
  // nothing to hand down.
  void SetBkColor(QColor Value) override;

  // Marks the line holding this area as changed since the editor last laid it out, and
  // forgets the text of every area on the way. Every layout in the line and every change
  // of content calls it.
  void LayoutChanged();
  // A line the editor laid out with nothing changed in it since: laying it out again at
  // the same font and colour would give the same geometry.
  bool LaidOut() const { return FLaidOut; }
  void SetLaidOut() { FLaidOut = true; }

 protected:
  void Paint() override;
  bool MouseDown(Qt::MouseButton Button, QPoint Point) override;

 private:
  void OnActive();
  void OnDeactive();
  // Creates a T owned by this area at the caret, applies its settings and finishes the
  // command: layout up to the editor, then the change notification.
  template <typename T, typename Setup>
  void InsertEquation(const QString& Keyword, Setup&& Apply);
  void ClearEquations();
  // Frees an element taken out of the run (see TEditorCore::Dispose).
  void Dispose(TEquation* Element);
  // Layout waits for the end of a read; see TEditorCore::LayoutMode.
  bool Deferred() const;
  void RefreshElements();
  // The Math style: marks the letters that spell operator names, and the apostrophes
  // that make one prime glyph.
  void MarkOperatorNames();
  void MarkPrimes();
  void PlaceEquations();
  // The Math style: the room before each element (and after the last), the area's size,
  // the elements on one baseline, the caret between its neighbours as high as they are.
  std::vector<int> MathGaps() const;
  void MathDimensions();
  void MathPlaceEquations();
  void MathPlaceCursor();

  // The room AlignPads adds before element I, 0 past its end.
  int PadBefore(int I) const { return I < static_cast<int>(FAlignPads.size()) ? FAlignPads[I] : 0; }
  // Records where the marks stand (Marks).
  void FindMarks();
  // Breaks the run just placed in one row into the rows the wrap width asks for, and the
  // caret into its row (layout/LineWrap.cpp).
  void ApplyRows();
  void PlaceRowCursor();
  // The operators shown again at the start of their rows (wbRepeated).
  void PaintRepeated();

  TEquationList* FEquationList;
  std::vector<int> FAlignPads;
  std::vector<int> FMarks;
  std::vector<int> FRowStarts;
  std::vector<QPoint> FRowShifts;
  int FRowHeight = 0;
  int FRunWidth = 0;
  int FWrapWidth = 0;
  TWrapBreak FWrapBreak = wbAfter;
  mutable QString FData;
  TEACursor* FCaret;
  TEquatStore* FOwner;
  TEditorCore* FEditor = nullptr;
  int FEquationIndex = 0;
  int FIndexInParent = 0;
  int FMathBaseline = 0;
  TMathLevel FMathLevel = mlDisplay;
  bool FMathUpright = false;
  bool FMathText = false;
  bool FMathCramped = false;
  bool FActive = false;
  bool FLaidOut = false;
  mutable bool FDataKnown = false;
};
