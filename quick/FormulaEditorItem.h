#pragma once
// FormulaEditorItem: the formula editor as a Qt Quick item, the same core as the widget
// TZelkEquation: keys of both input styles, the mouse, an input method, selection, the
// clipboard, undo and zoom. Use it as FormulaEditor (FormulaEditor.qml), which adds the
// accessible role and name.
//
// A program builds its own palette from buttons that call insertTemplate with an element
// keyword (model/Keywords.h) or insertSymbol with a character code:
//
//   Button { text: "a/b"; onClicked: editor.insertTemplate("Division") }
//
// Differences from the widget: there is no context menu (the chords stay), and the
// command line of the Modern style shows its field without the list of matches.

#include "QuickFormula.h"

class TFormulaEditorItem : public TQuickFormula {
  Q_OBJECT
  QML_NAMED_ELEMENT(FormulaEditorItem)
  // InputStyle.Classic (the default) or InputStyle.Modern; Modern also makes the editor a
  // Tab stop and shows the caret only while it has the focus.
  Q_PROPERTY(TInputStyles::TInputStyle inputStyle READ InputStyle WRITE SetInputStyle NOTIFY inputStyleChanged)
  // The scale of the painting in percent (10 to 800); Ctrl+wheel, Ctrl+plus, Ctrl+minus
  // and Ctrl+0 change it too.
  Q_PROPERTY(int zoom READ Zoom WRITE SetZoom NOTIFY zoomChanged)
  // Whether words typed in the Modern style (alpha, sqrt ...) become their sign or template.
  Q_PROPERTY(bool wordShortcuts READ WordShortcuts WRITE SetWordShortcuts)
  Q_PROPERTY(bool canUndo READ canUndo NOTIFY canUndoChanged)
  Q_PROPERTY(bool canRedo READ canRedo NOTIFY canRedoChanged)

 public:
  explicit TFormulaEditorItem(QQuickItem* Parent = nullptr);
  ~TFormulaEditorItem() override;

  bool canUndo() const;
  bool canRedo() const;

  // The editing commands, each one undo step. The insertions put what they insert at the
  // caret, in place of the selection (which goes into a template's first slot), and are
  // false, with nothing done, for a name, code or text they cannot take.
  Q_INVOKABLE void undo();
  Q_INVOKABLE void redo();
  Q_INVOKABLE bool insertTemplate(const QString& Keyword) { return InsertTemplate(Keyword); }
  Q_INVOKABLE bool insertSymbol(int Code) { return InsertSymbol(Code); }
  Q_INVOKABLE bool insertFormula(const QString& Data) { return TEditorCore::insertFormula(Data); }
  Q_INVOKABLE void selectAll();
  Q_INVOKABLE bool copy();
  Q_INVOKABLE bool cut();
  Q_INVOKABLE void paste();

  void paint(QPainter* Painter) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

 signals:
  void inputStyleChanged(TInputStyles::TInputStyle Value);
  void zoomChanged(int Percent);
  void canUndoChanged(bool Value);
  void canRedoChanged(bool Value);

 protected:
  QSize NaturalSize() const override { return ContentSize(); }

  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void itemChange(ItemChange Change, const ItemChangeData& Value) override;

  bool ViewFocused() const override { return hasActiveFocus(); }
  void FocusView() override { forceActiveFocus(Qt::MouseFocusReason); }
  void FocusNext(bool Forward) override;
  void InputStyleSet() override { setActiveFocusOnTab(Modern()); }
  void SettingChanged(TSetting Setting) override;
};
