#pragma once
// TSpokenFormula: the formula of an editor read aloud, as one text in one of the palette's
// languages ("the integral from 0 to infinity of x d x"), with the words taken from the
// string table. Alongside the text it keeps the structure a screen reader navigates: every
// line, template, slot and character as a node with a name and the stretch of the text
// that speaks it, and the offset in the text of every caret position.
//
// It is a snapshot: it refers to the nodes of the tree as it was read and is read again
// after every change of the formula.

#include <QHash>
#include <QRect>
#include <QString>
#include <vector>

#include "../editor/Language.h"

class TEditArea;
class TEquation;
class TEditorCore;
class TZelkGraphic;

struct TSpokenNode {
  enum TKind { kLine, kSlot, kTemplate, kCharacter };
  TKind Kind = kLine;
  const TZelkGraphic* Graphic = nullptr;  // the edit area or the element
  int Parent = -1;                        // node index; -1 for a line
  std::vector<int> Children;              // node indices, in the order they are spoken
  QString Name;   // "fraction", "numerator", "matrix 2 by 2, cell 1 2"; a character's words
  int Start = 0;  // the stretch [Start, End) of the text that speaks the node
  int End = 0;
};

class TSpokenFormula {
 public:
  TSpokenFormula(const TEditorCore& Editor, TLanguage Language);

  const QString& Text() const { return FText; }
  // The words that speak node Index.
  QString TextOf(int Index) const;

  int NodeCount() const { return static_cast<int>(FNodes.size()); }
  const TSpokenNode& Node(int Index) const { return FNodes[Index]; }
  // Node indices of the lines, top to bottom.
  const std::vector<int>& Lines() const { return FLines; }
  // The node of an edit area or element of the tree read, or -1.
  int Find(const TZelkGraphic* Graphic) const { return FIndex.value(Graphic, -1); }
  // Node Index's rectangle in the editor's coordinates: its bounds moved by those of every
  // node above it.
  QRect Rect(int Index) const;

  // The offset of the caret standing at position Position of Area, or -1 when Area was not
  // read.
  int CaretOffset(const TEditArea* Area, int Position) const;
  // The caret position whose offset is the greatest not beyond Offset (the first one for
  // an offset before it).
  struct TCaretStop {
    const TEditArea* Area;
    int Position;
    int Offset;
  };
  TCaretStop CaretStopAt(int Offset) const;

 private:
  friend class TSpeaker;
  QString FText;
  std::vector<TSpokenNode> FNodes;
  std::vector<int> FLines;
  QHash<const TZelkGraphic*, int> FIndex;
  std::vector<TCaretStop> FStops;                        // in text order
  QHash<const TEditArea*, std::vector<int>> FAreaStops;  // offset by position
};
