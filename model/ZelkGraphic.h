#pragma once
// The two abstract bases of every formula node.
//
// TZelkGraphic is any node: it has a background colour and can split a text form into its
// items. TEquatStore is a node that owns a list of child edit areas (the editor's lines,
// a template's slots), with a current index and update bracketing.

#include <QColor>

#include "Types.h"
#include "../platform/CustomControl.h"
#include "../platform/Lists.h"

class TEditArea;
class TEquation;
using TEditAreaList = TObjectList<TEditArea>;

class TZelkGraphic : public TCustomControl {
 public:
  explicit TZelkGraphic(TCustomControl* Parent) : TCustomControl(Parent) {}

  QColor BkColor() const {
    Looked();
    return FBkColor;
  }
  // Stores the colour and repaints; overrides also hand it down the tree.
  virtual void SetBkColor(QColor Value);
  // Recomputes the node's own width and height.
  virtual void RefreshDimensions() = 0;

  // Splits a text into its items Name(Argument), in text order. Never fails: text between
  // items is ignored and an item whose parentheses never close takes the rest of the text.
  static TExprArray GetExprData(const QString& Text);

 private:
  QColor FBkColor = QColor(0, 0, 0);
};

class TEquatStore : public TZelkGraphic {
 public:
  explicit TEquatStore(TCustomControl* Parent) : TZelkGraphic(Parent) {}

  TEditAreaList* EditAreaList() const { return FEditAreaList; }
  // Replaces the list reference; the old list stays with the caller.
  void SetEditAreaList(TEditAreaList* Value) { FEditAreaList = Value; }
  int EditAreaCount() const { return FEditAreaList ? FEditAreaList->Count() : 0; }

  // The current child area, where InsertEditArea inserts.
  int EditAreaIndex() const { return FEditAreaIndex; }
  // Takes values in 0..count-1 only; others are ignored.
  void SetEditAreaIndex(int Value);

  double FontScale() const { return FFontScale; }
  int UpdateCount() const { return FUpdateCount; }

  // Brackets several changes: the last EndUpdate lays out (or notifies) once.
  void BeginUpdate();
  void EndUpdate();

  // The element this store is; nullptr for an editor. A change walks from a slot up
  // through its elements, where a cast would cost more than the walk.
  virtual TEquation* AsElement() { return nullptr; }

  virtual void EditAreaDown() {}
  virtual void EditAreaUp() {}
  // Re-lays out the child areas; Index is the one that changed.
  virtual void RefreshEditArea(int Index) { (void)Index; }
  virtual void DeleteEditArea() {}
  virtual void InsertEditArea() {}

 protected:
  // Called when UpdateCount leaves 0 (true) and returns to it (false).
  virtual void SetUpdateState(bool Updating) = 0;
  void SetFontScale(double Value) { FFontScale = Value; }
  // The index assigned directly, for restructuring setters that position insertions.
  void PlaceEditAreaIndex(int Value) { FEditAreaIndex = Value; }

 private:
  TEditAreaList* FEditAreaList = nullptr;
  int FEditAreaIndex = 0;
  int FUpdateCount = 0;
  double FFontScale = 1.0;
};
