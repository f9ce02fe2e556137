#pragma once
// Shared helpers for the tests: an editor with a change counter, and tree navigation.

#include <QFontMetrics>
#include <QSignalSpy>
#include <memory>

#include "editor/Equations.h"

struct EditorFixture {
  std::unique_ptr<TZelkEquation> Editor = std::make_unique<TZelkEquation>();
  int Changes = 0;
  EditorFixture() {
    QObject::connect(Editor.get(), &TZelkEquation::OnChange, [this] { ++Changes; });
  }
  TEditArea* Line(int I) const { return Editor->Line(I); }
  TEditArea* Active() const { return Editor->ActiveEditArea(); }
};

template <typename T>
T* ElementAt(TEditArea* Area, int Index) {
  return dynamic_cast<T*>(Area->Item(Index));
}

inline TEditArea* SlotOf(TEditArea* Area, int Element, int Slot) {
  return dynamic_cast<TEqParent*>(Area->Item(Element))->Slot(Slot);
}
