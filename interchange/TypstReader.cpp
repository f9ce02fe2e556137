// Typst math -> formula.

#include <QHash>

#include "interchange/MathAlphabets.h"
#include "interchange/ReadSupport.h"
#include "interchange/SymbolTable.h"
#include "interchange/Typst.h"
#include "interchange/TypstNames.h"

namespace {
bool IsAsciiLetter(QChar C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }
bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }

// A mid() delimiter until the lr() around it takes it; anywhere else, its character.
const QString MiddleMark = QStringLiteral("mid");

void UnmarkMiddles(TFormulaRun& Run) {
  for (TFormulaNode& Node : Run) {
    if (Node.Kind != TFormulaNode::Template) continue;
    if (Node.Keyword == MiddleMark) {
      Node = Node.Code <= 0xFFFF ? CharacterNode(static_cast<char16_t>(Node.Code)) : TFormulaNode::Character(Node.Code);
      continue;
    }
    for (TFormulaRun& Slot : Node.Slots) UnmarkMiddles(Slot);
  }
}

// What ends a sequence besides the end of the text.
enum TStops { stNone = 0, stArgument = 1, stCell = 2, stClose = 4 };

// Typst's shorthands in math, longest first.
const std::pair<const char*, char32_t> Shorthands[] = {
    {"<==>", 0x27FA}, {"<-->", 0x27F7}, {"<=>", 0x21D4}, {"<->", 0x2194}, {"==>", 0x27F9}, {"<==", 0x27F8},
    {"-->", 0x27F6}, {"<--", 0x27F5}, {"|->", 0x21A6}, {"|=>", 0x2907}, {"->>", 0x21A0}, {"<<-", 0x219E},
    {">->", 0x21A3}, {"<-<", 0x21A2}, {"~~>", 0x27FF}, {"::=", 0x2A74}, {"...", 0x2026}, {"<<<", 0x22D8},
    {">>>", 0x22D9}, {"->", 0x2192}, {"<-", 0x2190}, {"=>", 0x21D2}, {"~>", 0x21DD}, {"<~", 0x21DC},
    {"<=", 0x2264}, {">=", 0x2265}, {"!=", 0x2260}, {":=", 0x2254}, {"=:", 0x2255}, {"<<", 0x226A},
    {">>", 0x226B}, {"[|", 0x27E6}, {"|]", 0x27E7}, {"||", 0x2016}};

// A read item before its neighbours are known: a big operator waits for its operand, a
// parenthesized group gives up its parentheses to a script or fraction.
struct TUnit {
  enum TKind { Plain, Group, BigOperator, Operator, LimitsBase, Stretch, Relation };
  TKind Kind = Plain;
  TFormulaRun Nodes;  // what the unit is as it stands
  TFormulaRun Inner;  // a group without its parentheses, an operator's base
  TOperatorSign Sign{};
  int Placement = 0;  // 1 limits(), -1 scripts(), 0 Typst's default
  bool Limits = false;  // an operator name's default
  bool HasBottom = false, HasTop = false;
  TFormulaRun Bottom, Top;
  char32_t Arrow = 0;

  TFormulaRun Content() const { return Kind == Group ? Inner : Nodes; }
};

struct TArguments {
  // Rows parted by ;, arguments by commas, cells by & where the function has cells.
  std::vector<std::vector<std::vector<TFormulaRun>>> Rows;
  // Named arguments: raw values (delim, limits ...) and scripts of attach() as runs.
  QHash<QString, QString> Named;
  QHash<QString, TFormulaRun> NamedRuns;
  std::vector<TFormulaRun> Positional() const {
    std::vector<TFormulaRun> Result;
    for (const auto& Row : Rows)
      for (const auto& Argument : Row) Result.push_back(Argument.empty() ? TFormulaRun() : Argument.front());
    return Result;
  }
};

class TTypstReader {
 public:
  explicit TTypstReader(const QString& Text) : S(Text) {}

  TReadLosses Losses;

  TFormula Read() {
    TFormula Formula;
    SkipSpace();
    for (;;) {
      Formula.Lines.push_back(Sequence(stNone));
      if (AtEnd()) break;
      if (S[P] == u'\\') {
        ++P;  // a line break
        continue;
      }
      Refuse(QStringLiteral("this %1 closes nothing").arg(S[P]), P);
    }
    return Formula;
  }

 private:
  [[noreturn]] void Refuse(const QString& Message, qsizetype At) { throw TReadRefusal{Message, At}; }

  bool AtEnd() const { return P >= S.size(); }

  void SkipSpace() {
    for (;;) {
      while (P < S.size() && S[P].isSpace()) ++P;
      if (S.mid(P, 2) == QLatin1String("//")) {
        while (P < S.size() && S[P] != u'\n') ++P;
      } else if (S.mid(P, 2) == QLatin1String("/*")) {
        const qsizetype End = S.indexOf(QLatin1String("*/"), P + 2);
        if (End < 0) Refuse(QStringLiteral("this comment is not closed"), P);
        P = End + 2;
      } else {
        return;
      }
    }
  }

  bool LineBreakHere() const {
    return S[P] == u'\\' && (P + 1 >= S.size() || S[P + 1].isSpace());
  }

  bool Stops(int Stops) const {
    const QChar C = S[P];
    if (LineBreakHere()) return true;
    if ((Stops & stArgument) && (C == u',' || C == u';' || C == u')')) return true;
    if ((Stops & stCell) && C == u'&') return true;
    if ((Stops & stClose) && (C == u')' || C == u']' || C == u'}')) return true;
    return false;
  }

  // Units up to what stops the sequence, folded: big operators take their operands.
  TFormulaRun Sequence(int StopSet) {
    if (++FDepth > MaxReadDepth) Refuse(QStringLiteral("groups nest deeper than %1 levels").arg(MaxReadDepth), P);
    std::vector<TUnit> Units;
    for (;;) {
      SkipSpace();
      if (AtEnd() || Stops(StopSet)) break;
      const qsizetype Start = P;
      if (S[P] == u'&') {
        // Lines align at their own points; one inside a part has nothing to align.
        ++P;
        if (StopSet != stNone) {
          Losses.Add(QStringLiteral("an alignment point inside a part dropped"));
          continue;
        }
        TUnit Mark;
        Mark.Nodes.push_back(AlignMarkNode());
        Units.push_back(std::move(Mark));
        continue;
      }
      if (S[P] == u'/' && S.mid(P, 2) != QLatin1String("//")) {
        if (Units.empty()) Refuse(QStringLiteral("a fraction's slash needs something before it"), Start);
        ++P;
        SkipSpace();
        if (AtEnd() || Stops(StopSet)) Refuse(QStringLiteral("a fraction's slash needs something after it"), Start);
        TUnit Below = Attached(StopSet);
        TUnit Above = std::move(Units.back());
        Units.pop_back();
        TTemplateInfo Info;
        TUnit Fraction;
        Fraction.Nodes.push_back(MakeTemplate(Info, SlotsOf({Part(std::move(Above)), Part(std::move(Below))})));
        Units.push_back(std::move(Fraction));
        continue;
      }
      Units.push_back(Attached(StopSet));
    }
    --FDepth;
    return Fold(Units, 0, Units.size());
  }

  // The units From..To as nodes, each big operator with the units after it up to the
  // next relation as its operand (inside brackets of its own, past relations).
  TFormulaRun Fold(std::vector<TUnit>& Units, size_t From, size_t To) {
    TFormulaRun Out;
    for (size_t I = From; I < To; ++I) {
      if (Units[I].Kind != TUnit::BigOperator) {
        for (TFormulaNode& Node : Finished(std::move(Units[I]))) Out.push_back(std::move(Node));
        continue;
      }
      size_t End = I + 1;
      int Depth = 0;
      for (; End < To; ++End) {
        const TUnit& U = Units[End];
        if (U.Nodes.size() == 1 && IsAlignMark(U.Nodes.front())) break;
        if (U.Kind != TUnit::Plain || U.Nodes.size() != 1 || U.Nodes.front().Kind == TFormulaNode::Template) continue;
        const char32_t C = ShownChar(U.Nodes.front());
        if (C == U'(' || C == U'[') ++Depth;
        else if ((C == U')' || C == U']') && Depth > 0) --Depth;
        else if (Depth == 0 && EndsOperand(C)) break;
      }
      TUnit& Sign = Units[I];
      const bool Scripted = Sign.HasBottom || Sign.HasTop;
      if (!Scripted && End == I + 1 && Sign.Sign.Size == 1 && !Sign.Sign.Ring && Sign.Sign.Operator <= TTemplateInfo::Coproduct) {
        Out.push_back(TFormulaNode::Symbol(BigOperatorChar(Sign.Sign.Operator, 1, false)));
        continue;
      }
      TFormulaRun Operand = Fold(Units, I + 1, End);
      const bool Integral = Sign.Sign.Operator == TTemplateInfo::Integral;
      const bool Limits = Sign.Placement == 1 || (Sign.Placement == 0 && !Integral);
      const TTemplateInfo* Info =
          BigOperatorTemplate(Sign.Sign.Operator, Sign.Sign.Size, Sign.Sign.Ring, Sign.HasBottom, Sign.HasTop, Limits);
      if (!Info) Refuse(QStringLiteral("this big operator with these scripts has no element kind in this editor"), FUnitStart);
      Out.push_back(BigOperatorNode(*Info, std::move(Operand), std::move(Sign.Bottom), std::move(Sign.Top)));
      I = End - 1;
    }
    return Out;
  }

  static char32_t ShownChar(const TFormulaNode& Node) {
    if (Node.Kind == TFormulaNode::ExtSymbol)
      if (const TSymbol* Symbol = SymbolByCode(Node.Code)) return Symbol->MathChar;
    return Node.Code;
  }

  // A script or a fraction's part: a group without its parentheses.
  TFormulaRun Part(TUnit U) {
    if (U.Kind == TUnit::Group && !U.HasBottom && !U.HasTop) return std::move(U.Inner);
    return Finished(std::move(U));
  }

  // A unit as nodes, its scripts placed.
  TFormulaRun Finished(TUnit U) {
    const bool Scripted = U.HasBottom || U.HasTop;
    switch (U.Kind) {
      case TUnit::Operator:
      case TUnit::LimitsBase: {
        if (!Scripted) return U.Inner;
        const bool Operator = U.Kind == TUnit::Operator;
        const bool Limits = U.Placement == 1 || (U.Placement == 0 && (U.Limits || !Operator));
        if (!Limits && !Operator) break;
        const TGroupOption Top = Limits ? goLimitTop : goIndexTop, Bottom = Limits ? goLimitBottom : goIndexBottom;
        const TGroupOptions Options = U.HasTop && U.HasBottom ? TGroupOptions{Top, Bottom}
                                      : U.HasTop              ? TGroupOptions{Top}
                                                              : TGroupOptions{Bottom};
        return RunOf(ScriptedNode(Options, Operator, std::move(U.Inner), std::move(U.Bottom), std::move(U.Top)));
      }
      case TUnit::Stretch:
        if (U.HasTop != U.HasBottom) {
          TTemplateInfo Info;
          Info.Kind = TTemplateInfo::Arrow;
          Info.Heads = U.Arrow == 0x2190 ? TKindArrow{kaLeft} : U.Arrow == 0x2194 ? TKindArrow{kaRight, kaLeft} : TKindArrow{kaRight};
          Info.Align = U.HasTop ? aeTop : aeBottom;
          return RunOf(MakeTemplate(Info, SlotsOf({U.HasTop ? std::move(U.Top) : std::move(U.Bottom)})));
        }
        if (Scripted) Losses.Add(QStringLiteral("an arrow labelled above and below read with scripts"));
        break;
      case TUnit::BigOperator: {
        // A sign the fold did not reach (it ends a group) has no operand.
        std::vector<TUnit> One;
        One.push_back(std::move(U));
        return Fold(One, 0, 1);
      }
      default:
        break;
    }
    TFormulaRun Out = U.Kind == TUnit::Operator || U.Kind == TUnit::LimitsBase ? std::move(U.Inner) : std::move(U.Nodes);
    if (Scripted) Out.push_back(IndexNode(U.HasBottom, std::move(U.Bottom), U.HasTop, std::move(U.Top)));
    return Out;
  }

  // A unit with its primes and scripts.
  TUnit Attached(int StopSet) {
    FUnitStart = P;
    TUnit U = Primary();
    for (;;) {
      if (AtEnd()) break;
      const QChar C = S[P];
      if (C == u'\'') {
        int Primes = 0;
        while (P < S.size() && S[P] == u'\'') ++Primes, ++P;
        if (U.HasBottom || U.HasTop || Primes > 3) Refuse(QStringLiteral("primes here have no element kind in this editor"), P - 1);
        TTemplateInfo Info;
        Info.Kind = TTemplateInfo::Accent;
        Info.Mark = TKindAccent(acPrime + Primes - 1);
        TUnit Primed;
        Primed.Nodes.push_back(MakeTemplate(Info, SlotsOf({Finished(std::move(U))})));
        U = std::move(Primed);
        continue;
      }
      if (C != u'_' && C != u'^') break;
      const qsizetype At = P++;
      SkipSpace();
      if (AtEnd() || Stops(StopSet | stArgument)) Refuse(QStringLiteral("a script needs something after its %1").arg(C), At);
      TFormulaRun Script = Part(Primary());
      bool& Has = C == u'_' ? U.HasBottom : U.HasTop;
      if (Has) Refuse(QStringLiteral("a second %1 script on one base").arg(C == u'_' ? "lower" : "upper"), At);
      Has = true;
      (C == u'_' ? U.Bottom : U.Top) = std::move(Script);
    }
    return U;
  }

  TUnit Primary() {
    const qsizetype Start = P;
    const QChar C = S[P];
    TUnit U;
    if (C == u'(' || C == u'[' || C == u'{') {
      ++P;
      TFormulaRun Content = Sequence(stClose);
      if (AtEnd() || !QStringView(u")]}").contains(S[P])) Refuse(QStringLiteral("this %1 is not closed").arg(C), Start);
      const QChar Close = S[P++];
      U.Kind = C == u'(' && Close == u')' ? TUnit::Group : TUnit::Plain;
      U.Nodes.push_back(TFormulaNode::Character(C.unicode()));
      for (const TFormulaNode& Node : Content) U.Nodes.push_back(Node);
      U.Nodes.push_back(TFormulaNode::Character(Close.unicode()));
      U.Inner = std::move(Content);
      return U;
    }
    if (C == u')' || C == u']' || C == u'}' || C == u',' || C == u';') {
      // Outside a group or arguments, a closing bracket or a comma is a character.
      ++P;
      return CharacterUnit(C.unicode());
    }
    if (C == u'"') return String();
    if (C == u'#') Refuse(QStringLiteral("Typst code (#) has no element kind in this editor"), Start);
    if (C == u'$') Refuse(QStringLiteral("a $ inside the equation"), Start);
    if (C == u'\\') return Escape();
    if (IsDigit(C)) {
      while (P < S.size() && IsDigit(S[P])) U.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
      if (P + 1 < S.size() && S[P] == u'.' && IsDigit(S[P + 1])) {
        U.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
        while (P < S.size() && IsDigit(S[P])) U.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
      }
      return U;
    }
    if (IsAsciiLetter(C)) {
      qsizetype End = P;
      while (End < S.size() && (IsAsciiLetter(S[End]) || IsDigit(S[End]))) ++End;
      if (End - P == 1) {
        ++P;
        return CharacterUnit(C.unicode());
      }
      return Name();
    }
    for (const auto& [Text, Code] : Shorthands)
      if (S.mid(P, qstrlen(Text)) == QLatin1String(Text)) {
        P += qstrlen(Text);
        return CharacterUnit(Code);
      }
    char32_t Code = C.unicode();
    if (C.isHighSurrogate() && P + 1 < S.size() && S[P + 1].isLowSurrogate()) {
      Code = QChar::surrogateToUcs4(C, S[P + 1]);
      ++P;
    }
    ++P;
    return CharacterUnit(Code);
  }

  TUnit CharacterUnit(char32_t Code) {
    // The minus sign is what Typst and TeX set for -: one character, as the LaTeX reader has it.
    if (Code == 0x2212) Code = U'-';
    TUnit U;
    TOperatorSign Sign;
    if (Code <= 0xFFFF && BigOperatorByChar(static_cast<char16_t>(Code), Sign)) {
      U.Kind = TUnit::BigOperator;
      U.Sign = Sign;
      return U;
    }
    U.Nodes.push_back(Code <= 0xFFFF ? CharacterNode(static_cast<char16_t>(Code)) : TFormulaNode::Character(Code));
    return U;
  }

  // A string is words set as text; an empty one (an empty argument) is nothing.
  TUnit String() {
    const qsizetype Start = P++;
    TFormulaRun Body;
    for (;;) {
      if (AtEnd()) Refuse(QStringLiteral("this string is not closed"), Start);
      const qsizetype At = P;
      QChar C = S[P++];
      if (C == u'"') break;
      char32_t Code = C.unicode();
      if (C == u'\\' && S.mid(P, 2) == QLatin1String("u{")) {
        const qsizetype Close = S.indexOf(u'}', P);
        bool Ok = false;
        Code = Close < 0 ? 0 : S.mid(P + 2, Close - P - 2).toUInt(&Ok, 16);
        if (!Ok || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) Refuse(QStringLiteral("this \\u{...} is no character"), At);
        P = Close + 1;
      } else {
        if (C == u'\\' && P < S.size()) C = S[P++];
        Code = C.unicode();
        if (C.isHighSurrogate() && P < S.size() && S[P].isLowSurrogate()) Code = QChar::surrogateToUcs4(C, S[P++]);
      }
      Body.push_back(Code <= 0xFFFF && IsSpaceSymbol(static_cast<char16_t>(Code)) ? CharacterNode(static_cast<char16_t>(Code))
                                                                                   : TFormulaNode::Character(Code));
    }
    TUnit U;
    if (Body.empty()) return U;
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Text;
    U.Nodes.push_back(MakeTemplate(Info, SlotsOf({std::move(Body)})));
    return U;
  }

  TUnit Escape() {
    const qsizetype Start = P++;
    if (AtEnd()) Refuse(QStringLiteral("a \\ ends the text"), Start);
    if (S.mid(P, 2) == QLatin1String("u{")) {
      const qsizetype Close = S.indexOf(u'}', P);
      bool Ok = false;
      const uint Code = Close < 0 ? 0 : S.mid(P + 2, Close - P - 2).toUInt(&Ok, 16);
      if (!Ok || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) Refuse(QStringLiteral("this \\u{...} is no character"), Start);
      P = Close + 1;
      TUnit U;
      U.Nodes.push_back(Code <= 0xFFFF ? CharacterNode(static_cast<char16_t>(Code)) : TFormulaNode::Character(Code));
      return U;
    }
    char32_t Code = S[P].unicode();
    if (S[P].isHighSurrogate() && P + 1 < S.size()) {
      Code = QChar::surrogateToUcs4(S[P], S[P + 1]);
      ++P;
    }
    ++P;
    TUnit U;
    // An escaped character is that character, whatever Typst makes of it unescaped.
    U.Nodes.push_back(Code <= 0xFFFF ? CharacterNode(static_cast<char16_t>(Code)) : TFormulaNode::Character(Code));
    return U;
  }

  // A name: a symbol, an operator, or a function called with what follows it.
  TUnit Name() {
    const qsizetype Start = P;
    QString Name;
    while (P < S.size() && (IsAsciiLetter(S[P]) || IsDigit(S[P]))) Name += S[P++];
    while (P + 1 < S.size() && S[P] == u'.' && IsAsciiLetter(S[P + 1])) {
      Name += S[P++];
      while (P < S.size() && (IsAsciiLetter(S[P]) || IsDigit(S[P]))) Name += S[P++];
    }
    if (P < S.size() && S[P] == u'(') return Function(Name, Start);
    TUnit U;
    TOperatorSign Sign;
    if (BigOperatorSign(Name, Sign)) {
      U.Kind = TUnit::BigOperator;
      U.Sign = Sign;
      return U;
    }
    if (IsTypstOperator(Name)) {
      U.Kind = TUnit::Operator;
      U.Limits = TypstOperatorHasLimits(Name);
      for (QChar Letter : Name) U.Inner.push_back(TFormulaNode::Character(Letter.unicode()));
      return U;
    }
    if (Name == QLatin1String("dif") || Name == QLatin1String("Dif")) {
      Losses.Add(QStringLiteral("dif read as a letter"));
      return CharacterUnit(Name == QLatin1String("dif") ? U'd' : U'D');
    }
    if (Name == QLatin1String("space") || Name == QLatin1String("thin") || Name == QLatin1String("med") ||
        Name == QLatin1String("thick") || Name == QLatin1String("quad") || Name == QLatin1String("wide")) {
      if (Name != QLatin1String("space") && Name != QLatin1String("quad"))
        Losses.Add(QStringLiteral("spacing read as the nearest space"));
      return CharacterUnit(Name == QLatin1String("space") ? U' ' : U'\u2003');
    }
    if (const char32_t Code = TypstSymbolChar(Name)) return CharacterUnit(Code);
    Refuse(QStringLiteral("the name %1 means nothing in Typst math").arg(Name), Start);
  }

  static bool BigOperatorSign(const QString& Name, TOperatorSign& Sign) {
    static const QHash<QString, TOperatorSign> Signs = {
        {"sum", {TTemplateInfo::Sum, 1, false}}, {"product", {TTemplateInfo::Product, 1, false}},
        {"product.co", {TTemplateInfo::Coproduct, 1, false}}, {"inter.big", {TTemplateInfo::Intersection, 1, false}},
        {"union.big", {TTemplateInfo::Union, 1, false}}, {"integral", {TTemplateInfo::Integral, 1, false}},
        {"integral.double", {TTemplateInfo::Integral, 2, false}}, {"integral.triple", {TTemplateInfo::Integral, 3, false}},
        {"integral.cont", {TTemplateInfo::Integral, 1, true}}, {"integral.surf", {TTemplateInfo::Integral, 2, true}},
        {"integral.vol", {TTemplateInfo::Integral, 3, true}}};
    if (!Signs.contains(Name)) return false;
    Sign = Signs.value(Name);
    return true;
  }

  // The arguments of a call, from its ( to its ).
  TArguments Arguments(bool Cells) {
    const qsizetype Open = P++;
    TArguments Result;
    Result.Rows.emplace_back();
    Result.Rows.back().emplace_back();
    // Whether a cell is still to come in the argument, and whether an & came before it.
    bool Expect = true, AfterCell = false, AfterNamed = false;
    for (;;) {
      SkipSpace();
      if (AtEnd()) Refuse(QStringLiteral("this ( is not closed"), Open);
      const QChar C = S[P];
      if (C == u')' || C == u',' || C == u';') {
        ++P;
        if (Expect && AfterCell) Result.Rows.back().back().emplace_back();
        if (C == u')') break;
        // A named argument takes no place among the positional ones.
        const bool Reuse = AfterNamed && Result.Rows.back().back().empty();
        if (C == u';') Result.Rows.emplace_back();
        if (C == u';' || !Reuse) Result.Rows.back().emplace_back();
        Expect = true;
        AfterNamed = false;
        AfterCell = false;
        continue;
      }
      if (C == u'&' && Cells) {
        // Each & ends a cell, an empty one where nothing stands before it.
        ++P;
        if (Expect) Result.Rows.back().back().emplace_back();
        Expect = true;
        AfterCell = true;
        continue;
      }
      // A named argument: name, colon, value up to the next comma or the end.
      if (IsAsciiLetter(C)) {
        qsizetype End = P;
        while (End < S.size() && (IsAsciiLetter(S[End]) || S[End] == u'-')) ++End;
        qsizetype Colon = End;
        while (Colon < S.size() && S[Colon] == u' ') ++Colon;
        if (End - P > 1 && Colon < S.size() && S[Colon] == u':' && S.mid(Colon, 2) != QLatin1String(":=")) {
          const QString Key = S.mid(P, End - P);
          P = Colon + 1;
          SkipSpace();
          if (Key == QLatin1String("delim") || Key == QLatin1String("limits") || Key == QLatin1String("angle") ||
              Key == QLatin1String("size") || Key == QLatin1String("cross") || Key == QLatin1String("reverse")) {
            const qsizetype ValueStart = P;
            if (P < S.size() && S[P] == u'"') {
              const qsizetype Close = S.indexOf(u'"', P + 1);
              if (Close < 0) Refuse(QStringLiteral("this string is not closed"), P);
              P = Close + 1;
            } else {
              while (P < S.size() && S[P] != u',' && S[P] != u')' && S[P] != u';') ++P;
            }
            Result.Named.insert(Key, S.mid(ValueStart, P - ValueStart).trimmed());
          } else {
            Result.Named.insert(Key, QString());
            Result.NamedRuns.insert(Key, Sequence(stArgument | (Cells ? stCell : 0)));
          }
          Expect = false;
          AfterNamed = true;
          continue;
        }
      }
      const qsizetype Before = P;
      Result.Rows.back().back().push_back(Sequence(stArgument | (Cells ? stCell : 0)));
      // What stops an argument and parts none (a line break) cannot stand in one.
      if (P == Before) Refuse(QStringLiteral("a line break inside a function's arguments"), P);
      Expect = false;
    }
    // A last empty argument after a comma or semicolon is none.
    while (!Result.Rows.empty() && !Result.Rows.back().empty() && Result.Rows.back().back().empty()) {
      Result.Rows.back().pop_back();
      if (Result.Rows.back().empty()) Result.Rows.pop_back();
    }
    return Result;
  }

  TUnit Function(const QString& Name, qsizetype Start) {
    static const QHash<QString, TKindAccent> Accents = {
        {"dot", acDot}, {"dot.double", acDotTwo}, {"diaer", acDotTwo}, {"dot.triple", acDotThree}, {"macron", acBar},
        {"hat", acHat}, {"tilde", acTilde}, {"arrow", acArrowRight}, {"arrow.r", acArrowRight}, {"arrow.l", acArrowLeft},
        {"arrow.l.r", acArrowRightLeft}, {"harpoon", acHarpoonRight}, {"harpoon.rt", acHarpoonRight},
        {"harpoon.lt", acHarpoonLeft}, {"breve", acArcDown}};
    static const QHash<QString, TMathAlphabet> Alphabets = {
        {"bold", TMathAlphabet::Bold}, {"cal", TMathAlphabet::Script}, {"scr", TMathAlphabet::Script},
        {"bb", TMathAlphabet::DoubleStruck}, {"frak", TMathAlphabet::Fraktur}};
    const bool Cells = Name == QLatin1String("mat") || Name == QLatin1String("cases");
    TArguments A = Arguments(Cells);
    const std::vector<TFormulaRun> Args = A.Positional();
    const auto Need = [&](size_t Count) {
      if (Args.size() != Count || (!Cells && A.Rows.size() > 1))
        Refuse(QStringLiteral("%1 takes %2 argument(s)").arg(Name).arg(Count), Start);
    };
    TUnit U;
    const auto Put = [&U](TFormulaNode Node) {
      U.Nodes.push_back(std::move(Node));
      return U;
    };
    if (Name == QLatin1String("frac") || Name == QLatin1String("binom")) {
      Need(2);
      TTemplateInfo Info;
      if (Name == QLatin1String("binom")) Info.Kind = TTemplateInfo::Binomial;
      return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0]), TFormulaRun(Args[1])})));
    }
    if (Name == QLatin1String("inline") || Name == QLatin1String("display") || Name == QLatin1String("script") ||
        Name == QLatin1String("sscript") || Name == QLatin1String("upright") || Name == QLatin1String("italic") ||
        Name == QLatin1String("serif") || Name == QLatin1String("sans") || Name == QLatin1String("mono") ||
        Name == QLatin1String("bold") || Alphabets.contains(Name)) {
      Need(1);
      TFormulaRun Content = Args[0];
      if (Name == QLatin1String("inline") && Content.size() == 1 && Content.front().Kind == TFormulaNode::Template) {
        // An inline fraction or binomial is the small one.
        TTemplateInfo Info = *FindTemplate(Content.front().Keyword);
        if ((Info.Kind == TTemplateInfo::Division || Info.Kind == TTemplateInfo::Binomial) && !Info.Small) {
          Info.Small = true;
          return Put(MakeTemplate(Info, std::move(Content.front().Slots)));
        }
      }
      if (Alphabets.contains(Name)) {
        for (TFormulaNode& Node : Content) {
          const char32_t Code = Node.Kind == TFormulaNode::Simple ? StyledCharacter(Alphabets.value(Name), Node.Code) : 0;
          if (Code)
            Node.Code = Code;
          else
            Losses.Add(QStringLiteral("styles (%1) dropped").arg(Name));
        }
      } else {
        Losses.Add(QStringLiteral("styles (%1) dropped").arg(Name));
      }
      U.Nodes = std::move(Content);
      return U;
    }
    if (Name == QLatin1String("sqrt") || Name == QLatin1String("root")) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Root;
      Info.Degree = Name == QLatin1String("root");
      Need(Info.Degree ? 2 : 1);
      if (Info.Degree) return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[1]), TFormulaRun(Args[0])})));
      return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0])})));
    }
    if (Name == QLatin1String("mat") || Name == QLatin1String("vec")) {
      std::vector<std::vector<TFormulaRun>> Rows;
      if (Name == QLatin1String("vec")) {
        for (const TFormulaRun& Cell : Args) Rows.push_back({Cell});
      } else {
        for (const auto& Row : A.Rows) {
          Rows.emplace_back();
          for (const auto& Argument : Row) Rows.back().push_back(Argument.empty() ? TFormulaRun() : Argument.front());
        }
      }
      if (Rows.empty()) Refuse(QStringLiteral("an empty %1").arg(Name), Start);
      TFormulaNode Matrix = MatrixNode(std::move(Rows), Losses);
      QString Delimiter = A.Named.value(QStringLiteral("delim"), QStringLiteral("\"(\""));
      if (Delimiter == QLatin1String("#none")) return Put(std::move(Matrix));
      Delimiter.remove(u'"');
      static const QHash<QString, TKindBracket> Brackets = {{"(", kbRound}, {"[", kbSquare}, {"{", kbFigure},
                                                             {"|", kbModule}, {"||", kbDModule}, {"\u2016", kbDModule},
                                                             {"<", kbCorner}, {"\u27E8", kbCorner}};
      if (!Brackets.contains(Delimiter)) Refuse(QStringLiteral("the delimiter %1 has no bracket kind in this editor").arg(Delimiter), Start);
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Brackets;
      Info.Bracket = Brackets.value(Delimiter);
      return Put(MakeTemplate(Info, SlotsOf({RunOf(std::move(Matrix))})));
    }
    if (Name == QLatin1String("cases")) {
      std::vector<std::vector<TFormulaRun>> Rows;
      for (const auto& Row : A.Rows)
        for (const auto& Argument : Row) Rows.push_back(Argument);
      if (Rows.empty() || A.Named.contains(QStringLiteral("reverse")) || A.Named.contains(QStringLiteral("delim")))
        Refuse(QStringLiteral("these cases have no element kind in this editor"), Start);
      for (auto& Row : Rows)
        if (Row.empty()) Row.emplace_back();
      TFormulaRun Matrix = RunOf(MatrixNode(std::move(Rows), Losses));
      FencedNodes(u'{', std::move(Matrix), 0, U.Nodes, Losses);
      return U;
    }
    if (Name == QLatin1String("lr")) {
      Need(1);
      if (A.Named.contains(QStringLiteral("size"))) Losses.Add(QStringLiteral("a delimiter's size left to the content"));
      return Fenced(Args[0]);
    }
    if (Name == QLatin1String("abs") || Name == QLatin1String("norm") || Name == QLatin1String("floor") ||
        Name == QLatin1String("ceil")) {
      Need(1);
      const char16_t Left = Name == QLatin1String("abs") ? u'|' : Name == QLatin1String("norm") ? u'\u2016' : Name == QLatin1String("floor") ? u'\u230A' : u'\u2308';
      const char16_t Right = Left == u'|' || Left == u'\u2016' ? Left : Left + 1;
      FencedNodes(Left, Args[0], Right, U.Nodes, Losses);
      return U;
    }
    if (Name == QLatin1String("mid")) {
      // Marked until lr() around it takes it for its middle delimiter.
      Need(1);
      const char32_t C = Args[0].size() == 1 && Args[0].front().Kind != TFormulaNode::Template ? ShownChar(Args[0].front()) : 0;
      if (!C) Refuse(QStringLiteral("mid takes one delimiter"), Start);
      return Put(TFormulaNode{TFormulaNode::Template, C, MiddleMark, {}});
    }
    if (Accents.contains(Name) || Name == QLatin1String("accent")) {
      Need(Name == QLatin1String("accent") ? 2 : 1);
      TKindAccent Mark = Accents.value(Name);
      if (Name == QLatin1String("accent")) {
        const TFormulaRun& Sign = Args[1];
        const char32_t C = Sign.size() == 1 && Sign.front().Kind != TFormulaNode::Template ? ShownChar(Sign.front()) : 0;
        if (C == 0x2322 || C == 0x23DC) Mark = acArcUp;
        else if (C > 0xFFFF || !C || !AccentByChar(static_cast<char16_t>(C), false, Mark))
          Refuse(QStringLiteral("this accent has no element kind in this editor"), Start);
      }
      // Typst stretches an arrow over what it stands on: over several items, it is the bar's.
      const bool Wide = Args[0].size() != 1;
      if (Wide && (Mark == acArrowRight || Mark == acArrowLeft || Mark == acArrowRightLeft)) {
        TTemplateInfo Info;
        Info.Kind = TTemplateInfo::Vector;
        Info.Align = aeBottom;
        Info.Heads = Mark == acArrowRight ? TKindArrow{kaRight} : Mark == acArrowLeft ? TKindArrow{kaLeft} : TKindArrow{kaRight, kaLeft};
        return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0])})));
      }
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Accent;
      Info.Mark = Mark;
      return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0])})));
    }
    if (Name == QLatin1String("cancel")) {
      Need(1);
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Accent;
      const QString Angle = A.Named.value(QStringLiteral("angle"));
      Info.Mark = Angle == QLatin1String("#90deg") ? acStrike : acSlash;
      if (!Angle.isEmpty() && Info.Mark == acSlash) Losses.Add(QStringLiteral("a cancel line's angle"));
      if (A.Named.contains(QStringLiteral("cross"))) Losses.Add(QStringLiteral("a crossed cancel as one line"));
      return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0])})));
    }
    if (Name == QLatin1String("overline") || Name == QLatin1String("underline")) {
      Need(1);
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Vector;
      Info.Align = Name == QLatin1String("overline") ? aeBottom : aeTop;
      TFormulaRun Body = Args[0];
      // A line straight over a line of the same side is the double one.
      if (Body.size() == 1 && Body.front().Kind == TFormulaNode::Template && Body.front().Keyword == Info.Keyword()) {
        Info.Heads = TKindArrow{kaDouble};
        TFormulaRun Inner = std::move(Body.front().Slots[0]);
        Body = std::move(Inner);
      }
      return Put(MakeTemplate(Info, SlotsOf({std::move(Body)})));
    }
    if (Name == QLatin1String("overbrace") || Name == QLatin1String("underbrace")) {
      if (Args.size() == 1) {
        U.Nodes = Args[0];
        return U;
      }
      Need(2);
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Brace;
      Info.Align = Name == QLatin1String("overbrace") ? aeTop : aeBottom;
      return Put(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0]), TFormulaRun(Args[1])})));
    }
    if (Name == QLatin1String("attach")) return Attach(A, Args, Start);
    if (Name == QLatin1String("limits") || Name == QLatin1String("scripts")) {
      Need(1);
      return Placed(Args[0], Name == QLatin1String("limits") ? 1 : -1);
    }
    if (Name == QLatin1String("op")) {
      Need(1);
      // A string's letters are the name; Typst sets them upright.
      U.Kind = TUnit::Operator;
      U.Inner = Args[0];
      U.Limits = A.Named.value(QStringLiteral("limits")) == QLatin1String("#true");
      Losses.Add(QStringLiteral("text read as math characters"));
      return U;
    }
    if (Name == QLatin1String("stretch")) {
      Need(1);
      const char32_t C = Args[0].size() == 1 && Args[0].front().Kind != TFormulaNode::Template ? ShownChar(Args[0].front()) : 0;
      if (C != 0x2192 && C != 0x2190 && C != 0x2194) Refuse(QStringLiteral("only arrows stretch in this editor"), Start);
      U.Kind = TUnit::Stretch;
      U.Arrow = C;
      U.Nodes = Args[0];
      return U;
    }
    Refuse(QStringLiteral("the function %1 has no element kind in this editor").arg(Name), Start);
  }

  static QString Letters(const TFormulaRun& Run) {
    QString Result;
    for (const TFormulaNode& Node : Run) {
      if (Node.Kind != TFormulaNode::Simple || Node.Code > 0x7F || !IsAsciiLetter(QChar(static_cast<char16_t>(Node.Code))))
        return QString();
      Result += QChar(static_cast<char16_t>(Node.Code));
    }
    return Result;
  }

  // limits() and scripts() around what they place.
  TUnit Placed(const TFormulaRun& Content, int Placement) {
    TUnit U;
    TOperatorSign Sign;
    if (Content.size() == 1 && Content.front().Kind == TFormulaNode::ExtSymbol &&
        BigOperatorByChar(static_cast<char16_t>(ShownChar(Content.front())), Sign)) {
      U.Kind = TUnit::BigOperator;
      U.Sign = Sign;
    } else if (Content.size() == 1 && Content.front().Kind == TFormulaNode::Template &&
               FindTemplate(Content.front().Keyword)->Kind == TTemplateInfo::BigOperator) {
      // A sign read with an (empty) operand of its own.
      const TTemplateInfo* Info = FindTemplate(Content.front().Keyword);
      U.Kind = TUnit::BigOperator;
      U.Sign = {Info->Operator, Info->Size, Info->Ring};
    } else if (IsTypstOperator(Letters(Content))) {
      U.Kind = TUnit::Operator;
      U.Inner = Content;
    } else {
      U.Kind = Placement == 1 ? TUnit::LimitsBase : TUnit::Plain;
      U.Inner = Content;
      U.Nodes = Content;
    }
    U.Placement = Placement;
    return U;
  }

  // attach(): primes at the top right are the prime accents, scripts at the left a left
  // index, above and below limits, at the right an index.
  TUnit Attach(const TArguments& A, const std::vector<TFormulaRun>& Args, qsizetype Start) {
    if (Args.size() != 1) Refuse(QStringLiteral("attach takes its base and named scripts"), Start);
    for (const QString& Key : A.NamedRuns.keys())
      if (!QStringList{"t", "b", "tl", "bl", "tr", "br"}.contains(Key))
        Refuse(QStringLiteral("attach's %1 has no element kind in this editor").arg(Key), Start);
    const auto Has = [&A](const char* Key) { return A.NamedRuns.contains(QLatin1String(Key)); };
    const auto Run = [&A](const char* Key) { return A.NamedRuns.value(QLatin1String(Key)); };
    TUnit U;
    if (A.NamedRuns.size() == 1 && Has("tr") && Run("tr").size() == 1 && Run("tr").front().Kind != TFormulaNode::Template) {
      static const QHash<char32_t, TKindAccent> Primes = {
          {0x2032, acPrime}, {0x2033, acPrimeTwo}, {0x2034, acPrimeThree}, {0x2035, acBackPrime}};
      if (const char32_t C = ShownChar(Run("tr").front()); Primes.contains(C)) {
        TTemplateInfo Info;
        Info.Kind = TTemplateInfo::Accent;
        Info.Mark = Primes.value(C);
        U.Nodes.push_back(MakeTemplate(Info, SlotsOf({TFormulaRun(Args[0])})));
        return U;
      }
    }
    if (Has("tl") || Has("bl")) U.Nodes.push_back(IndexNode(Has("bl"), Run("bl"), Has("tl"), Run("tl"), true));
    TUnit Base;
    if (Has("t") || Has("b")) {
      Base = Placed(Args[0], 1);
      Base.HasTop = Has("t"), Base.Top = Run("t");
      Base.HasBottom = Has("b"), Base.Bottom = Run("b");
      if (Has("tr") || Has("br")) Losses.Add(QStringLiteral("scripts beside a base with limits dropped"));
    } else {
      Base.Nodes = Args[0];
      Base.HasTop = Has("tr"), Base.Top = Run("tr");
      Base.HasBottom = Has("br"), Base.Bottom = Run("br");
    }
    for (TFormulaNode& Node : Finished(std::move(Base))) U.Nodes.push_back(std::move(Node));
    return U;
  }

  // The content of lr(): its first and last items the delimiters where they are ones.
  TUnit Fenced(TFormulaRun Content) {
    TUnit U;
    const auto DelimiterAt = [&](size_t I) -> char16_t {
      if (I >= Content.size() || Content[I].Kind == TFormulaNode::Template) return 0;
      const char32_t C = ShownChar(Content[I]);
      return C <= 0xFFFF && IsDelimiter(static_cast<char16_t>(C)) ? static_cast<char16_t>(C) : 0;
    };
    char16_t Left = DelimiterAt(0);
    if (Left) Content.erase(Content.begin());
    char16_t Right = Content.empty() ? 0 : DelimiterAt(Content.size() - 1);
    if (Right) Content.pop_back();
    const auto Middle = std::find_if(Content.begin(), Content.end(), [](const TFormulaNode& Node) { return Node.Keyword == MiddleMark; });
    if (Middle != Content.end() && Middle->Code <= 0xFFFF) {
      // Every mid() like the first parts the content.
      const char32_t Mid = Middle->Code;
      std::vector<TFormulaRun> Parts(1);
      for (TFormulaNode& Node : Content) {
        if (Node.Keyword == MiddleMark && Node.Code == Mid)
          Parts.emplace_back();
        else
          Parts.back().push_back(std::move(Node));
      }
      FencedNodes(Left, std::move(Parts), static_cast<char16_t>(Mid), Right, U.Nodes, Losses);
      return U;
    }
    FencedNodes(Left, std::move(Content), Right, U.Nodes, Losses);
    return U;
  }

  static bool IsDelimiter(char16_t C) {
    return QStringView(u"()[]{}|\u2016\u27E8\u27E9\u230A\u230B\u2308\u2309").contains(QChar(C));
  }

  const QString& S;
  qsizetype P = 0;
  int FDepth = 0;
  qsizetype FUnitStart = 0;
};
}  // namespace

TReadResult ReadTypst(const QString& Text) {
  TReadResult Result = CheckControlCharacters(Text);
  if (!Result.Ok()) return Result;
  // The equation's $ delimiters, where it has them.
  QString Body = Text;
  const qsizetype First = Body.indexOf(u'$');
  const QString Trimmed = Body.trimmed();
  qsizetype Offset = 0;
  if (Trimmed.startsWith(u'$') && Trimmed.endsWith(u'$') && Trimmed.size() > 1) {
    Offset = First + 1;
    Body = Body.mid(First + 1, Body.lastIndexOf(u'$') - First - 1);
  }
  TTypstReader Reader(Body);
  try {
    TFormula Formula = Reader.Read();
    for (TFormulaRun& Line : Formula.Lines) UnmarkMiddles(Line);
    return FinishRead(Formula, Reader.Losses);
  } catch (const TReadRefusal& Refusal) {
    TReadResult Refused;
    Refused.Error = Refusal.Message;
    PlaceOffset(Text, Refusal.Offset + Offset, Refused);
    return Refused;
  }
}
