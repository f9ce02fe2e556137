#pragma once
// Helpers for layout tests: a formula read into a fresh editor, fonts as the editor sizes
// them, rendering a node with its children, and reading ink off the picture.

#include <QFontMetrics>
#include <QImage>
#include <functional>

#include "TestSupport.h"

// An editor holding Data, and the first element of its first line.
struct FormulaFixture : EditorFixture {
  explicit FormulaFixture(const QString& Data) { Editor->SetData(Data); }
  template <typename T>
  T* First() const {
    return ElementAt<T>(Line(0), 0);
  }
};

// The editor's font at Size points, as every node of the tree derives it.
inline QFont FontAt(const TZelkEquation& Editor, int Size) {
  QFont Font = Editor.Font();
  Font.setPointSize(Size);
  return Font;
}

// The node and its children as the editor paints them.
inline QImage Render(const TCustomControl* Node) {
  auto* Editor = dynamic_cast<TZelkEquation*>(Node->Host());
  return Editor->grab().toImage().copy(QRect(Node->HostPosition(), Node->BoundsRect().size()));
}

// Dark enough to be drawn text or lines rather than background.
inline bool Inked(const QImage& Image, int X, int Y) {
  return X >= 0 && Y >= 0 && X < Image.width() && Y < Image.height() &&
         qGray(Image.pixel(X, Y)) < 160;
}

inline bool RowInked(const QImage& Image, int Y, int X1, int X2) {
  for (int X = X1; X < X2; ++X)
    if (!Inked(Image, X, Y)) return false;
  return true;
}

inline bool AnyInked(const QImage& Image, QRect Area) {
  for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
    for (int X = Area.left(); X <= Area.right(); ++X)
      if (Inked(Image, X, Y)) return true;
  return false;
}

// Calls Check(parent, child) for every node below Root, depth first.
inline void ForEachChild(TCustomControl* Root,
                         const std::function<void(TCustomControl*, TCustomControl*)>& Check) {
  for (TCustomControl* Child : Root->Children()) {
    Check(Root, Child);
    ForEachChild(Child, Check);
  }
}
