#pragma once
// Undo and redo of every edit. A step holds the formula (its Data text), the caret and the
// selection as they were before and after the edit; undoing rebuilds the formula from the
// text and puts caret and selection back. Edits are bracketed (TUndoHistory::Begin/End):
// an edit that changed the Data text becomes one step, and a run of typed characters in
// one area, each typed where the last one left the caret, stays one step. Changes made
// outside any bracket (a host calling the model directly) become a step of their own when
// the next edit begins, on Undo, or when control returns to the event loop.

#include <QString>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>

#include "AreaPath.h"

struct TEditorState {
  QString Data;
  TAreaPath Area;  // holds the caret
  int Caret = 0;
  int Anchor = -1;  // of the selection in Area, -1 for none
  bool Whole = false;

  // Same caret and selection, whatever the formula.
  bool SamePlace(const TEditorState& Other) const {
    return Area == Other.Area && Caret == Other.Caret && Anchor == Other.Anchor &&
           Whole == Other.Whole;
  }
};

class TUndoHistory {
 public:
  // Capture reads the editor's state; Restore makes it the editor's state.
  TUndoHistory(std::function<TEditorState()> Capture,
               std::function<void(const TEditorState&)> Restore);

  QUndoStack& Stack() { return FStack; }

  // Forgets every step; the current state is the starting point.
  void Reset();

  // Brackets one edit; brackets nest, the outermost one counts. Hold: the changes in it
  // are announced once at its end, not as they happen.
  void Begin(bool Hold = true);
  // Ends the bracket; true when the outermost one ends, holding changes, and something
  // changed in it.
  bool End();
  // The edit in the current bracket is typing (it may join the step before).
  void MarkTyping() { FTyping = true; }

  // The editor announces a change. True: it happens inside a bracket or while a step is
  // being restored, and is announced once when that ends.
  bool NoteChange();
  bool Restoring() const { return FRestoring; }
  // Inside a bracket or restoring a step.
  bool Editing() const { return FDepth > 0 || FRestoring; }

  void Undo();
  void Redo();

 private:
  friend class TStateCommand;
  void Apply(const TEditorState& State);
  // Makes the changes made outside brackets one step.
  void Flush();

  std::function<TEditorState()> FCapture;
  std::function<void(const TEditorState&)> FRestore;
  QUndoStack FStack;
  QTimer FFlushTimer;
  TEditorState FKnown;   // after the last step, restore or flush
  TEditorState FBefore;  // at the start of the current bracket
  int FDepth = 0;
  bool FChanged = false;
  bool FHold = true;
  bool FTyping = false;
  bool FOutside = false;
  bool FRestoring = false;
};

// One step: the editor's state before and after an edit.
class TStateCommand : public QUndoCommand {
 public:
  TStateCommand(TUndoHistory& History, TEditorState Before, TEditorState After, bool Typing);

  void undo() override;
  void redo() override;
  // Typing steps share an id, so that the stack offers each one to the step before.
  int id() const override { return FTyping ? 1 : -1; }
  // Joins typing that goes on where this step left the caret.
  bool mergeWith(const QUndoCommand* Other) override;

 private:
  TUndoHistory& FHistory;
  TEditorState FBefore;
  TEditorState FAfter;
  bool FTyping;
  bool FDone = true;  // the edit happened before the step was pushed
};
