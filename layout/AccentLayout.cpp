// The accent: the mark's room above the slot (or right of it for primes), the slot
// below it at the run's size.

#include "editor/EACursor.h"
#include "layout/Marks.h"
#include "model/Accent.h"
#include "model/EditArea.h"

int TEqAccent::SlotTop() const {
  // The slot's line box has room above its letters: the mark reaches into it.
  const int Above = TMarks::AccentHeight(FKindAccent, Font().Size());
  return Above - qMin(Font().Size() / 5, Above / 2);
}

int TEqAccent::CalcHeight() const { return SlotTop() + Slot(0)->Height(); }

int TEqAccent::CalcWidth() const {
  const int Beside = TMarks::AccentWidth(FKindAccent, Font().Size());
  const TEditArea* Body = Slot(0);
  if (Beside == 0) return Body->Width();
  // Primes follow the content closely, into the slot's own room at its end if need be.
  const QRect Span = ContentSpan();
  return qMax(Body->Width(), Span.left() + Span.width() + Beside);
}

int TEqAccent::GetMidLine() const { return SlotTop() + Slot(0)->Height() / 2; }

void TEqAccent::RefreshEditArea(int) {
  RefreshMetrics();
  TEditArea* Body = Slot(0);
  RefreshEA(Body, 1.0);
  Body->SetIndexInParent(0);
  Body->SetLeft(0);
  Body->SetTop(SlotTop());
  GetParent()->RefreshEquations();
}

QRect TEqAccent::ContentSpan() const {
  const TEditArea* Body = Slot(0);
  const QRect Whole(Body->Left(), Body->Top(), Body->Width(), Body->Height());
  if (Body->Count() == 0) return Whole;
  // Each element follows a caret-wide gap; the last ends where the run's width ends.
  const int Left = TEACursor::CaretWidth;
  const int Right = Body->CalcWidth(Body->Count());
  return QRect(Body->Left() + Left, Whole.top(), Right - Left, Whole.height());
}

QRect TEqAccent::MarkRoom() const {
  const int FS = Font().Size();
  const QRect Span = ContentSpan();
  if (const int Beside = TMarks::AccentWidth(FKindAccent, FS))
    return QRect(Span.left() + Span.width(), Span.top(), Beside, FS / 2);
  if (const int Above = TMarks::AccentHeight(FKindAccent, FS)) return QRect(Span.left(), 0, Span.width(), Above);
  // Across the content, clear of the slot's top and bottom margins.
  return Span.adjusted(0, Span.height() / 5, 0, -Span.height() / 5);
}

void TEqAccent::Paint() { PaintBackground(); }

void TEqAccent::PaintOver() {
  TMarks(Canvas(), Font().Color, Thickness()).Accent(FKindAccent, MarkRoom(), Font().Size());
}
