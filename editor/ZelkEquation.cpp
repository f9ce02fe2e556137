#include "ZelkEquation.h"

#include <QEvent>
#include <QMouseEvent>
#include <exception>

#include "editor/EACursor.h"
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

TZelkEquation::TZelkEquation(QWidget* Parent) : TEquatStore(Parent) {
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
  const int FS = Font().Size();
  // Top is CalcHeight(J): each line is final once refreshed, so the sum runs along, and
  // the lines above Index stand where it put them (summing them all again would make
  // reading a text quadratic in its lines).
  int Top = FS;
  if (Index > 0) Top = Line(Index - 1)->Top() + Line(Index - 1)->Height() + FS;
  for (int J = Index; J < LineCount(); ++J) {
    TEditArea* Area = Line(J);
    Area->SetLeft(FS / 2);
    Area->SetTop(Top);
    Area->SetFont(Font());
    Area->SetFontSize(ScaledSize(FS, FontScale()));
    Area->RefreshDimensions();
    Area->SetIndexInParent(J);
    Area->SetBkColor(BkColor());
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
  const TReadScope Reading(this);
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

void TZelkEquation::Change() { emit OnChange(); }

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
  if (Event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
}

void TZelkEquation::Paint() {
  TCanvas& C = Canvas();
  C.Pen.Style = psInsideFrame;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
}
