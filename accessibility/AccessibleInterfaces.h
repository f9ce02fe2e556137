#pragma once
// The accessible interfaces behind accessibility/AccessibleEquation.h: the editor's, one for
// every node of its formula, and the palette buttons'.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <memory>

#include "AccessibleEquation.h"
#include "SpokenFormula.h"
#include "../editor/ZelkEquation.h"

class TToolButton;

class TAccessibleEquation : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TAccessibleEquation(TZelkEquation* Editor);
  ~TAccessibleEquation() override;

  // The editor's interface, or none while Editor has another one or none.
  static TAccessibleEquation* Of(TZelkEquation* Editor);

  TZelkEquation* Editor() const;
  // The formula read aloud; read again when it is used after an edit or a change of language.
  const TSpokenFormula& Spoken() const;
  // The interface of node Index of Spoken(): one for the node as long as it is in the tree.
  QAccessibleInterface* NodeInterface(int Index) const;
  // Schedules the announcement of what changed.
  void Notify(TFormulaEvent Event);

  QString text(QAccessible::Text Kind) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QAccessibleInterface* childAt(int X, int Y) const override;
  void* interface_cast(QAccessible::InterfaceType Type) override;

  // The text is the spoken formula; it has no selection.
  void selection(int Index, int* Start, int* End) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override;
  // Puts the caret at the caret position spoken at or before Offset.
  void setCursorPosition(int Offset) override;
  QString text(int Start, int End) const override;
  int characterCount() const override;
  // The rectangle of the innermost node that speaks the character.
  QRect characterRect(int Offset) const override;
  int offsetAtPoint(const QPoint& Point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int Offset, int* Start, int* End) const override;

 private:
  // The events for what changed since the last announcement.
  void Announce();
  // Frees the interfaces of nodes no longer in the tree.
  void DropLeftNodes();
  // The deepest node whose stretch holds Offset, or -1.
  int NodeAtOffset(int Offset) const;
  // The deepest node among Nodes and their descendants under Point (editor's coordinates).
  int NodeAtPoint(const std::vector<int>& Nodes, QPoint Point) const;

  mutable std::unique_ptr<TSpokenFormula> FSpoken;
  mutable quint64 FSpokenRevision = 0;
  mutable TLanguage FSpokenLanguage = TLanguages::lRussian;
  mutable QHash<const TZelkGraphic*, QAccessible::Id> FNodeIds;
  QString FAnnouncedText;
  QString FAnnouncedName;
  int FAnnouncedCursor = -1;
  const TEditArea* FAnnouncedArea = nullptr;
  int FAnnouncedPosition = -1;
  bool FAnnouncing = false;
  friend class TAccessibleNode;
};

// A line, slot, template or character of an editor's formula.
class TAccessibleNode : public QAccessibleInterface {
 public:
  TAccessibleNode(TZelkEquation* Editor, const TZelkGraphic* Graphic)
      : FEditor(Editor), FGraphic(Graphic) {}

  // False once the node has left the tree.
  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int X, int Y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int Index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QString text(QAccessible::Text Kind) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  const TZelkGraphic* Graphic() const { return FGraphic; }

 private:
  // The editor's interface and the node's index in its reading, or none.
  TAccessibleEquation* Owner(int& Index) const;

  QPointer<TZelkEquation> FEditor;
  const TZelkGraphic* FGraphic;
};

// A palette button: a push button (the category buttons too, though they stay down), named
// by its description.
class TAccessibleToolButton : public QAccessibleWidget {
 public:
  explicit TAccessibleToolButton(TToolButton* Button);

  QString text(QAccessible::Text Kind) const override;
  QAccessible::State state() const override;

  QStringList actionNames() const override;
  void doAction(const QString& Name) override;
};
