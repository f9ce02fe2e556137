#include "EditArea.h"

#include "editor/EACursor.h"
#include "editor/EditorCore.h"
#include "model/Accent.h"
#include "model/AlignMark.h"
#include "model/Arrows.h"
#include "model/Brace.h"
#include "model/Brackets.h"
#include "model/Binomial.h"
#include "model/Division.h"
#include "model/Fence.h"
#include "model/GroupOp.h"
#include "model/Index.h"
#include "model/Keywords.h"
#include "model/LongDivision.h"
#include "model/Matrix.h"
#include "model/Radical.h"
#include "model/Scripted.h"
#include "model/Symbols.h"
#include "model/Text.h"

TEditArea::TEditArea(TEquatStore* Owner)
    : TZelkGraphic(Owner), FEquationList(new TEquationList), FCaret(nullptr), FOwner(Owner) {
  TZelkGraphic::SetBkColor(QColor(255, 255, 255));
  FCaret = new TEACursor(this);
}

TEditArea::~TEditArea() {
  delete FCaret;
  delete FEquationList;
  if (FActive && FEditor && FEditor->ActiveEditArea() == this) FEditor->SetActiveEditArea(nullptr);
  // The elements are children of the area and go with it.
}

TEquatStore* TEditArea::GetParent() const { return FOwner; }

void TEditArea::PutParent(TEquatStore* Value) {
  FOwner = Value;
  if (ParentNode() != Value) {
    SetParentNode(Value);
    SetVisible(true);
  }
}

void TEditArea::SetEquationIndex(int Value) {
  if (Value >= 0 && Value <= Count()) FEquationIndex = Value;
  RefreshCursor();
}

void TEditArea::DelEquation(int Index) {
  if (Index >= 0 && Index < Count())
    DelEquations(Index, Index + 1);
  else if (FEditor)
    FEditor->Change();
}

void TEditArea::DelEquations(int First, int Last) {
  First = qBound(0, First, Count());
  Last = qBound(First, Last, Count());
  if (First < Last) {
    std::vector<TCustomControl*> Elements;
    for (int I = First; I < Last; ++I) Elements.push_back(Item(I));
    FEquationList->Delete(First, Last);
    DetachChildren(Elements);
    for (auto It = Elements.rbegin(); It != Elements.rend(); ++It) Dispose(static_cast<TEquation*>(*It));
    // The layout places the caret between its neighbours: it must have both.
    FEquationIndex = qMin(FEquationIndex, Count());
    LayoutChanged();
    RefreshRecurse();
  }
  if (FEditor) FEditor->Change();
}

void TEditArea::Dispose(TEquation* Element) {
  if (FEditor)
    FEditor->Dispose(Element);
  else
    delete Element;
}

void TEditArea::RefreshRecurse() {
  TEditArea* Area = this;
  while (Area) {
    TEquatStore* Owner = Area->GetParent();
    if (!Owner) return;
    Owner->RefreshEditArea(Area->IndexInParent());
    TEquation* Element = Owner->AsElement();
    Area = Element ? Element->GetParent() : nullptr;
  }
}

void TEditArea::ClearEquations() {
  while (Count() > 0) {
    TEquation* Element = Item(Count() - 1);
    FEquationList->Delete(Count() - 1);
    Dispose(Element);
  }
  FEquationIndex = 0;
  LayoutChanged();
}

template <typename T, typename Setup>
void TEditArea::InsertEquation(const QString& Keyword, Setup&& Apply) {
  auto* Element = new T(this);
  FEquationList->InsertObject(FEquationIndex, Keyword, Element);
  Apply(*Element);
  LayoutChanged();
  RefreshRecurse();
  if (FEditor) FEditor->Change();
}

void TEditArea::AddEqSimple(char32_t Ch) {
  InsertEquation<TEqSimple>(QStringLiteral("Simple"), [Ch](TEqSimple& E) { E.SetCharacter(Ch); });
}

void TEditArea::AddEqExtSymbol(int Code) {
  InsertEquation<TEqExtSymbol>(QStringLiteral("ExtSymbol"), [Code](TEqExtSymbol& E) {
    E.SetSymbolCode(static_cast<char16_t>(static_cast<unsigned>(Code) & 0xFFFFu));
  });
}

void TEditArea::AddEqIndex(TGroupOptions Options) {
  InsertEquation<TEqIndex>(IndexKeyword(Options),
                           [Options](TEqIndex& E) { E.SetGroupOptions(Options); });
}

void TEditArea::AddEqIntegral(TGroupOptions Options, int Size, bool Ring) {
  InsertEquation<TEqIntegral>(IntegralKeyword(Options, Size, Ring), [=](TEqIntegral& E) {
    E.SetRing(Ring);
    E.SetSize(Size);
    E.SetGroupOptions(Options);
  });
}

namespace {
template <typename T>
auto WithOptions(TGroupOptions Options) {
  return [Options](T& E) { E.SetGroupOptions(Options); };
}
}  // namespace

void TEditArea::AddEqSumma(TGroupOptions Options) {
  InsertEquation<TEqSumma>(GroupOpKeyword(QStringLiteral("Sum"), Options),
                           WithOptions<TEqSumma>(Options));
}

void TEditArea::AddEqMultiply(TGroupOptions Options) {
  InsertEquation<TEqMultiply>(GroupOpKeyword(QStringLiteral("Multiply"), Options),
                              WithOptions<TEqMultiply>(Options));
}

void TEditArea::AddEqIntersection(TGroupOptions Options) {
  InsertEquation<TEqIntersection>(GroupOpKeyword(QStringLiteral("Intersection"), Options),
                                  WithOptions<TEqIntersection>(Options));
}

void TEditArea::AddEqJoin(TGroupOptions Options) {
  InsertEquation<TEqJoin>(GroupOpKeyword(QStringLiteral("Join"), Options),
                          WithOptions<TEqJoin>(Options));
}

void TEditArea::AddEqCoMult(TGroupOptions Options) {
  InsertEquation<TEqCoMult>(GroupOpKeyword(QStringLiteral("CoMult"), Options),
                            WithOptions<TEqCoMult>(Options));
}

void TEditArea::AddEqBrackets(TKindBracket Kind) {
  InsertEquation<TEqBrackets>(BracketsKeyword(Kind),
                              [Kind](TEqBrackets& E) { E.SetKindBracket(Kind); });
}

void TEditArea::AddEqArrow(TKindArrow Kind, TAlignEA Align) {
  InsertEquation<TEqArrow>(ArrowKeyword(Kind, Align), [=](TEqArrow& E) {
    E.SetAlignEA(Align);
    E.SetKindArrow(Kind);
  });
}

void TEditArea::AddEqVector(TKindArrow Kind, TAlignEA Align) {
  InsertEquation<TEqVector>(VectorKeyword(Kind, Align), [=](TEqVector& E) {
    E.SetAlignEA(Align);
    E.SetKindArrow(Kind);
  });
}

void TEditArea::AddEqDivision(bool Small) {
  InsertEquation<TEqDivision>(DivisionKeyword(Small), [Small](TEqDivision& E) { E.SetSmall(Small); });
}

void TEditArea::AddEqContinuedFraction(TContinued Kind) {
  InsertEquation<TEqDivision>(ContinuedFractionKeyword(Kind), [Kind](TEqDivision& E) { E.SetContinued(Kind); });
}

void TEditArea::AddEqMatrix(TKindMatrix Kind, int Count) {
  InsertEquation<TEqMatrix>(MatrixKeyword(Kind), [=](TEqMatrix& E) {
    E.SetKindMatrix(Kind);
    E.SetCountEA(Count);
  });
}

void TEditArea::AddEqMatrixGrid(int Rows, int Columns) {
  Columns = qBound(2, Columns, MaxMatrixColumns);
  InsertEquation<TEqMatrix>(MatrixKeyword(kmGrid, Columns), [=](TEqMatrix& E) {
    E.SetGrid(Columns);
    E.SetCountEA(qMax(0, Rows) * Columns);
    if (Rows > 0) E.Slot(0)->SetActive(true);
  });
}

void TEditArea::AddEqSlashDivision() {
  InsertEquation<TEqSlashDivision>(SlashDivisionKeyword(), [](TEqSlashDivision&) {});
}

void TEditArea::AddEqRoot(bool Degree) {
  InsertEquation<TEqRoot>(RootKeyword(Degree), [Degree](TEqRoot& E) { E.SetHasDegree(Degree); });
}

void TEditArea::AddEqLongDivision(bool Quotient) {
  InsertEquation<TEqLongDivision>(LongDivisionKeyword(Quotient),
                                  [Quotient](TEqLongDivision& E) { E.SetHasQuotient(Quotient); });
}

void TEditArea::AddEqAccent(TKindAccent Kind) {
  InsertEquation<TEqAccent>(AccentKeyword(Kind), [Kind](TEqAccent& E) { E.SetKindAccent(Kind); });
}

void TEditArea::AddEqFence(TFenceKind Kind) {
  InsertEquation<TEqFence>(FenceKeyword(Kind), [Kind](TEqFence& E) { E.SetKind(Kind); });
}

void TEditArea::AddEqBinomial(bool Small) {
  InsertEquation<TEqBinomial>(BinomialKeyword(Small), [Small](TEqBinomial& E) { E.SetSmall(Small); });
}

void TEditArea::AddEqText() {
  InsertEquation<TEqText>(TextKeyword(), [](TEqText&) {});
}

void TEditArea::AddEqLeftIndex(TGroupOptions Options) {
  InsertEquation<TEqIndex>(LeftIndexKeyword(Options), [Options](TEqIndex& E) {
    E.SetBeforeBase(true);
    E.SetGroupOptions(Options);
  });
}

void TEditArea::AddEqScripted(TGroupOptions Options, bool Operator) {
  InsertEquation<TEqScripted>(ScriptedKeyword(Options, Operator),
                              [=](TEqScripted& E) { E.SetScripts(Options, Operator); });
}

void TEditArea::AddEqBrace(TAlignEA Align) {
  InsertEquation<TEqBrace>(BraceKeyword(Align), [Align](TEqBrace& E) { E.SetAlignEA(Align); });
}

void TEditArea::AddEqAlignMark() {
  InsertEquation<TEqAlignMark>(AlignMarkKeyword(), [](TEqAlignMark&) {});
}
