// The edit-area run: elements packed from the left, each after a caret-wide gap, all on
// one mid-line at the area's half height.

#include <climits>
#include <cmath>
#include <cstdlib>

#include "editor/EACursor.h"
#include "editor/EditorCore.h"
#include "layout/FontLevels.h"
#include "layout/MathStyle.h"
#include "model/AlignMark.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "model/OperatorNames.h"
#include "model/Symbols.h"

int TEditArea::CalcHeight() const {
  // The caret's height as the coming RefreshCursor sets it, so that an area whose font
  // has just changed is not sized for the old caret.
  int Result = Font().Size();
  for (int I = 0; I < Count(); ++I) {
    const TEquation* Element = Item(I);
    const int H = Element->CalcHeight();
    const int M = Element->GetMidLine();
    // The element's mid-line sits on the area's half height, so it needs its height plus
    // twice the distance of its mid-line from its centre.
    const int Need = H + std::abs(H - 2 * M) + 5;
    if (Need > Result) Result = Need;
  }
  return Result;
}

int TEditArea::CalcWidth(int N) const {
  qint64 Result = 0;
  for (int I = 0; I < N && I < Count(); ++I) Result += PadBefore(I) + Item(I)->CalcWidth() + TEACursor::CaretWidth;
  return ClampCoordinate(Result);
}

void TEditArea::RefreshDimensions() {
  LayoutChanged();
  if (Deferred()) {
    FCaret->RefreshVisible();
    return;
  }
  // The elements take the area's font and their sizes first: measuring the area before
  // would size it for new elements' unset mid-lines and for an old font.
  RefreshElements();
  FindMarks();
  if (MathFontOf(*this)) {
    MathDimensions();
  } else {
    SetHeight(CalcHeight() + 2);
    if (GetIsEmpty()) {
      SetWidth(Font().Size());
    } else {
      SetWidth(ClampCoordinate(qint64{CalcWidth(Count())} + Font().Size() / 3 + PadBefore(Count())));
      PlaceEquations();
    }
  }
  ApplyRows();
  RefreshCursor();
}

void TEditArea::RefreshEquations() {
  LayoutChanged();
  if (FEditor && FEditor->LayoutMode() != TEditorCore::lmEach) return;
  // Rows follow from the size: a wrapping line is measured again.
  if (FWrapWidth > 0) return RefreshDimensions();
  RefreshElements();
  if (MathFontOf(*this))
    MathPlaceEquations();
  else
    PlaceEquations();
}

void TEditArea::RefreshElements() {
  if (MathFontOf(*this)) {
    MarkOperatorNames();
    MarkPrimes();
  }
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    Element->SetFont(Font());
    Element->SetBkColor(BkColor());
    Element->RefreshDimensions();
  }
}

namespace {
// Where the second word of a two-word name starts (0 for a name of one word): TeX sets
// \limsup as lim\,sup, a thin space between the words, as between two names.
int SecondWord(QStringView Name) {
  static const std::pair<const char16_t*, int> Words[] = {{u"liminf", 3}, {u"limsup", 3}, {u"injlim", 3}, {u"projlim", 4}};
  for (const auto& [Whole, At] : Words)
    if (Name == QStringView(Whole)) return At;
  return 0;
}
}  // namespace

void TEditArea::MarkPrimes() {
  const auto Apostrophe = [this](int I) {
    auto* Letter = dynamic_cast<TEqSimple*>(Item(I));
    return Letter && Letter->Character() == U'\'' ? Letter : nullptr;
  };
  for (int I = 0, N = Count(); I < N;) {
    TEqSimple* First = Apostrophe(I);
    if (!First) {
      ++I;
      continue;
    }
    int End = I + 1;
    while (End < N && End - I < 4 && Apostrophe(End)) Apostrophe(End++)->SetMathPrimes(0);
    First->SetMathPrimes(End - I);
    I = End;
  }
}

void TEditArea::MarkOperatorNames() {
  // A run of Latin letters that starts with names is those names, one after another (a
  // reader gives "\sin x" as the letters s, i, n, x).
  const int N = Count();
  QString Letters;
  for (int I = 0; I < N;) {
    int End = I;
    Letters.clear();
    while (End < N) {
      const auto* Letter = dynamic_cast<const TEqSimple*>(Item(End));
      const char32_t C = Letter ? Letter->Character() : 0;
      if (!((C >= U'a' && C <= U'z') || (C >= U'A' && C <= U'Z'))) break;
      Letters += QChar(static_cast<char16_t>(C));
      ++End;
    }
    int Named = 0;
    // Words of text are no names.
    for (int Length; !FMathText && Named < Letters.size() &&
                     (Length = OperatorNamePrefix(QStringView(Letters).mid(Named))) > 0;
         Named += Length) {
      const int Second = SecondWord(QStringView(Letters).mid(Named, Length));
      for (int K = 0; K < Length; ++K)
        static_cast<TEqSimple*>(Item(I + Named + K))->SetMathName(K == 0 || K == Second ? mnFirst : mnRest);
    }
    for (int K = I + Named; K < End; ++K) static_cast<TEqSimple*>(Item(K))->SetMathName(mnNone);
    I = End == I ? I + 1 : End;
  }
}

void TEditArea::PlaceEquations() {
  const int Gap = TEACursor::CaretWidth;
  // X is CalcWidth(I): an element measured right after its refresh has the width that
  // refresh stored.
  qint64 X = 0;
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    X += PadBefore(I);
    Element->SetLeft(ClampCoordinate(X + Gap));
    Element->SetTop(RoundHalfEven(Height() / 2.0L - Element->GetMidLine()));
    X += Element->Width() + Gap;
  }
}

void TEditArea::FindMarks() {
  FMarks.clear();
  for (int I = 0; I < Count(); ++I)
    if (dynamic_cast<const TEqAlignMark*>(Item(I))) FMarks.push_back(I);
}

void TEditArea::SetAlignPads(std::vector<int> Pads) {
  if (Pads == FAlignPads) return;
  FAlignPads = std::move(Pads);
  if (Deferred() || GetIsEmpty()) return;
  if (MathFontOf(*this)) {
    MathDimensions();
  } else {
    qint64 Right = 0;
    for (int I = 0; I < Count(); ++I) Right += PadBefore(I) + Item(I)->Width() + TEACursor::CaretWidth;
    SetWidth(ClampCoordinate(Right + Font().Size() / 3 + PadBefore(Count())));
    PlaceEquations();
  }
  ApplyRows();
  RefreshCursor();
}

bool TEditArea::Deferred() const {
  return FEditor && FEditor->LayoutMode() == TEditorCore::lmDeferred;
}

void TEditArea::RefreshCursor() {
  if (Deferred()) {
    // The caret is placed by the pass that ends the read: a line laid out earlier (for a
    // receiver that looked) must not count as unchanged then.
    LayoutChanged();
    FCaret->RefreshVisible();
    return;
  }
  FCaret->SetFont(Font());
  FCaret->RefreshDimensions();
  if (!FRowStarts.empty()) return PlaceRowCursor();
  if (MathFontOf(*this)) return MathPlaceCursor();
  FCaret->SetTop(RoundHalfEven((Height() - FCaret->Height()) / 2.0L));
  FCaret->SetLeft(CalcWidth(FEquationIndex));
}

namespace {
// Room kept above and below a run's ink.
constexpr int MathPad = 0;
// The box of an empty run and of the caret where it has no neighbours, in ems.
constexpr double StrutAscent = 0.72;
constexpr double StrutDescent = 0.22;
}  // namespace

std::vector<int> TEditArea::MathGaps() const {
  const TMathStyle Style(*this);
  const int N = Count();
  // The spacing TeX puts between atoms and nothing at the run's ends: the caret stands in
  // that spacing, over the ink where there is none.
  std::vector<int> Gaps(N + 1, 0);
  // Text has its word spaces and no other.
  if (FMathText) return Gaps;
  // A binary operator with nothing to combine on its left, or before a relation, a closing
  // or a punctuation, is ordinary (as TeX has it); a script is spaced as its base.
  std::vector<TMathAtom> Atoms(N);
  for (int I = 0; I < N; ++I) {
    TMathAtom Atom = Item(I)->MathAtom();
    const TMathAtom Before = I > 0 ? Atoms[I - 1] : maOpen;
    if (Atom == maScript) Atom = I > 0 ? Before : maOrd;
    if (Atom == maBin && (Before == maBin || Before == maOp || Before == maRel || Before == maOpen ||
                          Before == maPunct))
      Atom = maOrd;
    if ((Atom == maRel || Atom == maClose || Atom == maPunct) && I > 0 && Before == maBin) Atoms[I - 1] = maOrd;
    Atoms[I] = Atom;
  }
  if (N > 0 && Atoms[N - 1] == maBin) Atoms[N - 1] = maOrd;
  for (int I = 1; I < N; ++I) {
    const auto* Letter = dynamic_cast<const TEqSimple*>(Item(I));
    // The letters of a name stand together as one operator.
    if (Letter && Letter->MathName() == mnRest) continue;
    if (Item(I)->MathAtom() != maScript) Gaps[I] = Style.Space(Atoms[I - 1], Atoms[I], FMathLevel);
    if (TakesItalic(*Item(I))) Gaps[I] += CharacterItalic(*Item(I - 1));
    // The LaTeX writer gives these arrows as \iff and \implies, which amsmath pads with
    // \; on either side, at every level.
    for (const int Side : {I - 1, I})
      if (const char32_t Code = CharacterCode(*Item(Side)); Code == U'\u27F9' || Code == U'\u27FA')
        Gaps[I] += Style.Mu(5);
  }
  return Gaps;
}

void TEditArea::MathDimensions() {
  const TMathStyle Style(*this);
  int Ascent = INT_MIN;
  int Descent = INT_MIN;
  for (int I = 0; I < Count(); ++I) {
    const TEquation* Element = Item(I);
    const int Above = Element->GetMidLine() + Style.Axis();
    Ascent = qMax(Ascent, Above);
    Descent = qMax(Descent, Element->Height() - Above);
  }
  if (GetIsEmpty()) {
    Ascent = static_cast<int>(std::lround(StrutAscent * Style.Em()));
    Descent = static_cast<int>(std::lround(StrutDescent * Style.Em()));
  }
  FMathBaseline = MathPad + Ascent;
  SetHeight(qMax(1, Ascent + Descent + 2 * MathPad));
  if (GetIsEmpty()) {
    SetWidth(Font().Size());
    return;
  }
  const std::vector<int> Gaps = MathGaps();
  qint64 X = 0;
  for (int I = 0; I < Count(); ++I) X += Gaps[I] + PadBefore(I) + Item(I)->Width();
  SetWidth(ClampCoordinate(X + Gaps.back() + PadBefore(Count())));
  MathPlaceEquations();
}

void TEditArea::MathPlaceEquations() {
  const TMathStyle Style(*this);
  const std::vector<int> Gaps = MathGaps();
  qint64 X = 0;
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    X += Gaps[I] + PadBefore(I);
    Element->SetLeft(ClampCoordinate(X));
    Element->SetTop(FMathBaseline - Style.Axis() - Element->GetMidLine());
    X += Element->Width();
  }
}

void TEditArea::MathPlaceCursor() {
  const TMathStyle Style(*this);
  const int K = FEquationIndex;
  // Centred in the room between its neighbours, as high as the two of them.
  int Left = 0;
  if (K > 0) {
    const TEquation* Before = Item(K - 1);
    const int Right = Before->Left() + Before->Width();
    // The room an alignment adds lies after the caret.
    const int Next = (K < Count() ? Item(K)->Left() : Width()) - PadBefore(K);
    Left = qBound(0, Right + (Next - Right - TEACursor::CaretWidth) / 2, qMax(0, Width() - TEACursor::CaretWidth));
  }
  int Top = INT_MAX;
  int Bottom = INT_MIN;
  for (int I : {K - 1, K}) {
    if (I < 0 || I >= Count()) continue;
    Top = qMin(Top, Item(I)->Top());
    Bottom = qMax(Bottom, Item(I)->Top() + Item(I)->Height());
  }
  if (Top > Bottom) {
    Top = FMathBaseline - static_cast<int>(std::lround(StrutAscent * Style.Em()));
    Bottom = FMathBaseline + static_cast<int>(std::lround(StrutDescent * Style.Em()));
  }
  Top = qBound(0, Top, Height() - 1);
  Bottom = qBound(Top + 1, Bottom, Height());
  FCaret->SetLeft(Left);
  FCaret->SetTop(Top);
  FCaret->SetHeight(Bottom - Top);
}

void TEditArea::SetBkColor(QColor Value) {
  if (Value != BkColor()) {
    TZelkGraphic::SetBkColor(Value);
    LayoutChanged();
  } else if (Deferred()) {
    // The pass that ends the read hands the colour to the new elements.
    return;
  }
  for (int I = 0; I < Count(); ++I) {
    TEquation* Element = Item(I);
    if (Element->BkColor() == Value) continue;
    Element->SetBkColor(Value);
    Element->RefreshDimensions();
  }
}

void TEditArea::LayoutChanged() {
  for (TEditArea* Area = this; Area;) {
    Area->FLaidOut = false;
    Area->FDataKnown = false;
    TEquation* Holder = Area->FOwner ? Area->FOwner->AsElement() : nullptr;
    // A template's layout follows its slots.
    if (Holder) Holder->ForgetLayout();
    if (!Holder && Area->FEditor) Area->FEditor->DataChanged();
    Area = Holder ? Holder->GetParent() : nullptr;
  }
}

void TEditArea::Paint() {
  TCanvas& C = Canvas();
  const bool Framed =
      FEditor && FEditor->ViewEnabled() && ((FActive && FEditor->ShowsCaret()) || GetIsEmpty()) &&
      Host()->PaintingMarks();
  C.Pen.Style = Framed ? psDot : psClear;
  C.Pen.Color = Qt::black;
  C.Brush.SetStyle(bsClear);
  C.Brush.SetColor(BkColor());
  C.Rectangle(0, 0, Width(), Height());
  if (FWrapBreak == wbRepeated && !FRowStarts.empty()) PaintRepeated();
}
