#pragma once
// TFlowLayout: places its widgets left to right and starts a new row when the next one
// does not fit the width, like a wrapping tool bar. Hidden widgets take no room.

#include <QLayout>
#include <vector>

class TFlowLayout : public QLayout {
 public:
  explicit TFlowLayout(QWidget* Parent = nullptr);
  ~TFlowLayout() override;

  void addItem(QLayoutItem* Item) override;
  int count() const override;
  QLayoutItem* itemAt(int Index) const override;
  QLayoutItem* takeAt(int Index) override;

  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int Width) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& Rect) override;

 private:
  // Places the items in Rect (or only measures, with Apply false); returns the height used.
  int DoLayout(const QRect& Rect, bool Apply) const;
  std::vector<QLayoutItem*> FItems;
};
