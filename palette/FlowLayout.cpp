#include "FlowLayout.h"

#include <QWidget>

TFlowLayout::TFlowLayout(QWidget* Parent) : QLayout(Parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
}

TFlowLayout::~TFlowLayout() {
  for (QLayoutItem* Item : FItems) delete Item;
}

void TFlowLayout::addItem(QLayoutItem* Item) { FItems.push_back(Item); }

int TFlowLayout::count() const { return static_cast<int>(FItems.size()); }

QLayoutItem* TFlowLayout::itemAt(int Index) const {
  return Index >= 0 && Index < count() ? FItems[Index] : nullptr;
}

QLayoutItem* TFlowLayout::takeAt(int Index) {
  if (Index < 0 || Index >= count()) return nullptr;
  QLayoutItem* Item = FItems[Index];
  FItems.erase(FItems.begin() + Index);
  return Item;
}

int TFlowLayout::heightForWidth(int Width) const { return DoLayout(QRect(0, 0, Width, 0), false); }

QSize TFlowLayout::minimumSize() const {
  QSize Size;
  for (QLayoutItem* Item : FItems)
    if (!Item->isEmpty()) Size = Size.expandedTo(Item->minimumSize());
  const QMargins M = contentsMargins();
  return Size + QSize(M.left() + M.right(), M.top() + M.bottom());
}

QSize TFlowLayout::sizeHint() const {
  // One row holding every shown item.
  int Width = 0;
  int Height = 0;
  for (QLayoutItem* Item : FItems) {
    if (Item->isEmpty()) continue;
    Width += Item->sizeHint().width() + (Width > 0 ? spacing() : 0);
    Height = qMax(Height, Item->sizeHint().height());
  }
  const QMargins M = contentsMargins();
  return QSize(Width + M.left() + M.right(), Height + M.top() + M.bottom());
}

void TFlowLayout::setGeometry(const QRect& Rect) {
  QLayout::setGeometry(Rect);
  DoLayout(Rect, true);
}

int TFlowLayout::DoLayout(const QRect& Rect, bool Apply) const {
  const QRect Area = Rect.marginsRemoved(contentsMargins());
  int X = Area.x();
  int Y = Area.y();
  int RowHeight = 0;
  for (QLayoutItem* Item : FItems) {
    if (Item->isEmpty()) continue;
    const QSize Size = Item->sizeHint();
    if (X > Area.x() && X + Size.width() > Area.right() + 1) {
      X = Area.x();
      Y += RowHeight + spacing();
      RowHeight = 0;
    }
    if (Apply) Item->setGeometry(QRect(QPoint(X, Y), Size));
    X += Size.width() + spacing();
    RowHeight = qMax(RowHeight, Size.height());
  }
  const QMargins M = contentsMargins();
  return Y + RowHeight - Rect.y() + M.bottom();
}
