#include "Editing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>
#include <algorithm>
#include <exception>

#include "editor/ClipboardImages.h"
#include "editor/SlotNavigation.h"
#include "editor/EditorCore.h"
#include "interchange/ClipboardFormats.h"
#include "model/Accent.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

TEditing::TEditing(TEditorCore& Editor)
    : FEditor(Editor),
      FHistory([this] { return Capture(); }, [this](const TEditorState& S) { Restore(S); }),
      FTyping(*this, Editor) {
  FFormats.SetImageWriter(FormulaImageWriter(Editor));
  FFormats.Add(LatexClipboardFormat());
  FFormats.Add(MathMLClipboardFormat());
  FFormats.Add(HtmlClipboardFormat());
}

void TEditing::BeginEdit(bool Hold) {
  if (!FHistory.Restoring()) FHistory.Begin(Hold);
}

void TEditing::EndEdit() {
  if (!FHistory.Restoring() && FHistory.End()) Announce();
  if (FHistory.Editing()) return;
  FEditor.UpdateViewSize();
  RefreshHighlight();
  FEditor.EnsureCaretVisible();
}

void TEditing::Announce() {
  FAnnouncing = true;
  const auto Done = qScopeGuard([this] { FAnnouncing = false; });
  FEditor.Change();
}

void TEditing::BeginTyping() {
  FHistory.MarkTyping();
  DeleteSelection();
}

bool TEditing::HoldChange() {
  if (FAnnouncing) return false;
  if (!FHistory.Restoring()) FSelection.Clear();
  const bool Held = FHistory.NoteChange();
  // An edit updates the size hint once, when it ends.
  if (!FHistory.Editing()) FEditor.UpdateViewSize();
  return Held;
}

void TEditing::ActiveAreaChanging(TEditArea* Next) {
  if (Next != FEditor.ActiveEditArea() && !FHistory.Restoring()) FSelection.Clear();
}

TEditorState TEditing::Capture() const {
  TEditorState State;
  State.Data = FEditor.GetData();
  if (const TEditArea* Area = FEditor.ActiveEditArea()) {
    State.Area = PathOf(Area);
    State.Caret = Area->EquationIndex();
  }
  State.Anchor = FSelection.Anchor();
  State.Whole = FSelection.IsWhole();
  return State;
}

void TEditing::Restore(const TEditorState& State) {
  try {
    FEditor.RestoreData(State.Data);
  } catch (const std::exception&) {
    // The text came from the formula itself; what was read stays.
  }
  TEditArea* Area = AreaAt(FEditor, State.Area);
  if (!Area && FEditor.LineCount() > 0) Area = FEditor.Line(0);
  if (Area) {
    FEditor.SetEditAreaIndex(State.Area.Line);
    PlaceCaret(Area, State.Caret);
  }
  if (State.Whole)
    FSelection.SetWhole();
  else
    FSelection.SetAnchor(Area ? qBound(-1, State.Anchor, Area->Count()) : -1);
  Announce();
  FEditor.UpdateViewSize();
  RefreshHighlight();
  FEditor.EnsureCaretVisible();
}

void TEditing::PlaceCaret(TEditArea* Area, int Index) {
  if (FEditor.ActiveEditArea() != Area) Area->SetActive(true);
  Area->SetEquationIndex(qBound(0, Index, Area->Count()));
}

void TEditing::EnsureLine() {
  if (FEditor.LineCount() == 0) FEditor.InsertEditArea();
}

bool TEditing::HasSelection() const {
  const TEditArea* Area = FEditor.ActiveEditArea();
  return FSelection.IsWhole() || (Area && FSelection.HasRange(Area->EquationIndex()));
}

QString TEditing::SelectedData() const {
  if (FSelection.IsWhole()) return FEditor.GetData();
  const TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area || !FSelection.HasRange(Area->EquationIndex())) return QString();
  const auto [First, Last] = FSelection.Range(Area->EquationIndex());
  return RunData(*Area, First, Last);
}

void TEditing::SelectAll() {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  const auto [First, Last] = FSelection.Range(Area->EquationIndex());
  const bool RunSelected = FSelection.HasRange(Area->EquationIndex()) && First == 0 && Last == Area->Count();
  if (RunSelected || Area->Count() == 0 || FSelection.IsWhole()) {
    FSelection.SetWhole();
    return;
  }
  FSelection.SetAnchor(0);
  Area->SetEquationIndex(Area->Count());
}

void TEditing::ExtendSelection(int Index) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  if (FSelection.Anchor() < 0) FSelection.SetAnchor(Area->EquationIndex());
  Area->SetEquationIndex(qBound(0, Index, Area->Count()));
}

void TEditing::SelectRange(const TAreaPath& Path, int Anchor, int Caret) {
  TEditArea* Area = AreaAt(FEditor, Path);
  if (!Area) return;
  PlaceCaret(Area, Caret);
  FSelection.SetAnchor(qBound(0, Anchor, Area->Count()));
}

bool TEditing::DeleteSelection() {
  if (!HasSelection()) return false;
  const TEditScope Edit(*this);
  if (FSelection.IsWhole()) {
    FSelection.Clear();
    FEditor.SetData(QStringLiteral("EditArea()"));
    return true;
  }
  TEditArea* Area = FEditor.ActiveEditArea();
  const auto [First, Last] = FSelection.Range(Area->EquationIndex());
  FSelection.Clear();
  DeleteRun(*Area, First, Last);
  return true;
}

bool TEditing::Copy() {
  const QString Data = SelectedData();
  if (Data.isEmpty()) return false;
  QGuiApplication::clipboard()->setMimeData(FormulaMimeData(Data, FFormats));
  return true;
}

bool TEditing::Cut() {
  if (!Copy()) return false;
  DeleteSelection();
  return true;
}

bool TEditing::CopyAs(const QString& FormatName) {
  const QString Data = SelectedData();
  const TFormulaFormat* Format = FFormats.Find(FormatName);
  if (Data.isEmpty() || !Format || !Format->Write) return false;
  QString Text;
  try {
    Text = Format->Write(Data);
  } catch (const std::exception&) {
    return false;
  }
  auto* Mime = new QMimeData;
  for (const QString& Type : Format->MimeTypes) Mime->setData(Type, Text.toUtf8());
  Mime->setText(Text);
  QGuiApplication::clipboard()->setMimeData(Mime);
  return true;
}

bool TEditing::CopyAsImage() {
  const QString Data = SelectedData();
  if (Data.isEmpty() || !FFormats.ImageWriter()) return false;
  auto* Mime = new QMimeData;
  FFormats.ImageWriter()(*Mime, Data);
  QGuiApplication::clipboard()->setMimeData(Mime);
  return true;
}

void TEditing::Paste() {
  if (const QMimeData* Mime = QGuiApplication::clipboard()->mimeData()) InsertMimeData(*Mime);
}

void TEditing::InsertMimeData(const QMimeData& Mime) {
  const TPasteContent Content = ReadMimeData(Mime, FFormats);
  if (Content.IsEmpty()) return;
  const TEditScope Edit(*this);
  EnsureLine();
  if (FSelection.IsWhole() && !Content.Data.isEmpty()) {
    // The whole formula gives way to the pasted one, lines and all.
    FSelection.Clear();
    FEditor.SetData(Content.Data);
    return;
  }
  DeleteSelection();
  InsertContent(Content);
}

void TEditing::InsertContent(const TPasteContent& Content) {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  if (!Content.Data.isEmpty()) {
    InsertLines(Content.Data);
    return;
  }
  const QList<uint> Codes = Content.Characters.toUcs4();
  InsertMany(Codes.size(), [&] {
    for (const char32_t Code : Codes) {
      if (!QChar::isPrint(Code)) continue;
      Area->AddEqSimple(Code);
      Area->SetEquationIndex(Area->EquationIndex() + 1);
    }
  });
}

void TEditing::InsertMany(qsizetype Count, const std::function<void()>& Insert) {
  // Each element laid out as it goes in costs a layout of its line: a few are cheaper so
  // than one layout of the whole formula, more are not.
  constexpr qsizetype Few = 16;
  if (Count > Few)
    FEditor.DeferLayout(Insert);
  else
    Insert();
}

void TEditing::InsertRun(TEditArea& Area, const QString& Run) {
  // Every element, slot and line of a text opens one parenthesis.
  InsertMany(Run.count(u'('), [&] { Area.InsertData(Run); });
}

void TEditing::InsertLines(const QString& Data) {
  InsertMany(Data.count(u'('), [&] { InsertLineTexts(Data); });
}

void TEditing::InsertLineTexts(const QString& Data) {
  TExprArray Lines;
  for (TExpression& Item : TZelkGraphic::GetExprData(Data))
    if (Item.Name == QLatin1String("EditArea")) Lines.push_back(std::move(Item));
  TEditArea* Area = FEditor.ActiveEditArea();
  if (Lines.empty() || !Area) return;
  // The lines are one text: their elements count together against the reader's limits.
  const TReadScope Reading(&FEditor);
  const bool InLine = Area->GetParent() == &FEditor;
  if (!InLine || Lines.size() == 1) {
    // A slot holds one run: the lines join.
    for (const TExpression& Line : Lines) {
      const int Caret = Area->EquationIndex() + Area->InsertData(Line.Argument);
      PlaceCaret(Area, Caret);
    }
    return;
  }
  const int Added = static_cast<int>(Lines.size()) - 1;
  if (FEditor.LineCount() > MaxLines - Added)
    throw ELimitError("the formula would hold more than " + std::to_string(MaxLines) + " lines");
  const int Caret = Area->EquationIndex();
  const int Row = FEditor.EditAreaList()->IndexOf(Area);
  // The rest of the run goes to the last line before it leaves this one: a paste that the
  // reader's limits stop keeps it.
  const QString Tail = RunData(*Area, Caret, Area->Count());
  TEditArea* Last = Area;
  for (int L = 1; L <= Added; ++L) {
    FEditor.SetEditAreaIndex(Row + L - 1);
    FEditor.AddEditArea();
    Last = FEditor.Line(Row + L);
    PlaceCaret(Last, Last->InsertData(Lines[L].Argument));
  }
  const int End = Last->EquationIndex();
  for (const TExpression& Rest : TZelkGraphic::GetExprData(Tail)) Last->InsertData(Rest.Argument);
  DeleteRun(*Area, Caret, Area->Count());
  Area->InsertData(Lines.front().Argument);
  FEditor.SetEditAreaIndex(Row + Added);
  PlaceCaret(Last, End);
}

void TEditing::Undo() { FHistory.Undo(); }

void TEditing::Redo() { FHistory.Redo(); }

void TEditing::InsertElement(const std::function<void(TEditArea&)>& Insert) {
  const TEditScope Edit(*this);
  EnsureLine();
  const QString Taken = SelectedData();
  DeleteSelection();
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return;
  const int Index = Area->EquationIndex();
  const int Count = Area->Count();
  Insert(*Area);
  if (Area->Count() != Count + 1) return;
  auto* Template = dynamic_cast<TEqParent*>(Area->Item(Index));
  if (!Template) {
    if (FEditor.ActiveEditArea() == Area) Area->SetEquationIndex(Index + 1);
    return;
  }
  if (Template->EditAreaCount() == 0) return;
  if (!Taken.isEmpty()) {
    // The template chose where the caret goes; the selection fills its first slot.
    TEditArea* Next = FEditor.ActiveEditArea();
    const int NextIndex = Next ? Next->EquationIndex() : 0;
    TEditArea* First = Template->Slot(0);
    First->SetActive(true);
    First->SetEquationIndex(0);
    InsertLines(Taken);
    if (Next && Next != First) PlaceCaret(Next, NextIndex);
  }
  // Modern: the caret starts where reading starts, in the first slot still empty.
  if (!FEditor.Modern()) return;
  if (TEditArea* Empty = FirstEmptySlot(*Area, Index)) {
    PlaceCaret(Empty, 0);
  } else {
    TEditArea* Last = Template->ReadingOrder().back();
    PlaceCaret(Last, Last->Count());
  }
}

bool TEditing::RemoveOrnament() {
  TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  const int Index = Area->EquationIndex() - 1;
  if (auto* Accent = Index >= 0 ? dynamic_cast<TEqAccent*>(Area->Item(Index)) : nullptr) {
    Dissolve(*Accent, *Accent->Slot(0), Accent->Slot(0)->Count());
    return true;
  }
  // The caret inside an accent's slot.
  auto* Accent = dynamic_cast<TEqAccent*>(Area->GetParent());
  if (!Accent) return false;
  Dissolve(*Accent, *Area, Area->Count());
  return true;
}

namespace {
int ContentCount(const TEqParent& Template) {
  int Count = 0;
  for (const TEditArea* Slot : Template.ReadingOrder()) Count += Slot->Count();
  return Count;
}
}  // namespace

void TEditing::Dissolve(TEqParent& Template, const TEditArea& Slot, int Offset) {
  TEditArea* Run = Template.GetParent();
  int Place = 0;
  while (Place < Run->Count() && Run->Item(Place) != &Template) ++Place;
  if (Place == Run->Count()) return;
  QString Contents;
  int Before = 0;
  bool Found = false;
  for (const TEditArea* Each : Template.ReadingOrder()) {
    if (Each == &Slot) Found = true;
    if (!Found) Before += Each->Count();
    Contents += Each->GetData();
  }
  const TEditScope Edit(*this);
  FSelection.Clear();
  PlaceCaret(Run, Place);
  Run->DelEquation(Place);
  InsertRun(*Run, Contents);
  PlaceCaret(Run, Place + Before + Offset);
}

bool TEditing::CanRemoveStructure() const {
  const TEditArea* Area = FEditor.ActiveEditArea();
  if (!Area) return false;
  if (FSelection.IsWhole()) return false;
  if (!FSelection.HasRange(Area->EquationIndex())) return HoldingTemplate(*Area) != nullptr;
  const auto [First, Last] = FSelection.Range(Area->EquationIndex());
  for (int I = First; I < Last; ++I)
    if (TemplateWithSlots(*Area, I)) return true;
  return false;
}

bool TEditing::RemoveStructure() {
  if (!CanRemoveStructure()) return false;
  TEditArea* Area = FEditor.ActiveEditArea();
  const TEditScope Edit(*this);
  if (!FSelection.HasRange(Area->EquationIndex())) {
    auto* Template = static_cast<TEqParent*>(Area->GetParent());
    Dissolve(*Template, *Area, Area->EquationIndex());
    return true;
  }
  const std::pair<int, int> Range = FSelection.Range(Area->EquationIndex());
  const int First = Range.first;
  const int Last = Range.second;
  int End = Last;
  InsertMany(Last - First, [&] {
    // From the last, so that the places of the ones before stay.
    for (int I = Last - 1; I >= First; --I)
      if (TEqParent* Template = TemplateWithSlots(*Area, I)) {
        End += ContentCount(*Template) - 1;
        Dissolve(*Template, *Template->ReadingOrder().front(), 0);
      }
  });
  PlaceCaret(Area, End);
  return true;
}
