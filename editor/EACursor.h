#pragma once
// TEACursor: the blinking caret of one edit area, a 2-pixel bar as high as the area's
// font size. It blinks every 500 ms while its area is active and the editor is enabled.

#include <QTimer>

#include "model/ZelkGraphic.h"

class TEditArea;

class TEACursor : public TZelkGraphic {
 public:
  explicit TEACursor(TEditArea* Owner);

  // The caret's width; a run keeps a gap this wide before each element.
  static constexpr int CaretWidth = 2;

  // The area that owns the caret.
  TEditArea* GetParent() const { return FParent; }
  void PutParent(TEditArea* Value);

  // Enabled: the caret's area is active; the blink timer runs.
  bool ComVisible() const { return FComVisible; }
  void SetComVisible(bool Value);
  // Flips the blink phase: a visible caret hides; a hidden one shows while enabled.
  void RefreshVisible();
  // Width 2, height the font size; flips the blink phase.
  void RefreshDimensions() override;

  const QTimer& BlinkTimer() const { return FBlinkTimer; }

 protected:
  void Paint() override;

 private:
  TEditArea* FParent;
  QTimer FBlinkTimer;
  bool FComVisible = false;
};
