#include <QMetaObject>
#include <QTimer>

#include "AccessibleInterfaces.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"

namespace {
constexpr int FormulaWord = 9000;  // "Formula", the name when the host gives none
}  // namespace

void NotifyAccessibility(TZelkEquation* Editor, TFormulaEvent Event) {
  // Qt hands events on only while a platform bridge is active; a hidden editor (one being
  // built, too) has nobody to tell. What the reading refers to is kept safe by the editor's
  // revision, not by these calls.
  if (!Editor || !QAccessible::isActive() || !Editor->isVisible()) return;
  if (TAccessibleEquation* Interface = TAccessibleEquation::Of(Editor)) Interface->Notify(Event);
}

TAccessibleEquation::TAccessibleEquation(TZelkEquation* Editor)
    : QAccessibleWidget(Editor, QAccessible::EditableText) {
  FAnnouncedText = Spoken().Text();
  FAnnouncedName = text(QAccessible::Name);
  FAnnouncedCursor = cursorPosition();
}

TAccessibleEquation::~TAccessibleEquation() {
  for (QAccessible::Id Id : std::as_const(FNodeIds)) QAccessible::deleteAccessibleInterface(Id);
}

TAccessibleEquation* TAccessibleEquation::Of(TZelkEquation* Editor) {
  return dynamic_cast<TAccessibleEquation*>(QAccessible::queryAccessibleInterface(Editor));
}

TZelkEquation* TAccessibleEquation::Editor() const { return static_cast<TZelkEquation*>(widget()); }

const TSpokenFormula& TAccessibleEquation::Spoken() const {
  // Nodes of an earlier revision may be freed: the reading never outlives its revision.
  const TZelkEquation* E = Editor();
  if (!FSpoken || FSpokenRevision != E->Revision() || FSpokenLanguage != E->Language()) {
    FSpoken = std::make_unique<TSpokenFormula>(*E, E->Language());
    FSpokenRevision = E->Revision();
    FSpokenLanguage = E->Language();
  }
  return *FSpoken;
}

QAccessibleInterface* TAccessibleEquation::NodeInterface(int Index) const {
  if (Index < 0 || Index >= Spoken().NodeCount()) return nullptr;
  const TZelkGraphic* Graphic = Spoken().Node(Index).Graphic;
  if (QAccessibleInterface* Known = QAccessible::accessibleInterface(FNodeIds.value(Graphic)))
    return Known;
  auto* Interface = new TAccessibleNode(Editor(), Graphic);
  FNodeIds.insert(Graphic, QAccessible::registerAccessibleInterface(Interface));
  return Interface;
}

void TAccessibleEquation::Notify(TFormulaEvent) {
  if (FAnnouncing) return;
  FAnnouncing = true;
  QPointer<TZelkEquation> Target = Editor();
  QTimer::singleShot(0, Target, [Target] {
    if (TAccessibleEquation* Interface = Target ? Of(Target) : nullptr) Interface->Announce();
  });
}

void TAccessibleEquation::Announce() {
  FAnnouncing = false;
  DropLeftNodes();
  const QString Text = Spoken().Text();
  if (Text != FAnnouncedText) {
    // One stretch changed: what lies between the common beginning and the common end.
    const QString& Old = FAnnouncedText;
    int Head = 0;
    while (Head < Old.size() && Head < Text.size() && Old[Head] == Text[Head]) ++Head;
    int Tail = 0;
    while (Tail < Old.size() - Head && Tail < Text.size() - Head &&
           Old[Old.size() - 1 - Tail] == Text[Text.size() - 1 - Tail])
      ++Tail;
    const QString Removed = Old.mid(Head, Old.size() - Head - Tail);
    const QString Inserted = Text.mid(Head, Text.size() - Head - Tail);
    if (!Removed.isEmpty()) {
      QAccessibleTextRemoveEvent Event(Editor(), Head, Removed);
      QAccessible::updateAccessibility(&Event);
    }
    if (!Inserted.isEmpty()) {
      QAccessibleTextInsertEvent Event(Editor(), Head, Inserted);
      QAccessible::updateAccessibility(&Event);
    }
    QAccessibleValueChangeEvent Event(Editor(), Text);
    QAccessible::updateAccessibility(&Event);
    FAnnouncedText = Text;
  }
  const QString Name = text(QAccessible::Name);
  if (Name != FAnnouncedName) {
    QAccessibleEvent Event(Editor(), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&Event);
    FAnnouncedName = Name;
  }
  const TEditArea* Area = Editor()->ActiveEditArea();
  const int Position = Area ? Area->EquationIndex() : -1;
  const int Cursor = cursorPosition();
  if (Cursor != FAnnouncedCursor || Area != FAnnouncedArea || Position != FAnnouncedPosition) {
    QAccessibleTextCursorEvent Event(Editor(), Cursor);
    QAccessible::updateAccessibility(&Event);
    FAnnouncedCursor = Cursor;
    FAnnouncedArea = Area;
    FAnnouncedPosition = Position;
  }
}

void TAccessibleEquation::DropLeftNodes() {
  for (auto Node = FNodeIds.begin(); Node != FNodeIds.end();) {
    if (Spoken().Find(Node.key()) >= 0) {
      ++Node;
      continue;
    }
    QAccessible::deleteAccessibleInterface(Node.value());
    Node = FNodeIds.erase(Node);
  }
}

QString TAccessibleEquation::text(QAccessible::Text Kind) const {
  switch (Kind) {
    case QAccessible::Name: {
      const QString Host = Editor()->accessibleName();
      return Host.isEmpty() ? LanguageString(Editor()->Language(), FormulaWord) : Host;
    }
    case QAccessible::Value: return Spoken().Text();
    default: return QAccessibleWidget::text(Kind);
  }
}

QAccessible::State TAccessibleEquation::state() const {
  QAccessible::State State = QAccessibleWidget::state();
  State.editable = true;
  State.selectableText = true;
  State.multiLine = Editor()->LineCount() > 1;
  return State;
}

int TAccessibleEquation::childCount() const { return static_cast<int>(Spoken().Lines().size()); }

QAccessibleInterface* TAccessibleEquation::child(int Index) const {
  const std::vector<int>& Lines = Spoken().Lines();
  return Index >= 0 && Index < static_cast<int>(Lines.size()) ? NodeInterface(Lines[Index])
                                                              : nullptr;
}

int TAccessibleEquation::indexOfChild(const QAccessibleInterface* Child) const {
  const auto* Node = dynamic_cast<const TAccessibleNode*>(Child);
  if (!Node) return -1;
  const std::vector<int>& Lines = Spoken().Lines();
  const auto Found = std::find(Lines.begin(), Lines.end(), Spoken().Find(Node->Graphic()));
  return Found == Lines.end() ? -1 : static_cast<int>(Found - Lines.begin());
}

QAccessibleInterface* TAccessibleEquation::childAt(int X, int Y) const {
  const QPoint Point = Editor()->mapFromGlobal(QPoint(X, Y));
  for (int Line : Spoken().Lines())
    if (Spoken().Rect(Line).contains(Point)) return NodeInterface(Line);
  return nullptr;
}

void* TAccessibleEquation::interface_cast(QAccessible::InterfaceType Type) {
  if (Type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

void TAccessibleEquation::selection(int, int* Start, int* End) const {
  *Start = 0;
  *End = 0;
}

int TAccessibleEquation::cursorPosition() const {
  const TEditArea* Area = Editor()->ActiveEditArea();
  const int Offset = Area ? Spoken().CaretOffset(Area, Area->EquationIndex()) : -1;
  return qMax(Offset, 0);
}

void TAccessibleEquation::setCursorPosition(int Offset) {
  const TSpokenFormula::TCaretStop Stop = Spoken().CaretStopAt(Offset);
  // The reading is fresh, so the area is in the tree.
  auto* Area = const_cast<TEditArea*>(Stop.Area);
  if (!Area || !Editor()->isEnabled()) return;
  Area->SetActive(true);
  Area->SetEquationIndex(Stop.Position);
  NotifyAccessibility(Editor(), TFormulaEvent::CaretMoved);
}

QString TAccessibleEquation::text(int Start, int End) const {
  const QString& Text = Spoken().Text();
  if (End < 0 || End > Text.size()) End = Text.size();
  Start = qBound(0, Start, End);
  return Text.mid(Start, End - Start);
}

int TAccessibleEquation::characterCount() const { return Spoken().Text().size(); }

int TAccessibleEquation::NodeAtOffset(int Offset) const {
  // Nodes come in reading order, each after the nodes that hold it: the last one whose
  // stretch holds the offset is the deepest.
  for (int I = Spoken().NodeCount() - 1; I >= 0; --I)
    if (Spoken().Node(I).Start <= Offset && Offset < Spoken().Node(I).End) return I;
  return -1;
}

QRect TAccessibleEquation::characterRect(int Offset) const {
  const int Node = NodeAtOffset(Offset);
  if (Node < 0) return QRect();
  const QRect Rect = Spoken().Rect(Node);
  return QRect(Editor()->mapToGlobal(Rect.topLeft()), Rect.size());
}

int TAccessibleEquation::NodeAtPoint(const std::vector<int>& Nodes, QPoint Point) const {
  for (int Node : Nodes)
    if (Spoken().Rect(Node).contains(Point)) {
      const int Inner = NodeAtPoint(Spoken().Node(Node).Children, Point);
      return Inner >= 0 ? Inner : Node;
    }
  return -1;
}

int TAccessibleEquation::offsetAtPoint(const QPoint& Point) const {
  const int Node = NodeAtPoint(Spoken().Lines(), Editor()->mapFromGlobal(Point));
  return Node < 0 ? -1 : Spoken().Node(Node).Start;
}

QString TAccessibleEquation::attributes(int Offset, int* Start, int* End) const {
  (void)Offset;
  *Start = 0;
  *End = characterCount();
  return QString();
}
