// The editor at a zoom: painting scale, size hints and keeping the caret in sight.

#include <QPointer>
#include <QScrollArea>
#include <QTimer>
#include <QWheelEvent>
#include <QtMath>

#include "editor/EACursor.h"
#include "editor/Editing.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"

namespace {
constexpr int MinZoom = 10;
constexpr int MaxZoom = 800;
}  // namespace

void TZelkEquation::SetZoom(int Percent) {
  Percent = qBound(MinZoom, Percent, MaxZoom);
  if (Percent == FZoom) return;
  FZoom = Percent;
  SetWidth(qCeil(width() / ZoomFactor()));
  SetHeight(qCeil(height() / ZoomFactor()));
  // Lines wrapped to the editor's width wrap to what it shows at the new scale.
  if (FWrapWidth < 0) WrapChanged();
  updateGeometry();
  update();
  EnsureCaretVisible();
  emit zoomChanged(FZoom);
}

namespace {
// The scroll area the editor is the content of, if any.
QScrollArea* EnclosingScrollArea(const QWidget* Editor) {
  for (QWidget* W = Editor->parentWidget(); W; W = W->parentWidget())
    if (auto* Scroll = qobject_cast<QScrollArea*>(W); Scroll && Scroll->widget() && Scroll->widget()->isAncestorOf(Editor))
      return Scroll;
  return nullptr;
}
}  // namespace

QPoint TZelkEquation::FormulaPoint(QPointF WidgetPoint) const {
  return ((WidgetPoint + QPointF(FScroll)) / ZoomFactor()).toPoint();
}

QRect TZelkEquation::WidgetRect(const QRect& FormulaRect) const {
  const QRectF Scaled(QPointF(FormulaRect.topLeft()) * ZoomFactor(),
                      QSizeF(FormulaRect.size()) * ZoomFactor());
  return Scaled.toAlignedRect().adjusted(-1, -1, 1, 1).translated(-FScroll);
}

QSize TZelkEquation::sizeHint() const {
  return (QSizeF(RenderSize()) * ZoomFactor()).toSize().expandedTo(QSize(1, 1));
}

QSize TZelkEquation::minimumSizeHint() const {
  // In a scroll area the area scrolls the whole formula; elsewhere the editor scrolls it
  // itself and asks for a line's height and a few characters.
  if (EnclosingScrollArea(this)) return sizeHint();
  const int FS = qCeil(Font().Size() * ZoomFactor());
  return sizeHint().boundedTo(QSize(FS * 6, FS * 3));
}

void TZelkEquation::ScrollTo(QPoint Offset) {
  const QSize Content = sizeHint();
  const QPoint Bounded(qBound(0, Offset.x(), qMax(0, Content.width() - width())),
                       qBound(0, Offset.y(), qMax(0, Content.height() - height())));
  if (Bounded == FScroll) return;
  FScroll = Bounded;
  update();
}

void TZelkEquation::wheelEvent(QWheelEvent* Event) {
  if (!(Event->modifiers() & Qt::ControlModifier)) {
    const bool Overflows = sizeHint().width() > width() || sizeHint().height() > height();
    if (EnclosingScrollArea(this) || !Overflows) {
      QWidget::wheelEvent(Event);
      return;
    }
    // Shift or a sideways wheel scrolls across.
    const QPoint Delta = Event->modifiers() & Qt::ShiftModifier ? QPoint(Event->angleDelta().y(), 0)
                                                                : QPoint(Event->angleDelta().x(), Event->angleDelta().y());
    ScrollTo(FScroll - Delta / 4);
    Event->accept();
    return;
  }
  const int Steps = Event->angleDelta().y() / 120;
  if (Steps != 0) SetZoom(FZoom + 10 * Steps);
  Event->accept();
}

void TZelkEquation::EnsureCaretVisible() {
  QScrollArea* Scroll = EnclosingScrollArea(this);
  if (!FActiveEditArea) return;
  if (!Scroll) {
    const QRect Line(QPoint(FActiveEditArea->Caret()->HostPosition().x(), FActiveEditArea->HostPosition().y()),
                     QSize(TEACursor::CaretWidth, FActiveEditArea->Height()));
    const QRect InView = WidgetRect(Line);
    const int Margin = qMin(20, width() / 4);
    QPoint Offset = FScroll;
    if (InView.right() + Margin > width()) Offset.rx() += InView.right() + Margin - width();
    if (InView.left() - Margin < 0) Offset.rx() += InView.left() - Margin;
    if (InView.bottom() > height()) Offset.ry() += InView.bottom() - height();
    if (InView.top() < 0) Offset.ry() += InView.top();
    ScrollTo(Offset);
    return;
  }
  // After the scroll area has taken in the editor's new size.
  QTimer::singleShot(0, this, [this, Scroll = QPointer<QScrollArea>(Scroll)] {
    if (!Scroll || !FActiveEditArea || !Scroll->widget()) return;
    const QRect Line(QPoint(FActiveEditArea->Caret()->HostPosition().x(),
                            FActiveEditArea->HostPosition().y()),
                     QSize(TEACursor::CaretWidth, FActiveEditArea->Height()));
    const QRect InView = WidgetRect(Line);
    const QPoint Center = mapTo(Scroll->widget(), InView.center());
    Scroll->ensureVisible(Center.x(), Center.y(), InView.width() / 2 + 20, InView.height() / 2 + 10);
  });
}
