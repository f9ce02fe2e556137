// AsciiMath -> formula.

#include <QHash>

#include "interchange/AsciiMath.h"
#include "interchange/MathAlphabets.h"
#include "interchange/ReadSupport.h"
#include "interchange/SymbolTable.h"
#include "interchange/Typst.h"

namespace {
enum TTokenKind { tkConstant, tkRelation, tkBigOperator, tkLimitName, tkName, tkLeft, tkRight, tkUnary, tkBinary, tkSpace, tkText };

struct TSymbolEntry {
  TTokenKind Kind;
  char32_t Char;  // the character, the bracket (0: invisible), the big operator sign
};

// AsciiMath's symbols by name, as MathJax's AsciiMath input has them.
const QHash<QString, TSymbolEntry>& Symbols() {
  static const QHash<QString, TSymbolEntry> Table = [] {
    QHash<QString, TSymbolEntry> T;
    const auto Constants = [&T](TTokenKind Kind, std::initializer_list<std::pair<const char*, char32_t>> List) {
      for (const auto& [Name, Char] : List) T.insert(QString::fromUtf8(Name), {Kind, Char});
    };
    Constants(tkConstant, {
        {"alpha", 0x3B1}, {"beta", 0x3B2}, {"chi", 0x3C7}, {"delta", 0x3B4}, {"Delta", 0x394}, {"epsilon", 0x3B5},
        {"varepsilon", 0x25B}, {"eta", 0x3B7}, {"gamma", 0x3B3}, {"Gamma", 0x393}, {"iota", 0x3B9}, {"kappa", 0x3BA},
        {"lambda", 0x3BB}, {"Lambda", 0x39B}, {"lamda", 0x3BB}, {"Lamda", 0x39B}, {"mu", 0x3BC}, {"nu", 0x3BD},
        {"omega", 0x3C9}, {"Omega", 0x3A9}, {"phi", 0x3D5}, {"varphi", 0x3C6}, {"Phi", 0x3A6}, {"pi", 0x3C0},
        {"Pi", 0x3A0}, {"psi", 0x3C8}, {"Psi", 0x3A8}, {"rho", 0x3C1}, {"sigma", 0x3C3}, {"Sigma", 0x3A3},
        {"tau", 0x3C4}, {"theta", 0x3B8}, {"vartheta", 0x3D1}, {"Theta", 0x398}, {"upsilon", 0x3C5}, {"xi", 0x3BE},
        {"Xi", 0x39E}, {"zeta", 0x3B6},
        {"+", U'+'}, {"-", U'-'}, {"*", 0x22C5}, {"cdot", 0x22C5}, {"**", 0x2217}, {"ast", 0x2217}, {"***", 0x22C6},
        {"star", 0x22C6}, {"//", U'/'}, {"\\\\", U'\\'}, {"backslash", U'\\'}, {"setminus", U'\\'}, {"xx", 0xD7},
        {"times", 0xD7}, {"|><", 0x22C9}, {"ltimes", 0x22C9}, {"><|", 0x22CA}, {"rtimes", 0x22CA}, {"|><|", 0x22C8},
        {"bowtie", 0x22C8}, {"-:", 0xF7}, {"div", 0xF7}, {"divide", 0xF7}, {"@", 0x2218}, {"circ", 0x2218},
        {"o+", 0x2295}, {"oplus", 0x2295}, {"ox", 0x2297}, {"otimes", 0x2297}, {"o.", 0x2299}, {"odot", 0x2299},
        {"^^", 0x2227}, {"wedge", 0x2227}, {"vv", 0x2228}, {"vee", 0x2228}, {"nn", 0x2229}, {"cap", 0x2229},
        {"uu", 0x222A}, {"cup", 0x222A}, {"not", 0xAC}, {"neg", 0xAC}, {"AA", 0x2200}, {"forall", 0x2200},
        {"EE", 0x2203}, {"exists", 0x2203}, {"_|_", 0x22A5}, {"bot", 0x22A5}, {"TT", 0x22A4}, {"top", 0x22A4},
        {"|--", 0x22A2}, {"vdash", 0x22A2}, {"|==", 0x22A8}, {"models", 0x22A8}, {"del", 0x2202},
        {"partial", 0x2202}, {"grad", 0x2207}, {"nabla", 0x2207}, {"+-", 0xB1}, {"pm", 0xB1}, {"-+", 0x2213},
        {"mp", 0x2213}, {"O/", 0x2205}, {"emptyset", 0x2205}, {"oo", 0x221E}, {"infty", 0x221E}, {"aleph", 0x2135},
        {"...", 0x2026}, {"ldots", 0x2026}, {":.", 0x2234}, {"therefore", 0x2234}, {":'", 0x2235},
        {"because", 0x2235}, {"/_", 0x2220}, {"angle", 0x2220}, {"/_\\", 0x25B3}, {"triangle", 0x25B3},
        {"'", 0x2032}, {"prime", 0x2032}, {"cdots", 0x22EF}, {"vdots", 0x22EE}, {"ddots", 0x22F1},
        {"diamond", 0x22C4}, {"square", 0x25A1}, {"|__", 0x230A}, {"lfloor", 0x230A}, {"__|", 0x230B},
        {"rfloor", 0x230B}, {"|~", 0x2308}, {"lceiling", 0x2308}, {"~|", 0x2309}, {"rceiling", 0x2309},
        {"CC", 0x2102}, {"NN", 0x2115}, {"QQ", 0x211A}, {"RR", 0x211D}, {"ZZ", 0x2124}, {"hbar", 0x210F},
        {"frown", 0x2322}, {"uarr", 0x2191}, {"uparrow", 0x2191}, {"darr", 0x2193}, {"downarrow", 0x2193},
        {"harr", 0x2194}, {"leftrightarrow", 0x2194}, {"hArr", 0x21D4}, {"Leftrightarrow", 0x21D4},
        {"lArr", 0x21D0}, {"Leftarrow", 0x21D0}, {"larr", 0x2190}, {"leftarrow", 0x2190}, {">->", 0x21A3},
        {"rightarrowtail", 0x21A3}, {"->>", 0x21A0}, {"twoheadrightarrow", 0x21A0}, {">->>", 0x2916},
        {"twoheadrightarrowtail", 0x2916}});
    Constants(tkRelation, {
        {"=", U'='}, {"!=", 0x2260}, {"ne", 0x2260}, {"<", U'<'}, {"lt", U'<'}, {">", U'>'}, {"gt", U'>'},
        {"<=", 0x2264}, {"le", 0x2264}, {"lt=", 0x2264}, {">=", 0x2265}, {"ge", 0x2265}, {"geq", 0x2265},
        {"leq", 0x2264}, {"mlt", 0x226A}, {"ll", 0x226A}, {"mgt", 0x226B}, {"gg", 0x226B}, {"-<", 0x227A},
        {"prec", 0x227A}, {">-", 0x227B}, {"succ", 0x227B}, {"-<=", 0x2AAF}, {"preceq", 0x2AAF}, {">-=", 0x2AB0},
        {"succeq", 0x2AB0}, {"in", 0x2208}, {"!in", 0x2209}, {"notin", 0x2209}, {"sub", 0x2282}, {"subset", 0x2282},
        {"sup", 0x2283}, {"supset", 0x2283}, {"sube", 0x2286}, {"subseteq", 0x2286}, {"supe", 0x2287},
        {"supseteq", 0x2287}, {"-=", 0x2261}, {"equiv", 0x2261}, {"~=", 0x2245}, {"cong", 0x2245}, {"~~", 0x2248},
        {"approx", 0x2248}, {"~", 0x223C}, {"sim", 0x223C}, {"prop", 0x221D}, {"propto", 0x221D},
        {"=>", 0x21D2}, {"implies", 0x21D2}, {"rArr", 0x21D2}, {"Rightarrow", 0x21D2}, {"<=>", 0x21D4},
        {"iff", 0x21D4}, {"->", 0x2192}, {"rarr", 0x2192}, {"to", 0x2192}, {"rightarrow", 0x2192},
        {"|->", 0x21A6}, {"mapsto", 0x21A6}, {",", U','}, {";", U';'}, {"|", U'|'}});
    Constants(tkBigOperator, {
        {"sum", 0x2211}, {"prod", 0x220F}, {"^^^", 0x22C0}, {"vvv", 0x22C1}, {"nnn", 0x22C2}, {"bigcap", 0x22C2},
        {"uuu", 0x22C3}, {"bigcup", 0x22C3}, {"int", 0x222B}, {"oint", 0x222E}});
    // (AsciiMath's sup is the superset relation.)
    for (const char* Name : {"lim", "Lim", "min", "max", "glb", "lub"}) T.insert(QLatin1String(Name), {tkLimitName, 0});
    for (const char* Name : {"sin", "cos", "tan", "sec", "csc", "cot", "arcsin", "arccos", "arctan", "sinh", "cosh",
                             "tanh", "sech", "csch", "coth", "exp", "log", "ln", "det", "dim", "mod", "gcd", "lcm",
                             "Sin", "Cos", "Tan", "Log", "Ln", "Abs", "f", "g"})
      T.insert(QLatin1String(Name), {tkName, 0});
    Constants(tkLeft, {{"(", U'('}, {"[", U'['}, {"{", U'{'}, {"(:", 0x27E8}, {"<<", 0x27E8}, {"langle", 0x27E8}, {"{:", 0}});
    Constants(tkRight, {{")", U')'}, {"]", U']'}, {"}", U'}'}, {":)", 0x27E9}, {">>", 0x27E9}, {"rangle", 0x27E9}, {":}", 0}});
    for (const char* Name : {"sqrt", "text", "hat", "bar", "overline", "ul", "underline", "vec", "dot", "ddot",
                             "tilde", "abs", "floor", "ceil", "norm", "cancel", "bb", "mathbf", "bbb", "mathbb",
                             "cc", "mathcal", "fr", "mathfrak", "tt", "sf", "mathsf", "mathtt", "mbox", "ubrace",
                             "underbrace", "obrace", "overbrace", "overarc", "overparen"})
      T.insert(QLatin1String(Name), {tkUnary, 0});
    for (const char* Name : {"frac", "root", "stackrel", "overset", "underset", "color"}) T.insert(QLatin1String(Name), {tkBinary, 0});
    Constants(tkSpace, {{"quad", 0x2003}, {"qquad", 0x2003}, {"\\ ", 0xA0}});
    // Words set as text between spaces.
    for (const char* Name : {"if", "and", "or"}) T.insert(QLatin1String(Name), {tkText, 0});
    return T;
  }();
  return Table;
}

constexpr int LongestName = 21;

// A read item: a bracket group keeps its content, and its parts between top-level commas,
// for the brackets a script, a fraction or an argument takes off and for matrices.
struct TItem {
  TFormulaRun Nodes;
  bool Relation = false;
  bool BigOperator = false;
  TOperatorSign Sign{};
  bool HasBottom = false, HasTop = false;
  TFormulaRun Bottom, Top;
  bool Group = false;
  char32_t Open = 0, Close = 0;
  TFormulaRun Inner;
  std::vector<TFormulaRun> Parts;
  bool LimitName = false;
  bool Function = false;
};

class TAsciiMathReader {
 public:
  explicit TAsciiMathReader(const QString& Text) : S(Text) {}

  TReadLosses Losses;

  TFormula Read() {
    TFormula Formula;
    std::vector<TItem> Items = Expression(false);
    if (!AtEnd()) Refuse(QStringLiteral("this closes nothing"), P);
    Formula.Lines.push_back(Fold(Items, 0, Items.size()));
    return Formula;
  }

 private:
  [[noreturn]] void Refuse(const QString& Message, qsizetype At) { throw TReadRefusal{Message, At}; }
  bool AtEnd() const { return P >= S.size(); }
  void SkipSpace() {
    while (P < S.size() && S[P].isSpace()) ++P;
  }

  // The symbol at P, longest name first, without taking it.
  std::optional<std::pair<QString, TSymbolEntry>> Peek() const {
    for (int Length = qMin<qsizetype>(LongestName, S.size() - P); Length > 0; --Length) {
      const QString Name = S.mid(P, Length);
      const auto It = Symbols().constFind(Name);
      if (It != Symbols().constEnd()) return std::make_pair(Name, It.value());
    }
    return std::nullopt;
  }

  bool AtRight() const {
    const auto Symbol = Peek();
    return Symbol && Symbol->second.Kind == tkRight;
  }

  // Items up to a right bracket (Inside) or the end.
  std::vector<TItem> Expression(bool Inside, bool StopAtBar = false) {
    if (++FDepth > MaxReadDepth) Refuse(QStringLiteral("groups nest deeper than %1 levels").arg(MaxReadDepth), P);
    std::vector<TItem> Items;
    for (;;) {
      SkipSpace();
      if (AtEnd() || (Inside && AtRight()) || (StopAtBar && S[P] == u'|')) break;
      if (S[P] == u'/' && S.mid(P, 2) != QLatin1String("//") && S.mid(P, 2) != QLatin1String("/_")) {
        const qsizetype At = P++;
        if (Items.empty()) Refuse(QStringLiteral("a fraction's slash needs something before it"), At);
        SkipSpace();
        if (AtEnd() || AtRight()) Refuse(QStringLiteral("a fraction's slash needs something after it"), At);
        TItem Below = Intermediate(StopAtBar);
        TItem Above = std::move(Items.back());
        Items.pop_back();
        TItem Fraction;
        TTemplateInfo Info;
        Fraction.Nodes.push_back(MakeTemplate(Info, SlotsOf({Argument(std::move(Above)), Argument(std::move(Below))})));
        Items.push_back(std::move(Fraction));
        continue;
      }
      Items.push_back(Intermediate(StopAtBar));
    }
    --FDepth;
    return Items;
  }

  // A script or an argument: without the round, square or curly brackets around it.
  TFormulaRun Argument(TItem Item) {
    if (Item.Group && !Item.HasBottom && !Item.HasTop && (Item.Open == U'(' || Item.Open == U'[' || Item.Open == U'{') &&
        Item.Close)
      return std::move(Item.Inner);
    std::vector<TItem> One;
    One.push_back(std::move(Item));
    return Fold(One, 0, 1);
  }

  TFormulaRun Fold(std::vector<TItem>& Items, size_t From, size_t To) {
    TFormulaRun Out;
    for (size_t I = From; I < To; ++I) {
      TItem& Item = Items[I];
      if (!Item.BigOperator) {
        for (TFormulaNode& Node : Item.Nodes) Out.push_back(std::move(Node));
        if (Item.HasBottom || Item.HasTop)
          Out.push_back(IndexNode(Item.HasBottom, std::move(Item.Bottom), Item.HasTop, std::move(Item.Top)));
        continue;
      }
      // Up to the next relation, as TeX spaces it.
      size_t End = I + 1;
      while (End < To && !Items[End].Relation) ++End;
      const bool Scripted = Item.HasBottom || Item.HasTop;
      if (!Scripted && End == I + 1) {
        Out.push_back(CharacterNode(BigOperatorChar(Item.Sign.Operator, Item.Sign.Size, Item.Sign.Ring)));
        continue;
      }
      TFormulaRun Operand = Fold(Items, I + 1, End);
      const bool Limits = Item.Sign.Operator != TTemplateInfo::Integral;
      const TTemplateInfo* Info =
          BigOperatorTemplate(Item.Sign.Operator, Item.Sign.Size, Item.Sign.Ring, Item.HasBottom, Item.HasTop, Limits);
      if (!Info) Refuse(QStringLiteral("this big operator with these scripts has no element kind in this editor"), P);
      Out.push_back(BigOperatorNode(*Info, std::move(Operand), std::move(Item.Bottom), std::move(Item.Top)));
      I = End - 1;
    }
    return Out;
  }

  TItem Intermediate(bool StopAtBar) {
    TItem Item = Simple(StopAtBar);
    for (const QChar Mark : {u'_', u'^'}) {
      SkipSpace();
      if (AtEnd() || S[P] != Mark) continue;
      if (const auto Symbol = Peek(); Symbol && Symbol->first.size() > 1) continue;
      const qsizetype At = P++;
      SkipSpace();
      if (AtEnd() || AtRight()) Refuse(QStringLiteral("a script needs something after its %1").arg(Mark), At);
      TFormulaRun Script = Argument(Simple(StopAtBar));
      (Mark == u'_' ? Item.HasBottom : Item.HasTop) = true;
      (Mark == u'_' ? Item.Bottom : Item.Top) = std::move(Script);
    }
    if (Item.Function) {
      // A function's scripts are on its name; the function takes what follows as its
      // argument, so that a slash after it takes both.
      if (Item.HasBottom || Item.HasTop) {
        const TGroupOptions Options = Item.HasBottom && Item.HasTop ? TGroupOptions{goIndexBottom, goIndexTop}
                                      : Item.HasBottom            ? TGroupOptions{goIndexBottom}
                                                                  : TGroupOptions{goIndexTop};
        TFormulaNode Name = ScriptedNode(Options, true, std::move(Item.Nodes), std::move(Item.Bottom), std::move(Item.Top));
        Item = TItem();
        Item.Nodes.push_back(std::move(Name));
      }
      Item.Function = false;
      SkipSpace();
      const auto Next = AtEnd() ? std::nullopt : Peek();
      const bool Takes = !AtEnd() && S[P] != u'/' && S[P] != u'_' && S[P] != u'^' &&
                         (!Next || (Next->second.Kind != tkRight && Next->second.Kind != tkRelation &&
                                    Next->first != QLatin1String("+") && Next->first != QLatin1String("-")));
      if (Takes) {
        TItem Argument = Intermediate(StopAtBar);
        std::vector<TItem> One;
        One.push_back(std::move(Argument));
        for (TFormulaNode& Node : Fold(One, 0, 1)) Item.Nodes.push_back(std::move(Node));
      }
      return Item;
    }
    if (Item.LimitName && (Item.HasBottom || Item.HasTop)) {
      // lim, min, max ... take their scripts as limits.
      const TGroupOptions Options = Item.HasBottom && Item.HasTop ? TGroupOptions{goLimitBottom, goLimitTop}
                                    : Item.HasBottom            ? TGroupOptions{goLimitBottom}
                                                                : TGroupOptions{goLimitTop};
      TItem Scripted;
      Scripted.Nodes.push_back(ScriptedNode(Options, true, std::move(Item.Nodes), std::move(Item.Bottom), std::move(Item.Top)));
      return Scripted;
    }
    return Item;
  }

  TItem Simple(bool StopAtBar) {
    SkipSpace();
    const qsizetype Start = P;
    if (AtEnd()) Refuse(QStringLiteral("something is missing at the end"), P);
    const QChar C = S[P];
    TItem Item;
    if (C == u'"') {
      const qsizetype Close = S.indexOf(u'"', P + 1);
      if (Close < 0) Refuse(QStringLiteral("this text is not closed"), P);
      TextKind(S.mid(P + 1, Close - P - 1), Item.Nodes);
      P = Close + 1;
      return Item;
    }
    if (C.isDigit() && C.unicode() < 0x80) {
      while (P < S.size() && S[P].isDigit() && S[P].unicode() < 0x80) Item.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
      if (P + 1 < S.size() && S[P] == u'.' && S[P + 1].isDigit()) {
        Item.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
        while (P < S.size() && S[P].isDigit() && S[P].unicode() < 0x80) Item.Nodes.push_back(TFormulaNode::Character(S[P++].unicode()));
      }
      return Item;
    }
    if (C == u'|' && !StopAtBar && S.indexOf(u'|', P + 1) > 0 && Peek()->first.size() == 1) {
      // A bar with another after it opens a pair of bars.
      const qsizetype Save = P++;
      std::vector<TItem> Content = Expression(false, true);
      if (!AtEnd() && S[P] == u'|') {
        ++P;
        FencedNodes(u'|', Fold(Content, 0, Content.size()), u'|', Item.Nodes, Losses);
        return Item;
      }
      P = Save;
    }
    const auto Symbol = Peek();
    if (!Symbol) {
      // The minus sign is what AsciiMath and TeX set for -: one character, as LaTeX has it.
      char32_t Code = C.unicode() == 0x2212 ? U'-' : C.unicode();
      if (C.isHighSurrogate() && P + 1 < S.size()) Code = QChar::surrogateToUcs4(C, S[++P]);
      ++P;
      Item.Nodes.push_back(Code <= 0xFFFF ? CharacterNode(static_cast<char16_t>(Code)) : TFormulaNode::Character(Code));
      return Item;
    }
    const auto& [Name, Entry] = *Symbol;
    P += Name.size();
    switch (Entry.Kind) {
      case tkConstant:
      case tkRelation:
        Item.Relation = Entry.Kind == tkRelation && EndsOperand(Entry.Char);
        Item.Nodes.push_back(CharacterNode(static_cast<char16_t>(Entry.Char)));
        return Item;
      case tkSpace:
        Item.Nodes.push_back(CharacterNode(static_cast<char16_t>(Entry.Char)));
        if (Name == QLatin1String("qquad")) Item.Nodes.push_back(CharacterNode(static_cast<char16_t>(Entry.Char)));
        return Item;
      case tkBigOperator:
        Item.BigOperator = BigOperatorByChar(static_cast<char16_t>(Entry.Char), Item.Sign);
        return Item;
      case tkLimitName:
      case tkName:
        Item.LimitName = Entry.Kind == tkLimitName;
        Item.Function = Entry.Kind == tkName;
        for (QChar Letter : Name) Item.Nodes.push_back(TFormulaNode::Character(Letter.unicode()));
        return Item;
      case tkText:
        Text(Name, Item.Nodes);
        return Item;
      case tkLeft:
        return Bracketed(Entry.Char, Start);
      case tkRight:
        // A bracket that closes nothing is a character.
        if (Entry.Char) Item.Nodes.push_back(CharacterNode(static_cast<char16_t>(Entry.Char)));
        return Item;
      case tkUnary:
        return Unary(Name, Start, StopAtBar);
      case tkBinary:
        return Binary(Name, Start, StopAtBar);
    }
    return Item;
  }

  // Words as math characters (the spaced words AsciiMath sets as text).
  void Text(const QString& Content, TFormulaRun& Out) {
    for (QChar C : Content) Out.push_back(C == u' ' ? TFormulaNode::Character(u' ') : CharacterNode(C.unicode()));
    if (!Content.isEmpty()) Losses.Add(QStringLiteral("text read as math characters"));
  }

  // Quoted text and text(...): the text kind, its characters as they stand.
  static void TextKind(const QString& Content, TFormulaRun& Out) {
    TFormulaRun Body;
    for (const char32_t Code : Content.toUcs4())
      Body.push_back(Code <= 0xFFFF && IsSpaceSymbol(static_cast<char16_t>(Code)) ? CharacterNode(static_cast<char16_t>(Code))
                                                                                   : TFormulaNode::Character(Code));
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Text;
    Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Body)})));
  }

  TItem Bracketed(char32_t Open, qsizetype Start) {
    std::vector<TItem> Content = Expression(true);
    if (AtEnd()) Refuse(QStringLiteral("this bracket is not closed"), Start);
    const auto Symbol = Peek();
    P += Symbol->first.size();
    TItem Item;
    Item.Group = true;
    Item.Open = Open;
    Item.Close = Symbol->second.Char;
    // The parts between top-level commas, each also kept as the item it is.
    std::vector<size_t> Commas;
    for (size_t I = 0; I < Content.size(); ++I)
      if (Content[I].Nodes.size() == 1 && Content[I].Nodes.front().Kind == TFormulaNode::Simple &&
          Content[I].Nodes.front().Code == U',' && !Content[I].HasBottom && !Content[I].HasTop)
        Commas.push_back(I);
    if (TFormulaNode Matrix; MatrixOf(Content, Commas, Matrix)) {
      Item.Inner = RunOf(std::move(Matrix));
    } else {
      std::vector<TItem> Copy = Content;
      size_t From = 0;
      for (size_t Comma : Commas) {
        Item.Parts.push_back(Fold(Copy, From, Comma));
        From = Comma + 1;
      }
      Item.Parts.push_back(Fold(Copy, From, Copy.size()));
      Item.Inner = Fold(Content, 0, Content.size());
    }
    FencedNodes(static_cast<char16_t>(Open), TFormulaRun(Item.Inner), static_cast<char16_t>(Item.Close), Item.Nodes, Losses);
    return Item;
  }

  // A bracketed list of bracketed lists of as many parts each, two rows or more: a matrix.
  bool MatrixOf(std::vector<TItem>& Content, const std::vector<size_t>& Commas, TFormulaNode& Matrix) {
    if (Commas.empty() || Content.size() != 2 * Commas.size() + 1) return false;
    for (size_t I = 0; I < Content.size(); I += 2)
      if (!Content[I].Group || Content[I].HasBottom || Content[I].HasTop || Content[I].Open != Content[0].Open ||
          Content[I].Parts.size() != Content[0].Parts.size() || Content[I].Parts.empty())
        return false;
    std::vector<std::vector<TFormulaRun>> Rows;
    for (size_t I = 0; I < Content.size(); I += 2) Rows.push_back(Content[I].Parts);
    Matrix = MatrixNode(std::move(Rows), Losses);
    return true;
  }

  TItem Unary(const QString& Name, qsizetype Start, bool StopAtBar) {
    TItem Item;
    if (Name == QLatin1String("text") || Name == QLatin1String("mbox")) {
      SkipSpace();
      if (AtEnd() || S[P] != u'(') Refuse(QStringLiteral("%1 needs its text in parentheses").arg(Name), Start);
      const qsizetype Close = S.indexOf(u')', P);
      if (Close < 0) Refuse(QStringLiteral("this text is not closed"), P);
      TextKind(S.mid(P + 1, Close - P - 1), Item.Nodes);
      P = Close + 1;
      return Item;
    }
    SkipSpace();
    if (AtEnd() || AtRight()) Refuse(QStringLiteral("%1 needs an argument").arg(Name), Start);
    TItem Raw = Simple(StopAtBar);
    const bool Single = !Raw.Group && Raw.Nodes.size() == 1;
    TFormulaRun Body = Argument(std::move(Raw));
    const auto Put = [&Item](TFormulaNode Node) {
      Item.Nodes.push_back(std::move(Node));
      return Item;
    };
    static const QHash<QString, TMathAlphabet> Alphabets = {
        {"bb", TMathAlphabet::Bold}, {"mathbf", TMathAlphabet::Bold}, {"bbb", TMathAlphabet::DoubleStruck},
        {"mathbb", TMathAlphabet::DoubleStruck}, {"cc", TMathAlphabet::Script}, {"mathcal", TMathAlphabet::Script},
        {"fr", TMathAlphabet::Fraktur}, {"mathfrak", TMathAlphabet::Fraktur}};
    if (Alphabets.contains(Name)) {
      for (TFormulaNode& Node : Body) {
        const char32_t Code = Node.Kind == TFormulaNode::Simple ? StyledCharacter(Alphabets.value(Name), Node.Code) : 0;
        if (Code)
          Node.Code = Code;
        else
          Losses.Add(QStringLiteral("styles (%1) dropped").arg(Name));
      }
      Item.Nodes = std::move(Body);
      return Item;
    }
    if (Name == QLatin1String("tt") || Name == QLatin1String("sf") || Name == QLatin1String("mathsf") ||
        Name == QLatin1String("mathtt")) {
      Losses.Add(QStringLiteral("styles (%1) dropped").arg(Name));
      Item.Nodes = std::move(Body);
      return Item;
    }
    TTemplateInfo Info;
    if (Name == QLatin1String("sqrt")) {
      Info.Kind = TTemplateInfo::Root;
      return Put(MakeTemplate(Info, SlotsOf({std::move(Body)})));
    }
    if (Name == QLatin1String("abs") || Name == QLatin1String("norm") || Name == QLatin1String("floor") ||
        Name == QLatin1String("ceil")) {
      const char16_t Left = Name == QLatin1String("abs") ? u'|' : Name == QLatin1String("norm") ? u'\u2016' : Name == QLatin1String("floor") ? u'\u230A' : u'\u2308';
      FencedNodes(Left, std::move(Body), Left == u'|' || Left == u'\u2016' ? Left : Left + 1, Item.Nodes, Losses);
      return Item;
    }
    if (Name == QLatin1String("ubrace") || Name == QLatin1String("underbrace") || Name == QLatin1String("obrace") ||
        Name == QLatin1String("overbrace")) {
      // The label is the script that follows.
      const bool Over = Name.startsWith(u'o');
      SkipSpace();
      TFormulaRun Label;
      if (!AtEnd() && S[P] == (Over ? u'^' : u'_')) {
        ++P;
        SkipSpace();
        if (AtEnd()) Refuse(QStringLiteral("a script needs something after it"), P);
        Label = Argument(Simple(StopAtBar));
      }
      Info.Kind = TTemplateInfo::Brace;
      Info.Align = Over ? aeTop : aeBottom;
      return Put(MakeTemplate(Info, SlotsOf({std::move(Body), std::move(Label)})));
    }
    if (Name == QLatin1String("ul") || Name == QLatin1String("underline") ||
        ((Name == QLatin1String("bar") || Name == QLatin1String("overline")) && !(Single && Name == QLatin1String("bar")))) {
      Info.Kind = TTemplateInfo::Vector;
      Info.Align = Name == QLatin1String("ul") || Name == QLatin1String("underline") ? aeTop : aeBottom;
      return Put(MakeTemplate(Info, SlotsOf({std::move(Body)})));
    }
    if (Name == QLatin1String("vec") && !Single) {
      Info.Kind = TTemplateInfo::Vector;
      Info.Align = aeBottom;
      Info.Heads = TKindArrow{kaRight};
      return Put(MakeTemplate(Info, SlotsOf({std::move(Body)})));
    }
    static const QHash<QString, TKindAccent> Accents = {
        {"hat", acHat}, {"bar", acBar}, {"vec", acArrowRight}, {"dot", acDot}, {"ddot", acDotTwo},
        {"tilde", acTilde}, {"cancel", acSlash}, {"overarc", acArcUp}, {"overparen", acArcUp}};
    Info.Kind = TTemplateInfo::Accent;
    Info.Mark = Accents.value(Name);
    return Put(MakeTemplate(Info, SlotsOf({std::move(Body)})));
  }

  TItem Binary(const QString& Name, qsizetype Start, bool StopAtBar) {
    SkipSpace();
    if (AtEnd() || AtRight()) Refuse(QStringLiteral("%1 needs two arguments").arg(Name), Start);
    TFormulaRun First = Argument(Simple(StopAtBar));
    SkipSpace();
    if (AtEnd() || AtRight()) Refuse(QStringLiteral("%1 needs two arguments").arg(Name), Start);
    TFormulaRun Second = Argument(Simple(StopAtBar));
    TItem Item;
    TTemplateInfo Info;
    if (Name == QLatin1String("frac")) {
      Item.Nodes.push_back(MakeTemplate(Info, SlotsOf({std::move(First), std::move(Second)})));
    } else if (Name == QLatin1String("root")) {
      Info.Kind = TTemplateInfo::Root;
      Info.Degree = true;
      Item.Nodes.push_back(MakeTemplate(Info, SlotsOf({std::move(Second), std::move(First)})));
    } else if (Name == QLatin1String("color")) {
      Losses.Add(QStringLiteral("colours dropped"));
      Item.Nodes = std::move(Second);
    } else {
      const bool Under = Name == QLatin1String("underset");
      Item.Nodes.push_back(ScriptedNode(Under ? TGroupOptions{goLimitBottom} : TGroupOptions{goLimitTop}, false,
                                        std::move(Second), Under ? std::move(First) : TFormulaRun(),
                                        Under ? TFormulaRun() : std::move(First)));
    }
    return Item;
  }

  const QString& S;
  qsizetype P = 0;
  int FDepth = 0;
};
}  // namespace

TReadResult ReadAsciiMath(const QString& Text) {
  TReadResult Result = CheckControlCharacters(Text);
  if (!Result.Ok()) return Result;
  TAsciiMathReader Reader(Text);
  try {
    return FinishRead(Reader.Read(), Reader.Losses);
  } catch (const TReadRefusal& Refusal) {
    TReadResult Refused;
    Refused.Error = Refusal.Message;
    PlaceOffset(Text, Refusal.Offset, Refused);
    return Refused;
  }
}
