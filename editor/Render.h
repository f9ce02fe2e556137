#pragma once
// How a formula is drawn outside the editor's own painting: for pictures, the clipboard,
// printing and zoom.

struct TRenderOptions {
  // Device pixels per pixel of the formula's layout.
  double Scale = 1.0;
  // The caret, the dotted frames of the slots and the editor's frame.
  bool EditingMarks = false;
  // No background: only the formula's ink is drawn.
  bool Transparent = false;
};

namespace Zelk {
using RenderOptions = TRenderOptions;
}  // namespace Zelk
