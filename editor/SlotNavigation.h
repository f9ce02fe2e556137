#pragma once
// How the caret moves through the structure of a formula. Slots are visited in reading
// order (TEqParent::ReadingOrder: numerator before denominator, limits before the operand,
// the subscript before the superscript, matrix cells row by row).
//
// Tab and Shift+Tab (both input styles) go from slot to slot. Forward, from a run into the
// first slot of the next template after the caret; from a slot that has no template after
// the caret into the template's next slot, and from its last slot to just after the
// template in the enclosing area. Backward is the mirror: into the last slot of the
// template before the caret (at its end), to the previous slot, from the first slot to
// just before the template.
//
// The arrows of the Modern style go one insertion point at a time through the whole
// formula: Right enters a template's first slot, leaves a slot's end for the next slot or
// for just after the template, and leaves a line's end for the next line; Left mirrors it.
// Up and Down go to the slot drawn above or below, in the innermost template that has one,
// else to the line above or below, at the insertion point nearest a given x.

class TEditArea;
class TEqParent;

// Where the caret goes: the area and the caret index in it.
struct TSlotStop {
  TEditArea* Area = nullptr;  // none: there is nowhere further to go
  int Index = 0;
};

// Tab and Shift+Tab from the caret at Index in Area.
TSlotStop NextSlotStop(TEditArea& Area, int Index);
TSlotStop PreviousSlotStop(TEditArea& Area, int Index);

// Right and Left.
TSlotStop NextCaretStop(TEditArea& Area, int Index);
TSlotStop PreviousCaretStop(TEditArea& Area, int Index);

// Up (Up true) and Down, aiming at formula x X.
TSlotStop VerticalStop(TEditArea& Area, bool Up, int X);

// Home and End: the start (end) of the caret's slot, and from there of its line.
TSlotStop HomeStop(TEditArea& Area, int Index);
TSlotStop EndStop(TEditArea& Area, int Index);

// The template whose slot Area is, or none for a line.
TEqParent* HoldingTemplate(const TEditArea& Area);
// The template with slots at Index of Area, or none (another element, out of range).
TEqParent* TemplateWithSlots(const TEditArea& Area, int Index);
// The first empty slot, in reading order, of the element at Index of Area or of the
// templates inside it (a matrix's first cell inside its brackets); none when all are full.
TEditArea* FirstEmptySlot(const TEditArea& Area, int Index);
// The formula x of insertion point Index of Area, and the insertion point of Area nearest
// formula x X.
int CaretX(const TEditArea& Area, int Index);
int NearestIndex(const TEditArea& Area, int X);
