#include "Templates.h"

#include <QHash>

#include "model/Keywords.h"

namespace {
QHash<QString, TTemplateInfo> BuildTable() {
  QHash<QString, TTemplateInfo> Table;
  const auto Add = [&Table](const TTemplateInfo& Info) { Table.insert(Info.Keyword(), Info); };
  for (TGroupOptions Options : {TGroupOptions{goIndexTop}, TGroupOptions{goIndexBottom},
                                TGroupOptions{goIndexTop, goIndexBottom}}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Index;
    Info.Options = Options;
    Add(Info);
  }
  const TGroupOptions Sets[] = {{}, {goLimitBottom}, {goLimitTop, goLimitBottom},
                                {goIndexBottom}, {goIndexTop, goIndexBottom}};
  for (auto Operator : {TTemplateInfo::Integral, TTemplateInfo::Sum, TTemplateInfo::Product,
                        TTemplateInfo::Coproduct, TTemplateInfo::Intersection, TTemplateInfo::Union})
    for (TGroupOptions Options : Sets)
      for (int Size = 1; Size <= 3; ++Size)
        for (bool Ring : {false, true}) {
          TTemplateInfo Info;
          Info.Kind = TTemplateInfo::BigOperator;
          Info.Operator = Operator;
          Info.Options = Options;
          Info.Size = Size;
          Info.Ring = Ring;
          const bool Integral = Operator == TTemplateInfo::Integral;
          const bool BothScripts = Options.Contains(goLimitTop) || Options.Contains(goIndexTop);
          if (!Integral && (Size > 1 || Ring)) continue;
          if (Integral && BothScripts && (Size > 1 || Ring)) continue;
          Add(Info);
        }
  for (TKindBracket Kind : {kbRound, kbSquare, kbFigure, kbCorner, kbModule, kbDModule}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Brackets;
    Info.Bracket = Kind;
    Add(Info);
  }
  for (TAlignEA Align : {aeTop, aeBottom}) {
    for (TKindArrow Heads : {TKindArrow{kaRight}, TKindArrow{kaLeft}, TKindArrow{kaRight, kaLeft}}) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Arrow;
      Info.Heads = Heads;
      Info.Align = Align;
      Add(Info);
    }
    for (TKindArrow Heads : {TKindArrow{}, TKindArrow{kaDouble}, TKindArrow{kaRight},
                             TKindArrow{kaLeft}, TKindArrow{kaRight, kaLeft}}) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Vector;
      Info.Heads = Heads;
      Info.Align = Align;
      Add(Info);
    }
  }
  Add(TTemplateInfo{});  // Division
  for (TKindMatrix Shape : {kmHoriz, kmVert, kmSquare}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Matrix;
    Info.Shape = Shape;
    Add(Info);
  }
  for (int Columns = 2; Columns <= MaxMatrixColumns; ++Columns) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Matrix;
    Info.Shape = kmGrid;
    Info.Columns = Columns;
    Add(Info);
  }
  return Table;
}

const char* OperatorPrefix(TTemplateInfo::TOperator Operator) {
  switch (Operator) {
    case TTemplateInfo::Integral: return "Int";
    case TTemplateInfo::Sum: return "Sum";
    case TTemplateInfo::Product: return "Multiply";
    case TTemplateInfo::Coproduct: return "CoMult";
    case TTemplateInfo::Intersection: return "Intersection";
    case TTemplateInfo::Union: return "Join";
  }
  return "";
}
}  // namespace

int TTemplateInfo::SlotCount() const {
  switch (Kind) {
    case Index: return static_cast<int>(Options.Contains(goIndexTop)) + Options.Contains(goIndexBottom);
    case BigOperator:
      return 1 + Options.Contains(goLimitBottom) + Options.Contains(goLimitTop) +
             Options.Contains(goIndexBottom) + Options.Contains(goIndexTop);
    case Division: return 2;
    default: return 1;
  }
}

int TTemplateInfo::SlotOf(TGroupOption Option) const {
  if (!Options.Contains(Option)) return -1;
  // Operand first (big operators), then lower limit, upper limit, lower index, upper index.
  int Position = Kind == BigOperator ? 1 : 0;
  for (TGroupOption Before : {goLimitBottom, goLimitTop, goIndexBottom, goIndexTop}) {
    if (Before == Option) return Position;
    if (Options.Contains(Before)) ++Position;
  }
  return -1;
}

QString TTemplateInfo::Keyword() const {
  switch (Kind) {
    case Index: return IndexKeyword(Options);
    case BigOperator:
      return Operator == Integral ? IntegralKeyword(Options, Size, Ring)
                                  : GroupOpKeyword(QLatin1String(OperatorPrefix(Operator)), Options);
    case Brackets: return BracketsKeyword(Bracket);
    case Arrow: return ArrowKeyword(Heads, Align);
    case Vector: return VectorKeyword(Heads, Align);
    case Division: return QStringLiteral("Division");
    case Matrix: return MatrixKeyword(Shape, Columns);
  }
  return QString();
}

int TTemplateInfo::MatrixColumns(int Cells) const {
  switch (Shape) {
    case kmHoriz: return Cells;
    case kmVert: return 1;
    case kmGrid: return qMax(1, qMin(Columns, Cells));
    case kmSquare: break;
  }
  int Result = 1;
  while (Result * Result < Cells) ++Result;
  return Result;
}

const TTemplateInfo* FindTemplate(const QString& Keyword) {
  static const QHash<QString, TTemplateInfo> Table = BuildTable();
  const auto It = Table.constFind(Keyword);
  return It == Table.constEnd() ? nullptr : &*It;
}
