#include "ZelkEquation.h"

#include <QEvent>
#include <QMetaMethod>
#include <QImage>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QPainter>
#include <exception>

#include "accessibility/AccessibleEquation.h"
#include "editor/EACursor.h"
#include "editor/EditorFont.h"
#include "editor/Editing.h"
#include "layout/FontLevels.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

#include <QScopeGuard>
#include <QtMath>
#include <utility>

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
    : QWidget(Parent), TEquatStore(nullptr), FEditing(std::make_unique<TEditing>(*this)) {
  SetHost(this);
  SetRootNode(this);
  FBlinkTimer.setSingleShot(true);
  FBlinkTimer.setTimerType(Qt::PreciseTimer);
  connect(&FBlinkTimer, &QTimer::timeout, this, &TZelkEquation::Blink);
  resize(600, 400);
  SetWidth(600);
  SetHeight(400);
  PlaceEditAreaIndex(0);
  TZelkGraphic::SetBkColor(QColor(255, 255, 255));
  SetFontScale(1.0);
  SetEditAreaList(new TEditAreaList);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
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
  FAnnouncedData = GetData();
}

TZelkEquation::~TZelkEquation() {
  FDisposed.clear();
  delete EditAreaList();
  SetEditAreaList(nullptr);
  // The node part outlives the host part: it must not reach back into it.
  SetHost(nullptr);
}

void TZelkEquation::SetActiveEditArea(TEditArea* Value) {
  if (FEditing) FEditing->ActiveAreaChanging(Value);
  FActiveEditArea = Value;
  ScheduleBlink();
}

TEditArea* TZelkEquation::Line(int Index) const { return EditAreaList()->GetItem(Index); }

TEditArea* TZelkEquation::CreateLine(int Position) {
  auto* Area = new TEditArea(this);
  EditAreaList()->Insert(Position, Area);
  DataChanged();
  Area->PutParent(this);
  Area->SetEditor(this);
  Area->SetFont(Font());
  Area->SetFontSize(ScaledSize(Font().Size(), FontScale()));
  Area->SetIndexInParent(Position);
  Area->SetWrap(LineWrapWidth(), TWrapBreak(FBreakOperator));
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
  if (LineCount() > 1) {
    ++FGeneration;
    Dispose(EditAreaList()->Take(EditAreaIndex()));
    DataChanged();
  }
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
  qint64 Top = FS;
  if (Index > 0) Top = qint64{Line(Index - 1)->Top()} + Line(Index - 1)->Height() + FS;
  for (int J = Index; J < LineCount(); ++J) {
    TEditArea* Area = Line(J);
    Area->SetLeft(FS / 2);
    Area->SetTop(ClampCoordinate(Top));
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
  AlignLines();
  // Aligned anew, a wrapped line may show another number of rows.
  if (FWrapWidth != 0) StackLines(0);
}

void TZelkEquation::StackLines(int Index) {
  const int FS = Font().Size();
  qint64 Top = Index > 0 ? qint64{Line(Index - 1)->Top()} + Line(Index - 1)->Height() + FS : FS;
  for (int J = Index; J < LineCount(); ++J) {
    Line(J)->SetTop(ClampCoordinate(Top));
    Top += Line(J)->Height() + FS;
  }
}

void TZelkEquation::SetWrapWidth(int Pixels) {
  Pixels = qMax(-1, Pixels);
  if (Pixels == FWrapWidth) return;
  FWrapWidth = Pixels;
  WrapChanged();
  emit wrapWidthChanged(Pixels);
}

void TZelkEquation::SetBreakOperator(TBreakOperator Value) {
  if (Value != TBreakOperators::After && Value != TBreakOperators::Before && Value != TBreakOperators::Repeated) return;
  if (Value == FBreakOperator) return;
  FBreakOperator = Value;
  WrapChanged();
  emit breakOperatorChanged(Value);
}

int TZelkEquation::LineWrapWidth() const {
  // The margins either side of the lines follow the font.
  const int Width = FWrapWidth < 0 ? qFloor(width() / ZoomFactor()) : FWrapWidth;
  return Width > 0 ? qMax(1, Width - Font().Size()) : 0;
}

void TZelkEquation::HandWrap() {
  for (int J = 0; J < LineCount(); ++J) Line(J)->SetWrap(LineWrapWidth(), TWrapBreak(FBreakOperator));
}

void TZelkEquation::WrapChanged() {
  HandWrap();
  try {
    if (FLayoutMode != lmDeferred) FontChanged();
  } catch (const std::exception&) {
    // A property setter is a border: Designer and uic call it.
  }
  update();
  updateGeometry();
}

int TZelkEquation::CalcHeight(int N) const {
  const int FS = Font().Size();
  qint64 Result = FS;
  for (int J = 0; J < N && J < LineCount(); ++J) Result += Line(J)->Height() + FS;
  return ClampCoordinate(Result);
}

int TZelkEquation::CalcWidth() const {
  int Result = 0;
  for (int J = 0; J < LineCount(); ++J) Result = qMax(Result, Line(J)->Width());
  return Result;
}

QString TZelkEquation::GetData() const {
  if (FDataKnown) return FData;
  qsizetype Size = 0;
  for (int J = 0; J < LineCount(); ++J) Size += Line(J)->GetData().size() + 10;
  QString Text;
  Text.reserve(Size);
  for (int J = 0; J < LineCount(); ++J) {
    Text += QLatin1String("EditArea(");
    Text += Line(J)->GetData();
    Text += QLatin1Char(')');
  }
  FData = Text;
  FDataKnown = true;
  return FData;
}

void TZelkEquation::SetData(const QString& Text) {
  try {
    ReadData(Text);
  } catch (...) {
    AnnounceOwed();  // what was read stays
    throw;
  }
  AnnounceOwed();
}

void TZelkEquation::ReadData(const QString& Text) {
  const TEditScope Edit(*FEditing, false);
  // A read begun by a receiver of a read in progress is a reading of its own; the one it
  // interrupted sees the generation change and stops.
  const int OuterLevel = std::exchange(FReadLevel, 0);
  const int OuterElements = FElementsRead;
  const int OuterGeneration = FReadGeneration;
  ++FGeneration;
  const auto Restore = qScopeGuard([&] {
    FReadLevel = OuterLevel;
    FElementsRead = OuterElements;
    FReadGeneration = OuterGeneration;
  });
  const TReadScope Reading(this);
  if (FLayoutMode != lmEach) {
    ReadLines(Text);
    return;
  }
  try {
    DeferLayout([&] { ReadLines(Text); });
  } catch (...) {
    CaretToEnd();
    throw;
  }
  CaretToEnd();
}

void TZelkEquation::DeferLayout(const std::function<void()>& Edit) {
  if (FLayoutMode != lmEach) return Edit();
  // Nobody sees the layout between the steps unless a receiver of OnChange looks: the
  // tree is laid out once at the end, or whenever a receiver looks at it.
  FLayoutMode = lmDeferred;
  try {
    Edit();
  } catch (...) {
    LayoutWhole(lmEach);
    throw;
  }
  LayoutWhole(lmEach);
}

void TZelkEquation::CaretToEnd() {
  // Modern: typing goes on after the formula, not in the last slot the reader made.
  if (!Modern() || LineCount() == 0) return;
  TEditArea* Last = Line(LineCount() - 1);
  SetEditAreaIndex(LineCount() - 1);
  if (FActiveEditArea != Last) Last->SetActive(true);
  Last->SetEquationIndex(Last->Count());
}

void TZelkEquation::ReadLines(const QString& Text) {
  while (LineCount() > 0) Dispose(EditAreaList()->Take(LineCount() - 1));
  DataChanged();
  PlaceEditAreaIndex(0);
  const int Generation = FGeneration;
  for (const TExpression& Item : GetExprData(Text)) {
    if (Item.Name != QLatin1String("EditArea")) continue;
    if (LineCount() >= MaxLines && !FRestoring)
      throw ELimitError("the text holds more than " + std::to_string(MaxLines) + " lines");
    if (LineCount() == 0)
      InsertEditArea();
    else
      AddEditArea();
    if (FGeneration != Generation) return;
    Line(EditAreaIndex())->SetData(Item.Argument);
    if (FGeneration != Generation) return;
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

void TZelkEquation::LayoutWhole(TLayoutMode Then) {
  SetLayoutOwed(false);
  TEACursor* Caret = FActiveEditArea ? FActiveEditArea->Caret() : nullptr;
  const bool CaretShown = Caret && Caret->Visible();
  FLayoutMode = lmWhole;
  for (int J = 0; J < LineCount(); ++J) LayoutContent(Line(J));
  FLayoutMode = lmEach;
  RefreshEditArea(0);
  FLayoutMode = Then;
  // The deferred steps already flipped the caret as the step-by-step layout would.
  if (Caret) Caret->SetVisible(CaretShown);
}

void TZelkEquation::PayLayout() {
  if (FLayoutMode == lmDeferred) LayoutWhole(lmDeferred);
  SetLayoutOwed(false);
}

void TZelkEquation::RestoreData(const QString& Text) {
  const QScopedValueRollback Restoring(FRestoring, true);
  SetData(Text);
}

void TZelkEquation::PutData(const QString& Text) {
  try {
    SetData(Text);
    SetReadError(QString());
  } catch (const std::exception& E) {
    // A host assigning the property keeps the part that was read, and can learn what was
    // dropped.
    SetReadError(QString::fromUtf8(E.what()));
  }
}

void TZelkEquation::SetReadError(const QString& Message) {
  if (Message.isEmpty() && FReadError.isEmpty()) return;
  FReadError = Message;
  emit OnReadError(Message);
}

void TZelkEquation::SetBkColor(QColor Value) {
  TZelkGraphic::SetBkColor(Value);
  for (int J = 0; J < LineCount(); ++J) Line(J)->SetBkColor(Value);
  Repaint();
}

QString TZelkEquation::Version() const { return QStringLiteral(ZELK_VERSION); }

void TZelkEquation::Change() {
  if (FEditing->HoldChange()) return;
  ++FRevision;
  NotifyAccessibility(this, TFormulaEvent::Edited);
  // While a read defers its layout, whatever the receiver looks at is laid out first.
  SetLayoutOwed(FLayoutMode == lmDeferred);
  ++FEmitting;
  const auto Done = qScopeGuard([this] {
    --FEmitting;
    SetLayoutOwed(FEmitting > 0 && FLayoutMode == lmDeferred);
    if (FEmitting == 0 && !FDisposed.empty())
      QTimer::singleShot(0, this, &TZelkEquation::FreeDisposed);
  });
  emit OnChange();
  if (FReadLevel > 0)
    FValueOwed = true;
  else
    AnnounceValue();
}

void TZelkEquation::AnnounceOwed() {
  if (FReadLevel == 0 && std::exchange(FValueOwed, false)) AnnounceValue();
}

void TZelkEquation::AnnounceValue() {
  static const QMetaMethod DataSignal = QMetaMethod::fromSignal(&TZelkEquation::dataChanged);
  static const QMetaMethod LatexSignal = QMetaMethod::fromSignal(&TZelkEquation::latexChanged);
  static const QMetaMethod MathMLSignal = QMetaMethod::fromSignal(&TZelkEquation::mathMLChanged);
  static const QMetaMethod PlainLatexSignal = QMetaMethod::fromSignal(&TZelkEquation::plainLatexChanged);
  static const QMetaMethod PlainMathMLSignal = QMetaMethod::fromSignal(&TZelkEquation::plainMathMLChanged);
  const bool Latex = isSignalConnected(LatexSignal);
  const bool MathML = isSignalConnected(MathMLSignal);
  const bool PlainLatex = isSignalConnected(PlainLatexSignal);
  const bool PlainMathML = isSignalConnected(PlainMathMLSignal);
  if (!isSignalConnected(DataSignal) && !Latex && !MathML && !PlainLatex && !PlainMathML) {
    FAnnouncedData.reset();  // a receiver connected later hears the next change
    return;
  }
  const QString Now = GetData();
  if (Now == FAnnouncedData) return;
  FAnnouncedData = Now;
  emit dataChanged(Now);
  if (Latex) emit latexChanged(GetLaTeX());
  if (MathML) emit mathMLChanged(GetMathML());
  if (PlainLatex) emit plainLatexChanged(GetPlainLaTeX());
  if (PlainMathML) emit plainMathMLChanged(GetPlainMathML());
}

void TZelkEquation::SetTypesetting(TTypesetting Value) {
  if (Value != TTypesettings::Classic && Value != TTypesettings::Math) return;
  if (Value == FTypesetting) return;
  FTypesetting = Value;
  TypesettingChanged();
  emit typesettingChanged(Value);
}

void TZelkEquation::SetClipboardTypesetting(TTypesetting Value) {
  if (Value == TTypesettings::Classic || Value == TTypesettings::Math) FClipboardTypesetting = Value;
}

void TZelkEquation::SetLineAlignment(TLineAlignment Value) {
  if (Value != TLineAlignments::Left && Value != TLineAlignments::Centre && Value != TLineAlignments::AtMarks) return;
  if (Value == FLineAlignment) return;
  FLineAlignment = Value;
  if (FLayoutMode != lmDeferred) AlignLines();
  update();
  updateGeometry();
  emit lineAlignmentChanged(Value);
}

void TZelkEquation::SetInputStyle(TInputStyle Value) {
  if (Value != TInputStyles::Classic && Value != TInputStyles::Modern) return;
  const bool Changed = Value != FInputStyle;
  FInputStyle = Value;
  setFocusPolicy(Modern() ? Qt::StrongFocus : Qt::ClickFocus);
  update();
  if (Changed) emit inputStyleChanged(Value);
}

bool TZelkEquation::ShowsCaret() const { return isEnabled() && (!Modern() || hasFocus() || FRendering); }

void TZelkEquation::focusInEvent(QFocusEvent* Event) {
  QWidget::focusInEvent(Event);
  if (Modern()) update();
}

void TZelkEquation::focusOutEvent(QFocusEvent* Event) {
  QWidget::focusOutEvent(Event);
  if (Modern()) update();
}

void TZelkEquation::SetMathFont(const QString& Path) {
  if (Path == FMathFont) return;
  FMathFont = Path;
  if (FTypesetting == TTypesettings::Math) TypesettingChanged();
}

const TMathFont* TZelkEquation::MathFontInUse() const {
  return const_cast<TZelkEquation*>(this)->HostCanvas().Math();
}

void TZelkEquation::TypesettingChanged() {
  std::shared_ptr<const TMathFont> Font;
  if (FTypesetting == TTypesettings::Math)
    Font = TMathFont::Open(FMathFont.isEmpty() ? TMathFont::DefaultPath() : FMathFont);
  HostCanvas().SetMath(std::move(Font));
  try {
    // Every line's geometry changes: none may count as laid out already.
    for (int J = 0; J < LineCount(); ++J) Line(J)->LayoutChanged();
    FontChanged();
  } catch (const std::exception&) {
    // A property setter is a border: Designer and uic call it.
  }
  update();
  updateGeometry();
}

void TZelkEquation::SetLanguage(TLanguage Value) {
  if (!IsLanguage(Value)) return;
  const bool Changed = Value != FLanguage;
  FLanguage = Value;
  NotifyAccessibility(this, TFormulaEvent::LanguageChanged);
  if (Changed) emit languageChanged(Value);
}

namespace {
// Cuts a detached subtree off the editor: its areas no longer notify, activate or read.
void Orphan(TCustomControl* Node, TEditArea*& Active) {
  if (auto* Area = dynamic_cast<TEditArea*>(Node)) {
    Area->SetEditor(nullptr);
    if (Area == Active) Active = nullptr;
  }
  for (TCustomControl* Child : Node->Children()) Orphan(Child, Active);
}
}  // namespace

void TZelkEquation::Dispose(TCustomControl* Node) {
  if (!Node) return;
  // Not every removal ends in a Change (a read of a text without lines).
  ++FRevision;
  NotifyAccessibility(this, TFormulaEvent::Edited);
  if (FEmitting == 0) {
    delete Node;
    return;
  }
  if (auto* Area = dynamic_cast<TEditArea*>(Node)) Area->PutParent(nullptr);
  Node->SetParentNode(nullptr);
  Orphan(Node, FActiveEditArea);
  FDisposed.emplace_back(Node);
}

void TZelkEquation::FreeDisposed() {
  // A receiver that runs an event loop of its own gets here while commands still stand on
  // the detached nodes: they are freed when the last notification has returned.
  if (FEmitting == 0) FDisposed.clear();
}

void TZelkEquation::SetUpdateState(bool Updating) {
  if (!Updating) Change();
}

void TZelkEquation::FontChanged() {
  HandWrap();
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
    const QFont ParentFont = parentWidget() && !isWindow() ? parentWidget()->font() : QFont();
    const QFont Own = EditorFont(font(), parentWidget() && !isWindow() ? &ParentFont : nullptr);
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
  QWidget::changeEvent(Event);
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
  const QPoint Point = FormulaPoint(Event->position());
  if (Event->button() == Qt::LeftButton) FEditing->MousePress(Point);
  for (TCustomControl* Node = NodeAt(Point); Node && Node != this; Node = Node->ParentNode())
    if (Node->MouseDown(Event->button(), Point - Node->HostPosition())) return;
  if (Event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  FEditing->EnsureLine();
}

void TZelkEquation::Paint() {
  TCanvas& C = Canvas();
  C.Pen.Style = PaintingMarks() ? psInsideFrame : psClear;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
}

void TZelkEquation::paintEvent(QPaintEvent* Event) {
  if (LayoutOwed()) PayLayout();
  // The node bounds follow the widget's (a hidden widget hears of a resize only when shown),
  // and reach as far as the editor is scrolled.
  SetWidth(width() + FScroll.x());
  SetHeight(height() + FScroll.y());
  QPainter Painter(this);
  Painter.translate(-FScroll);
  Painter.scale(ZoomFactor(), ZoomFactor());
  TCanvas& C = Canvas();
  C.BeginPaint(&Painter);
  const QRect Exposed = QRectF(QRectF(Event->rect().translated(FScroll)).topLeft() / ZoomFactor(),
                               QRectF(Event->rect()).size() / ZoomFactor()).toAlignedRect();
  PaintTree(C, Exposed);
  C.EndPaint();
  FEditing->PaintSelection(Painter);
  Painter.resetTransform();
  FEditing->Typing().CommandLine().Paint(Painter);
  PaintPreedit(Painter);
}

void TZelkEquation::resizeEvent(QResizeEvent* Event) {
  // The editor's own node (its frame) covers the widget at any zoom.
  SetWidth(qCeil(width() / ZoomFactor()));
  SetHeight(qCeil(height() / ZoomFactor()));
  QWidget::resizeEvent(Event);
  if (FWrapWidth < 0 && Event->size().width() != Event->oldSize().width() && FLayoutMode == lmEach) {
    HandWrap();
    try {
      RefreshEditArea(0);
    } catch (const std::exception&) {
      // An event handler is a border: what was laid out stays.
    }
    updateGeometry();
  }
  ScrollTo(FScroll);
}

void TZelkEquation::RepaintRect(const QRect& Rect) { update(WidgetRect(Rect)); }

QSize TZelkEquation::RenderSize() const {
  const int FS = Font().Size();
  int Right = 0;
  for (int J = 0; J < LineCount(); ++J) Right = qMax(Right, Line(J)->Left() + Line(J)->Width());
  return QSize(Right + FS / 2, CalcHeight(LineCount()));
}

void TZelkEquation::Render(QPainter& Painter, const TRenderOptions& Options) const {
  auto* Self = const_cast<TZelkEquation*>(this);
  if (LayoutOwed()) Self->PayLayout();
  const QSize Size = RenderSize();
  Painter.save();
  Painter.scale(Options.Scale, Options.Scale);
  TCanvas& C = Self->Canvas();
  QPainter* const Outer = C.Painter();
  C.BeginPaint(&Painter);
  Self->SetPaintingMarks(Options.EditingMarks);
  const QScopedValueRollback Rendering(Self->FRendering, true);
  C.SetTransparentColor(Options.Transparent ? BkColor() : QColor());
  // The editor's own node paints the background (and, with the marks, the frame) over
  // the whole widget; a picture takes the formula's size instead.
  const QRect Bounds = BoundsRect();
  Self->SetWidth(Size.width());
  Self->SetHeight(Size.height());
  Self->PaintTree(C, QRect(QPoint(0, 0), Size));
  Self->SetWidth(Bounds.width());
  Self->SetHeight(Bounds.height());
  C.SetTransparentColor(QColor());
  Self->SetPaintingMarks(true);
  C.BeginPaint(Outer);
  Painter.restore();
}

QImage TZelkEquation::RenderImage(const TRenderOptions& Options) const {
  const QSize Size = RenderSize();
  QImage Image(qMax(1, qCeil(Size.width() * Options.Scale)), qMax(1, qCeil(Size.height() * Options.Scale)),
               QImage::Format_ARGB32_Premultiplied);
  // The scaled formula may end inside the last pixels: they show the background too.
  Image.fill(Options.Transparent ? QColor(Qt::transparent) : BkColor());
  QPainter Painter(&Image);
  Render(Painter, Options);
  return Image;
}

void TZelkEquation::ScheduleBlink() {
  const TEACursor* Caret = FActiveEditArea ? FActiveEditArea->Caret() : nullptr;
  if (!Caret || !Caret->Blinking()) {
    FBlinkTimer.stop();
    return;
  }
  FBlinkTimer.start(Caret->NextBlink());
}

void TZelkEquation::Blink() {
  if (FActiveEditArea) FActiveEditArea->Caret()->RefreshVisible();
  ScheduleBlink();
}
