#pragma once
// The input styles of the editor: how keys and the mouse move the caret and edit.

#include <QObject>

class TInputStyles {
  Q_GADGET

 public:
  // Classic: the editor's own key map, the default: arrows and Home/End stay inside the
  // caret's slot, a click activates an area where its caret last stood. Modern: the caret
  // goes through the whole formula in reading order, Up and Down reach the slot drawn
  // above or below, Backspace and Delete take templates apart one step at a time, a click
  // puts the caret under the pointer, and the caret shows only while the editor has the
  // keyboard focus.
  enum TInputStyle : int { Classic = 0, Modern = 1 };
  Q_ENUM(TInputStyle)
};

using TInputStyle = TInputStyles::TInputStyle;

namespace Zelk {
using InputStyle = TInputStyles::TInputStyle;
}  // namespace Zelk
