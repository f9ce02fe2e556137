// Edits a shown editor with a sequence of operations read from arbitrary bytes: keys in
// both input styles, palette commands, selection, the clipboard, matrix rows and columns,
// property assignments, zoom, typesetting switches, the mouse and a host's direct calls.
// The input is a Data text up to the first zero byte (the seeds are the Data reader's),
// then one operation for every few bytes. Beyond what the sanitizers catch: after every
// operation the caret stands inside its run; at the end, undoing every step gives back
// the Data the editing began with, exactly, and redoing every step the final Data.

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <exception>
#include <iterator>

#include "FuzzSupport.h"
#include "editor/AreaPath.h"
#include "editor/Editing.h"
#include "editor/Equations.h"
#include "palette/PaletteCommands.h"

namespace {
// The bytes of the operations, read one at a time; zeros once they run out.
class TBytes {
 public:
  TBytes(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}
  bool AtEnd() const { return FAt >= FSize; }
  int Next(int Count) { return FAt < FSize ? FData[FAt++] % Count : 0; }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FAt = 0;
};

// An undo step each; more than the history keeps would lose the first.
constexpr int MaxOperations = 200;

const Qt::Key Keys[] = {Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                        Qt::Key_End,       Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Tab,
                        Qt::Key_Backtab,   Qt::Key_A,      Qt::Key_C,   Qt::Key_X,      Qt::Key_V,
                        Qt::Key_Z,         Qt::Key_Y,      Qt::Key_R,   Qt::Key_Plus,   Qt::Key_Minus,
                        Qt::Key_0,         Qt::Key_Insert};
const Qt::KeyboardModifiers Modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                           Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier | Qt::ShiftModifier};
const char16_t Typed[] = {u'a', u'x', u'1', u'+', u'=', u'(', u')', u' ', u'#', u'\u0436', u'\u03B1'};
const char* const Texts[] = {"EditArea(Simple(a)Division(EditArea(Simple(1))EditArea(Simple(x))))EditArea()",
                             "EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea()EditArea()EditArea(Simple(4))))",
                             "junk", ""};
const char* const Latex[] = {"\\frac{a}{b}+\\sqrt[3]{x}", "\\begin{pmatrix}1&2\\\\3&4\\end{pmatrix}", "\\acute{x}"};

void Key(TZelkEquation& Editor, TBytes& In) {
  const Qt::Key K = Keys[In.Next(std::size(Keys))];
  QTest::keyClick(&Editor, K, Modifiers[In.Next(std::size(Modifiers))]);
}

void Type(TZelkEquation& Editor, TBytes& In) {
  const QString Text = QChar(Typed[In.Next(std::size(Typed))]);
  QKeyEvent Press(QEvent::KeyPress, 0x30, Qt::NoModifier, Text);
  QCoreApplication::sendEvent(&Editor, &Press);
}

void Palette(TZelkEquation& Editor, TBytes& In) {
  const int Group = In.Next(20);
  const int Button = In.Next(40);
  const QSize Size(1 + In.Next(4), 1 + In.Next(4));
  TEditing& Editing = Editor.Editing();
  if (MatrixSizeAsked(Group, Button))
    Editing.InsertElement([=](TEditArea& Area) { RunSizedMatrixCommand(Area, Group, Button, Size); });
  else if (RemovesOrnament(Group, Button))
    Editing.RemoveOrnament();
  else
    Editing.InsertElement([=](TEditArea& Area) { RunPaletteCommand(Area, Group, Button); });
}

void Mouse(TZelkEquation& Editor, TBytes& In) {
  static const QEvent::Type Types[] = {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease,
                                       QEvent::MouseButtonDblClick};
  const QEvent::Type Type = Types[In.Next(std::size(Types))];
  const QPoint At(In.Next(256) * Editor.width() / 256, In.Next(256) * Editor.height() / 256);
  const Qt::MouseButtons Held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent Event(Type, At, Editor.mapToGlobal(At), Qt::LeftButton, Held, Qt::NoModifier);
  QCoreApplication::sendEvent(&Editor, &Event);
}

// What a host may do with the editor's properties and model directly.
void Host(TZelkEquation& Editor, TBytes& In) {
  TEditArea* Area = Editor.ActiveEditArea();
  switch (In.Next(9)) {
    case 0: Editor.setProperty("Data", QString::fromUtf8(Texts[In.Next(std::size(Texts))])); break;
    case 1: Editor.setProperty("LaTeX", QString::fromUtf8(Latex[In.Next(std::size(Latex))])); break;
    case 2: Editor.setProperty("MathML", Editor.GetMathML()); break;
    case 3: Editor.SetZoom(10 * (1 + In.Next(80))); break;
    case 4: Editor.SetTypesetting(In.Next(2) ? TTypesettings::Math : TTypesettings::Classic); break;
    case 5: Editor.SetInputStyle(In.Next(2) ? TInputStyles::Modern : TInputStyles::Classic); break;
    case 6: if (Area) Area->DelEquation(In.Next(Area->Count() + 2) - 1); break;
    case 7: if (Area) Area->SetEquationIndex(In.Next(Area->Count() + 2) - 1); break;
    default:
      try {
        Editor.Editing().EditMatrix(static_cast<TMatrixEdit>(In.Next(6)));
      } catch (const std::exception&) {
      }
      break;
  }
}

void Operate(TZelkEquation& Editor, TBytes& In) {
  switch (In.Next(8)) {
    case 0: case 1: Key(Editor, In); break;
    case 2: case 3: Type(Editor, In); break;
    case 4:
      // The palette's buttons and the editor's menu catch what a command throws.
      try {
        Palette(Editor, In);
      } catch (const std::exception&) {
      }
      break;
    case 5: Mouse(Editor, In); break;
    case 6: Host(Editor, In); break;
    default: QCoreApplication::processEvents(); break;
  }
}

void CheckCaret(const TZelkEquation& Editor, const QString& Input) {
  const TEditArea* Area = Editor.ActiveEditArea();
  if (!Area) return;
  if (Area->EquationIndex() < 0 || Area->EquationIndex() > Area->Count())
    Fail("the caret stands outside its run", {{"input", Input}, {"data", Editor.GetData()}});
  if (AreaAt(Editor, PathOf(Area)) != Area) Fail("the active area is not in the formula", {{"input", Input}});
}

// The Data after undoing (or redoing) every step.
QString Undone(TZelkEquation& Editor, bool Undo) {
  QUndoStack* Stack = Editor.UndoStack();
  for (int Steps = 0; Undo ? Stack->canUndo() : Stack->canRedo(); ++Steps) {
    if (Steps > 2 * MaxOperations + 2) Fail("undo does not come to an end", {});
    Undo ? Editor.Editing().Undo() : Editor.Editing().Redo();
  }
  return Editor.GetData();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const auto* Bytes = reinterpret_cast<const char*>(Data);
  const size_t Split = std::find(Bytes, Bytes + Size, '\0') - Bytes;
  const QString Input = QString::fromUtf8(Bytes, static_cast<qsizetype>(Size));
  QGuiApplication::clipboard()->clear();
  TZelkEquation Editor;
  Editor.resize(400, 300);
  Editor.show();
  Editor.PutData(QString::fromUtf8(Bytes, static_cast<qsizetype>(Split)));
  QCoreApplication::sendPostedEvents();
  Editor.Editing().ResetHistory();
  const QString Start = Editor.GetData();
  TBytes In(Data + qMin(Size, Split + 1), Size - qMin(Size, Split + 1));
  for (int Count = 0; Count < MaxOperations && !In.AtEnd(); ++Count) {
    try {
      Operate(Editor, In);
    } catch (const std::exception& Error) {
      Fail("a fault left an editing command", {{"input", Input}, {"error", QString::fromUtf8(Error.what())}});
    }
    CheckCaret(Editor, Input);
  }
  // What the host changed outside any edit becomes a step; the last steps undone are
  // redone first.
  QCoreApplication::processEvents();
  const QString Final = Undone(Editor, false);
  if (const QString Back = Undone(Editor, true); Back != Start)
    Fail("undoing every step does not give back the start", {{"input", Input}, {"start", Start}, {"undone", Back}});
  if (const QString Again = Undone(Editor, false); Again != Final)
    Fail("redoing every step does not give back the end", {{"input", Input}, {"final", Final}, {"redone", Again}});
  CheckCaret(Editor, Input);
  return 0;
}
