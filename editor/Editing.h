#pragma once
// TEditing: the editing commands of one formula editor beyond its key map, and the state
// they share: the selection, the undo history and the clipboard's formats.
//
// Keys (keys the key map leaves alone): Shift+Left/Right/Home/End extend the selection;
// Ctrl+A selects the caret's run, a second Ctrl+A the whole formula; the standard Undo,
// Redo (and Ctrl+Y), Cut, Copy and Paste keys; Tab and Shift+Tab go from slot to slot
// (SlotNavigation.h); the matrix keys of MatrixEditing.h. With a selection, Left and Right collapse it to its start and end,
// Backspace and Delete remove it, and a typed character replaces it.
//
// Every edit is bracketed by a TEditScope: the editor's OnChange is raised once when the
// outermost scope ends, and the edit becomes one undo step.

#include <QRegion>
#include <QString>
#include <functional>

#include "Clipboard.h"
#include "MatrixEditing.h"
#include "Selection.h"
#include "StructureTyping.h"
#include "UndoCommands.h"

class QKeyEvent;
class QMenu;
class QMimeData;
class QPainter;
class QPoint;
class TEditArea;
class TEqParent;
class TEditorCore;

class TEditing {
 public:
  explicit TEditing(TEditorCore& Editor);

  TSelection& Selection() { return FSelection; }
  const TSelection& Selection() const { return FSelection; }
  QUndoStack& UndoStack() { return FHistory.Stack(); }
  TClipboardFormats& ClipboardFormats() { return FFormats; }
  // What typing builds in the Modern style (StructureTyping.h).
  TStructureTyping& Typing() { return FTyping; }
  // The formula, caret and selection as an undo step records them.
  TEditorState CurrentState() const { return Capture(); }
  // Puts the caret at Index in Area (bounded to its run), which becomes the active area.
  void MoveCaretTo(TEditArea* Area, int Index) { PlaceCaret(Area, Index); }

  // The formula as it is now is where undo starts; nothing to undo.
  void ResetHistory() { FHistory.Reset(); }

  // Brackets of one edit (see TEditScope).
  void BeginEdit(bool Hold = true);
  void EndEdit();
  // The edit going on types a character at the caret, in place of any selection.
  void BeginTyping();
  // The editor announces a change: true holds it back until the edit ends. Any change
  // outside undo drops the selection.
  bool HoldChange();
  // The active area is about to change.
  void ActiveAreaChanging(TEditArea* Next);

  // The keys listed above; true when the key was one of them. Tab and Shift+Tab are not
  // here (see MoveToSlot).
  bool KeyPress(const QKeyEvent& Event);
  // Whether the editor claims Event before the host's shortcuts see it.
  static bool ClaimsShortcut(const QKeyEvent& Event);
  // The slot move of Tab (Forward) or Shift+Tab; false with nowhere to go.
  bool MoveToSlot(bool Forward);
  // The keys of the Modern input style; true when Event was one of them. Left, Right, Up,
  // Down, Home and End move through the structure (SlotNavigation.h), with Shift they
  // select (across slots, whole templates). Backspace just after a template enters its
  // last slot, or deletes the template when all its slots are empty; at the start of a
  // slot it takes the template apart (RemoveStructure), at the start of a line it joins
  // the line to the one above. Delete mirrors it. Enter splits the line at the caret.
  bool ModernKeyPress(const QKeyEvent& Event);
  // Takes apart every template of the selection, or else the template whose slot holds
  // the caret: the contents of its slots, in reading order, stay in its place. False, with
  // nothing changed, where there is no such template.
  bool RemoveStructure();
  bool CanRemoveStructure() const;

  // Selection.
  bool HasSelection() const;
  // The selection as a formula's Data text; empty with nothing selected.
  QString SelectedData() const;
  void SelectAll();
  // Moves the caret of the active area to Index, the anchor staying where it was.
  void ExtendSelection(int Index);
  // Selects, in the area at Path, from Anchor to Caret (the caret goes there).
  void SelectRange(const TAreaPath& Path, int Anchor, int Caret);
  // Removes what is selected; true when there was something.
  bool DeleteSelection();

  // The clipboard (Clipboard.h; the pictures of ClipboardImages.h). Copy and Cut do
  // nothing with nothing selected.
  bool Copy();
  bool Cut();
  void Paste();
  // Inserts a copy (as ReadMimeData takes it) at the caret, in place of the selection.
  void InsertMimeData(const QMimeData& Mime);
  // The copy of the selection in the named format (text/plain and the format's types),
  // or as images only.
  bool CopyAs(const QString& FormatName);
  bool CopyAsImage();

  void Undo();
  void Redo();

  // Runs Insert (one insertion command of TEditArea) at the caret, as the palette does: an
  // editor without a line gets one first; a selected range goes into the first slot of
  // the template inserted; after a symbol, the caret stands behind it. In the Modern style
  // the caret goes to the template's first empty slot in reading order, else to the end
  // of its last.
  void InsertElement(const std::function<void(TEditArea&)>& Insert);

  // Takes the accent off the element before the caret, or else off the accent whose slot
  // holds the caret: its contents stay in its place, the caret after them. False, with
  // nothing changed, where there is no such accent.
  bool RemoveOrnament();

  // An editor without a line gets an empty one, active.
  void EnsureLine();

  // Rows and columns of the matrix around the caret (MatrixEditing.h): whether Edit can be
  // made there, and making it; false, with nothing changed, where it cannot.
  bool CanEditMatrix(TMatrixEdit Edit) const;
  bool EditMatrix(TMatrixEdit Edit);

  // The mouse, at points of the formula (the editor's node coordinates). A press sets
  // where a drag starts; a drag selects from there (see CommonRange); a double click
  // selects the element under the pointer.
  void MousePress(QPoint Point);
  void MouseDrag(QPoint Point);
  void DoubleClick(QPoint Point);

  // Draws the selection's highlight on Painter, which is set up for the formula's
  // coordinates; and schedules a repaint where the highlight changed since last drawn.
  void PaintSelection(QPainter& Painter) const;
  void RefreshHighlight();

  // The context menu: Undo, Redo, Cut, Copy, Paste, Select All, the Copy as entries and,
  // with the caret in a matrix, its row and column commands, each enabled when it can act. The menu deletes itself when closed.
  QMenu* CreateContextMenu();

 private:
  // Raises the editor's OnChange for a whole edit.
  void Announce();
  TEditorState Capture() const;
  // The highlight of the selection, in the formula's coordinates.
  QRegion HighlightRegion() const;
  void Restore(const TEditorState& State);
  // Puts the caret at Index in Area, which becomes the active area.
  void PlaceCaret(TEditArea* Area, int Index);
  // Moves the caret to Stop; Select extends the selection there.
  void MoveCaret(const struct TSlotStop& Stop, bool Select);
  void VerticalMove(bool Up, bool Select);
  bool ModernBackspace();
  // Enter: the rest of the caret's line goes to a new line below, the caret to its start.
  bool SplitLine();
  bool ModernDelete();
  // Replaces Template by the contents of its slots in reading order and puts the caret
  // Offset elements after where the contents of Slot begin.
  void Dissolve(TEqParent& Template, const TEditArea& Slot, int Offset);
  // Appends line Upper + 1 to line Upper; the caret goes to the join.
  void JoinLines(int Upper);
  void InsertContent(const TPasteContent& Content);
  // Inserts Data's lines at the caret: the first joins the caret's run; in a line, each
  // further one becomes a line of its own, the rest of the run going with the last. The
  // lines count as one text against the reader's limits; more lines than the formula has
  // room for are refused (ELimitError) before anything changes.
  void InsertLines(const QString& Data);
  void InsertLineTexts(const QString& Data);
  // Runs Insert, which puts about Count elements into the formula, with one layout at the
  // end where that is cheaper than one per element.
  void InsertMany(qsizetype Count, const std::function<void()>& Insert);
  // Inserts the elements of a run's text form at the caret of Area (TEditArea::InsertData).
  void InsertRun(TEditArea& Area, const QString& Run);

  TEditorCore& FEditor;
  TSelection FSelection;
  TUndoHistory FHistory;
  TClipboardFormats FFormats;
  TStructureTyping FTyping;
  bool FAnnouncing = false;
  // Where a drag started: the area and the caret position under the press.
  TAreaPath FDragPath;
  int FDragIndex = 0;
  // The highlight as last drawn, in the formula's coordinates.
  QRegion FHighlight;
  // Up and Down aim at the x where a run of them began, while the caret stays where the
  // last one put it.
  int FGoalX = 0;
  TAreaPath FGoalPath;
  int FGoalIndex = -1;
};

// One edit: it becomes one undo step, and the editor's change notice waits for the
// scope's end (unless Hold is false: a Data assignment notifies each line and element as
// it is read).
class TEditScope {
 public:
  explicit TEditScope(TEditing& Editing, bool Hold = true) : FEditing(Editing) {
    FEditing.BeginEdit(Hold);
  }
  ~TEditScope() { FEditing.EndEdit(); }
  TEditScope(const TEditScope&) = delete;
  TEditScope& operator=(const TEditScope&) = delete;

 private:
  TEditing& FEditing;
};
