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

#include <QColor>
#include <QString>
#include <memory>

#include "model/ZelkGraphic.h"
#include "platform/VirtualKeys.h"

class QUndoStack;
class TEditArea;
class TEditing;

class TZelkEquation : public TEquatStore {
  Q_OBJECT
  // The whole formula as text. Assigning a text that cannot be read, or only in part,
  // keeps what was read before the fault; call SetData to learn about the fault.
  Q_PROPERTY(QString Data READ GetData WRITE PutData NOTIFY OnChange)
  Q_PROPERTY(QColor BkColor READ BkColor WRITE SetBkColor)
  // The colour of the formula's text, bars and signs.
  Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(QString Version READ Version STORED false)

 public:
  explicit TZelkEquation(QWidget* Parent = nullptr);
  ~TZelkEquation() override;

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
  // Rebuilds every line from Text. Throws EConvertError on a non-numeric ExtSymbol and
  // ELimitError on a text beyond the reader's limits (model/TextForm.h); what was read
  // before either stays. With no OnChange receiver connected, the tree is laid out once
  // at the end, to the same geometry and caret the step-by-step reading leaves.
  void SetData(const QString& Text);
  // The property's writer: as SetData, but a fault never leaves it.
  void PutData(const QString& Text);

  // How edit areas lay out. lmEach: every command lays out its path at once. lmDeferred:
  // while Data is read with no OnChange receiver to see the steps, areas are not
  // measured; only the carets' blink phase follows each step as it would. lmWhole: the
  // one pass that ends such a read; a template's layout leaves its run to that pass.
  enum TLayoutMode { lmEach, lmDeferred, lmWhole };
  TLayoutMode LayoutMode() const { return FLayoutMode; }

  void SetBkColor(QColor Value) override;
  QColor FontColor() const { return Font().Color; }
  void SetFontColor(QColor Value);
  void RefreshDimensions() override {}
  QString Version() const;

  // Raises OnChange.
  virtual void Change();

  // The key map: what the key with virtual-key code Key does to the active edit area and
  // to the lines. Keys act only while an area is active. Shift, Ctrl and Alt act like the
  // plain key; for a character key they only change what it types. True when the key is
  // one the editor acts on; false leaves it to the host.
  bool KeyDown(quint16 Key, TShiftState Shift);

 signals:
  void OnChange();

 protected:
  void SetUpdateState(bool Updating) override;
  void Paint() override;
  void changeEvent(QEvent* Event) override;
  // Claims the arrow keys and the editing chords (Ctrl+Z, Ctrl+C, ...) before the host's
  // shortcuts and navigation see them. Tab and Shift+Tab move between slots and leave
  // the editor, through Qt's focus navigation, only where no slot is left to go to; with
  // Ctrl they always leave.
  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  // A press outside every line only focuses the editor (and gives an editor without a
  // line one).
  void mousePressEvent(QMouseEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

 private:
  // Lays out every line and every template again for the new font; no OnChange.
  void FontChanged();
  void EnabledChanged();
  TEditArea* CreateLine(int Position);
  void ReadLines(const QString& Text);
  // Lays out the whole tree in one pass, bottom-up, to what the step-by-step layout gives,
  // and keeps the active caret's blink phase.
  void LayoutWhole();
  // First member: the nodes built by the constructor already announce changes to it.
  std::unique_ptr<TEditing> FEditing;
  TEditArea* FActiveEditArea = nullptr;
  // The reading of a text in progress: nesting of its readers, elements built so far.
  friend class TReadScope;
  int FReadLevel = 0;
  int FElementsRead = 0;
  TLayoutMode FLayoutMode = lmEach;
};
