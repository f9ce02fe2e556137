// The editor at a zoom: painting scale, content size and keeping the caret in sight.

#include <QtMath>

#include "editor/EACursor.h"
#include "editor/EditorCore.h"
#include "editor/Editing.h"
#include "model/EditArea.h"

namespace {
constexpr int MinZoom = 10;
constexpr int MaxZoom = 800;
}  // namespace

void TEditorCore::SetZoom(int Percent) {
  Percent = qBound(MinZoom, Percent, MaxZoom);
  if (Percent == FZoom) return;
  FZoom = Percent;
  SetWidth(qCeil(ViewSize().width() / ZoomFactor()));
  SetHeight(qCeil(ViewSize().height() / ZoomFactor()));
  // Lines wrapped to the view's width wrap to what it shows at the new scale.
  if (FWrapWidth < 0) WrapChanged();
  UpdateViewSize();
  UpdateView();
  EnsureCaretVisible();
  SettingChanged(TSetting::Zoom);
}

QPoint TEditorCore::FormulaPoint(QPointF WidgetPoint) const {
  return ((WidgetPoint + QPointF(FScroll)) / ZoomFactor()).toPoint();
}

QRect TEditorCore::WidgetRect(const QRect& FormulaRect) const {
  const QRectF Scaled(QPointF(FormulaRect.topLeft()) * ZoomFactor(),
                      QSizeF(FormulaRect.size()) * ZoomFactor());
  return Scaled.toAlignedRect().adjusted(-1, -1, 1, 1).translated(-FScroll);
}

QSize TEditorCore::ContentSize() const {
  return (QSizeF(RenderSize()) * ZoomFactor()).toSize().expandedTo(QSize(1, 1));
}

void TEditorCore::ScrollTo(QPoint Offset) {
  const QSize Content = ContentSize();
  const QSize View = ViewSize();
  const QPoint Bounded(qBound(0, Offset.x(), qMax(0, Content.width() - View.width())),
                       qBound(0, Offset.y(), qMax(0, Content.height() - View.height())));
  if (Bounded == FScroll) return;
  FScroll = Bounded;
  UpdateView();
}

bool TEditorCore::Wheel(QPoint AngleDelta, Qt::KeyboardModifiers Modifiers, bool HostScrolls) {
  if (!(Modifiers & Qt::ControlModifier)) {
    const QSize Content = ContentSize();
    const bool Overflows = Content.width() > ViewSize().width() || Content.height() > ViewSize().height();
    if (HostScrolls || !Overflows) return false;
    // Shift or a sideways wheel scrolls across.
    const QPoint Delta = Modifiers & Qt::ShiftModifier ? QPoint(AngleDelta.y(), 0) : AngleDelta;
    ScrollTo(FScroll - Delta / 4);
    return true;
  }
  const int Steps = AngleDelta.y() / 120;
  if (Steps != 0) SetZoom(FZoom + 10 * Steps);
  return true;
}

void TEditorCore::EnsureCaretVisible() {
  if (!FActiveEditArea) return;
  const QRect Line(QPoint(FActiveEditArea->Caret()->HostPosition().x(), FActiveEditArea->HostPosition().y()),
                   QSize(TEACursor::CaretWidth, FActiveEditArea->Height()));
  const QRect InView = WidgetRect(Line);
  const QSize View = ViewSize();
  const int Margin = qMin(20, View.width() / 4);
  QPoint Offset = FScroll;
  if (InView.right() + Margin > View.width()) Offset.rx() += InView.right() + Margin - View.width();
  if (InView.left() - Margin < 0) Offset.rx() += InView.left() - Margin;
  if (InView.bottom() > View.height()) Offset.ry() += InView.bottom() - View.height();
  if (InView.top() < 0) Offset.ry() += InView.top();
  ScrollTo(Offset);
}
