#include "Anchors.h"

#include <QEvent>
#include <QWidget>

TAnchors::TAnchors(QWidget* Container) : QObject(Container), FContainer(Container) {
  const QSize Size = Container->size();
  for (QWidget* Child : Container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QVariant Stored = Child->property("Anchors");
    const QStringList Sides =
        Stored.isValid() ? Stored.toString().split(QLatin1Char(','), Qt::SkipEmptyParts)
                         : QStringList{QStringLiteral("akLeft"), QStringLiteral("akTop")};
    const auto Has = [&Sides](const char* Side) { return Sides.contains(QLatin1String(Side)); };
    const QRect G = Child->geometry();
    FChildren.push_back({Child, Has("akLeft"), Has("akTop"), Has("akRight"), Has("akBottom"),
                         QMargins(G.left(), G.top(), Size.width() - G.right() - 1,
                                  Size.height() - G.bottom() - 1),
                         G.size()});
  }
  Container->installEventFilter(this);
}

bool TAnchors::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FContainer && Event->type() == QEvent::Resize) Arrange(FContainer->size());
  return false;
}

namespace {
// Start and length along one axis: anchored at both ends it stretches, at the far end only
// it keeps its distance to that end, else its distance to the near end.
std::pair<int, int> Place(bool Near, bool Far, int NearDistance, int FarDistance, int Length,
                          int Container) {
  if (Near && Far) return {NearDistance, qMax(0, Container - NearDistance - FarDistance)};
  if (Far) return {Container - FarDistance - Length, Length};
  return {NearDistance, Length};
}
}  // namespace

void TAnchors::Arrange(QSize ContainerSize) {
  for (const TAnchored& A : FChildren) {
    if (!A.Child) continue;
    const auto [X, W] = Place(A.Left, A.Right, A.Distance.left(), A.Distance.right(),
                              A.Size.width(), ContainerSize.width());
    const auto [Y, H] = Place(A.Top, A.Bottom, A.Distance.top(), A.Distance.bottom(),
                              A.Size.height(), ContainerSize.height());
    A.Child->setGeometry(X, Y, W, H);
  }
}
