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
  updateGeometry();
  update();
  EnsureCaretVisible();
  emit zoomChanged(FZoom);
}

QPoint TZelkEquation::FormulaPoint(QPointF WidgetPoint) const {
  return (WidgetPoint / ZoomFactor()).toPoint();
}

QRect TZelkEquation::WidgetRect(const QRect& FormulaRect) const {
  const QRectF Scaled(QPointF(FormulaRect.topLeft()) * ZoomFactor(),
                      QSizeF(FormulaRect.size()) * ZoomFactor());
  return Scaled.toAlignedRect().adjusted(-1, -1, 1, 1);
}

QSize TZelkEquation::sizeHint() const {
  return (QSizeF(RenderSize()) * ZoomFactor()).toSize().expandedTo(QSize(1, 1));
}

QSize TZelkEquation::minimumSizeHint() const { return sizeHint(); }

void TZelkEquation::wheelEvent(QWheelEvent* Event) {
  if (!(Event->modifiers() & Qt::ControlModifier)) {
    QWidget::wheelEvent(Event);
    return;
  }
  const int Steps = Event->angleDelta().y() / 120;
  if (Steps != 0) SetZoom(FZoom + 10 * Steps);
  Event->accept();
}

void TZelkEquation::EnsureCaretVisible() {
  QScrollArea* Scroll = nullptr;
  for (QWidget* W = parentWidget(); W && !Scroll; W = W->parentWidget())
    Scroll = qobject_cast<QScrollArea*>(W);
  if (!Scroll || !Scroll->widget() || !FActiveEditArea) return;
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
