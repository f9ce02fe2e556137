#include "ScriptPlacement.h"

#include <QtGlobal>

namespace {
TScriptFrame Limits(QSize Base, const QSize* Top, const QSize* Bottom) {
  TScriptFrame F;
  const int TH = Top ? Top->height() : 0;
  int W = Base.width();
  if (Top) W = qMax(W, Top->width());
  if (Bottom) W = qMax(W, Bottom->width());
  F.Base = QPoint((W - Base.width()) / 2, TH);
  if (Top) F.Top = QPoint((W - Top->width()) / 2, 0);
  if (Bottom) F.Bottom = QPoint((W - Bottom->width()) / 2, TH + Base.height());
  F.Size = QSize(W, TH + Base.height() + (Bottom ? Bottom->height() : 0));
  F.MidLine = TH + Base.height() / 2;
  return F;
}

TScriptFrame Indices(QSize Base, const QSize* Top, const QSize* Bottom) {
  TScriptFrame F;
  const int Margin = Top ? Top->height() / 2 : 0;
  F.Base = QPoint(0, Margin);
  int W = 0;
  int H = Margin + Base.height();
  if (Top) {
    F.Top = QPoint(Base.width(), 0);
    W = Top->width();
    H = qMax(H, Top->height());
  }
  if (Bottom) {
    // Tall scripts beside a short base stack rather than overlap.
    const int Y = qMax(Margin + Base.height() - Bottom->height() / 2, Top ? Top->height() : 0);
    F.Bottom = QPoint(Base.width(), Y);
    W = qMax(W, Bottom->width());
    H = qMax(H, Y + Bottom->height());
  }
  F.Size = QSize(Base.width() + W, H);
  F.MidLine = Margin + Base.height() / 2;
  return F;
}
}  // namespace

TScriptFrame PlaceScripts(TScriptPlace Place, QSize Base, const QSize* Top, const QSize* Bottom) {
  return Place == spLimits ? Limits(Base, Top, Bottom) : Indices(Base, Top, Bottom);
}
