#include "UndoCommands.h"

#include <exception>
#include <utility>

namespace {
// Steps kept; the oldest go first.
constexpr int UndoLimit = 500;
}  // namespace

TUndoHistory::TUndoHistory(std::function<TEditorState()> Capture,
                           std::function<void(const TEditorState&)> Restore)
    : FCapture(std::move(Capture)), FRestore(std::move(Restore)) {
  FStack.setUndoLimit(UndoLimit);
  FFlushTimer.setSingleShot(true);
  FFlushTimer.setInterval(0);
  QObject::connect(&FFlushTimer, &QTimer::timeout, [this] { Flush(); });
}

void TUndoHistory::Reset() {
  FStack.clear();
  FKnown = FCapture();
  FOutside = false;
  FFlushTimer.stop();
}

void TUndoHistory::Begin(bool Hold) {
  if (FDepth++ > 0) return;
  FHold = Hold;
  Flush();
  FBefore = FCapture();
  // An edit that announces as it goes may change without a word (emptying the formula):
  // it is always compared.
  FChanged = !Hold;
  FTyping = false;
}

bool TUndoHistory::End() {
  if (FDepth == 0 || --FDepth > 0) return false;
  if (!FChanged) return false;
  FChanged = false;
  TEditorState After = FCapture();
  if (After.Data != FBefore.Data) {
    FStack.push(new TStateCommand(*this, std::move(FBefore), After, FTyping));
    FKnown = std::move(After);
  }
  return FHold;
}

bool TUndoHistory::NoteChange() {
  if (FRestoring) return true;
  if (FDepth > 0) {
    FChanged = true;
    return FHold;
  }
  FOutside = true;
  FFlushTimer.start();
  return false;
}

void TUndoHistory::Flush() {
  if (!FOutside) return;
  FOutside = false;
  FFlushTimer.stop();
  TEditorState After = FCapture();
  if (After.Data == FKnown.Data) return;
  FStack.push(new TStateCommand(*this, FKnown, After, false));
  FKnown = std::move(After);
}

void TUndoHistory::Undo() {
  Flush();
  FStack.undo();
}

void TUndoHistory::Redo() {
  Flush();
  FStack.redo();
}

void TUndoHistory::Apply(const TEditorState& State) {
  // Undo runs from buttons and menus too: no fault may leave it for the event loop.
  FRestoring = true;
  try {
    FRestore(State);
    FKnown = State;
  } catch (const std::exception&) {
    FKnown = FCapture();
  }
  FRestoring = false;
}

TStateCommand::TStateCommand(TUndoHistory& History, TEditorState Before, TEditorState After,
                             bool Typing)
    : FHistory(History), FBefore(std::move(Before)), FAfter(std::move(After)), FTyping(Typing) {}

void TStateCommand::undo() { FHistory.Apply(FBefore); }

void TStateCommand::redo() {
  if (std::exchange(FDone, false)) return;
  FHistory.Apply(FAfter);
}

bool TStateCommand::mergeWith(const QUndoCommand* Other) {
  const auto* Next = dynamic_cast<const TStateCommand*>(Other);
  if (!Next || !FTyping || !Next->FTyping || !Next->FBefore.SamePlace(FAfter) ||
      Next->FBefore.Area != FBefore.Area || Next->FBefore.Data != FAfter.Data)
    return false;
  FAfter = Next->FAfter;
  return true;
}
