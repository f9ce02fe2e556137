#include "Templates.h"

#include <QHash>

#include "model/Keywords.h"

namespace {
template <typename F>
void AddRootsAndAccents(const F& Add) {
  TTemplateInfo Small;
  Small.Small = true;
  Add(Small);
  for (TContinued Side : {cfCentre, cfLeft, cfRight}) {
    TTemplateInfo Continued;
    Continued.Continued = Side;
    Add(Continued);
  }
  TTemplateInfo Slash;
  Slash.Kind = TTemplateInfo::SlashDivision;
  Add(Slash);
  for (bool With : {false, true}) {
    TTemplateInfo Root;
    Root.Kind = TTemplateInfo::Root;
    Root.Degree = With;
    Add(Root);
    TTemplateInfo Long;
    Long.Kind = TTemplateInfo::LongDivision;
    Long.Quotient = With;
    Add(Long);
  }
  for (int Mark = FirstAccent; Mark <= LastAccent; ++Mark) {
    TTemplateInfo Accent;
    Accent.Kind = TTemplateInfo::Accent;
    Accent.Mark = TKindAccent(Mark);
    Add(Accent);
  }
}

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
  AddRootsAndAccents(Add);
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
  for (bool Small : {false, true}) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Binomial;
    Info.Small = Small;
    Add(Info);
  }
  TTemplateInfo Text;
  Text.Kind = TTemplateInfo::Text;
  Add(Text);
  TTemplateInfo Mark;
  Mark.Kind = TTemplateInfo::AlignMark;
  Add(Mark);
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
    case Division: case SlashDivision: case Binomial: return 2;
    case Root: return Degree ? 2 : 1;
    case LongDivision: return Quotient ? 3 : 2;
    case Fence: return Delimiters.Middle == dlNone ? 1 : 2;
    case LeftIndex: return static_cast<int>(Options.Contains(goIndexTop)) + Options.Contains(goIndexBottom);
    case Scripted:
      return 1 + Options.Contains(goLimitBottom) + Options.Contains(goLimitTop) +
             Options.Contains(goIndexBottom) + Options.Contains(goIndexTop);
    case Brace: return 2;
    case AlignMark: return 0;
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
    case Division: return Continued != cfNone ? ContinuedFractionKeyword(Continued) : DivisionKeyword(Small);
    case SlashDivision: return SlashDivisionKeyword();
    case Root: return RootKeyword(Degree);
    case LongDivision: return LongDivisionKeyword(Quotient);
    case Accent: return AccentKeyword(Mark);
    case Matrix: return MatrixKeyword(Shape, Columns);
    case Fence: return FenceKeyword(Delimiters);
    case LeftIndex: return LeftIndexKeyword(Options);
    case Scripted: return ScriptedKeyword(Options, OperatorBase);
    case Brace: return BraceKeyword(Align);
    case Binomial: return BinomialKeyword(Small);
    case Text: return TextKeyword();
    case AlignMark: return AlignMarkKeyword();
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

char16_t AccentChar(TKindAccent Mark) {
  // The spacing marks (U+00AF, U+02C6, U+02DC) rather than ASCII ones: other readers take
  // those for the accents, the ASCII ones for narrow operators.
  static const char16_t Chars[] = {0,      0,      0,      0x2032, 0x2033, 0x2034, 0x02D9,
                                   0x00A8, 0x20DB, 0x00AF, 0x02C6, 0x02DC, 0x2192, 0x2190,
                                   0x2194, 0x21C0, 0x21BC, 0x23DC, 0x02D8, 0x2035};
  return Chars[Mark];
}

bool AccentByChar(char16_t Code, bool Stretchy, TKindAccent& Mark) {
  static const QHash<char16_t, TKindAccent> Others = {
      {0x2032, acPrime}, {0x2033, acPrimeTwo}, {0x2034, acPrimeThree}, {0x2035, acBackPrime},
      {0x02D9, acDot}, {0x00A8, acDotTwo}, {0x20DB, acDotThree}, {u'^', acHat}, {0x02C6, acHat},
      {0x0302, acHat}, {u'~', acTilde}, {0x02DC, acTilde}, {0x0303, acTilde}, {0x21C0, acHarpoonRight},
      {0x21BC, acHarpoonLeft}, {0x23DC, acArcUp}, {0x23E0, acArcUp}, {0x2322, acArcUp},
      {0x02D8, acArcDown}, {0x2323, acArcDown}, {0x23DD, acArcDown},
      // The combining marks KaTeX and pandoc write for \vec, \dot and their kin, and
      // KaTeX's macron for \bar.
      {0x20D7, acArrowRight}, {0x20D6, acArrowLeft}, {0x20E1, acArrowRightLeft}, {0x20D1, acHarpoonRight},
      {0x20D0, acHarpoonLeft}, {0x0307, acDot}, {0x0308, acDotTwo}, {0x0304, acBar}, {0x02C9, acBar},
      {0x0306, acArcDown}, {0x0311, acArcUp}};
  static const QHash<char16_t, TKindAccent> Unstretched = {
      {0x203E, acBar}, {0x00AF, acBar}, {0x2192, acArrowRight}, {0x2190, acArrowLeft}, {0x2194, acArrowRightLeft}};
  const auto& Table = Others.contains(Code) ? Others : Unstretched;
  const auto It = Table.constFind(Code);
  if (It == Table.constEnd() || (&Table == &Unstretched && Stretchy)) return false;
  Mark = *It;
  return true;
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
