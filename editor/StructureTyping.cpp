#include "StructureTyping.h"

#include <QKeyEvent>
#include <QUndoStack>
#include <exception>

#include "editor/EACursor.h"
#include "editor/Editing.h"
#include "editor/SlotNavigation.h"
#include "editor/TypingShortcuts.h"
#include "editor/EditorCore.h"
#include "interchange/Latex.h"
#include "layout/MathStyle.h"
#include "model/Brackets.h"
#include "model/EditArea.h"
#include "model/Index.h"
#include "model/Symbols.h"
#include "palette/PaletteCommands.h"

namespace {
// How long a shortcut that may go on waits for the next key.
constexpr int PauseMs = 700;

char32_t CharacterAt(const TEditArea& Area, int Index) {
  if (Index < 0 || Index >= Area.Count()) return 0;
  if (const auto* Simple = dynamic_cast<const TEqSimple*>(Area.Item(Index))) return Simple->Character();
  if (const auto* Symbol = dynamic_cast<const TEqExtSymbol*>(Area.Item(Index))) return Symbol->SymbolCode();
  return 0;
}

bool IsTyped(const TEditArea& Area, int Index) { return dynamic_cast<const TEqSimple*>(Area.Item(Index)); }

// Where an operand that ends at End begins: back to the nearest binary operator, relation,
// comma or space, a bracket pair or a template counting as one element.
int OperandStart(const TEditArea& Area, int End) {
  int I = End;
  while (I > 0) {
    const char32_t C = IsTyped(Area, I - 1) ? CharacterAt(Area, I - 1) : 0;
    if (C == U')') {
      int Depth = 0;
      int J = I - 1;
      for (; J >= 0; --J) {
        const char32_t Each = IsTyped(Area, J) ? CharacterAt(Area, J) : 0;
        if (Each == U')') ++Depth;
        if (Each == U'(' && --Depth == 0) break;
      }
      if (J < 0) return I;  // no bracket opens it
      I = J;
      continue;
    }
    const char32_t Sign = CharacterAt(Area, I - 1);
    const TMathAtom Atom = CharacterAtom(Sign);
    if (Atom == maBin || Atom == maRel || Atom == maPunct || Atom == maOpen || QChar::isSpace(Sign)) return I;
    --I;
  }
  return 0;
}

// The Data run of elements First..Last-1 of Area.
QString RunOf(const TEditArea& Area, int First, int Last) {
  const TExprArray Items = TZelkGraphic::GetExprData(RunData(Area, First, Last));
  return Items.empty() ? QString() : Items.front().Argument;
}

// The right-hand index whose slot Area is, or none.
TEqIndex* ScriptOf(const TEditArea& Area) {
  auto* Index = dynamic_cast<TEqIndex*>(Area.GetParent());
  return Index && !Index->BeforeBase() ? Index : nullptr;
}

int PlaceInRun(const TEquation& Element) {
  const TEditArea* Run = Element.GetParent();
  for (int I = 0; I < Run->Count(); ++I)
    if (Run->Item(I) == &Element) return I;
  return -1;
}

int UnclosedBrackets(const TEditArea& Area, int End) {
  int Open = 0;
  for (int I = 0; I < End; ++I) {
    if (!IsTyped(Area, I)) continue;
    if (CharacterAt(Area, I) == U'(') ++Open;
    if (CharacterAt(Area, I) == U')' && Open > 0) --Open;
  }
  return Open;
}

bool IsLetter(char32_t C) { return QChar::isLetter(C); }


QString RunOfLetters(const QString& Letters) {
  QString Run;
  for (const QChar C : Letters) Run += QStringLiteral("Simple(%1)").arg(C);
  return Run;
}
}  // namespace

TStructureTyping::TStructureTyping(TEditing& Editing, TEditorCore& Editor)
    : FEditing(Editing), FEditor(Editor), FCommandLine(Editor) {
  FPause.setSingleShot(true);
  FPause.setInterval(PauseMs);
  QObject::connect(&FPause, &QTimer::timeout, &FPause, [this] {
    try {
      ConvertWaiting();
    } catch (const std::exception&) {
      // The conversion stopped half way; what it did stays and can be undone.
    }
  });
}

void TStructureTyping::Reset() {
  FRunLength = 0;
  FWaiting.reset();
  FDue.reset();
  FPause.stop();
  FTakeBackIndex = -1;
  FSlotToOpen = {};
  FOpenedSlot = {};
  // What was typed on the command line stays, as characters.
  if (FCommandLine.IsOpen()) AcceptCommand(true);
}

bool TStructureTyping::BeforeKey(const QKeyEvent& Event) {
  // Shift, Ctrl and the other modifiers pressed alone come before the keys they change.
  if (Event.key() >= Qt::Key_Shift && Event.key() <= Qt::Key_ScrollLock) return FCommandLine.IsOpen();
  if (FCommandLine.IsOpen()) return CommandKey(Event);
  const Qt::KeyboardModifiers Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  const bool Plain = !(Event.modifiers() & Chords);
  const bool Backspace = Event.key() == Qt::Key_Backspace && Plain;
  if (Backspace && TakeBack()) return true;
  FTakeBackIndex = -1;
  if (!(Event.text() == QLatin1String("(") && Plain)) FSlotToOpen = {};
  if (!(Plain && Event.text().size() == 1 && Event.text().front().isLetter())) FRunLength = 0;
  if (FWaiting) {
    const QString Typed = Plain ? Event.text() : QString();
    const bool Continues = Typed.size() == 1 && (FWaiting->Shortcut->Word
                                                     ? Typed.front().isLetter()
                                                     : ShortcutContinues(FWaiting->Shortcut->Text + Typed, false) ||
                                                           ShortcutFor(FWaiting->Shortcut->Text + Typed, false));
    // Backspace, Delete and Escape mean the letters as they stand.
    const bool Dropped = Backspace || Event.key() == Qt::Key_Delete || Event.key() == Qt::Key_Escape;
    if (Dropped) {
      FWaiting.reset();
      FPause.stop();
    } else if (!Continues) {
      ConvertWaiting();
    }
  }
  return false;
}

bool TStructureTyping::TakeBack() {
  if (FTakeBackIndex < 0 || FTakeBackIndex != FEditing.UndoStack().index()) return false;
  const TEditorState Now = FEditing.CurrentState();
  if (!Now.SamePlace(FTakeBackState) || Now.Data != FTakeBackState.Data) return false;
  FTakeBackIndex = -1;
  FEditing.Undo();
  return true;
}

bool TStructureTyping::BeforeCharacter(char32_t Character) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  if (Character == U'\\') {
    const TEACursor* Mark = Area->Caret();
    const QRect Caret = FEditor.WidgetRect(QRect(Mark->HostPosition(), QSize(Mark->Width(), Mark->Height())));
    FCommandLine.Open(FEditor.Language(), Caret);
    return true;
  }
  const bool Selected = FEditing.HasSelection() && !FEditing.Selection().IsWhole();
  if (Selected) {
    std::function<void(TEditArea&)> Make;
    switch (Character) {
      case U'/': Make = [](TEditArea& A) { A.AddEqDivision(); }; break;
      case U'^': Make = [](TEditArea& A) { A.AddEqIndex({goIndexTop}); }; break;
      case U'_': Make = [](TEditArea& A) { A.AddEqIndex({goIndexBottom}); }; break;
      case U'(': Make = [](TEditArea& A) { A.AddEqBrackets(kbRound); }; break;
      case U'[': Make = [](TEditArea& A) { A.AddEqBrackets(kbSquare); }; break;
      case U'{': Make = [](TEditArea& A) { A.AddEqBrackets(kbFigure); }; break;
      case U'|': Make = [](TEditArea& A) { A.AddEqBrackets(kbModule); }; break;
      default: break;
    }
    if (Make) {
      FEditing.InsertElement(Make);
      Converted();
      return true;
    }
  }
  const int Index = Area->EquationIndex();
  if (Character == U'(' && FSlotToOpen.IsValid() && PathOf(Area) == FSlotToOpen && Area->GetIsEmpty()) {
    FOpenedSlot = FSlotToOpen;
    FSlotToOpen = {};
    return true;
  }
  if (Character == U')' && FOpenedSlot.IsValid() && PathOf(Area) == FOpenedSlot && UnclosedBrackets(*Area, Index) == 0) {
    FOpenedSlot = {};
    auto* Template = static_cast<TEqParent*>(Area->GetParent());
    FEditing.MoveCaretTo(Template->GetParent(), PlaceInRun(*Template) + 1);
    return true;
  }
  const TMathAtom Atom = CharacterAtom(Character);
  if ((Atom == maBin || Atom == maRel) && ScriptOf(*Area) && !Area->GetIsEmpty() && Index == Area->Count()) {
    TEqIndex* Script = ScriptOf(*Area);
    FEditing.MoveCaretTo(Script->GetParent(), PlaceInRun(*Script) + 1);
  }
  return false;
}

void TStructureTyping::AfterCharacter(char32_t Character) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  const int End = Area->EquationIndex();
  const TAreaPath Path = PathOf(Area);
  // Text keeps what is typed into it.
  const bool Text = Area->MathText();
  if (!Text && (Character == U'/' || Character == U'^' || Character == U'_')) {
    FWaiting.reset();
    FDue = TPending{Path, End - 1, 1, nullptr};
    return;
  }
  const bool Words = FEditor.WordShortcuts() && !Area->MathUpright() && !Text;
  // A word: the whole run of letters before the caret.
  std::optional<TPending> Found;
  if (IsLetter(Character)) {
    FRunLength = FRunLength > 0 && Path == FRunPath && End - 1 == FRunEnd ? FRunLength + 1 : 1;
    FRunPath = Path;
    FRunEnd = End;
  }
  if (Words && IsLetter(Character)) {
    const int Start = End - FRunLength;
    QString Run;
    for (int I = Start; I < End; ++I) {
      const char32_t C = CharacterAt(*Area, I);
      Run += QString::fromUcs4(&C, 1);
    }
    if (const TShortcut* S = ShortcutFor(Run, true)) Found = TPending{Path, Start, End - Start, S};
  }
  // A digraph or trigraph of signs, the longest first.
  for (int Length = 3; !Text && !Found && Length >= 2; --Length) {
    if (End - Length < 0) continue;
    QString Tail;
    bool Typed = true;
    for (int I = End - Length; I < End; ++I) {
      Typed = Typed && IsTyped(*Area, I);
      const char32_t C = CharacterAt(*Area, I);
      Tail += QString::fromUcs4(&C, 1);
    }
    if (!Typed) continue;
    if (const TShortcut* S = ShortcutFor(Tail, false)) Found = TPending{Path, End - Length, Length, S};
  }
  FWaiting.reset();
  FPause.stop();
  if (!Found) return;
  if (ShortcutContinues(Found->Shortcut->Text, Found->Shortcut->Word) ||
      (Found->Shortcut->Word && Found->Shortcut->Text.size() <= 2)) {
    FWaiting = Found;
    FPause.start();
  } else {
    FDue = Found;
  }
}

void TStructureTyping::AfterKey() {
  if (FDue) Convert(*std::exchange(FDue, std::nullopt));
  Arm();
}

void TStructureTyping::ConvertWaiting() {
  FPause.stop();
  if (FWaiting) Convert(*std::exchange(FWaiting, std::nullopt));
  Arm();
}

void TStructureTyping::Convert(const TPending& Pending) {
  TEditArea* Area = AreaAt(FEditor, Pending.Path);
  // The characters must still be where they were typed.
  if (!Area || Pending.Start < 0 || Pending.Start + Pending.Length > Area->Count()) return;
  for (int I = Pending.Start; I < Pending.Start + Pending.Length; ++I)
    if (!IsTyped(*Area, I)) return;
  {
    const TEditScope Edit(FEditing);
    if (Pending.Shortcut) {
      DeleteRun(*Area, Pending.Start, Pending.Start + Pending.Length);
      InsertShortcut(*Area, *Pending.Shortcut);
    } else if (CharacterAt(*Area, Pending.Start) == U'/') {
      MakeFraction(*Area, Pending.Start);
    } else {
      MakeScript(*Area, Pending.Start, CharacterAt(*Area, Pending.Start) == U'^');
    }
  }
  Converted();
}

void TStructureTyping::MakeFraction(TEditArea& Area, int Slash) {
  DeleteRun(Area, Slash, Slash + 1);
  int Start = OperandStart(Area, Slash);
  int First = Start;
  int Last = Slash;
  // (a+b)/2: the brackets only held the numerator together.
  if (Last - First >= 2 && IsTyped(Area, First) && CharacterAt(Area, First) == U'(' && IsTyped(Area, Last - 1) &&
      CharacterAt(Area, Last - 1) == U')' && OperandStart(Area, Last) == First) {
    ++First;
    --Last;
  }
  QString Numerator = RunOf(Area, First, Last);
  if (Slash - Start == 1 && dynamic_cast<TEqBrackets*>(Area.Item(Start)) &&
      static_cast<TEqBrackets*>(Area.Item(Start))->KindBracket() == kbRound)
    Numerator = static_cast<TEqParent*>(Area.Item(Start))->Slot(0)->GetData();
  DeleteRun(Area, Start, Slash);
  FEditing.MoveCaretTo(&Area, Start);
  Area.AddEqDivision();
  auto* Fraction = static_cast<TEqParent*>(Area.Item(Start));
  FEditing.MoveCaretTo(Fraction->Slot(0), 0);
  Fraction->Slot(0)->InsertData(Numerator);
  FEditing.MoveCaretTo(Fraction->Slot(1), 0);
}

void TStructureTyping::MakeScript(TEditArea& Area, int Key, bool Top) {
  DeleteRun(Area, Key, Key + 1);
  TEqIndex* Script = ScriptOf(Area);
  const TGroupOptions Own{Top ? goIndexBottom : goIndexTop};
  if (Script && Script->GroupOptions() == Own) {
    // x_i^2: the index takes both scripts.
    const QString Kept = Area.GetData();
    TEditArea* Run = Script->GetParent();
    const int Place = PlaceInRun(*Script);
    FEditing.MoveCaretTo(Run, Place);
    Run->DelEquation(Place);
    Run->AddEqIndex({goIndexTop, goIndexBottom});
    auto* Both = static_cast<TEqIndex*>(Run->Item(Place));
    TEditArea* Other = Top ? Both->IndexBottomArea() : Both->IndexTopArea();
    FEditing.MoveCaretTo(Other, 0);
    Other->InsertData(Kept);
    FEditing.MoveCaretTo(Top ? Both->IndexTopArea() : Both->IndexBottomArea(), 0);
    return;
  }
  FEditing.MoveCaretTo(&Area, Key);
  Area.AddEqIndex({Top ? goIndexTop : goIndexBottom});
  FEditing.MoveCaretTo(static_cast<TEqParent*>(Area.Item(Key))->Slot(0), 0);
}

void TStructureTyping::InsertShortcut(TEditArea& Area, const TShortcut& Shortcut) {
  const int At = Area.EquationIndex();
  FEditing.InsertElement([&](TEditArea& A) { RunPaletteCommand(A, Shortcut.Group, Shortcut.Button); });
  if (Shortcut.Base.isEmpty()) return;
  auto* Template = At < Area.Count() ? dynamic_cast<TEqParent*>(Area.Item(At)) : nullptr;
  if (!Template) return;
  const std::vector<TEditArea*> Order = Template->ReadingOrder();
  FEditing.MoveCaretTo(Order.front(), 0);
  Order.front()->InsertData(RunOfLetters(Shortcut.Base));
  if (Order.size() > 1) FEditing.MoveCaretTo(Order[1], 0);
}

void TStructureTyping::Arm() {
  if (!std::exchange(FArm, false)) return;
  FTakeBackIndex = FEditing.UndoStack().index();
  FTakeBackState = FEditing.CurrentState();
}

void TStructureTyping::Converted() {
  FArm = true;
  TEditArea* Area = FEditor.ActiveEditArea();
  const bool InOneSlot = Area && Area->GetIsEmpty() && dynamic_cast<TEqParent*>(Area->GetParent()) &&
                         static_cast<TEqParent*>(Area->GetParent())->EditAreaCount() == 1;
  FSlotToOpen = InOneSlot ? PathOf(Area) : TAreaPath();
}

void TStructureTyping::InsertRun(const QString& Run) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  FEditing.InsertElement([&](TEditArea& A) {
    const int Start = A.EquationIndex();
    const int Count = A.InsertData(Run);
    // Where there is a slot to fill, the caret goes there.
    for (int I = Start; I < Start + Count; ++I)
      if (TEditArea* Slot = FirstEmptySlot(A, I)) {
        FEditing.MoveCaretTo(Slot, 0);
        return;
      }
    FEditing.MoveCaretTo(&A, Start + Count);
  });
}

void TStructureTyping::AcceptCommand(bool TypeText) {
  const int Current = FCommandLine.Current();
  const QString Text = FCommandLine.Text();
  const TCommandLine::TCandidate Chosen =
      Current >= 0 ? FCommandLine.Matches()[Current] : TCommandLine::TCandidate{};
  FCommandLine.Close();
  if (TypeText || (Current < 0 && !Text.isEmpty())) {
    const TEditScope Edit(FEditing);
    FEditing.BeginTyping();
    TEditArea* Area = FEditor.ActiveEditArea();
    if (Area) FEditing.MoveCaretTo(Area, Area->EquationIndex() + Area->InsertData(RunOfLetters(QLatin1Char('\\') + Text)));
    return;
  }
  if (Current < 0) return;
  if (Chosen.Latex.isEmpty()) {
    FEditing.InsertElement([&](TEditArea& A) { RunPaletteCommand(A, Chosen.Group, Chosen.Button); });
  } else {
    const TReadResult Read = ReadLatex(Chosen.Latex);
    const TExprArray Lines = TZelkGraphic::GetExprData(Read.Data);
    if (Lines.empty()) return;
    InsertRun(Lines.front().Argument);
  }
  Converted();
  FArm = false;  // a command is chosen, not typed by mistake
}

bool TStructureTyping::CommandKey(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  const QString Typed = Event.modifiers() & Chords ? QString() : Event.text();
  switch (Event.key()) {
    case Qt::Key_Escape:
      AcceptCommand(true);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      FCommandLine.Move(Event.key() == Qt::Key_Up ? -1 : 1);
      return true;
    case Qt::Key_Backspace:
      if (FCommandLine.Text().isEmpty())
        FCommandLine.Close();
      else
        FCommandLine.SetText(FCommandLine.Text().chopped(1));
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      AcceptCommand(false);
      return true;
    default:
      break;
  }
  if (Typed.size() == 1 && Typed.front().isLetter()) {
    FCommandLine.SetText(FCommandLine.Text() + Typed);
    return true;
  }
  // Any other key takes the command and then does what it does.
  AcceptCommand(false);
  return false;
}
