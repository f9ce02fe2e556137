#include "Keywords.h"

#include <algorithm>

#include <QHash>
#include <QStringList>

#include "model/EditArea.h"

namespace {
// The set is compared as a whole: any other set adds nothing.
QString OptionsWord(TGroupOptions Options) {
  if (Options == TGroupOptions{goLimitBottom}) return QStringLiteral("LimitBottom");
  if (Options == TGroupOptions{goIndexBottom}) return QStringLiteral("IndexBottom");
  if (Options == TGroupOptions{goLimitTop, goLimitBottom}) return QStringLiteral("LimitBottomTop");
  if (Options == TGroupOptions{goIndexTop, goIndexBottom}) return QStringLiteral("IndexBottomTop");
  return QString();
}

// 1..99 in English words, as letters are all a name may hold: "TwentyThree".
QString NumberWord(int N) {
  static const char* const Ones[] = {"", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight",
                                     "Nine", "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen",
                                     "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
  static const char* const Tens[] = {"", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty",
                                     "Ninety"};
  if (N < 1 || N > 99) return QString();
  if (N < 20) return QLatin1String(Ones[N]);
  return QLatin1String(Tens[N / 10]) + QLatin1String(Ones[N % 10]);
}

QString SizeWord(int Size) { return Size >= 1 && Size <= 3 ? NumberWord(Size) : QString(); }

QString AlignWord(TAlignEA Align) {
  return Align == aeTop ? QStringLiteral("aeTop") : QStringLiteral("aeBottom");
}

QString HeadsWord(TKindArrow Kind) {
  QString Word;
  if (Kind.Contains(kaRight)) Word += QStringLiteral("kaRight");
  if (Kind.Contains(kaLeft)) Word += QStringLiteral("kaLeft");
  return Word;
}

using TTable = QHash<QString, TInsertion>;

struct TFenceName {
  const char* Keyword;
  TFenceKind Kind;
};
const TFenceName FenceNames[] = {
    {"BracketsFloor", {dlFloorOpen, dlNone, dlFloorClose}},
    {"BracketsCeiling", {dlCeilingOpen, dlNone, dlCeilingClose}},
    {"BracketsSquareRound", {dlSquareOpen, dlNone, dlRoundClose}},
    {"BracketsRoundSquare", {dlRoundOpen, dlNone, dlSquareClose}},
    {"BracketsRevSquareSquare", {dlSquareClose, dlNone, dlSquareClose}},
    {"BracketsSquareRevSquare", {dlSquareOpen, dlNone, dlSquareOpen}},
    {"BracketsRevSquareRevSquare", {dlSquareClose, dlNone, dlSquareOpen}},
    {"BracketLeftRound", {dlRoundOpen, dlNone, dlNone}},
    {"BracketRightRound", {dlNone, dlNone, dlRoundClose}},
    {"BracketLeftSquare", {dlSquareOpen, dlNone, dlNone}},
    {"BracketRightSquare", {dlNone, dlNone, dlSquareClose}},
    {"BracketLeftFigure", {dlFigureOpen, dlNone, dlNone}},
    {"BracketRightFigure", {dlNone, dlNone, dlFigureClose}},
    {"BracketLeftCorner", {dlCornerOpen, dlNone, dlNone}},
    {"BracketRightCorner", {dlNone, dlNone, dlCornerClose}},
    {"BracketLeftModule", {dlModule, dlNone, dlNone}},
    {"BracketRightModule", {dlNone, dlNone, dlModule}},
    {"BracketLeftDModule", {dlDModule, dlNone, dlNone}},
    {"BracketRightDModule", {dlNone, dlNone, dlDModule}},
    {"BracketsKet", {dlModule, dlNone, dlCornerClose}},
    {"BracketsBra", {dlCornerOpen, dlNone, dlModule}},
    {"BracketsBraKet", {dlCornerOpen, dlModule, dlCornerClose}},
};

// The keyword word for a set with one or both of a top and a bottom option.
QString TopBottomWord(TGroupOptions Options, TGroupOption Top, TGroupOption Bottom) {
  return (Options.Contains(Bottom) ? QStringLiteral("Bottom") : QString()) +
         (Options.Contains(Top) ? QStringLiteral("Top") : QString());
}

void AddScriptKinds(TTable& Table) {
  for (TFenceKind Kind : AcceptedFences())
    Table.insert(FenceKeyword(Kind), [Kind](TEditArea& A) { A.AddEqFence(Kind); });
  for (TGroupOptions Options : {TGroupOptions{goIndexTop}, TGroupOptions{goIndexBottom},
                                TGroupOptions{goIndexTop, goIndexBottom}}) {
    Table.insert(LeftIndexKeyword(Options), [=](TEditArea& A) { A.AddEqLeftIndex(Options); });
    Table.insert(ScriptedKeyword(Options, true), [=](TEditArea& A) { A.AddEqScripted(Options, true); });
  }
  for (TGroupOptions Options : {TGroupOptions{goLimitTop}, TGroupOptions{goLimitBottom},
                                TGroupOptions{goLimitTop, goLimitBottom}})
    for (bool Operator : {false, true})
      Table.insert(ScriptedKeyword(Options, Operator), [=](TEditArea& A) { A.AddEqScripted(Options, Operator); });
  for (TAlignEA Align : {aeTop, aeBottom})
    Table.insert(BraceKeyword(Align), [=](TEditArea& A) { A.AddEqBrace(Align); });
  for (bool Small : {false, true})
    Table.insert(BinomialKeyword(Small), [=](TEditArea& A) { A.AddEqBinomial(Small); });
  Table.insert(TextKeyword(), [](TEditArea& A) { A.AddEqText(); });
}

void AddGroupOps(TTable& Table) {
  const TGroupOptions Sets[] = {{}, {goLimitBottom}, {goLimitTop, goLimitBottom},
                                {goIndexBottom}, {goIndexTop, goIndexBottom}};
  using TCommand = void (TEditArea::*)(TGroupOptions);
  const std::pair<const char*, TCommand> Operators[] = {
      {"Sum", &TEditArea::AddEqSumma},
      {"Multiply", &TEditArea::AddEqMultiply},
      {"Intersection", &TEditArea::AddEqIntersection},
      {"Join", &TEditArea::AddEqJoin},
      {"CoMult", &TEditArea::AddEqCoMult}};
  for (const auto& Operator : Operators)
    for (TGroupOptions Options : Sets)
      Table.insert(GroupOpKeyword(QLatin1String(Operator.first), Options),
                   [Command = Operator.second, Options](TEditArea& A) { (A.*Command)(Options); });
}

void AddIntegrals(TTable& Table) {
  const TGroupOptions Sets[] = {{}, {goLimitBottom}, {goIndexBottom}};
  for (TGroupOptions Options : Sets)
    for (int Size = 1; Size <= 3; ++Size)
      for (bool Ring : {false, true})
        Table.insert(IntegralKeyword(Options, Size, Ring), [=](TEditArea& A) {
          A.AddEqIntegral(Options, Size, Ring);
        });
  for (TGroupOptions Options : {TGroupOptions{goLimitTop, goLimitBottom},
                                TGroupOptions{goIndexTop, goIndexBottom}})
    Table.insert(IntegralKeyword(Options, 1, false),
                 [=](TEditArea& A) { A.AddEqIntegral(Options, 1, false); });
}

void AddArrowsAndVectors(TTable& Table) {
  for (TAlignEA Align : {aeTop, aeBottom}) {
    for (TKindArrow Kind : {TKindArrow{kaRight}, TKindArrow{kaLeft}, TKindArrow{kaRight, kaLeft}})
      Table.insert(ArrowKeyword(Kind, Align), [=](TEditArea& A) { A.AddEqArrow(Kind, Align); });
    for (TKindArrow Kind : {TKindArrow{}, TKindArrow{kaDouble}, TKindArrow{kaRight},
                            TKindArrow{kaLeft}, TKindArrow{kaRight, kaLeft}})
      Table.insert(VectorKeyword(Kind, Align), [=](TEditArea& A) { A.AddEqVector(Kind, Align); });
  }
}

// Fractions, radicals, long division and accents.
void AddRootsAndAccents(TTable& Table) {
  Table.insert(DivisionKeyword(true), [](TEditArea& A) { A.AddEqDivision(true); });
  for (TContinued Kind : {cfCentre, cfLeft, cfRight})
    Table.insert(ContinuedFractionKeyword(Kind), [Kind](TEditArea& A) { A.AddEqContinuedFraction(Kind); });
  Table.insert(SlashDivisionKeyword(), [](TEditArea& A) { A.AddEqSlashDivision(); });
  for (bool Degree : {false, true})
    Table.insert(RootKeyword(Degree), [=](TEditArea& A) { A.AddEqRoot(Degree); });
  for (bool Quotient : {false, true})
    Table.insert(LongDivisionKeyword(Quotient), [=](TEditArea& A) { A.AddEqLongDivision(Quotient); });
  for (int Kind = FirstAccent; Kind <= LastAccent; ++Kind)
    Table.insert(AccentKeyword(TKindAccent(Kind)),
                 [Kind](TEditArea& A) { A.AddEqAccent(TKindAccent(Kind)); });
}

TTable BuildTable() {
  TTable Table;
  for (TGroupOptions Options : {TGroupOptions{goIndexTop}, TGroupOptions{goIndexBottom},
                                TGroupOptions{goIndexTop, goIndexBottom}})
    Table.insert(IndexKeyword(Options), [=](TEditArea& A) { A.AddEqIndex(Options); });
  for (TKindBracket Kind : {kbRound, kbSquare, kbFigure, kbCorner, kbModule, kbDModule})
    Table.insert(BracketsKeyword(Kind), [=](TEditArea& A) { A.AddEqBrackets(Kind); });
  AddIntegrals(Table);
  AddGroupOps(Table);
  AddArrowsAndVectors(Table);
  Table.insert(DivisionKeyword(false), [](TEditArea& A) { A.AddEqDivision(); });
  // The cell count comes from the argument.
  for (TKindMatrix Kind : {kmHoriz, kmVert, kmSquare})
    Table.insert(MatrixKeyword(Kind), [=](TEditArea& A) { A.AddEqMatrix(Kind, 0); });
  for (int Columns = 2; Columns <= MaxMatrixColumns; ++Columns)
    Table.insert(MatrixKeyword(kmGrid, Columns), [=](TEditArea& A) { A.AddEqMatrixGrid(0, Columns); });
  AddRootsAndAccents(Table);
  AddScriptKinds(Table);
  return Table;
}

const TTable& Table() {
  static const TTable Instance = BuildTable();
  return Instance;
}
}  // namespace

QString IndexKeyword(TGroupOptions Options) {
  QString Word = QStringLiteral("Index");
  if (Options.Contains(goIndexTop)) Word += QStringLiteral("Top");
  if (Options.Contains(goIndexBottom)) Word += QStringLiteral("Bottom");
  return Word;
}

QString IntegralKeyword(TGroupOptions Options, int Size, bool Ring) {
  return QStringLiteral("Int") + OptionsWord(Options) + SizeWord(Size) +
         (Ring ? QStringLiteral("Ring") : QString());
}

QString GroupOpKeyword(const QString& Prefix, TGroupOptions Options) {
  return Prefix + OptionsWord(Options);
}

QString BracketsKeyword(TKindBracket Kind) {
  static const char* const Words[] = {"Round", "Square", "Figure", "Corner", "Module", "DModule"};
  return QStringLiteral("Brackets") + QLatin1String(Words[Kind]);
}

QString ArrowKeyword(TKindArrow Kind, TAlignEA Align) {
  return QStringLiteral("Arrow") + HeadsWord(Kind) + AlignWord(Align);
}

QString VectorKeyword(TKindArrow Kind, TAlignEA Align) {
  return QStringLiteral("Vector") + HeadsWord(Kind) +
         (Kind.Contains(kaDouble) ? QStringLiteral("kaDouble") : QString()) + AlignWord(Align);
}

QString MatrixKeyword(TKindMatrix Kind, int Columns) {
  static const char* const Words[] = {"kmHoriz", "kmVert", "kmSquare", "kmGrid"};
  const QString Word = QStringLiteral("Matrix") + QLatin1String(Words[Kind]);
  return Kind == kmGrid ? Word + NumberWord(Columns) : Word;
}

QString DivisionKeyword(bool Small) {
  return Small ? QStringLiteral("DivisionSmall") : QStringLiteral("Division");
}

QString ContinuedFractionKeyword(TContinued Kind) {
  static const char* const Sides[] = {"", "", "Left", "Right"};
  return QStringLiteral("DivisionContinued") + QLatin1String(Sides[Kind]);
}

QString SlashDivisionKeyword() { return QStringLiteral("DivisionSlash"); }

QString RootKeyword(bool Degree) {
  return Degree ? QStringLiteral("RootDegree") : QStringLiteral("Root");
}

QString LongDivisionKeyword(bool Quotient) {
  return Quotient ? QStringLiteral("LongDivisionQuotient") : QStringLiteral("LongDivision");
}

QString AccentKeyword(TKindAccent Kind) {
  static const char* const Words[] = {
      "",          "Strike",    "Slash",          "Prime",        "PrimeTwo",
      "PrimeThree", "Dot",      "DotTwo",         "DotThree",     "Bar",
      "Hat",       "Tilde",     "ArrowRight",     "ArrowLeft",    "ArrowRightLeft",
      "HarpoonRight", "HarpoonLeft", "ArcUp",     "ArcDown",      "BackPrime"};
  return QStringLiteral("Accent") + QLatin1String(Words[Kind]);
}

namespace {
QString DelimiterWord(TDelimiter Value) {
  static const char* const Words[] = {"None",       "RoundOpen",   "RoundClose",  "SquareOpen", "SquareClose",
                                      "FigureOpen", "FigureClose", "CornerOpen",  "CornerClose", "Module",
                                      "DModule",    "FloorOpen",   "FloorClose",  "CeilingOpen", "CeilingClose"};
  return QLatin1String(Words[Value]);
}
}  // namespace

QString FenceKeyword(TFenceKind Kind) {
  for (const TFenceName& Name : FenceNames)
    if (Name.Kind == Kind) return QLatin1String(Name.Keyword);
  // The others are named by their delimiters.
  const std::vector<TFenceKind>& Known = AcceptedFences();
  if (std::find(Known.begin(), Known.end(), Kind) == Known.end()) return QString();
  return QStringLiteral("Fence") + DelimiterWord(Kind.Left) + DelimiterWord(Kind.Middle) + DelimiterWord(Kind.Right);
}

const std::vector<TFenceKind>& AcceptedFences() {
  static const std::vector<TFenceKind> Kinds = [] {
    std::vector<TFenceKind> Result;
    for (const TFenceName& Name : FenceNames) Result.push_back(Name.Kind);
    // A pair of brackets parted by bars.
    const std::pair<TDelimiter, TDelimiter> Pairs[] = {
        {dlRoundOpen, dlRoundClose}, {dlSquareOpen, dlSquareClose}, {dlFigureOpen, dlFigureClose},
        {dlCornerOpen, dlCornerClose}, {dlModule, dlModule}, {dlDModule, dlDModule},
        {dlFloorOpen, dlFloorClose}, {dlCeilingOpen, dlCeilingClose}};
    for (const auto& [Left, Right] : Pairs)
      for (TDelimiter Middle : {dlModule, dlDModule}) {
        const TFenceKind Kind{Left, Middle, Right};
        if (std::find(Result.begin(), Result.end(), Kind) == Result.end()) Result.push_back(Kind);
      }
    return Result;
  }();
  return Kinds;
}

QString LeftIndexKeyword(TGroupOptions Options) {
  return QStringLiteral("IndexLeft") + IndexKeyword(Options).mid(5);
}

QString ScriptedKeyword(TGroupOptions Options, bool Operator) {
  const bool Limits = Options.Contains(goLimitTop) || Options.Contains(goLimitBottom);
  if (!Operator) return QStringLiteral("Stack") + TopBottomWord(Options, goLimitTop, goLimitBottom);
  return QStringLiteral("Operator") + (Limits ? QStringLiteral("Limit") : QStringLiteral("Index")) +
         (Limits ? TopBottomWord(Options, goLimitTop, goLimitBottom) : TopBottomWord(Options, goIndexTop, goIndexBottom));
}

QString BinomialKeyword(bool Small) {
  return Small ? QStringLiteral("BinomialSmall") : QStringLiteral("Binomial");
}

QString TextKeyword() { return QStringLiteral("Text"); }

QString BraceKeyword(TAlignEA Align) {
  return QStringLiteral("HorizBrace") + AlignWord(Align);
}

QString AlignMarkKeyword() { return QStringLiteral("AlignMark"); }

TInsertion InsertionForKeyword(const QString& Name) { return Table().value(Name); }

QStringList AcceptedTemplateKeywords() { return Table().keys(); }
