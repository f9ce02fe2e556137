#include "SymbolTable.h"

#include <QHash>

#include "interchange/Templates.h"

namespace {
constexpr TSymbol Symbols[] = {
    {8804, "leq", 8804, false}, {8805, "geq", 8805, false}, {8800, "neq", 8800, false},
    {8801, "equiv", 8801, false}, {8776, "approx", 8776, false}, {160, nullptr, 160, false},
    {8230, "ldots", 8230, false}, {177, "pm", 177, false}, {215, "times", 215, false},
    {247, "div", 247, false}, {42, "ast", 0x2217, false}, {8729, "bullet", 8729, false},
    {9675, nullptr, 9675, false}, {9679, nullptr, 9679, false}, {8249, nullptr, 8249, false},
    {8250, nullptr, 8250, false}, {8594, "rightarrow", 8594, false},
    {8592, "leftarrow", 8592, false}, {8596, "leftrightarrow", 8596, false},
    {8593, "uparrow", 8593, false}, {8595, "downarrow", 8595, false},
    {8597, "updownarrow", 8597, false}, {9488, nullptr, 9488, false}, {8745, "cap", 8745, false},
    {8706, "partial", 8706, true}, {8734, "infty", 8734, true}, {9524, nullptr, 9524, false},
    {9674, "lozenge", 9674, true}, {8467, "ell", 8467, true}, {176, nullptr, 176, true},
    {295, "hbar", 0x210F, true}, {8747, "int", 8747, false}, {8721, "sum", 8721, false},
    {8719, "prod", 8719, false}, {8720, "coprod", 8720, false},
    // Relations, operators, arrows, logic, sets and letter-like symbols.
    {8826, "prec", 8826, false}, {8827, "succ", 8827, false}, {8882, "lhd", 8882, false},
    {8883, "rhd", 8883, false}, {8773, "cong", 8773, false}, {8733, "propto", 8733, false},
    {8723, "mp", 8723, false}, {8855, "otimes", 8855, false}, {8853, "oplus", 8853, false},
    {8658, "Rightarrow", 8658, false}, {8656, "Leftarrow", 8656, false},
    {8660, "Leftrightarrow", 8660, false}, {8657, "Uparrow", 8657, false},
    {8659, "Downarrow", 8659, false}, {8661, "Updownarrow", 8661, false},
    {8614, "mapsto", 8614, false}, {8629, nullptr, 8629, false}, {8756, "therefore", 8756, false},
    {8757, "because", 8757, false}, {8715, "ni", 8715, false}, {8707, "exists", 8707, false},
    {8704, "forall", 8704, false}, {8743, "wedge", 8743, false}, {8744, "vee", 8744, false},
    {8712, "in", 8712, false}, {8713, "notin", 8713, false}, {8746, "cup", 8746, false},
    {8834, "subset", 8834, false}, {8835, "supset", 8835, false}, {8838, "subseteq", 8838, false},
    {8839, "supseteq", 8839, false}, {8836, nullptr, 8836, false}, {8709, "emptyset", 8709, true},
    {8711, "nabla", 8711, true}, {8465, "Im", 8465, true}, {8476, "Re", 8476, true},
    {8501, "aleph", 8501, true}, {8736, "angle", 8736, true}, {8472, "wp", 8472, true},
    {411, nullptr, 411, true},
    // Ellipses and spaces.
    {8943, "cdots", 8943, false}, {8942, "vdots", 8942, false}, {8944, nullptr, 8944, false},
    {8945, "ddots", 8945, false}, {8198, ",", 8198, false}, {8196, ";", 8196, false},
    {8195, "quad", 8195, false}, {8203, nullptr, 8203, false},
    // Greek small letters.
    {945, "alpha", 945, true}, {946, "beta", 946, true}, {947, "gamma", 947, true},
    {948, "delta", 948, true}, {949, "varepsilon", 949, true}, {950, "zeta", 950, true},
    {951, "eta", 951, true}, {952, "theta", 952, true}, {953, "iota", 953, true},
    {954, "kappa", 954, true}, {955, "lambda", 955, true}, {956, "mu", 956, true},
    {957, "nu", 957, true}, {958, "xi", 958, true}, {959, "omicron", 959, true},
    {960, "pi", 960, true}, {961, "rho", 961, true}, {962, "varsigma", 962, true},
    {963, "sigma", 963, true}, {964, "tau", 964, true}, {965, "upsilon", 965, true},
    {966, "varphi", 966, true}, {967, "chi", 967, true}, {968, "psi", 968, true},
    {969, "omega", 969, true},
    // Greek capitals; those without a command are written as the letter.
    {913, nullptr, 913, true}, {914, nullptr, 914, true}, {915, "Gamma", 915, true},
    {916, "Delta", 916, true}, {917, nullptr, 917, true}, {918, nullptr, 918, true},
    {919, nullptr, 919, true}, {920, "Theta", 920, true}, {921, nullptr, 921, true},
    {922, nullptr, 922, true}, {923, "Lambda", 923, true}, {924, nullptr, 924, true},
    {925, nullptr, 925, true}, {926, "Xi", 926, true}, {927, nullptr, 927, true},
    {928, "Pi", 928, true}, {929, nullptr, 929, true}, {931, "Sigma", 931, true},
    {932, nullptr, 932, true}, {933, "Upsilon", 933, true}, {934, "Phi", 934, true},
    {935, nullptr, 935, true}, {936, "Psi", 936, true}, {937, "Omega", 937, true},
};

// Other names of palette symbols.
constexpr std::pair<const char*, char16_t> SymbolAliases[] = {
    {"le", 8804}, {"ge", 8805}, {"ne", 8800}, {"to", 8594}, {"gets", 8592}, {"dots", 8230},
    {"dotsc", 8230}, {"dotso", 8230}, {"mathellipsis", 8230}, {"nobreakspace", 160},
    {"hslash", 295}, {"diamond", 9674}, {"degree", 176}, {"leqslant", 8804}, {"geqslant", 8805},
    {"land", 8743}, {"lor", 8744}, {"varnothing", 8709}, {"dotsb", 8943}, {"dotsm", 8943},
    {"dotsi", 8943}, {"thinspace", 8198}, {":", 8196}, {">", 8196}, {"medspace", 8196},
    {"thickspace", 8196}, {"owns", 8715}, {"iddots", 8944},
};

constexpr std::pair<const char*, char16_t> ForeignSymbols[] = {
    {"cdot", 0x22C5}, {"epsilon", 0x03F5}, {"phi", 0x03D5}, {"vartheta", 0x03D1}, {"varpi", 0x03D6},
    {"varrho", 0x03F1}, {"lt", '<'}, {"gt", '>'}, {"neg", 0x00AC}, {"lnot", 0x00AC},
    {"perp", 0x22A5}, {"circ", 0x2218}, {"prime", 0x2032}, {"mid", 0x2223}, {"setminus", 0x2216},
    {"langle", 0x27E8}, {"rangle", 0x27E9}, {"lvert", '|'}, {"rvert", '|'}, {"vert", '|'},
    {"lVert", 0x2016}, {"rVert", 0x2016}, {"Vert", 0x2016}, {"|", 0x2016}, {"ll", 0x226A},
    {"gg", 0x226B}, {"sim", 0x223C}, {"simeq", 0x2243}, {"implies", 0x27F9}, {"iff", 0x27FA},
    {"longrightarrow", 0x27F6}, {"longleftarrow", 0x27F5}, {"longmapsto", 0x27FC}, {"star", 0x22C6},
    {"dagger", 0x2020}, {"imath", 0x0131}, {"jmath", 0x0237}, {"colon", ':'}, {"vdash", 0x22A2},
    {"models", 0x22A8}, {"top", 0x22A4}, {"bot", 0x22A5}, {"triangle", 0x25B3},
    {"leftrightarrows", 0x21C6}, {"uplus", 0x228E}, {"sqcup", 0x2294}, {"sqcap", 0x2293},
    {"odot", 0x2299}, {"lbrace", '{'}, {"rbrace", '}'}, {"lbrack", '['}, {"rbrack", ']'},
    {"backslash", '\\'}, {"lceil", 0x2308}, {"rceil", 0x2309}, {"lfloor", 0x230A},
    {"rfloor", 0x230B}, {"hookrightarrow", 0x21AA}, {"nearrow", 0x2197}, {"searrow", 0x2198},
    {"flat", 0x266D}, {"sharp", 0x266F}, {"natural", 0x266E}, {"clubsuit", 0x2663},
    {"surd", 0x221A}, {"smallint", 0x222B}, {"upharpoonright", 0x21BE}, {"bigstar", 0x2605},
    {"nmid", 0x2224}, {"nleq", 0x2270}, {"ngeq", 0x2271}, {"parallel", 0x2225}, {"leadsto", 0x21DD},
};

struct TOperatorEntry {
  const char* Latex;
  char16_t Char;
  TOperatorSign Sign;
};
constexpr TOperatorEntry Operators[] = {
    {"int", 0x222B, {TTemplateInfo::Integral, 1, false}},
    {"iint", 0x222C, {TTemplateInfo::Integral, 2, false}},
    {"iiint", 0x222D, {TTemplateInfo::Integral, 3, false}},
    {"oint", 0x222E, {TTemplateInfo::Integral, 1, true}},
    {"oiint", 0x222F, {TTemplateInfo::Integral, 2, true}},
    {"oiiint", 0x2230, {TTemplateInfo::Integral, 3, true}},
    {"sum", 0x2211, {TTemplateInfo::Sum, 1, false}},
    {"prod", 0x220F, {TTemplateInfo::Product, 1, false}},
    {"coprod", 0x2210, {TTemplateInfo::Coproduct, 1, false}},
    {"bigcap", 0x22C2, {TTemplateInfo::Intersection, 1, false}},
    {"bigcup", 0x22C3, {TTemplateInfo::Union, 1, false}},
};

template <typename TKey, typename TMaker>
QHash<TKey, const TSymbol*> Index(TMaker Key) {
  QHash<TKey, const TSymbol*> Table;
  for (const TSymbol& S : Symbols) Table.insert(Key(S), &S);
  return Table;
}

const TOperatorEntry* FindOperator(int Operator, int Size, bool Ring) {
  for (const TOperatorEntry& E : Operators)
    if (E.Sign.Operator == Operator && E.Sign.Size == Size && E.Sign.Ring == Ring) return &E;
  return nullptr;
}
}  // namespace

const TSymbol* SymbolByCode(char16_t Code) {
  static const auto Table = Index<char16_t>([](const TSymbol& S) { return S.Code; });
  return Table.value(Code);
}

const TSymbol* SymbolByLatex(const QString& Command) {
  static const auto Table = [] {
    auto Result = Index<QString>([](const TSymbol& S) { return QString::fromLatin1(S.Latex); });
    Result.remove(QString());
    for (const auto& [Name, Code] : SymbolAliases) Result.insert(QString::fromLatin1(Name), SymbolByCode(Code));
    return Result;
  }();
  return Table.value(Command);
}

const TSymbol* SymbolByMathChar(char16_t Char) {
  static const auto Table = Index<char16_t>([](const TSymbol& S) { return S.MathChar; });
  return Table.value(Char);
}

bool IsSpaceSymbol(char16_t Code) {
  return Code == 160 || Code == 8195 || Code == 8196 || Code == 8198 || Code == 8203;
}

bool IsBlank(char32_t Code) {
  return QChar::isSpace(Code) || (Code <= 0xFFFF && IsSpaceSymbol(static_cast<char16_t>(Code))) ||
         (Code >= 0x2061 && Code <= 0x2064);
}

QStringList SymbolCommands() {
  QStringList Names;
  for (const TSymbol& S : Symbols)
    if (S.Latex) Names << QString::fromLatin1(S.Latex);
  for (const auto& [Name, Char] : SymbolAliases) Names << QString::fromLatin1(Name);
  for (const auto& [Name, Char] : ForeignSymbols) Names << QString::fromLatin1(Name);
  return Names;
}

char16_t ForeignSymbolChar(const QString& Command) {
  static const auto Table = [] {
    QHash<QString, char16_t> Result;
    for (const auto& [Name, Char] : ForeignSymbols) Result.insert(QString::fromLatin1(Name), Char);
    return Result;
  }();
  return Table.value(Command, 0);
}

QString CharacterCommand(char32_t Char) {
  static const auto Table = [] {
    QHash<char32_t, QString> Result;
    // The usual one where several commands give the character.
    for (const auto& [Name, Code] : {std::pair<const char*, char16_t>{"|", 0x2016}, {"mid", 0x2223}, {"cdot", 0x22C5}})
      Result.insert(Code, QString::fromLatin1(Name));
    for (const auto& [Name, Code] : ForeignSymbols)
      if (Code > 0x7F && !Result.contains(Code)) Result.insert(Code, QString::fromLatin1(Name));
    for (const TSymbol& S : Symbols)
      if (S.Latex && S.MathChar > 0x7F) Result.insert(S.MathChar, QString::fromLatin1(S.Latex));
    return Result;
  }();
  return Table.value(Char);
}

bool BigOperatorByLatex(const QString& Command, TOperatorSign& Sign) {
  for (const TOperatorEntry& E : Operators)
    if (Command == QLatin1String(E.Latex)) {
      Sign = E.Sign;
      return true;
    }
  return false;
}

bool BigOperatorByChar(char16_t Char, TOperatorSign& Sign) {
  for (const TOperatorEntry& E : Operators)
    if (Char == E.Char) {
      Sign = E.Sign;
      return true;
    }
  return false;
}

QString BigOperatorLatex(int Operator, int Size, bool Ring) {
  const TOperatorEntry* E = FindOperator(Operator, Size, Ring);
  return E ? QString::fromLatin1(E->Latex) : QString();
}

char16_t BigOperatorChar(int Operator, int Size, bool Ring) {
  const TOperatorEntry* E = FindOperator(Operator, Size, Ring);
  return E ? E->Char : 0;
}
