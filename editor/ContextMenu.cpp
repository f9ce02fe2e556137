// The editor's context menu.

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <exception>

#include "editor/Editing.h"
#include "editor/EditorCore.h"

namespace {
QString MenuText(const char* Text) { return QCoreApplication::translate("TZelkEquation", Text); }
}  // namespace

QMenu* TEditing::CreateContextMenu() {
  auto* Menu = new QMenu(FEditor.PopupParent());
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  const auto Add = [Menu](const char* Text, const char* Name, QKeySequence Keys, bool Enabled,
                          auto&& Run) {
    QAction* Action = Menu->addAction(MenuText(Text));
    Action->setObjectName(QString::fromLatin1(Name));
    Action->setShortcut(Keys);
    Action->setEnabled(Enabled);
    QObject::connect(Action, &QAction::triggered, Menu, [Run] {
      try {
        Run();
      } catch (const std::exception&) {
        // The command stopped half way; what it did stays and can be undone.
      }
    });
    return Action;
  };
  const bool Selected = HasSelection();
  const QMimeData* Clip = QGuiApplication::clipboard()->mimeData();
  const bool CanPaste = Clip && !ReadMimeData(*Clip, FFormats).IsEmpty();
  Add("&Undo", "Undo", QKeySequence::Undo, UndoStack().canUndo(), [this] { Undo(); });
  Add("&Redo", "Redo", QKeySequence::Redo, UndoStack().canRedo(), [this] { Redo(); });
  Menu->addSeparator();
  Add("Cu&t", "Cut", QKeySequence::Cut, Selected, [this] { Cut(); });
  Add("&Copy", "Copy", QKeySequence::Copy, Selected, [this] { Copy(); });
  Add("&Paste", "Paste", QKeySequence::Paste, CanPaste, [this] { Paste(); });
  Menu->addSeparator();
  Add("Select &All", "SelectAll", QKeySequence::SelectAll, FEditor.ActiveEditArea() != nullptr,
      [this] { SelectAll(); });
  Add("Remove &Structure", "RemoveStructure", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
      CanRemoveStructure(), [this] { RemoveStructure(); });
  Menu->addSeparator();
  Add("Copy as &LaTeX", "CopyAsLaTeX", QKeySequence(), Selected && FFormats.Find(QStringLiteral("LaTeX")),
      [this] { CopyAs(QStringLiteral("LaTeX")); });
  Add("Copy as &MathML", "CopyAsMathML", QKeySequence(), Selected && FFormats.Find(QStringLiteral("MathML")),
      [this] { CopyAs(QStringLiteral("MathML")); });
  Add("Copy as &Image", "CopyAsImage", QKeySequence(), Selected && FFormats.ImageWriter(),
      [this] { CopyAsImage(); });
  if (!MatrixAround(FEditor.ActiveEditArea())) return Menu;
  Menu->addSeparator();
  const struct {
    const char* Text;
    const char* Name;
    QKeySequence Keys;
    TMatrixEdit Edit;
  } MatrixEntries[] = {
      {"Insert Row &Above", "InsertRowAbove", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Up), TMatrixEdit::RowAbove},
      {"Insert Row &Below", "InsertRowBelow", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Down), TMatrixEdit::RowBelow},
      {"Insert Column &Left", "InsertColumnLeft", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Left),
       TMatrixEdit::ColumnLeft},
      {"Insert Column &Right", "InsertColumnRight", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Right),
       TMatrixEdit::ColumnRight},
      {"&Delete Row", "DeleteRow", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace), TMatrixEdit::DeleteRow},
      {"Delete Colu&mn", "DeleteColumn", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
       TMatrixEdit::DeleteColumn},
  };
  for (const auto& Entry : MatrixEntries)
    Add(Entry.Text, Entry.Name, Entry.Keys, CanEditMatrix(Entry.Edit), [this, Edit = Entry.Edit] { EditMatrix(Edit); });
  return Menu;
}
