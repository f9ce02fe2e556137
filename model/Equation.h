#pragma once
// TEquation is one element of a run; TEqParent is the base of every template element,
// which owns the child edit areas (slots) that hold its content.

#include <any>
#include <vector>

#include "ZelkGraphic.h"

class TEditArea;
class TEditorCore;

class TEquation : public TEquatStore {
 public:
  // Owner must be a TEditArea (else EInvalidCast); it becomes the parent control.
  explicit TEquation(TCustomControl* Owner);

  TEquation* AsElement() override { return this; }

  // The edit area whose run holds the element.
  TEditArea* GetParent() const { return FParent; }
  void PutParent(TEditArea* Value);

  // Text of the element's argument, and filling the element's slots from it.
  virtual QString GetData() const { return QString(); }
  virtual void SetData(const QString& Text) { (void)Text; }

  // Natural size from the current content, and the axis in pixels from the top.
  virtual int CalcHeight() const { return 0; }
  virtual int CalcWidth() const { return 0; }
  virtual int GetMidLine() const { return Height() / 2; }
  // How the Math style spaces the element against its neighbours.
  virtual TMathAtom MathAtom() const { return maOrd; }
  // The Math style's level of the run that holds the element.
  TMathLevel MathLevel() const;

  // Prepares the canvas for measuring or drawing: no outline, a solid background brush,
  // the element's font.
  void SetCanvasFont() const;

  // What the Math style computed for the element when it was last laid out, with the font
  // size it was computed at: its sizes, its axis and its painting read it
  // (layout/MathStyle.h). Forgotten when something it depends on changes.
  struct TKeptLayout {
    std::any Layout;
    int FontSize = 0;
  };
  TKeptLayout& KeptLayout() const { return FKeptLayout; }
  void ForgetLayout() const { FKeptLayout.Layout.reset(); }

 protected:
  void SetUpdateState(bool Updating) override;
  // The element's measure changed outside a layout: its line is laid out again in full.
  void ContentChanged();
  // While a read defers layout: the editor's active area (the editor itself when none);
  // otherwise nullptr.
  TEditArea* DeferredActiveArea() const;
  bool MouseDown(Qt::MouseButton Button, QPoint Point) override;

 private:
  TEditArea* FParent = nullptr;
  mutable TKeptLayout FKeptLayout;
};

class TEqParent : public TEquation {
 public:
  explicit TEqParent(TCustomControl* Owner);
  ~TEqParent() override;

  // Slot Index, with the list's range check.
  TEditArea* Slot(int Index) const { return EditAreaList()->GetItem(Index); }

  // Adds a slot at EditAreaIndex; it takes the template's font scaled by FontScale and
  // becomes the active area.
  void InsertEditArea() override;
  void SetBkColor(QColor Value) override;

  // The slots in the order they are read (as LaTeX writes them): the order Tab and the
  // arrows visit them. The slot order unless a kind says otherwise.
  virtual std::vector<TEditArea*> ReadingOrder() const;
  // Writes and reads slot 0 only (brackets, arrows, vectors).
  QString GetData() const override;
  void SetData(const QString& Text) override;

  // Height from CalcHeight, then Width from CalcWidth.
  void RefreshDimensions() override;

 protected:
  // Fills the whole element with the background colour, no outline, and leaves the canvas
  // set up with the element's font.
  void PaintBackground();
  // Every slot, as consecutive EditArea items.
  QString SlotsData() const;
  // Fills the slots by position from the EditArea items; items of other names keep their
  // number but are skipped, surplus items are ignored.
  void SlotsSetData(const TExprArray& Items);
  // Re-derives one slot from the template: background, font at Factor (in the Math style:
  // at the level Style gives, cramped when Cramped or when the template's run is), size.
  void RefreshEA(TEditArea* Area, double Factor, TSlotStyle Style = ssSame, bool Cramped = false);

};

// A template drawn with horizontal bars: the fraction, the labelled arrow and the bar or
// arrow over or under a slot. Gap (the room between slot and bar, FS div 5) and
// Thickness (of a bar, FS div 10) follow the element's font and are brought up to date
// before every measurement and layout, so a new element is right at once.
class TEqBarred : public TEqParent {
 public:
  using TEqParent::TEqParent;

  int Gap() const { return FGap; }
  int Thickness() const { return FThickness; }

  // Gap and Thickness from the font, then Height and Width.
  void RefreshDimensions() override;

 protected:
  // Derives Gap and Thickness from the element's font.
  void RefreshMetrics();
  // A solid bar in the font colour, Thickness high (never less than one pixel), across the
  // whole width, its top at Y.
  void PaintBar(int Y);
  // Two-stroke arrow heads 15 pixels long at the ends named by Kind, on a bar at Y.
  void PaintHeads(TKindArrow Kind, int Y);
  // A horizontal curly brace across the whole width in the band from Y, Height high, its
  // tip at the top (Up) or at the bottom, drawn with a pen Thickness wide.
  void PaintBrace(int Y, int Height, bool Up);

 private:
  int FGap = 0;
  int FThickness = 0;
};
