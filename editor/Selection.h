#pragma once
// The selection: a contiguous range of elements in the edit area that holds the caret,
// from an anchor to the caret, or the whole formula (every line). The range follows the
// caret as it moves; any edit, and the caret going to another area, drops it.

#include <QString>
#include <utility>

class TEditArea;

class TSelection {
 public:
  // No range: the caret alone.
  void Clear() {
    FAnchor = -1;
    FWhole = false;
  }
  // A range from Anchor to wherever the caret goes.
  void SetAnchor(int Anchor) {
    FAnchor = Anchor;
    FWhole = false;
  }
  void SetWhole() {
    FAnchor = -1;
    FWhole = true;
  }

  // The anchor in the caret's area, -1 for none.
  int Anchor() const { return FAnchor; }
  bool IsWhole() const { return FWhole; }
  // The range [first, last) between the anchor and Caret; empty without an anchor.
  std::pair<int, int> Range(int Caret) const;
  // True when something is selected with the caret at Caret.
  bool HasRange(int Caret) const { return FWhole || (FAnchor >= 0 && FAnchor != Caret); }

 private:
  int FAnchor = -1;
  bool FWhole = false;
};

// The text form of elements First..Last-1 of Area, as a one-line formula: EditArea(...).
QString RunData(const TEditArea& Area, int First, int Last);

// Frees elements First..Last-1 of Area and puts its caret at First.
void DeleteRun(TEditArea& Area, int First, int Last);
