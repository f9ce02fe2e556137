#pragma once
// TToolButton and TToolBar: the flat glyph buttons of the palette and the bar that holds
// them. A bar sizes itself to its buttons and wraps them onto further rows when they do
// not fit its width.

#include <QToolButton>
#include <QWidget>
#include <vector>

class TImageList;

class TToolButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TToolButton(QWidget* Parent);

  // A number for the owner: the category's page, or the group of a group button.
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // The glyph shown, from the bar's image list; also the button's index in its group.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // Stays pressed until released by SetDown(false).
  bool Down() const { return isChecked(); }
  void SetDown(bool Value);

 signals:
  // The mouse moved over the button, with or without a mouse button held.
  void MouseMoved(TToolButton* Sender);

 protected:
  void mouseMoveEvent(QMouseEvent* Event) override;

 private:
  int FTag = 0;
  int FImageIndex = -1;
};

class TToolBar : public QWidget {
  Q_OBJECT

 public:
  // Buttons are ButtonWidth x ButtonHeight glyphs (plus a small frame) from Images.
  TToolBar(QWidget* Parent, const TImageList* Images, int ButtonWidth, int ButtonHeight);

  const TImageList* Images() const { return FImages; }
  int ButtonWidth() const { return FButtonWidth; }
  int ButtonHeight() const { return FButtonHeight; }

  // Adds a button at the end of the bar.
  TToolButton* AddButton();
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  // Button Index, left to right; throws EListError out of range.
  TToolButton* Buttons(int Index) const;

 private:
  const TImageList* FImages;
  int FButtonWidth;
  int FButtonHeight;
  std::vector<TToolButton*> FButtons;
};
