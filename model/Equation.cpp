#include "Equation.h"

#include <exception>

#include "editor/EditorCore.h"
#include "layout/FontLevels.h"
#include "layout/MathStyle.h"
#include "model/EditArea.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
TEditArea* AreaOwner(TCustomControl* Owner) {
  auto* Area = dynamic_cast<TEditArea*>(Owner);
  if (!Area) throw EInvalidCast("Invalid class typecast: an element's owner must be an edit area");
  return Area;
}
}  // namespace

TEquation::TEquation(TCustomControl* Owner)
    : TEquatStore(AreaOwner(Owner)), FParent(static_cast<TEditArea*>(Owner)) {  // checked by the base
  SetFont(FParent->Font());
}

void TEquation::PutParent(TEditArea* Value) {
  FParent = Value;
  if (ParentNode() != Value) {
    SetParentNode(Value);
    SetVisible(true);
  }
}

void TEquation::SetCanvasFont() const {
  TCanvas& C = Canvas();
  C.Pen.Style = psClear;
  C.Pen.Color = BkColor();
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Font = Font();
}

void TEquation::ContentChanged() {
  if (FParent) FParent->LayoutChanged();
}

TEditArea* TEquation::DeferredActiveArea() const {
  const TEditorCore* Editor = FParent ? FParent->Editor() : nullptr;
  if (!Editor || Editor->LayoutMode() != TEditorCore::lmDeferred) return nullptr;
  return Editor->ActiveEditArea() ? Editor->ActiveEditArea() : FParent;
}

void TEquation::SetUpdateState(bool Updating) {
  if (!Updating) RefreshEditArea(0);
}

bool TEquation::MouseDown(Qt::MouseButton Button, QPoint) {
  if (Button != Qt::LeftButton) return true;
  try {
    FParent->WMLButtonDown();
  } catch (const std::exception&) {
    // Activation is best effort: the press must not reach the event loop as an error.
  }
  return true;
}

TEqParent::TEqParent(TCustomControl* Owner) : TEquation(Owner) {
  SetEditAreaList(new TEditAreaList);
}

TEqParent::~TEqParent() {
  delete EditAreaList();
  SetEditAreaList(nullptr);
}

void TEqParent::InsertEditArea() {
  const int Position = EditAreaIndex();
  auto* Area = new TEditArea(this);
  EditAreaList()->Insert(Position, Area);
  Area->PutParent(this);
  Area->SetEditor(GetParent()->Editor());
  Area->SetFont(Font());
  Area->SetFontSize(ScaledSize(Font().Size(), FontScale()));
  Area->SetBkColor(GetParent()->BkColor());
  Area->SetIndexInParent(Position);
  Area->RefreshDimensions();
  RefreshEditArea(Position);
  Area->SetActive(true);
}

void TEqParent::SetBkColor(QColor Value) {
  TEquation::SetBkColor(Value);
  for (int I = 0; I < EditAreaCount(); ++I) Slot(I)->SetBkColor(Value);
}

std::vector<TEditArea*> TEqParent::ReadingOrder() const {
  std::vector<TEditArea*> Order;
  for (int I = 0; I < EditAreaCount(); ++I) Order.push_back(Slot(I));
  return Order;
}

QString TEqParent::GetData() const {
  return EditAreaCount() > 0 ? EditAreaItem(Slot(0)) : QString();
}

void TEqParent::SetData(const QString& Text) {
  PlaceEditAreaIndex(0);
  const TExprArray Items = GetExprData(Text);
  if (!Items.empty() && Items.front().Name == QLatin1String("EditArea") && EditAreaCount() > 0)
    Slot(0)->SetData(Items.front().Argument);
}

QString TEqParent::SlotsData() const {
  QString Text;
  for (int I = 0; I < EditAreaCount(); ++I) Text += EditAreaItem(Slot(I));
  return Text;
}

void TEqParent::SlotsSetData(const TExprArray& Items) {
  const int N = qMin(static_cast<int>(Items.size()), EditAreaCount());
  for (int I = 0; I < N; ++I)
    if (Items[I].Name == QLatin1String("EditArea")) Slot(I)->SetData(Items[I].Argument);
}

TMathLevel TEquation::MathLevel() const { return FParent ? FParent->MathLevel() : mlDisplay; }

void TEqParent::RefreshEA(TEditArea* Area, double Factor, TSlotStyle Style, bool Cramped) {
  Area->SetBkColor(GetParent()->BkColor());
  Area->SetMathCramped(Cramped || GetParent()->MathCramped());
  TFont Scaled = Font();
  if (const TMathFont* Math = MathFontOf(*this)) {
    // A kind that names no style but sets a slot smaller has it as a script.
    if (Style == ssSame && FontScale() * Factor < 1.0) Style = ssScript;
    const TMathLevel Level = SlotLevel(MathLevel(), Style);
    Scaled.SetSize(SlotSize(Font().Size(), MathLevel(), Level, *Math));
    Area->SetMathLevel(Level);
  } else {
    Scaled.SetSize(ScaledSize(Font().Size(), FontScale(), Factor));
  }
  Area->SetFont(Scaled);
  Area->RefreshDimensions();
}
