#pragma once
// TEACursor: the blinking caret of one edit area, a 2-pixel bar as high as the area's
// font size. Its blink phase flips every 500 ms from the moment it was last enabled (or
// created) while its area is active and the editor is enabled; the editor's one blink
// timer does the flipping.

#include <QtGlobal>

#include "../model/ZelkGraphic.h"

class TEditArea;

class TEACursor : public TZelkGraphic {
 public:
  explicit TEACursor(TEditArea* Owner);

  // The caret's width; a run keeps a gap this wide before each element.
  static constexpr int CaretWidth = 2;
  static constexpr int BlinkInterval = 500;

  // The area that owns the caret.
  TEditArea* GetParent() const { return FParent; }
  void PutParent(TEditArea* Value);

  // Enabled: the caret's area is active; the blink runs.
  bool ComVisible() const { return FComVisible; }
  void SetComVisible(bool Value);
  // Flips the blink phase: a visible caret hides; a hidden one shows while enabled.
  void RefreshVisible();
  // Width 2, height the font size; flips the blink phase.
  void RefreshDimensions() override;

  // The blink clock runs (it stops while the caret is disabled).
  bool Blinking() const { return FBlinkStart >= 0; }
  // Milliseconds to the next flip; -1 while the clock is stopped.
  int NextBlink() const;

 protected:
  void Paint() override;

 private:
  static qint64 Now();
  TEditArea* FParent;
  qint64 FBlinkStart;
  bool FComVisible = false;
};
