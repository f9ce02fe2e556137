#include <QWidget>
#include <QWindow>

#include "AccessibleInterfaces.h"
#include "editor/ZelkEquation.h"

TAccessibleEquation* TAccessibleNode::Owner(int& Index) const {
  Index = -1;
  TAccessibleEquation* Editor = FEditor ? TAccessibleEquation::Of(FEditor) : nullptr;
  if (Editor) Index = Editor->Spoken().Find(FGraphic);
  return Index >= 0 ? Editor : nullptr;
}

bool TAccessibleNode::isValid() const {
  int Index;
  return Owner(Index) != nullptr;
}

QWindow* TAccessibleNode::window() const {
  return FEditor && FEditor->window() ? FEditor->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TAccessibleNode::childAt(int X, int Y) const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (!Editor) return nullptr;
  const QPoint Point = FEditor->mapFromGlobal(QPoint(X, Y));
  for (int Child : Editor->Spoken().Node(Index).Children)
    if (Editor->Spoken().Rect(Child).contains(Point)) return Editor->NodeInterface(Child);
  return nullptr;
}

QAccessibleInterface* TAccessibleNode::parent() const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (!Editor) return nullptr;
  const int Parent = Editor->Spoken().Node(Index).Parent;
  return Parent >= 0 ? Editor->NodeInterface(Parent) : Editor;
}

QAccessibleInterface* TAccessibleNode::child(int Child) const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (!Editor) return nullptr;
  const std::vector<int>& Children = Editor->Spoken().Node(Index).Children;
  return Child >= 0 && Child < static_cast<int>(Children.size())
             ? Editor->NodeInterface(Children[Child])
             : nullptr;
}

int TAccessibleNode::childCount() const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  return Editor ? static_cast<int>(Editor->Spoken().Node(Index).Children.size()) : 0;
}

int TAccessibleNode::indexOfChild(const QAccessibleInterface* Child) const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  const auto* Node = dynamic_cast<const TAccessibleNode*>(Child);
  if (!Editor || !Node) return -1;
  const std::vector<int>& Children = Editor->Spoken().Node(Index).Children;
  const auto Found =
      std::find(Children.begin(), Children.end(), Editor->Spoken().Find(Node->Graphic()));
  return Found == Children.end() ? -1 : static_cast<int>(Found - Children.begin());
}

QString TAccessibleNode::text(QAccessible::Text Kind) const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (!Editor) return QString();
  switch (Kind) {
    case QAccessible::Name: return Editor->Spoken().Node(Index).Name;
    case QAccessible::Value: return Editor->Spoken().TextOf(Index);
    default: return QString();
  }
}

QRect TAccessibleNode::rect() const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (!Editor) return QRect();
  const QRect Rect = Editor->Spoken().Rect(Index);
  return QRect(FEditor->mapToGlobal(Rect.topLeft()), Rect.size());
}

QAccessible::Role TAccessibleNode::role() const {
  int Index;
  TAccessibleEquation* Editor = Owner(Index);
  if (Editor && Editor->Spoken().Node(Index).Kind == TSpokenNode::kCharacter)
    return QAccessible::StaticText;
  return QAccessible::Grouping;
}

QAccessible::State TAccessibleNode::state() const {
  QAccessible::State State;
  int Index;
  if (!Owner(Index) || !FEditor->isVisible()) State.invisible = true;
  return State;
}
