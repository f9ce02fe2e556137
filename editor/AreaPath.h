#pragma once
// Where an edit area sits in a formula, as indices that outlive the nodes: the line, then
// for each template on the way down its place in the run and the slot taken. Undo and
// selection keep positions this way, since rebuilding a formula replaces every node.

#include <utility>
#include <vector>

class TEditArea;
class TEditorCore;

struct TAreaPath {
  int Line = -1;
  // (element index in the run, slot index in that element), outermost first.
  std::vector<std::pair<int, int>> Steps;

  bool IsValid() const { return Line >= 0; }
  // The path of the area that holds this one, or an invalid path for a line.
  TAreaPath Parent() const;
  bool operator==(const TAreaPath&) const = default;
};

// The path of Area in its editor; invalid when Area is not part of one.
TAreaPath PathOf(const TEditArea* Area);

// The area at Path in Editor, or none when the formula has no such area.
TEditArea* AreaAt(const TEditorCore& Editor, const TAreaPath& Path);

// The index in its run of the template that holds slot Area, or -1 for a line.
int TemplateIndexOf(const TEditArea* Area);

// The selection a drag from caret position CaretA in area A to CaretB in area B makes: in
// the nearest area that holds both, a range that takes whole every template one of them
// lies in. Anchor is the end on A's side, Caret the end on B's side. The path is invalid
// when A and B are in different lines.
struct TCommonRange {
  TAreaPath Path;
  int Anchor = 0;
  int Caret = 0;
};
TCommonRange CommonRange(const TAreaPath& A, int CaretA, const TAreaPath& B, int CaretB);
