// The lines side to side: the lines that hold alignment marks form one block of columns,
// the n-th mark of each line at one x, as aligned display equations stand. The columns
// between the marks alternate: right-aligned before an odd-numbered mark, left-aligned
// after it; each further pair of columns stands an em to the right of the one before.
// A line takes its room before the first column by its own left edge and the rest as
// pads around its marks (TEditArea::SetAlignPads).

#include <algorithm>

#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"

namespace {
// A line measured without the pads its last alignment gave it: the widths of the runs
// before, between and after its marks (one run for a line without marks).
struct TLineColumns {
  std::vector<int> Runs;
  int Width = 0;
};

TLineColumns NaturalColumns(const TEditArea& Line) {
  TLineColumns Result;
  const std::vector<int>& Pads = Line.AlignPads();
  qint64 Padded = 0;  // the pads up to and including the element looked at
  std::size_t Next = 0;
  qint64 RunStart = 0;
  for (int Mark : Line.Marks()) {
    for (; Next <= static_cast<std::size_t>(Mark) && Next < Pads.size(); ++Next) Padded += Pads[Next];
    const TEquation* Element = Line.Item(Mark);
    // Where one row would put it: a wrapped line's rows are moved.
    const qint64 Left = Element->Left() - Line.RowShift(Line.RowOf(Mark)).x() - Padded;
    Result.Runs.push_back(static_cast<int>(qMax<qint64>(0, Left - RunStart)));
    RunStart = Left + Element->Width();
  }
  for (; Next < Pads.size(); ++Next) Padded += Pads[Next];
  Result.Width = static_cast<int>(Line.RunWidth() - Padded);
  Result.Runs.push_back(static_cast<int>(qMax<qint64>(0, Result.Width - RunStart)));
  return Result;
}
}  // namespace

void TEditorCore::AlignLines() {
  const int FS = Font().Size();
  const int Margin = FS / 2;
  const bool AtMarks = FLineAlignment == TLineAlignments::AtMarks;
  std::vector<TLineColumns> Lines(LineCount());
  std::vector<bool> InBlock(LineCount(), false);
  std::vector<int> Widest;  // of each column over the block
  int MarkWidth = 0;
  int Others = 0;  // the widest line outside the block
  bool Block = false;
  for (int J = 0; J < LineCount(); ++J) {
    const TEditArea* Line = this->Line(J);
    Lines[J] = NaturalColumns(*Line);
    InBlock[J] = !Line->Marks().empty() || AtMarks;
    if (!InBlock[J]) {
      Others = qMax(Others, Lines[J].Width);
      continue;
    }
    Block = true;
    if (!Line->Marks().empty()) MarkWidth = Line->Item(Line->Marks().front())->Width();
    const std::vector<int>& Runs = Lines[J].Runs;
    if (Widest.size() < Runs.size()) Widest.resize(Runs.size(), 0);
    for (std::size_t K = 0; K < Runs.size(); ++K) Widest[K] = qMax(Widest[K], Runs[K]);
  }
  // Where each column begins in the block; a right-aligned column after the first pair
  // keeps an em from the pair before.
  std::vector<qint64> Start(Widest.size(), 0);
  for (std::size_t K = 1; K < Widest.size(); ++K)
    Start[K] = Start[K - 1] + Widest[K - 1] + MarkWidth + (K % 2 == 0 ? FS : 0);
  const qint64 BlockWidth = Block ? Start.back() + Widest.back() : 0;
  const qint64 Content = qMax<qint64>(BlockWidth, Others);
  const bool Centre = FLineAlignment == TLineAlignments::Centre;
  const qint64 BlockLeft = Margin + (Centre ? (Content - BlockWidth) / 2 : 0);
  for (int J = 0; J < LineCount(); ++J) {
    TEditArea* Line = this->Line(J);
    if (!InBlock[J]) {
      Line->SetAlignPads({});
      Line->SetLeft(ClampCoordinate(Margin + (Centre ? (Content - Lines[J].Width) / 2 : 0)));
      continue;
    }
    const std::vector<int>& Runs = Lines[J].Runs;
    const std::vector<int>& Marks = Line->Marks();
    std::vector<int> Pads;
    if (!Marks.empty()) Pads.assign(Line->Count() + 1, 0);
    for (std::size_t I = 0; I < Marks.size(); ++I) {
      // Mark I ends run I and begins run I + 1: a left-aligned run I fills its column
      // before the mark (and the room to the next pair), a right-aligned run I + 1 fills
      // its column after it.
      if (I % 2 == 1) Pads[Marks[I]] += Widest[I] - Runs[I] + FS;
      if ((I + 1) % 2 == 0) Pads[Marks[I] + 1] += Widest[I + 1] - Runs[I + 1];
    }
    Line->SetAlignPads(std::move(Pads));
    Line->SetLeft(ClampCoordinate(BlockLeft + Widest.front() - Runs.front()));
  }
}
