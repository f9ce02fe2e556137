#include "EditorCore.h"

#include <QMetaMethod>
#include <QImage>
#include <QScopedValueRollback>
#include <QGuiApplication>
#include <QPainter>
#include <exception>

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

TEditorCore::TEditorCore(const QFont& Font)
    : TEquatStore(nullptr), FEditing(std::make_unique<TEditing>(*this)) {
  SetHost(this);
  SetRootNode(this);
  FBlinkTimer.setSingleShot(true);
  FBlinkTimer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&FBlinkTimer, &QTimer::timeout, &FContext, [this] { Blink(); });
  SetWidth(600);
  SetHeight(400);
  PlaceEditAreaIndex(0);
  TZelkGraphic::SetBkColor(QColor(255, 255, 255));
  SetFontScale(1.0);
  SetEditAreaList(new TEditAreaList);
  SetFont(TFont(Font, Qt::black));
  InsertEditArea();
  FEditing->ResetHistory();
  FAnnouncedData = GetData();
}

TEditorCore::~TEditorCore() {
  FDisposed.clear();
  delete EditAreaList();
  SetEditAreaList(nullptr);
  // The node part outlives the core's members: it must not reach back into them.
  SetHost(nullptr);
}

QFont TEditorCore::DefaultFont() { return DefaultEditorFont(); }

void TEditorCore::SetActiveEditArea(TEditArea* Value) {
  if (FEditing) FEditing->ActiveAreaChanging(Value);
  FActiveEditArea = Value;
  ScheduleBlink();
}

TEditArea* TEditorCore::Line(int Index) const { return EditAreaList()->GetItem(Index); }

TEditArea* TEditorCore::CreateLine(int Position) {
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

void TEditorCore::InsertEditArea() {
  CreateLine(qBound(0, EditAreaIndex(), LineCount()));
  RefreshEditArea(EditAreaIndex());
  Line(EditAreaIndex())->SetActive(true);
  Change();
}

void TEditorCore::AddEditArea() {
  const int Position = qMin(EditAreaIndex() + 1, LineCount());
  CreateLine(Position);
  SetEditAreaIndex(Position);
  RefreshEditArea(EditAreaIndex());
  Line(EditAreaIndex())->SetActive(true);
  Change();
}

void TEditorCore::DeleteEditArea() {
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

void TEditorCore::EditAreaUp() {
  SetEditAreaIndex(EditAreaIndex() - 1);
  if (LineCount() > 0) Line(EditAreaIndex())->SetActive(true);
}

void TEditorCore::EditAreaDown() {
  SetEditAreaIndex(EditAreaIndex() + 1);
  if (LineCount() > 0) Line(EditAreaIndex())->SetActive(true);
}

void TEditorCore::RefreshEditArea(int Index) {
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

void TEditorCore::StackLines(int Index) {
  const int FS = Font().Size();
  qint64 Top = Index > 0 ? qint64{Line(Index - 1)->Top()} + Line(Index - 1)->Height() + FS : FS;
  for (int J = Index; J < LineCount(); ++J) {
    Line(J)->SetTop(ClampCoordinate(Top));
    Top += Line(J)->Height() + FS;
  }
}

void TEditorCore::SetWrapWidth(int Pixels) {
  Pixels = qMax(-1, Pixels);
  if (Pixels == FWrapWidth) return;
  FWrapWidth = Pixels;
  WrapChanged();
  SettingChanged(TSetting::WrapWidth);
}

void TEditorCore::SetBreakOperator(TBreakOperator Value) {
  if (Value != TBreakOperators::After && Value != TBreakOperators::Before && Value != TBreakOperators::Repeated) return;
  if (Value == FBreakOperator) return;
  FBreakOperator = Value;
  WrapChanged();
  SettingChanged(TSetting::BreakOperator);
}

int TEditorCore::LineWrapWidth() const {
  // The margins either side of the lines follow the font.
  const int Width = FWrapWidth < 0 ? qFloor(ViewSize().width() / ZoomFactor()) : FWrapWidth;
  return Width > 0 ? qMax(1, Width - Font().Size()) : 0;
}

void TEditorCore::HandWrap() {
  for (int J = 0; J < LineCount(); ++J) Line(J)->SetWrap(LineWrapWidth(), TWrapBreak(FBreakOperator));
}

void TEditorCore::WrapChanged() {
  HandWrap();
  try {
    if (FLayoutMode != lmDeferred) FontChanged();
  } catch (const std::exception&) {
    // A property setter is a border: Designer and uic call it.
  }
  UpdateView();
  UpdateViewSize();
}

int TEditorCore::CalcHeight(int N) const {
  const int FS = Font().Size();
  qint64 Result = FS;
  for (int J = 0; J < N && J < LineCount(); ++J) Result += Line(J)->Height() + FS;
  return ClampCoordinate(Result);
}

int TEditorCore::CalcWidth() const {
  int Result = 0;
  for (int J = 0; J < LineCount(); ++J) Result = qMax(Result, Line(J)->Width());
  return Result;
}

QString TEditorCore::GetData() const {
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

void TEditorCore::SetData(const QString& Text) {
  try {
    ReadData(Text);
  } catch (...) {
    AnnounceOwed();  // what was read stays
    throw;
  }
  AnnounceOwed();
}

void TEditorCore::ReadData(const QString& Text) {
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

void TEditorCore::DeferLayout(const std::function<void()>& Edit) {
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

void TEditorCore::CaretToEnd() {
  // Modern: typing goes on after the formula, not in the last slot the reader made.
  if (!Modern() || LineCount() == 0) return;
  TEditArea* Last = Line(LineCount() - 1);
  SetEditAreaIndex(LineCount() - 1);
  if (FActiveEditArea != Last) Last->SetActive(true);
  Last->SetEquationIndex(Last->Count());
}

void TEditorCore::ReadLines(const QString& Text) {
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

void TEditorCore::LayoutWhole(TLayoutMode Then) {
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

void TEditorCore::PayLayout() {
  if (FLayoutMode == lmDeferred) LayoutWhole(lmDeferred);
  SetLayoutOwed(false);
}

void TEditorCore::RestoreData(const QString& Text) {
  const QScopedValueRollback Restoring(FRestoring, true);
  SetData(Text);
}

void TEditorCore::PutData(const QString& Text) {
  try {
    SetData(Text);
    SetReadError(QString());
  } catch (const std::exception& E) {
    // A host assigning the property keeps the part that was read, and can learn what was
    // dropped.
    SetReadError(QString::fromUtf8(E.what()));
  }
}

void TEditorCore::SetReadError(const QString& Message) {
  if (Message.isEmpty() && FReadError.isEmpty()) return;
  FReadError = Message;
  ReadErrorSet(Message);
}

void TEditorCore::SetBkColor(QColor Value) {
  TZelkGraphic::SetBkColor(Value);
  for (int J = 0; J < LineCount(); ++J) Line(J)->SetBkColor(Value);
  Repaint();
}

QString TEditorCore::Version() const { return QStringLiteral(ZELK_VERSION); }

void TEditorCore::Change() {
  if (FEditing->HoldChange()) return;
  ++FRevision;
  AccessibilityEvent(TFormulaEvent::Edited);
  // While a read defers its layout, whatever the receiver looks at is laid out first.
  SetLayoutOwed(FLayoutMode == lmDeferred);
  ++FEmitting;
  const auto Done = qScopeGuard([this] {
    --FEmitting;
    SetLayoutOwed(FEmitting > 0 && FLayoutMode == lmDeferred);
    if (FEmitting == 0 && !FDisposed.empty())
      QTimer::singleShot(0, &FContext, [this] { FreeDisposed(); });
  });
  Changed();
  if (FReadLevel > 0)
    FValueOwed = true;
  else
    AnnounceValue();
}

void TEditorCore::AnnounceOwed() {
  if (FReadLevel == 0 && std::exchange(FValueOwed, false)) AnnounceValue();
}

void TEditorCore::AnnounceValue() {
  using enum TValueText;
  const TValueText Kinds[] = {Data, Latex, MathML, PlainLatex, PlainMathML};
  bool Listened = false;
  for (TValueText Kind : Kinds) Listened = Listened || ValueListened(Kind);
  if (!Listened) {
    FAnnouncedData.reset();  // a receiver connected later hears the next change
    return;
  }
  const QString Now = GetData();
  if (Now == FAnnouncedData) return;
  FAnnouncedData = Now;
  ValueAnnounced(Data, Now);
  if (ValueListened(Latex)) ValueAnnounced(Latex, GetLaTeX());
  if (ValueListened(MathML)) ValueAnnounced(MathML, GetMathML());
  if (ValueListened(PlainLatex)) ValueAnnounced(PlainLatex, GetPlainLaTeX());
  if (ValueListened(PlainMathML)) ValueAnnounced(PlainMathML, GetPlainMathML());
}

void TEditorCore::SetTypesetting(TTypesetting Value) {
  if (Value != TTypesettings::Classic && Value != TTypesettings::Math) return;
  if (Value == FTypesetting) return;
  FTypesetting = Value;
  TypesettingChanged();
  SettingChanged(TSetting::Typesetting);
}

void TEditorCore::SetClipboardTypesetting(TTypesetting Value) {
  if (Value == TTypesettings::Classic || Value == TTypesettings::Math) FClipboardTypesetting = Value;
}

void TEditorCore::SetLineAlignment(TLineAlignment Value) {
  if (Value != TLineAlignments::Left && Value != TLineAlignments::Centre && Value != TLineAlignments::AtMarks) return;
  if (Value == FLineAlignment) return;
  FLineAlignment = Value;
  if (FLayoutMode != lmDeferred) AlignLines();
  UpdateView();
  UpdateViewSize();
  SettingChanged(TSetting::LineAlignment);
}

void TEditorCore::SetInputStyle(TInputStyle Value) {
  if (Value != TInputStyles::Classic && Value != TInputStyles::Modern) return;
  const bool Changed = Value != FInputStyle;
  FInputStyle = Value;
  InputStyleSet();
  UpdateView();
  if (Changed) SettingChanged(TSetting::InputStyle);
}

bool TEditorCore::ShowsCaret() const { return ViewEnabled() && (!Modern() || ViewFocused() || FRendering); }

void TEditorCore::FocusChanged() {
  if (Modern()) UpdateView();
}

void TEditorCore::SetMathFont(const QString& Path) {
  if (Path == FMathFont) return;
  FMathFont = Path;
  if (FTypesetting == TTypesettings::Math) TypesettingChanged();
}

const TMathFont* TEditorCore::MathFontInUse() const {
  return const_cast<TEditorCore*>(this)->HostCanvas().Math();
}

void TEditorCore::SetLayoutScale(double Value) {
  if (!(Value > 0) || Value == HostCanvas().LayoutScale()) return;
  HostCanvas().SetLayoutScale(Value);
  if (FTypesetting == TTypesettings::Math) TypesettingChanged();
}

void TEditorCore::TypesettingChanged() {
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
  UpdateView();
  UpdateViewSize();
}

void TEditorCore::SetLanguage(TLanguage Value) {
  if (!IsLanguage(Value)) return;
  const bool Changed = Value != FLanguage;
  FLanguage = Value;
  AccessibilityEvent(TFormulaEvent::LanguageChanged);
  if (Changed) SettingChanged(TSetting::Language);
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

void TEditorCore::Dispose(TCustomControl* Node) {
  if (!Node) return;
  // Not every removal ends in a Change (a read of a text without lines).
  ++FRevision;
  AccessibilityEvent(TFormulaEvent::Edited);
  if (FEmitting == 0) {
    delete Node;
    return;
  }
  if (auto* Area = dynamic_cast<TEditArea*>(Node)) Area->PutParent(nullptr);
  Node->SetParentNode(nullptr);
  Orphan(Node, FActiveEditArea);
  FDisposed.emplace_back(Node);
}

void TEditorCore::FreeDisposed() {
  // A receiver that runs an event loop of its own gets here while commands still stand on
  // the detached nodes: they are freed when the last notification has returned.
  if (FEmitting == 0) FDisposed.clear();
}

void TEditorCore::SetUpdateState(bool Updating) {
  if (!Updating) Change();
}

void TEditorCore::FontChanged() {
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

void TEditorCore::SetEditorFont(const QFont& Value) {
  SetFont(TFont(Value, Font().Color));
  try {
    FontChanged();
  } catch (const std::exception&) {
    // A font change is a border: what was laid out stays.
  }
}

void TEditorCore::EnabledChanged() {
  // The caret would otherwise keep its phase until the next tick. Qt repaints every node
  // on the change, so the dotted frames go and come back by themselves.
  if (!FActiveEditArea) return;
  TEACursor* Caret = FActiveEditArea->Caret();
  if (!ViewEnabled())
    Caret->SetVisible(false);
  else if (!Caret->Visible())
    Caret->RefreshVisible();
}

void TEditorCore::MousePress(QPointF Position, Qt::MouseButton Button) {
  const QPoint Point = FormulaPoint(Position);
  if (Button == Qt::LeftButton) FEditing->MousePress(Point);
  for (TCustomControl* Node = NodeAt(Point); Node && Node != this; Node = Node->ParentNode())
    if (Node->MouseDown(Button, Point - Node->HostPosition())) return;
  if (Button != Qt::LeftButton) return;
  FocusView();
  FEditing->EnsureLine();
}

void TEditorCore::Paint() {
  TCanvas& C = Canvas();
  C.Pen.Style = PaintingMarks() ? psInsideFrame : psClear;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
}

void TEditorCore::PaintView(QPainter& Painter, const QRect& Exposed) {
  if (LayoutOwed()) PayLayout();
  // The node bounds follow the view's (a hidden widget hears of a resize only when shown),
  // and reach as far as the editor is scrolled.
  SetWidth(ViewSize().width() + FScroll.x());
  SetHeight(ViewSize().height() + FScroll.y());
  const QTransform View = Painter.transform();
  Painter.translate(-FScroll);
  Painter.scale(ZoomFactor(), ZoomFactor());
  TCanvas& C = Canvas();
  C.BeginPaint(&Painter);
  const QRect Formula = QRectF(QRectF(Exposed.translated(FScroll)).topLeft() / ZoomFactor(),
                               QRectF(Exposed).size() / ZoomFactor()).toAlignedRect();
  PaintTree(C, Formula);
  C.EndPaint();
  FEditing->PaintSelection(Painter);
  Painter.setTransform(View);
  FEditing->Typing().CommandLine().Paint(Painter);
  PaintPreedit(Painter);
}

void TEditorCore::ViewResized(QSize Old, QSize New) {
  // The editor's own node (its frame) covers the view at any zoom.
  SetWidth(qCeil(New.width() / ZoomFactor()));
  SetHeight(qCeil(New.height() / ZoomFactor()));
  if (FWrapWidth < 0 && New.width() != Old.width() && FLayoutMode == lmEach) {
    HandWrap();
    try {
      RefreshEditArea(0);
    } catch (const std::exception&) {
      // An event handler is a border: what was laid out stays.
    }
    UpdateViewSize();
  }
  ScrollTo(FScroll);
}

void TEditorCore::RepaintRect(const QRect& Rect) { UpdateView(WidgetRect(Rect)); }

QSize TEditorCore::RenderSize() const {
  const int FS = Font().Size();
  int Right = 0;
  for (int J = 0; J < LineCount(); ++J) Right = qMax(Right, Line(J)->Left() + Line(J)->Width());
  return QSize(Right + FS / 2, CalcHeight(LineCount()));
}

void TEditorCore::Render(QPainter& Painter, const TRenderOptions& Options) const {
  auto* Self = const_cast<TEditorCore*>(this);
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

QImage TEditorCore::RenderImage(const TRenderOptions& Options) const {
  const QSize Size = RenderSize();
  QImage Image(qMax(1, qCeil(Size.width() * Options.Scale)), qMax(1, qCeil(Size.height() * Options.Scale)),
               QImage::Format_ARGB32_Premultiplied);
  // The scaled formula may end inside the last pixels: they show the background too.
  Image.fill(Options.Transparent ? QColor(Qt::transparent) : BkColor());
  QPainter Painter(&Image);
  Render(Painter, Options);
  return Image;
}

void TEditorCore::ScheduleBlink() {
  const TEACursor* Caret = FActiveEditArea ? FActiveEditArea->Caret() : nullptr;
  if (!Caret || !Caret->Blinking()) {
    FBlinkTimer.stop();
    return;
  }
  FBlinkTimer.start(Caret->NextBlink());
}

void TEditorCore::Blink() {
  if (FActiveEditArea) FActiveEditArea->Caret()->RefreshVisible();
  ScheduleBlink();
}

QPalette TEditorCore::ViewPalette() const { return QGuiApplication::palette(); }
