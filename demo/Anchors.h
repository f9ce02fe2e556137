#pragma once
// TAnchors keeps the children of a container at their distances to the container's
// edges, as each child's stored "Anchors" property names them ("akLeft,akTop,akRight,
// akBottom"; without the property a child keeps to the left and top). A child anchored on
// two opposite sides stretches with the container; one anchored on neither keeps to the
// left or top.

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <vector>

class QWidget;

class TAnchors : public QObject {
 public:
  // Takes the children's distances at Container's current size and follows its resizes.
  explicit TAnchors(QWidget* Container);

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  struct TAnchored {
    QPointer<QWidget> Child;
    bool Left, Top, Right, Bottom;
    QMargins Distance;  // to each edge of the container at the start
    QSize Size;         // at the start
  };
  void Arrange(QSize ContainerSize);

  QWidget* FContainer;
  std::vector<TAnchored> FChildren;
};
