#pragma once
// Tab and Shift+Tab: the caret moves from slot to slot in reading order. Forward, from a
// run into the first slot of the next template after the caret; from a slot that has no
// template after the caret into the template's next slot, and from its last slot to just
// after the template in the enclosing area. Backward is the mirror: into the last slot
// of the template before the caret (at its end), to the previous slot, from the first
// slot to just before the template.

class TEditArea;

// Where the caret goes next: the area and the caret index in it.
struct TSlotStop {
  TEditArea* Area = nullptr;  // none: there is nowhere further to go
  int Index = 0;
};

// From the caret at Index in Area.
TSlotStop NextSlotStop(TEditArea& Area, int Index);
TSlotStop PreviousSlotStop(TEditArea& Area, int Index);
