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
  for (TFenceKind Kind : AcceptedFences()) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Fence;
    Info.Delimiters = Kind;
    Add(Info);
  }
  for (TGroupOptions Options : {TGroupOptions{goIndexTop}, TGroupOptions{goIndexBottom},
                                TGroupOptions{goIndexTop, goIndexBottom}}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::LeftIndex;
    Info.Options = Options;
    Add(Info);
    Info.Kind = TTemplateInfo::Scripted;
    Info.OperatorBase = true;
    Add(Info);
  }
  for (TGroupOptions Options : {TGroupOptions{goLimitTop}, TGroupOptions{goLimitBottom},
                                TGroupOptions{goLimitTop, goLimitBottom}})
    for (bool Operator : {false, true}) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Scripted;
      Info.Options = Options;
      Info.OperatorBase = Operator;
      Add(Info);
    }
  for (TAlignEA Align : {aeTop, aeBottom}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Brace;
    Info.Align = Align;
    Add(Info);
  }
  for (TKindMatrix Shape : {kmHoriz, kmVert, kmSquare}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Matrix;
    Info.Shape = Shape;
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
    case Fence: return Delimiters.Middle == dlNone ? 1 : 2;
    case LeftIndex: return static_cast<int>(Options.Contains(goIndexTop)) + Options.Contains(goIndexBottom);
    case Scripted:
      return 1 + Options.Contains(goLimitBottom) + Options.Contains(goLimitTop) +
             Options.Contains(goIndexBottom) + Options.Contains(goIndexTop);
    case Brace: return 2;
    default: return 1;
  }
}

int TTemplateInfo::SlotOf(TGroupOption Option) const {
  if (!Options.Contains(Option)) return -1;
  // Operand or base first (big operators, scripted bases), then lower limit, upper limit,
  // lower index, upper index.
  int Position = Kind == BigOperator || Kind == Scripted ? 1 : 0;
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
    case Matrix: return MatrixKeyword(Shape);
    case Fence: return FenceKeyword(Delimiters);
    case LeftIndex: return LeftIndexKeyword(Options);
    case Scripted: return ScriptedKeyword(Options, OperatorBase);
    case Brace: return BraceKeyword(Align);
  }
  return QString();
}

const TTemplateInfo* FindTemplate(const QString& Keyword) {
  static const QHash<QString, TTemplateInfo> Table = BuildTable();
  const auto It = Table.constFind(Keyword);
  return It == Table.constEnd() ? nullptr : &*It;
}

char16_t DelimiterChar(TDelimiter Value) {
  static const char16_t Chars[] = {0,      u'(',   u')',   u'[',   u']',   u'{',   u'}',   0x27E8,
                                   0x27E9, u'|',   0x2016, 0x230A, 0x230B, 0x2308, 0x2309};
  return Chars[Value];
}

const TTemplateInfo* FenceByChars(char16_t Left, char16_t Middle, char16_t Right) {
  for (int Kind = kbRound; Kind <= kbDModule && !Middle; ++Kind) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Brackets;
    Info.Bracket = static_cast<TKindBracket>(Kind);
    if (DelimiterChar(OpeningDelimiter(Info.Bracket)) == Left && DelimiterChar(ClosingDelimiter(Info.Bracket)) == Right)
      return FindTemplate(Info.Keyword());
  }
  for (TFenceKind Kind : AcceptedFences())
    if (DelimiterChar(Kind.Left) == Left && DelimiterChar(Kind.Middle) == Middle && DelimiterChar(Kind.Right) == Right) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Fence;
      Info.Delimiters = Kind;
      return FindTemplate(Info.Keyword());
    }
  return nullptr;
}
