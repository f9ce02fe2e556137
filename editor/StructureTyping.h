#pragma once
// TStructureTyping: what typing builds in the Modern input style.
//
// Structure keys, matched on the character typed, never on the key:
// - "/" makes a fraction of the selection, or else of the operand left of the caret (back
//   to the nearest binary operator, relation, comma or space; a bracket pair or a template
//   is one operand, the outer round brackets of a bracketed operand are dropped); the
//   caret goes to the denominator.
// - "^" and "_" make a superscript or subscript of the element before the caret (of the
//   selection, as its content); "^" in a subscript of its own, or "_" in a superscript,
//   makes the index hold both.
// - A relation or binary operator typed at the end of a script that holds something
//   leaves the script first; in an empty script it is a sign (e^-x^2).
// - "(", "[", "{", "|" with a selection wrap it in brackets; otherwise they type
//   themselves, except that "(" right after a shortcut or command that made a template
//   of one slot opens that slot, and the ")" matching it leaves the slot.
// - "\" opens the command line (CommandLine.h).
// - Digraphs (->, <=, +-, ...) and, with WordShortcuts, words (alpha, sqrt, ...) turn into
//   their palette sign or template (TypingShortcuts.h). A word fires when it is the whole
//   run of letters typed one after another (so "sint" and "xin" never do, "x", Space, "in"
//   does); one that begins a longer one, or has only two letters (xi, mu, pi: often the
//   start of a product of variables), waits for the next key or a short pause.
// Every conversion is one undo step after the typed characters; Backspace right after it
// takes it back to them, and so does Ctrl+Z.

#include <QString>
#include <QTimer>
#include <optional>

#include "AreaPath.h"
#include "CommandLine.h"
#include "UndoCommands.h"

class QKeyEvent;
class TEditArea;
class TEditing;
class TEditorCore;
struct TShortcut;

class TStructureTyping {
 public:
  TStructureTyping(TEditing& Editing, TEditorCore& Editor);

  // Before the editor handles Event: the command line takes its keys; a waiting shortcut
  // converts unless Event goes on typing it; Backspace right after a conversion takes it
  // back. True when Event needs nothing more.
  bool BeforeKey(const QKeyEvent& Event);
  // A character about to be typed at the caret: true when it made structure (or opened
  // or left a slot) instead of typing itself.
  bool BeforeCharacter(char32_t Character);
  // The character was typed: it may be a structure key or end a shortcut.
  void AfterCharacter(char32_t Character);
  // The conversion the key asked for, as an undo step of its own.
  void AfterKey();
  // A waiting shortcut converts now (the pause after it does the same).
  void ConvertWaiting();
  // A click: nothing waits and nothing can be taken back; an open command line leaves its
  // text as characters.
  void Reset();

  TCommandLine& CommandLine() { return FCommandLine; }

 private:
  // A run of typed characters in one area that is to become something.
  struct TPending {
    TAreaPath Path;
    int Start = 0;
    int Length = 0;
    const TShortcut* Shortcut = nullptr;  // none: a structure key, the one character
  };
  void Convert(const TPending& Pending);
  void MakeFraction(TEditArea& Area, int Slash);
  void MakeScript(TEditArea& Area, int Key, bool Top);
  void InsertShortcut(TEditArea& Area, const TShortcut& Shortcut);
  // After a conversion: Backspace may take it back, "(" may open a one-slot template.
  void Converted();
  // Once the conversion's step is on the stack: Backspace takes that step back.
  void Arm();
  // Inserts the Data run Run at the caret as one step, the caret in its first empty slot.
  void InsertRun(const QString& Run);
  void AcceptCommand(bool TypeText);
  bool CommandKey(const QKeyEvent& Event);
  bool TakeBack();

  TEditing& FEditing;
  TEditorCore& FEditor;
  TCommandLine FCommandLine;
  std::optional<TPending> FDue;
  std::optional<TPending> FWaiting;
  QTimer FPause;
  // The step Backspace takes back, with the state right after it.
  int FTakeBackIndex = -1;
  bool FArm = false;
  TEditorState FTakeBackState;
  // The slot a "(" opens, and the slot it opened.
  TAreaPath FSlotToOpen;
  TAreaPath FOpenedSlot;
  // The letters typed one after another, with no other key between them: where the run
  // ends and how long it is.
  TAreaPath FRunPath;
  int FRunEnd = -1;
  int FRunLength = 0;
};
