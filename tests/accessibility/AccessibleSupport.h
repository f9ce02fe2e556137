#pragma once
// An editor shown with its accessible interface at hand, and a listener that catches the
// accessibility events Qt hands on while it lives.

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <vector>

#include "TestSupport.h"
#include "editor/ZelkEquation.h"

struct TCaught {
  QAccessible::Event Type;
  int Position = -1;
  QString Text;
};

// Catches the events Qt hands to the platform, which it does only while a platform bridge is
// active (tools/a11y-session.sh); restores the previous handler.
class Listener {
 public:
  Listener() {
    Caught().clear();
    FPrevious = QAccessible::installUpdateHandler(&Catch);
  }
  ~Listener() { QAccessible::installUpdateHandler(FPrevious); }
  static std::vector<TCaught>& Caught() {
    static std::vector<TCaught> Events;
    return Events;
  }
  // The events of the editor's interface since the last call, once Qt ran its queue.
  std::vector<TCaught> Take() {
    QCoreApplication::processEvents();
    std::vector<TCaught> Events;
    Events.swap(Caught());
    return Events;
  }

 private:
  static void Catch(QAccessibleEvent* Event) {
    TCaught C{Event->type(), -1, QString()};
    if (auto* Insert = dynamic_cast<QAccessibleTextInsertEvent*>(Event)) {
      C.Position = Insert->changePosition();
      C.Text = Insert->textInserted();
    } else if (auto* Remove = dynamic_cast<QAccessibleTextRemoveEvent*>(Event)) {
      C.Position = Remove->changePosition();
      C.Text = Remove->textRemoved();
    } else if (auto* Cursor = dynamic_cast<QAccessibleTextCursorEvent*>(Event)) {
      C.Position = Cursor->cursorPosition();
    } else if (auto* Value = dynamic_cast<QAccessibleValueChangeEvent*>(Event)) {
      C.Text = Value->value().toString();
    }
    if (qobject_cast<TZelkEquation*>(Event->object())) Caught().push_back(C);
  }
  QAccessible::UpdateHandler FPrevious;
};

struct AccessibleEditor : EditorFixture {
  Listener Events;
  AccessibleEditor() {
    Editor->resize(800, 300);
    Editor->show();
    Events.Take();
  }
  QAccessibleInterface* Interface() const {
    return QAccessible::queryAccessibleInterface(Editor.get());
  }
  QAccessibleTextInterface* Text() const { return Interface()->textInterface(); }
  QString Spoken(const QString& Data, TLanguage Language) {
    Editor->SetLanguage(Language);
    Editor->SetData(Data);
    return Interface()->text(QAccessible::Value);
  }
  // The node reached from the editor by child indices.
  QAccessibleInterface* Node(std::initializer_list<int> Path) const {
    QAccessibleInterface* I = Interface();
    for (int Index : Path) I = I ? I->child(Index) : nullptr;
    return I;
  }
  void Key(Qt::Key K, const QString& Text = QString()) {
    QKeyEvent Press(QEvent::KeyPress, K, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Editor.get(), &Press);
  }
};

inline QString Line(const QString& Items) {
  return QStringLiteral("EditArea(") + Items + QLatin1Char(')');
}
inline QString Slot(const QString& Items) { return Line(Items); }
inline const QString X = QStringLiteral("Simple(x)");
