#include "ZelkEquation.h"

#include <QEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <exception>

#include "editor/EACursor.h"
#include "editor/EditorFont.h"
#include "editor/Editing.h"
#include "layout/FontLevels.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
// Visits every template below Area, each before (or after) the templates in its slots.
template <typename Visit>
void ForEachTemplate(TEditArea* Area, bool ParentsFirst, Visit&& Apply) {
  for (int I = 0; I < Area->Count(); ++I) {
    auto* Template = dynamic_cast<TEqParent*>(Area->Item(I));
    if (!Template) continue;
    if (ParentsFirst) Apply(Template);
    for (int S = 0; S < Template->EditAreaCount(); ++S)
      ForEachTemplate(Template->Slot(S), ParentsFirst, Apply);
    if (!ParentsFirst) Apply(Template);
  }
}
}  // namespace

TZelkEquation::TZelkEquation(QWidget* Parent)
    : TEquatStore(Parent), FEditing(std::make_unique<TEditing>(*this)) {
  resize(600, 400);
  PlaceEditAreaIndex(0);
  TZelkGraphic::SetBkColor(QColor(255, 255, 255));
  SetFontScale(1.0);
  SetEditAreaList(new TEditAreaList);
  setFocusPolicy(Qt::ClickFocus);
  QFont Base = font();
  Base.setFamily(QStringLiteral("Times New Roman"));
  setFont(Base);
  SetFont(TFont(font(), Qt::black));
  InsertEditArea();
  Base.setPointSize(20);
  setFont(Base);  // the font change lays the line out at its final size
  if (Font() != font()) {
    SetFont(TFont(font(), Font().Color));
    FontChanged();
  }
  FEditing->ResetHistory();
}

TZelkEquation::~TZelkEquation() {
  delete EditAreaList();
  SetEditAreaList(nullptr);
}

TEditArea* TZelkEquation::Line(int Index) const { return EditAreaList()->GetItem(Index); }

TEditArea* TZelkEquation::CreateLine(int Position) {
  auto* Area = new TEditArea(this);
  EditAreaList()->Insert(Position, Area);
  Area->PutParent(this);
  Area->SetEditor(this);
  Area->SetFont(Font());
  Area->SetFontSize(ScaledSize(Font().Size(), FontScale()));
  Area->SetIndexInParent(Position);
  Area->RefreshDimensions();
  return Area;
}

void TZelkEquation::InsertEditArea() {
  CreateLine(qBound(0, EditAreaIndex(), LineCount()));
  RefreshEditArea(EditAreaIndex());
  Line(EditAreaIndex())->SetActive(true);
  Change();
}

void TZelkEquation::AddEditArea() {
  const int Position = qMin(EditAreaIndex() + 1, LineCount());
  CreateLine(Position);
  SetEditAreaIndex(Position);
  RefreshEditArea(EditAreaIndex());
  Line(EditAreaIndex())->SetActive(true);
  Change();
}

void TZelkEquation::DeleteEditArea() {
  if (LineCount() > 1) EditAreaList()->Delete(EditAreaIndex());
  if (EditAreaIndex() >= LineCount() && EditAreaIndex() > 0) PlaceEditAreaIndex(EditAreaIndex() - 1);
  if (LineCount() > 0) {
    RefreshEditArea(EditAreaIndex());
    Line(EditAreaIndex())->SetActive(true);
  }
  Change();
}

void TZelkEquation::EditAreaUp() {
  SetEditAreaIndex(EditAreaIndex() - 1);
  if (LineCount() > 0) Line(EditAreaIndex())->SetActive(true);
}

void TZelkEquation::EditAreaDown() {
  SetEditAreaIndex(EditAreaIndex() + 1);
  if (LineCount() > 0) Line(EditAreaIndex())->SetActive(true);
}

void TZelkEquation::RefreshEditArea(int Index) {
  if (Index > LineCount() - 1) return;
  Index = qMax(Index, 0);
  if (FLayoutMode == lmDeferred) {
    for (int J = Index; J < LineCount(); ++J) {
      Line(J)->RefreshDimensions();
      Line(J)->SetIndexInParent(J);
    }
    return;
  }
  const int FS = Font().Size();
  TFont LineFont = Font();
  LineFont.SetSize(ScaledSize(FS, FontScale()));
  // Top is CalcHeight(J): each line is final once refreshed, so the sum runs along, and
  // the lines above Index stand where it put them (summing them all again would make
  // reading a text quadratic in its lines).
  int Top = FS;
  if (Index > 0) Top = Line(Index - 1)->Top() + Line(Index - 1)->Height() + FS;
  for (int J = Index; J < LineCount(); ++J) {
    TEditArea* Area = Line(J);
    Area->SetLeft(FS / 2);
    Area->SetTop(Top);
    // A line below the changed one that nothing touched since its layout only moves; the
    // caret of the active line flips with each layout, so that line is laid out always.
    const TEACursor* Caret = Area->Caret();
    const bool OnlyMoves = J > Index && Area->LaidOut() && Area->BkColor() == BkColor() &&
                           Area->Font().Color == LineFont.Color &&
                           static_cast<const QFont&>(Area->Font()) == LineFont &&
                           !Caret->ComVisible() && !Caret->Visible();
    if (!OnlyMoves) {
      Area->SetFont(LineFont);
      Area->RefreshDimensions();
    }
    Area->SetIndexInParent(J);
    if (!OnlyMoves) {
      Area->SetBkColor(BkColor());
      Area->SetLaidOut();
    }
    Top += Area->Height() + FS;
  }
}

int TZelkEquation::CalcHeight(int N) const {
  const int FS = Font().Size();
  int Result = FS;
  for (int J = 0; J < N && J < LineCount(); ++J) Result += Line(J)->Height() + FS;
  return Result;
}

int TZelkEquation::CalcWidth() const {
  int Result = 0;
  for (int J = 0; J < LineCount(); ++J) Result = qMax(Result, Line(J)->Width());
  return Result;
}

QString TZelkEquation::GetData() const {
  QString Text;
  for (int J = 0; J < LineCount(); ++J)
    Text += QStringLiteral("EditArea(") + Line(J)->GetData() + QLatin1Char(')');
  return Text;
}

void TZelkEquation::SetData(const QString& Text) {
  const TEditScope Edit(*FEditing, false);
  const TReadScope Reading(this);
  // Only a receiver of OnChange could see the layout between the steps.
  if (FLayoutMode != lmEach || isSignalConnected(QMetaMethod::fromSignal(&TZelkEquation::OnChange))) {
    ReadLines(Text);
    return;
  }
  FLayoutMode = lmDeferred;
  try {
    ReadLines(Text);
  } catch (...) {
    LayoutWhole();
    throw;
  }
  LayoutWhole();
}

void TZelkEquation::ReadLines(const QString& Text) {
  EditAreaList()->Clear();
  PlaceEditAreaIndex(0);
  for (const TExpression& Item : GetExprData(Text)) {
    if (Item.Name != QLatin1String("EditArea")) continue;
    if (LineCount() >= MaxLines)
      throw ELimitError("the text holds more than " + std::to_string(MaxLines) + " lines");
    if (LineCount() == 0)
      InsertEditArea();
    else
      AddEditArea();
    Line(EditAreaIndex())->SetData(Item.Argument);
  }
}

namespace {
// Lays out the elements of Area, whose font and colour are final, and everything below
// them. A template is laid out twice: first to hand its font down to its slots, then,
// once their content is laid out, to size and place them.
void LayoutContent(TEditArea* Area) {
  for (int I = 0; I < Area->Count(); ++I) {
    TEquation* Element = Area->Item(I);
    Element->SetFont(Area->Font());
    Element->SetBkColor(Area->BkColor());
    if (auto* Template = dynamic_cast<TEqParent*>(Element)) {
      Template->RefreshEditArea(0);
      for (int S = 0; S < Template->EditAreaCount(); ++S) LayoutContent(Template->Slot(S));
      Template->RefreshEditArea(0);
    }
    Element->RefreshDimensions();
  }
}
}  // namespace

void TZelkEquation::LayoutWhole() {
  TEACursor* Caret = FActiveEditArea ? FActiveEditArea->Caret() : nullptr;
  const bool CaretShown = Caret && Caret->Visible();
  FLayoutMode = lmWhole;
  for (int J = 0; J < LineCount(); ++J) LayoutContent(Line(J));
  FLayoutMode = lmEach;
  RefreshEditArea(0);
  // The deferred steps already flipped the caret as the step-by-step layout would.
  if (Caret) Caret->SetVisible(CaretShown);
}

void TZelkEquation::PutData(const QString& Text) {
  try {
    SetData(Text);
  } catch (const std::exception&) {
    // A host assigning the property keeps the part that was read.
  }
}

void TZelkEquation::SetBkColor(QColor Value) {
  TZelkGraphic::SetBkColor(Value);
  for (int J = 0; J < LineCount(); ++J) Line(J)->SetBkColor(Value);
  Repaint();
}

QString TZelkEquation::Version() const { return QStringLiteral(ZELK_VERSION); }

void TZelkEquation::Change() {
  if (!FEditing->HoldChange()) emit OnChange();
}

void TZelkEquation::SetUpdateState(bool Updating) {
  if (!Updating) Change();
}

void TZelkEquation::FontChanged() {
  RefreshEditArea(0);
  // A template derives its slots' fonts only in its own layout: walk the templates top-down
  // so that every slot gets its new font, then bottom-up so that every template is sized
  // from its final slots, then stack the lines again.
  const auto Relayout = [](TEqParent* Template) { Template->RefreshEditArea(0); };
  for (bool ParentsFirst : {true, false})
    for (int J = 0; J < LineCount(); ++J) ForEachTemplate(Line(J), ParentsFirst, Relayout);
  RefreshEditArea(0);
}

void TZelkEquation::changeEvent(QEvent* Event) {
  if (Event->type() == QEvent::FontChange && EditAreaList()) {
    const QFont Own = EditorFont(font());
    if (Own.resolveMask() != font().resolveMask() || Own != font()) {
      setFont(Own);  // the change comes back here with every attribute the editor's own
      return;
    }
    SetFont(TFont(font(), Font().Color));
    try {
      FontChanged();
    } catch (const std::exception&) {
    }
  }
  if (Event->type() == QEvent::EnabledChange) EnabledChanged();
  TEquatStore::changeEvent(Event);
}

void TZelkEquation::EnabledChanged() {
  // The caret would otherwise keep its phase until the next tick. Qt repaints every node
  // on the change, so the dotted frames go and come back by themselves.
  if (!FActiveEditArea) return;
  TEACursor* Caret = FActiveEditArea->Caret();
  if (!isEnabled())
    Caret->SetVisible(false);
  else if (!Caret->Visible())
    Caret->RefreshVisible();
}

void TZelkEquation::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  FEditing->EnsureLine();
}

void TZelkEquation::Paint() {
  TCanvas& C = Canvas();
  C.Pen.Style = psInsideFrame;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
}
