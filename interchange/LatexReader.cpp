// LaTeX -> formula.

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <optional>
#include <utility>
#include <vector>

#include "interchange/Latex.h"
#include "interchange/LatexText.h"
#include "model/OperatorNames.h"
#include "interchange/MathAlphabets.h"
#include "interchange/ReadSupport.h"
#include "interchange/SymbolTable.h"
#include "model/TextForm.h"

namespace {
const QString DataMark = QStringLiteral("%zelk-data:");

// What ends a run besides the end of its group.
enum TStops { stNone = 0, stBracket = 1, stRelation = 2, stTop = 4, stDollar = 8 };

const QSet<QString> LineEnvironments = {
    QStringLiteral("gathered"), QStringLiteral("gather"), QStringLiteral("gather*"), QStringLiteral("align"),
    QStringLiteral("align*"), QStringLiteral("aligned"), QStringLiteral("alignat"), QStringLiteral("alignat*"),
    QStringLiteral("alignedat"), QStringLiteral("split"), QStringLiteral("multline"), QStringLiteral("multline*"),
    QStringLiteral("flalign"), QStringLiteral("flalign*"), QStringLiteral("eqnarray"), QStringLiteral("eqnarray*")};
const QSet<QString> WrapperEnvironments = {QStringLiteral("equation"), QStringLiteral("equation*"),
                                           QStringLiteral("displaymath"), QStringLiteral("math")};
const QSet<QString> Relations = {"leq", "geq", "neq", "le", "ge", "ne", "approx", "equiv", "to", "sim",
                                 "simeq", "cong", "in", "subset", "subseteq", "supset", "supseteq",
                                 "rightarrow", "leftarrow", "Rightarrow", "Leftarrow", "iff", "implies",
                                 "mapsto", "ll", "gg", "propto", "quad", "qquad"};
const QSet<QString> StyleSwitches = {"displaystyle", "textstyle", "scriptstyle", "scriptscriptstyle",
                                     "rm", "bf", "it", "sf", "tt", "normalfont", "limits", "nolimits"};
const QSet<QString> StyleCommands = {"mathrm", "mathit", "mathsf", "mathtt", "mathnormal",
                                     "boldsymbol", "bm", "pmb", "smash", "mathstrut"};
// Atom classes set only the spacing around their argument.
const QSet<QString> AtomClasses = {"mathinner", "mathord", "mathrel", "mathbin", "mathopen", "mathclose",
                                   "mathpunct"};
const QSet<QString> TextCommands = {"text", "textrm", "textnormal", "mbox", "textup", "textit", "textbf",
                                    "textsf", "texttt", "hbox", "textmd", "textsl"};
// The commands whose plain text is the text kind: upright, in the text font.
const QSet<QString> UprightText = {"text", "textrm", "textnormal", "mbox", "textup"};
const QSet<QString> Unrepresented = {
    "root", "acute", "grave", "check", "mathring", "sideset",
    "not", "boxed", "color", "textcolor", "phantom", "hphantom", "vphantom", "cal", "atop", "genfrac", "hline", "cline", "hdotsfor", "intertext", "middle",
    "iiiint", "idotsint", "bigoplus", "bigotimes", "bigodot",
    "biguplus", "bigsqcup", "bigvee", "bigwedge", "eval", "fbox", "xmapsto",
    "xRightarrow", "xLeftarrow", "href", "url", "ref", "eqref", "lefteqn"};
const QSet<QString> SizedDelimiters = {"big", "Big", "bigg", "Bigg", "bigl", "bigr", "Bigl", "Bigr", "biggl",
                                       "biggr", "Biggl", "Biggr", "bigm", "Bigm", "biggm", "Biggm"};
// The named operators whose scripts TeX sets as limits in display.
const QSet<QString> LimitOperatorNames = {"lim", "liminf", "limsup", "max", "min", "sup", "inf", "det",
                                          "gcd", "Pr", "injlim", "projlim"};
const QSet<QString> Silent = {"nonumber", "notag", "allowbreak", "displaybreak", "nolinebreak", "relax"};

// The minus sign is what TeX sets for -, and what the writer writes it as: one character.
char16_t TexCharacter(char16_t C) { return C == 0x2212 ? u'-' : C; }

bool IsAsciiLetter(QChar C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }
// The blanks TeX skips; other spaces are characters.
bool IsTexSpace(QChar C) { return C == u' ' || C == u'\t' || C == u'\n' || C == u'\r'; }

class TLatexReader {
 public:
  TLatexReader(const QString& Text, const TLatexReadOptions& Options) : FOptions(Options) { S = Text; }

  TReadLosses Losses;

  TFormula Document() {
    TFormula Formula;
    TFormulaRun Current;
    QStringList Wrappers;
    for (;;) {
      for (TFormulaNode& Node : Run(stTop)) Current.push_back(std::move(Node));
      SkipSpace();
      if (AtEnd()) break;
      const qsizetype Start = P;
      if (S[P] == u'}') Refuse(QStringLiteral("a } closes no group"), Start);
      if (S[P] == u'&') Refuse(QStringLiteral("& stands outside a matrix"), Start);
      const QString Name = TakeControl();
      if (Name == QLatin1String("\\") || Name == QLatin1String("cr")) {
        SkipDimension();
        SkipSpace();
        // A \\ at the very end starts no line.
        if (AtEnd()) break;
        Formula.Lines.push_back(std::move(Current));
        Current.clear();
      } else if (Name == QLatin1String("begin")) {
        const QString Environment = EnvironmentName();
        if (WrapperEnvironments.contains(Environment)) {
          Wrappers.push_back(Environment);
        } else {  // a line environment: the run stops only there
          if (!Current.empty()) Refuse(Environment + QStringLiteral(" stands inside a line"), Start);
          std::vector<TFormulaRun> Rows = LineRows(Environment, Start);
          for (size_t I = 0; I + 1 < Rows.size(); ++I) Formula.Lines.push_back(std::move(Rows[I]));
          Current = std::move(Rows.back());
        }
      } else if (Name == QLatin1String("end")) {
        const QString Environment = EnvironmentName();
        if (Wrappers.isEmpty() || Wrappers.back() != Environment)
          Refuse(QStringLiteral("\\end{%1} ends no environment").arg(Environment), Start);
        Wrappers.pop_back();
      } else if (Name == QLatin1String("right")) {
        Refuse(QStringLiteral("\\right has no \\left"), Start);
      } else {
        Refuse(QStringLiteral("\\%1 has no element kind in this editor").arg(Name), Start);
      }
    }
    if (!Wrappers.isEmpty()) Refuse(QStringLiteral("\\begin{%1} is not closed").arg(Wrappers.back()), S.size());
    Formula.Lines.push_back(std::move(Current));
    return Formula;
  }

 private:
  [[noreturn]] void Refuse(const QString& Message, qsizetype Offset) { throw TReadRefusal{Message, Offset}; }

  bool AtEnd() const { return P >= S.size(); }

  void SkipSpace() {
    while (P < S.size()) {
      if (IsTexSpace(S[P])) {
        ++P;
      } else if (S[P] == u'%') {
        while (P < S.size() && S[P] != u'\n') ++P;
      } else {
        break;
      }
    }
  }

  // The name of the control sequence at P (without backslash), or empty when none is there.
  QString PeekControl(qsizetype* Length = nullptr) const {
    if (P + 1 >= S.size() || S[P] != u'\\') return QString();
    qsizetype End = P + 1;
    if (IsAsciiLetter(S[End])) {
      while (End < S.size() && IsAsciiLetter(S[End])) ++End;
      if (End < S.size() && S[End] == u'*' && S.mid(P + 1, End - P - 1) == QLatin1String("operatorname")) ++End;
    } else {
      ++End;
    }
    if (Length) *Length = End - P;
    return S.mid(P + 1, End - P - 1);
  }

  QString TakeControl() {
    qsizetype Length = 0;
    const QString Name = PeekControl(&Length);
    if (Length == 0) Refuse(QStringLiteral("a lone backslash"), P);
    P += Length;
    return Name;
  }

  QString EnvironmentName() {
    SkipSpace();
    const qsizetype Start = P;
    if (AtEnd() || S[P] != u'{') Refuse(QStringLiteral("an environment name in braces is missing"), Start);
    const qsizetype Close = S.indexOf(u'}', P);
    if (Close < 0) Refuse(QStringLiteral("the environment name is not closed"), Start);
    const QString Name = S.mid(P + 1, Close - P - 1).trimmed();
    P = Close + 1;
    return Name;
  }

  // An optional [dimension] after \\.
  void SkipDimension() {
    const qsizetype Save = P;
    SkipSpace();
    if (!AtEnd() && S[P] == u'[' && (FSource.NoBracketFrom < 0 || P < FSource.NoBracketFrom)) {
      const qsizetype Close = S.indexOf(u']', P);
      if (Close > 0) {
        P = Close + 1;
        return;
      }
      // Many a [ with no ] after it must not each search the rest of the text.
      FSource.NoBracketFrom = P;
    }
    P = Save;
  }

  // Where the group opened by the { at Open closes, -1 where it does not, by braces alone
  // (escaped ones and comments aside). All closes are found in one pass, the first time.
  qsizetype MatchingClose(qsizetype Open) {
    std::vector<qsizetype>& Closes = FSource.Closes;
    if (Closes.empty()) {
      Closes.assign(S.size(), -1);
      std::vector<qsizetype> Opens;
      for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'\\') {
          ++I;
        } else if (S[I] == u'%') {
          while (I + 1 < S.size() && S[I + 1] != u'\n') ++I;
        } else if (S[I] == u'{') {
          Opens.push_back(I);
        } else if (S[I] == u'}' && !Opens.empty()) {
          Closes[Opens.back()] = I;
          Opens.pop_back();
        }
      }
    }
    return Closes[Open];
  }

  bool StopsRun(int Stops) const {
    const QChar C = S[P];
    if (C == u'}' || C == u'&') return true;
    if ((Stops & stBracket) && C == u']') return true;
    if ((Stops & stDollar) && C == u'$') return true;
    if ((Stops & stRelation) &&
        (C == u'=' || C == u'<' || C == u'>' || C == u',' || C == u';' || C.unicode() == 8804 ||
         C.unicode() == 8805 || C.unicode() == 8800 || C.unicode() == 8776 || C.unicode() == 8801 ||
         C.unicode() == 8594))
      return true;
    const QString Name = PeekControl();
    if (Name.isEmpty()) return false;
    if (Name == QLatin1String("\\") || Name == QLatin1String("cr") || Name == QLatin1String("right") ||
        Name == QLatin1String("end") || Name == QLatin1String("middle"))
      return true;
    if ((Stops & stRelation) && Relations.contains(Name)) return true;
    if ((Stops & stTop) && Name == QLatin1String("begin")) {
      const qsizetype Open = S.indexOf(u'{', P);
      const qsizetype Close = Open < 0 ? -1 : S.indexOf(u'}', Open);
      if (Close < 0) return false;
      const QString Environment = S.mid(Open + 1, Close - Open - 1).trimmed();
      return LineEnvironments.contains(Environment) || WrapperEnvironments.contains(Environment);
    }
    return false;
  }

  // The items up to what stops the run, after Out (what an item before them began).
  TFormulaRun Run(int Stops, TFormulaRun Out = {}) {
    if (++FDepth > MaxReadDepth) Refuse(QStringLiteral("groups nest deeper than %1 levels").arg(MaxReadDepth), P);
    // Inside brackets of its own, a guessed operand runs on past relations and commas
    // (\sum_i P(i,j) keeps P(i,j) whole).
    int Open = 0;
    for (;;) {
      SkipSpace();
      if (AtEnd() || StopsRun(Open > 0 ? Stops & ~stRelation : Stops)) break;
      if (Stops & stRelation) {
        const QChar C = S[P];
        if (C == u'(' || C == u'[') ++Open;
        else if ((C == u')' || C == u']') && Open > 0) --Open;
      }
      const QString Name = PeekControl();
      if (Name == QLatin1String("over") || Name == QLatin1String("choose")) {
        TakeControl();
        TFormulaRun Below = Run(Stops & ~stTop);
        Out = RunOf(Name == QLatin1String("over") ? Fraction(std::move(Out), std::move(Below))
                                                  : Binomial(std::move(Out), std::move(Below)));
        break;
      }
      Item(Out, Stops & ~stTop);
    }
    --FDepth;
    return Out;
  }

  TFormulaNode Fraction(TFormulaRun Above, TFormulaRun Below, bool Small = false) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Division;
    Info.Small = Small;
    return MakeTemplate(Info, SlotsOf({std::move(Above), std::move(Below)}));
  }

  // \cfrac[l|c|r]{numerator}{denominator}.
  void ContinuedFraction(TFormulaRun& Out) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Division;
    Info.Continued = cfCentre;
    TFormulaRun Side;
    if (OptionalArgument(Side)) {
      const char32_t Letter = Side.size() == 1 && Side.front().Kind == TFormulaNode::Simple ? Side.front().Code : 0;
      if (Letter == U'l')
        Info.Continued = cfLeft;
      else if (Letter == U'r')
        Info.Continued = cfRight;
      else if (Letter != U'c')
        Losses.Add(QStringLiteral("a continued fraction's side other than l, c or r read as centred"));
    }
    TFormulaRun Above = Argument();
    Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Above), Argument()})));
  }

  static std::optional<TKindAccent> AccentByLatex(const QString& Name) {
    static const QHash<QString, TKindAccent> Marks = {
        {"sout", acStrike}, {"cancel", acSlash}, {"dot", acDot}, {"ddot", acDotTwo}, {"dddot", acDotThree},
        {"bar", acBar}, {"hat", acHat}, {"widehat", acHat}, {"tilde", acTilde}, {"widetilde", acTilde},
        {"vec", acArrowRight}, {"overrightharpoon", acHarpoonRight}, {"overleftharpoon", acHarpoonLeft},
        {"overgroup", acArcUp}, {"breve", acArcDown},
        // amsmath's capitals differ only in how they stack.
        {"Dot", acDot}, {"Ddot", acDotTwo}, {"Dddot", acDotThree}, {"Bar", acBar}, {"Hat", acHat},
        {"Tilde", acTilde}, {"Vec", acArrowRight}, {"Breve", acArcDown}};
    const auto It = Marks.constFind(Name);
    return It == Marks.constEnd() ? std::nullopt : std::optional<TKindAccent>(*It);
  }

  static TFormulaNode AccentNode(TKindAccent Mark, TFormulaRun Body) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Accent;
    Info.Mark = Mark;
    return MakeTemplate(Info, SlotsOf({std::move(Body)}));
  }

  void Root(TFormulaRun& Out) {
    TFormulaRun Degree;
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Root;
    Info.Degree = OptionalArgument(Degree);
    TFormulaRun Radicand = Argument();
    Out.push_back(Info.Degree ? MakeTemplate(Info, SlotsOf({std::move(Radicand), std::move(Degree)}))
                              : MakeTemplate(Info, SlotsOf({std::move(Radicand)})));
  }

  // \overset with an arrow over its base, Mark its first argument read: the accents whose
  // \over... commands are the bars'; anything else over a base is a stack.
  void OverSet(TFormulaRun& Out, TFormulaRun Mark) {
    const char16_t Code = Mark.size() == 1 && Mark.front().Kind != TFormulaNode::Template ? Mark.front().Code : 0;
    if (Code != 0x2190 && Code != 0x2194) {
      OverStack(Out, std::move(Mark));
      return;
    }
    Out.push_back(AccentNode(Code == 0x2190 ? acArrowLeft : acArrowRightLeft, Argument()));
  }

  // A braced group's content and what follows it: primes or a back prime make an accent of
  // it; scripts after an empty group are a slanted fraction ("{}^{a}\\!/_{b}"), a left index
  // ("{}_{a}^{b}{}", as our writer puts it) or an index; before "\\overline{\\smash{)}...}",
  // possibly under "\\overset{quotient}", it is the divisor of a long division; otherwise its
  // content joins the run. Each part is read once: none is given up and read again.
  void GroupItem(TFormulaRun Content, TFormulaRun& Out) {
    const qsizetype Save = P;
    SkipSpace();
    if (!AtEnd() && S[P] == u'\'') {
      int Count = 0;
      for (; Count < 3 && P < S.size() && S[P] == u'\''; ++Count) ++P;
      Out.push_back(AccentNode(TKindAccent(acPrime + Count - 1), std::move(Content)));
      return;
    }
    if (QStringView(S).mid(P).startsWith(u"^{\\backprime}")) {
      P += 13;
      Out.push_back(AccentNode(acBackPrime, std::move(Content)));
      return;
    }
    if (Content.empty() && ScriptFollows()) {
      EmptyGroupScripts(Out);
      return;
    }
    if (LongDivision(Content, Out)) return;
    P = Save;
    Splice(Out, std::move(Content));
  }

  void EmptyGroupScripts(TFormulaRun& Out) {
    const bool TopFirst = S[P] == u'^';
    TScripts Read = ReadScripts();
    if (TopFirst && !Read.HasBottom && SlashFollows()) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::SlashDivision;
      Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Read.Top), Argument()})));
      return;
    }
    const bool Left = EmptyGroupEndsLeftIndex();
    Out.push_back(IndexNode(Read.HasBottom, std::move(Read.Bottom), Read.HasTop, std::move(Read.Top), Left));
  }

  // "\\! / _" before a slanted fraction's denominator; taken when all three are there.
  bool SlashFollows() {
    const qsizetype Save = P;
    SkipSpace();
    if (PeekControl() != QLatin1String("!")) return Back(Save);
    TakeControl();
    SkipSpace();
    if (AtEnd() || S[P] != u'/') return Back(Save);
    ++P;
    SkipSpace();
    if (AtEnd() || S[P] != u'_') return Back(Save);
    ++P;
    return true;
  }

  // True when what follows the group Divisor went into the run: a long division, or an
  // \overset of its own whose mark was read in looking for one.
  bool LongDivision(TFormulaRun& Divisor, TFormulaRun& Out) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::LongDivision;
    TFormulaRun Quotient;
    qsizetype QuotientOpen = 0;
    if (PeekControl() == QLatin1String("overset")) {
      TakeControl();
      Quotient = Argument();
      if (!DividendFollows(true)) {
        Splice(Out, std::move(Divisor));
        OverSet(Out, std::move(Quotient));
        return true;
      }
      Info.Quotient = true;
      SkipSpace();
      QuotientOpen = P++;
    } else if (!DividendFollows(false)) {
      return false;
    }
    SkipSpace();
    TakeControl();
    SkipSpace();
    const qsizetype Open = P++;
    SkipSpace();
    P += 9;
    TFormulaRun Dividend = Run(stNone);
    ExpectClose(Open);
    if (Info.Quotient) {
      ExpectClose(QuotientOpen);
      Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Dividend), std::move(Divisor), std::move(Quotient)})));
    } else {
      Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Dividend), std::move(Divisor)})));
    }
    return true;
  }

  // Whether "\\overline{\\smash{)}dividend}" follows, with InQuotient inside braces of its
  // own and nothing after it there; nothing is read.
  bool DividendFollows(bool InQuotient) {
    const qsizetype Save = P;
    const auto Restore = qScopeGuard([&] { P = Save; });
    SkipSpace();
    if (InQuotient) {
      if (AtEnd() || S[P] != u'{') return false;
      ++P;
      SkipSpace();
    }
    if (PeekControl() != QLatin1String("overline")) return false;
    TakeControl();
    SkipSpace();
    if (AtEnd() || S[P] != u'{') return false;
    const qsizetype Open = P++;
    SkipSpace();
    if (!QStringView(S).mid(P).startsWith(u"\\smash{)}")) return false;
    if (!InQuotient) return true;
    // An unclosed dividend is refused where it opens, as in a long division.
    const qsizetype Close = MatchingClose(Open);
    if (Close < 0) return true;
    P = Close + 1;
    SkipSpace();
    return !AtEnd() && S[P] == u'}';
  }

  bool Back(qsizetype Save) {
    P = Save;
    return false;
  }

  static TFormulaNode Binomial(TFormulaRun Above, TFormulaRun Below, bool Small = false) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Binomial;
    Info.Small = Small;
    return MakeTemplate(Info, SlotsOf({std::move(Above), std::move(Below)}));
  }

  // A braced group; its content joins the run it stands in.
  TFormulaRun Group() {
    const qsizetype Start = P;
    ++P;
    TFormulaRun Content = Run(stNone);
    ExpectClose(Start);
    return Content;
  }

  void ExpectClose(qsizetype Start) {
    SkipSpace();
    if (AtEnd()) Refuse(QStringLiteral("the { here is not closed"), Start);
    if (S[P] == u'}') {
      ++P;
      return;
    }
    Unexpected();
  }

  [[noreturn]] void Unexpected() {
    if (S[P] == u'&') Refuse(QStringLiteral("& stands outside a matrix"), P);
    if (S[P] == u']') Refuse(QStringLiteral("] ends no optional argument"), P);
    const QString Name = PeekControl();
    if (Name == QLatin1String("right")) Refuse(QStringLiteral("\\right has no \\left"), P);
    if (Name == QLatin1String("middle")) Refuse(QStringLiteral("\\middle has no element kind in this editor"), P);
    if (Name == QLatin1String("end")) Refuse(QStringLiteral("\\end here closes no environment of this group"), P);
    if (Name == QLatin1String("\\")) Refuse(QStringLiteral("\\\\ stands inside a group"), P);
    Refuse(QStringLiteral("unexpected %1").arg(S[P]), P);
  }

  // One argument: a braced group or a single token.
  TFormulaRun Argument() {
    SkipSpace();
    if (AtEnd()) Refuse(QStringLiteral("an argument is missing at the end"), P);
    if (S[P] == u'{') return Group();
    if (StopsRun(stNone) || S[P] == u'^' || S[P] == u'_') Refuse(QStringLiteral("an argument is missing"), P);
    TFormulaRun Out;
    if (S[P] == u'\\') {
      Item(Out, stNone);
    } else {
      Out.push_back(CharacterNode(S[P].unicode()));
      ++P;
    }
    return Out;
  }

  // The content of [ ... ] when it follows.
  bool OptionalArgument(TFormulaRun& Content) {
    SkipSpace();
    if (AtEnd() || S[P] != u'[') return false;
    const qsizetype Start = P++;
    Content = Run(stBracket);
    SkipSpace();
    if (AtEnd() || S[P] != u']') Refuse(QStringLiteral("the [ here is not closed"), Start);
    ++P;
    return true;
  }

  // One item of a run: what it makes counts against the editor's element limit at once,
  // so that no text (macros above all) builds more than the editor would take.
  void Item(TFormulaRun& Out, int Stops) {
    const qsizetype Before = Out.size();
    FSpliced.push_back(0);
    ReadItem(Out, Stops);
    FElements += Out.size() - Before - FSpliced.back();
    FSpliced.pop_back();
    if (FElements > MaxElements)
      Refuse(QStringLiteral("the formula holds more than %1 elements, beyond what the editor holds").arg(MaxElements), P);
  }

  // Appends nodes an item read inside it (a group's, an argument's) to its run: they were
  // counted where they were made.
  void Splice(TFormulaRun& Out, TFormulaRun Content) {
    FSpliced.back() += Content.size();
    for (TFormulaNode& Node : Content) Out.push_back(std::move(Node));
  }

  void ReadItem(TFormulaRun& Out, int Stops) {
    const QChar C = S[P];
    switch (C.unicode()) {
      case u'{':
        GroupItem(Group(), Out);
        return;
      case u'^':
      case u'_':
        Out.push_back(Scripts());
        return;
      case u'~':
        ++P;
        Out.push_back(TFormulaNode::Symbol(160));
        return;
      case u'#': Refuse(QStringLiteral("a macro parameter # has no meaning in a formula"), P);
      case u'$': Refuse(QStringLiteral("a $ inside the formula"), P);
      case u'\\': Command(Out, Stops); return;
      default:
        ++P;
        // A character beyond 16 bits (a styled letter, say) is one element.
        if (C.isHighSurrogate() && !AtEnd() && S[P].isLowSurrogate()) {
          Out.push_back(TFormulaNode::Character(QChar::surrogateToUcs4(C, S[P])));
          ++P;
          return;
        }
        Out.push_back(C == u'\'' ? TFormulaNode::Character(u'\'') : CharacterNode(TexCharacter(C.unicode())));
    }
  }

  struct TScripts {
    bool HasBottom = false;
    bool HasTop = false;
    TFormulaRun Bottom;
    TFormulaRun Top;
  };

  // Any ^ and _ that follow, each at most once.
  TScripts ReadScripts() {
    TScripts Result;
    for (;;) {
      SkipSpace();
      if (AtEnd()) break;
      if (S[P] == u'_' && !Result.HasBottom) {
        ++P;
        Result.HasBottom = true;
        Result.Bottom = Argument();
      } else if (S[P] == u'^' && !Result.HasTop) {
        ++P;
        Result.HasTop = true;
        Result.Top = Argument();
      } else {
        break;
      }
    }
    return Result;
  }

  bool ScriptFollows() {
    SkipSpace();
    return !AtEnd() && (S[P] == u'^' || S[P] == u'_');
  }

  // "{}" after the scripts of an empty group, itself without scripts, makes them a left
  // index (as our writer puts it); it is taken.
  bool EmptyGroupEndsLeftIndex() {
    const qsizetype Save = P;
    SkipSpace();
    if (!AtEnd() && S[P] == u'{') {
      ++P;
      SkipSpace();
      if (!AtEnd() && S[P] == u'}') {
        ++P;
        if (!ScriptFollows()) return true;
      }
    }
    P = Save;
    return false;
  }

  TFormulaNode Scripts() {
    TScripts Read = ReadScripts();
    return IndexNode(Read.HasBottom, std::move(Read.Bottom), Read.HasTop, std::move(Read.Top));
  }

  void Command(TFormulaRun& Out, int Stops) {
    const qsizetype Start = P;
    QString Name = TakeControl();
    if (Name.size() == 1 && !IsAsciiLetter(Name[0])) {
      ControlSymbol(Name[0], Out, Start);
      return;
    }
    for (auto Macro = FOptions.Macros.constFind(Name); Macro != FOptions.Macros.constEnd();
         Macro = FOptions.Macros.constFind(Name)) {
      if (++FExpansions > MaxExpansions) Refuse(QStringLiteral("macros expand more than %1 times").arg(MaxExpansions), Start);
      // A body that only renames a command (\\wh for \\widehat) takes its arguments from
      // what follows.
      static const QRegularExpression Rename(QStringLiteral("^\\\\[A-Za-z]+$"));
      if (Macro->Arguments == 0 && Rename.match(Macro->Body).hasMatch()) {
        Name = Macro->Body.mid(1);
        continue;
      }
      GroupItem(Expansion(*Macro, Start), Out);
      return;
    }
    TOperatorSign Sign;
    if (BigOperatorByLatex(Name, Sign)) {
      BigOperator(Sign, Out, Stops, Start);
    } else if (Name == QLatin1String("frac") || Name == QLatin1String("dfrac") || Name == QLatin1String("tfrac")) {
      TFormulaRun Above = Argument();
      Out.push_back(Fraction(std::move(Above), Argument(), Name == QLatin1String("tfrac")));
    } else if (Name == QLatin1String("cfrac")) {
      ContinuedFraction(Out);
    } else if (Name == QLatin1String("substack")) {
      Substack(Out, Start);
    } else if (Name == QLatin1String("sqrt")) {
      Root(Out);
    } else if (const std::optional<TKindAccent> Mark = AccentByLatex(Name)) {
      Out.push_back(AccentNode(*Mark, Argument()));
    } else if (Name == QLatin1String("overset")) {
      OverSet(Out, Argument());
    } else if (Name == QLatin1String("leftroot") || Name == QLatin1String("uproot")) {
      Losses.Add(QStringLiteral("the placement of a root's degree dropped"));
      Argument();
    } else if (Name == QLatin1String("binom") || Name == QLatin1String("dbinom") || Name == QLatin1String("tbinom")) {
      TFormulaRun Above = Argument();
      Out.push_back(Binomial(std::move(Above), Argument(), Name == QLatin1String("tbinom")));
    } else if (Name == QLatin1String("left")) {
      Fence(Out, Start);
    } else if (SizedDelimiters.contains(Name)) {
      Losses.Add(QStringLiteral("sized delimiters read as characters"));
      if (const char16_t D = Delimiter()) Out.push_back(CharacterNode(D));
    } else if (Name == QLatin1String("begin")) {
      Environment(Out, Start);
    } else if (TextCommands.contains(Name)) {
      Text(Out, Name, Start);
    } else if (Name == QLatin1String("mathop")) {
      MathOp(Out, Stops, Start);
    } else if (Name == QLatin1String("overline") || Name == QLatin1String("underline")) {
      Bar(Out, Name, Start);
    } else if (Name == QLatin1String("underset")) {
      TFormulaRun Script = Argument();
      Out.push_back(UnderStack(std::move(Script), Argument()));
    } else if (Name == QLatin1String("stackrel")) {
      OverStack(Out, Argument());
    } else if (Name == QLatin1String("overbrace") || Name == QLatin1String("underbrace")) {
      Brace(Out, Name, Start);
    } else if (Name.startsWith(QLatin1String("over")) || Name.startsWith(QLatin1String("under"))) {
      OverUnderArrow(Out, Name, Start);
    } else if (Name == QLatin1String("xrightarrow") || Name == QLatin1String("xleftarrow") ||
               Name == QLatin1String("xleftrightarrow")) {
      LabelledArrow(Out, Name, Start);
    } else if (Name == QLatin1String("char")) {
      // The character by its code: a palette symbol's reads as that symbol, as the
      // character itself does, so that what is read writes back to the same.
      Out.push_back(CharacterNode(TexCharacter(CharCode(Start))));
    } else if (AtomClasses.contains(Name)) {
      Losses.Add(QStringLiteral("spacing classes (\\%1) dropped").arg(Name));
      Splice(Out, Argument());
    } else if (StyleCommands.contains(Name)) {
      Losses.Add(QStringLiteral("styles (\\%1) dropped").arg(Name));
      Splice(Out, Argument());
    } else if (const std::optional<TMathAlphabet> Alphabet = AlphabetByCommand(Name)) {
      Styled(Out, *Alphabet, Name);
    } else if (Name == QLatin1String("operatorname") || Name == QLatin1String("operatorname*")) {
      NamedOperator(Out, Argument());
    } else if (OperatorNames().contains(Name)) {
      TFormulaRun Letters;
      for (QChar L : Name) Letters.push_back(TFormulaNode::Character(L.unicode()));
      // TeX sets the scripts of \lim, \max, ... as limits in display, and of any name with
      // \limits; the operator kind keeps that and the name's upright letters.
      if (ScriptedOperator(Letters, Out, LimitOperatorNames.contains(Name))) return;
      NamedOperator(Out, std::move(Letters), false);
    } else if (Name == QLatin1String("pmod")) {
      Losses.Add(QStringLiteral("named operators read as letters"));
      // amsmath sets it 8 mu apart from what it follows (\; and \,), and "mod" 6 mu from
      // its argument (an operator name's thin space and one more).
      Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QStringLiteral(";"))->Code));
      Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QStringLiteral(","))->Code));
      for (QChar L : QStringLiteral("(mod")) Out.push_back(CharacterNode(L.unicode()));
      Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QStringLiteral(","))->Code));
      Splice(Out, Argument());
      Out.push_back(TFormulaNode::Character(u')'));
    } else if (StyleSwitches.contains(Name)) {
      if (Name == QLatin1String("limits") || Name == QLatin1String("nolimits"))
        Refuse(QStringLiteral("\\%1 follows no big operator").arg(Name), Start);
      Losses.Add(QStringLiteral("style switches dropped"));
    } else if (Name == QLatin1String("qquad")) {
      Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QStringLiteral("quad"))->Code));
      Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QStringLiteral("quad"))->Code));
    } else if (Name == QLatin1String("hspace") || Name == QLatin1String("mspace") || Name == QLatin1String("tag") ||
               Name == QLatin1String("label")) {
      if (Name != QLatin1String("label"))
        Losses.Add(Name == QLatin1String("tag") ? QStringLiteral("equation tags dropped") : QStringLiteral("spacing dropped"));
      SkipSpace();
      if (!AtEnd() && S[P] == u'*') ++P;
      Raw(Start);
    } else if (Silent.contains(Name)) {
      // No mark in the formula.
    } else if (const TSymbol* Symbol = SymbolByLatex(Name)) {
      Out.push_back(TFormulaNode::Symbol(Symbol->Code));
    } else if (const char16_t Char = ForeignSymbolChar(Name)) {
      Out.push_back(CharacterNode(Char));
    } else if (Unrepresented.contains(Name)) {
      Refuse(QStringLiteral("\\%1 has no element kind in this editor").arg(Name), Start);
    } else {
      Refuse(QStringLiteral("unknown command \\%1").arg(Name), Start);
    }
  }

  void ControlSymbol(QChar C, TFormulaRun& Out, qsizetype Start) {
    switch (C.unicode()) {
      case u' ': Out.push_back(TFormulaNode::Character(u' ')); return;
      case u',': case u':': case u';': case u'>':
        Out.push_back(TFormulaNode::Symbol(SymbolByLatex(QString(C))->Code));
        return;
      case u'!': Losses.Add(QStringLiteral("spacing dropped")); return;
      case u'{': case u'}': case u'#': case u'$': case u'%': case u'&': case u'_':
        Out.push_back(TFormulaNode::Character(C.unicode()));
        return;
      case u'|': Out.push_back(CharacterNode(0x2016)); return;
      default: Refuse(QStringLiteral("unknown command \\%1").arg(C), Start);
    }
  }

  // The braced text after a command, unread.
  QString Raw(qsizetype Start) {
    SkipSpace();
    if (AtEnd() || S[P] != u'{') Refuse(QStringLiteral("an argument in braces is missing"), Start);
    const qsizetype Open = P;
    int Depth = 0;
    for (; P < S.size(); ++P) {
      if (S[P] == u'{') ++Depth;
      if (S[P] == u'}' && --Depth == 0) break;
    }
    if (P >= S.size()) Refuse(QStringLiteral("the { here is not closed"), Open);
    ++P;
    return S.mid(Open + 1, P - Open - 2);
  }

  char16_t CharCode(qsizetype Start) {
    SkipSpace();
    int Base = 10;
    if (!AtEnd() && S[P] == u'"') Base = 16;
    if (!AtEnd() && S[P] == u'\'') Base = 8;
    if (Base != 10) ++P;
    const qsizetype First = P;
    while (P < S.size() && P - First < 8 && QStringLiteral("0123456789ABCDEFabcdef").left(Base == 16 ? 22 : Base).contains(S[P])) ++P;
    bool Ok = false;
    const unsigned Code = S.mid(First, P - First).toUInt(&Ok, Base);
    if (!Ok || Code > 0xFFFF) Refuse(QStringLiteral("\\char needs a character code up to FFFF"), Start);
    return static_cast<char16_t>(Code);
  }

  void BigOperator(const TOperatorSign& Sign, TFormulaRun& Out, int Stops, qsizetype Start) {
    int Placement = 0;  // \limits 1, \nolimits -1
    for (;;) {
      SkipSpace();
      const QString Name = PeekControl();
      if (Name == QLatin1String("limits")) Placement = 1;
      else if (Name == QLatin1String("nolimits")) Placement = -1;
      else if (Name == QLatin1String("displaylimits")) Placement = 0;
      else break;
      TakeControl();
    }
    TScripts Read = ReadScripts();
    const bool Scripted = Read.HasBottom || Read.HasTop;
    SkipSpace();
    TFormulaRun Operand;
    if (!AtEnd() && S[P] == u'{') {
      Operand = Group();
    } else if (AtEnd() || StopsRun(Stops)) {
      // Alone, the sign is a symbol.
      if (!Scripted && Sign.Size == 1 && !Sign.Ring && Sign.Operator <= TTemplateInfo::Coproduct) {
        Out.push_back(TFormulaNode::Symbol(BigOperatorChar(Sign.Operator, 1, false)));
        return;
      }
    } else {
      // Up to the next relation, as TeX spaces it: no loss to state.
      Operand = Run(Stops | stRelation);
    }
    const bool Limits = Placement == 1 || (Placement == 0 && Sign.Operator != TTemplateInfo::Integral && FOptions.Display);
    const TTemplateInfo* Info = BigOperatorTemplate(Sign.Operator, Sign.Size, Sign.Ring, Read.HasBottom, Read.HasTop, Limits);
    if (!Info) Refuse(QStringLiteral("this big operator with these limits has no element kind in this editor"), Start);
    Out.push_back(BigOperatorNode(*Info, std::move(Operand), std::move(Read.Bottom), std::move(Read.Top)));
  }

  void MathOp(TFormulaRun& Out, int Stops, qsizetype Start) {
    // \mathop{\oiint} is the operator itself.
    const qsizetype Save = P;
    SkipSpace();
    if (!AtEnd() && S[P] == u'{') {
      ++P;
      SkipSpace();
      TOperatorSign Sign;
      const QString Name = PeekControl();
      if (!Name.isEmpty() && BigOperatorByLatex(Name, Sign)) {
        TakeControl();
        SkipSpace();
        if (!AtEnd() && S[P] == u'}') {
          ++P;
          BigOperator(Sign, Out, Stops, Start);
          return;
        }
      }
    }
    P = Save;
    NamedOperator(Out, Argument());
  }

  // An operator's name (\mathop{..}, \operatorname{..}, \lim ...): with \limits or
  // \nolimits and scripts an operator with scripts, else its letters. Counted: whether
  // the letters were counted where they were read.
  void NamedOperator(TFormulaRun& Out, TFormulaRun Base, bool Counted = true) {
    SkipSpace();
    const QString Placement = PeekControl();
    if ((Placement == QLatin1String("limits") || Placement == QLatin1String("nolimits")) &&
        ScriptedOperator(Base, Out, false))
      return;
    Losses.Add(QStringLiteral("named operators read as letters"));
    if (Counted)
      Splice(Out, std::move(Base));
    else
      for (TFormulaNode& Letter : Base) Out.push_back(std::move(Letter));
  }

  // The scripts after an operator's base (its \limits or \nolimits first), if any follow:
  // as limits with \limits, or with neither where LimitsInDisplay says and the formula is
  // displayed, else beside it. False, and nothing read, when no script follows.
  bool ScriptedOperator(TFormulaRun& Base, TFormulaRun& Out, bool LimitsInDisplay) {
    const qsizetype At = P;
    SkipSpace();
    bool Limits = LimitsInDisplay && FOptions.Display;
    if (const QString Placement = PeekControl();
        Placement == QLatin1String("limits") || Placement == QLatin1String("nolimits")) {
      TakeControl();
      Limits = Placement == QLatin1String("limits");
    }
    TScripts Read = ReadScripts();
    if (!Read.HasBottom && !Read.HasTop) {
      P = At;
      return false;
    }
    const TGroupOption Bottom = Limits ? goLimitBottom : goIndexBottom;
    const TGroupOption Top = Limits ? goLimitTop : goIndexTop;
    const TGroupOptions Options = Read.HasBottom && Read.HasTop ? TGroupOptions{Bottom, Top}
                                  : Read.HasBottom              ? TGroupOptions{Bottom}
                                                                : TGroupOptions{Top};
    Out.push_back(ScriptedNode(Options, true, std::move(Base), std::move(Read.Bottom), std::move(Read.Top)));
    return true;
  }

  char16_t Delimiter() {
    SkipSpace();
    if (AtEnd()) Refuse(QStringLiteral("a delimiter is missing"), P);
    const qsizetype Start = P;
    const QChar C = S[P];
    if (C != u'\\') {
      ++P;
      if (C == u'.') return 0;
      if (C == u'<') return 0x27E8;
      if (C == u'>') return 0x27E9;
      if (QStringLiteral("()[]|/").contains(C) || C.unicode() > 0x7F) return TexCharacter(C.unicode());
      Refuse(QStringLiteral("%1 is no delimiter").arg(C), Start);
    }
    const QString Name = TakeControl();
    if (Name == QLatin1String("{") || Name == QLatin1String("}")) return Name[0].unicode();
    if (Name == QLatin1String("|")) return 0x2016;
    if (const char16_t Char = ForeignSymbolChar(Name)) return Char;
    if (const TSymbol* Symbol = SymbolByLatex(Name)) return Symbol->MathChar;
    Refuse(QStringLiteral("\\%1 is no delimiter").arg(Name), Start);
  }

  void Fence(TFormulaRun& Out, qsizetype Start) {
    const char16_t Left = Delimiter();
    std::vector<TFormulaRun> Parts;
    Parts.push_back(Run(stNone));
    SkipSpace();
    char16_t Middle = 0;
    while (!AtEnd() && PeekControl() == QLatin1String("middle")) {
      const qsizetype At = P;
      TakeControl();
      const char16_t Next = Delimiter();
      if (!Next) Refuse(QStringLiteral("\\middle needs a delimiter"), At);
      if (Middle && Next != Middle) Refuse(QStringLiteral("a \\middle unlike the first has no element kind in this editor"), At);
      Middle = Next;
      Parts.push_back(Run(stNone));
      SkipSpace();
    }
    if (AtEnd() || PeekControl() != QLatin1String("right")) Refuse(QStringLiteral("\\left has no \\right"), Start);
    TakeControl();
    const char16_t Right = Delimiter();
    // Delimiters that form no pair leave their content in the run.
    if (!FenceByChars(Left, Middle, Right)) {
      qsizetype Spliced = 0;
      for (const TFormulaRun& Part : Parts) Spliced += Part.size();
      FSpliced.back() += Spliced;
    }
    FencedNodes(Left, std::move(Parts), Middle, Right, Out, Losses);
  }

  static TFormulaNode UnderStack(TFormulaRun Script, TFormulaRun Base) {
    return ScriptedNode({goLimitBottom}, false, std::move(Base), std::move(Script), {});
  }

  // \overset{top}{base}, Script the top read; over a group that is just an \underset it is
  // one stack with both scripts.
  void OverStack(TFormulaRun& Out, TFormulaRun Script) {
    SkipSpace();
    if (!AtEnd() && S[P] == u'{') {
      const qsizetype Open = P;
      ++P;
      SkipSpace();
      if (PeekControl() == QLatin1String("underset")) {
        TakeControl();
        TFormulaRun Bottom = Argument();
        TFormulaRun Base = Argument();
        SkipSpace();
        if (!AtEnd() && S[P] == u'}') {
          ++P;
          Out.push_back(ScriptedNode({goLimitTop, goLimitBottom}, false, std::move(Base), std::move(Bottom), std::move(Script)));
          return;
        }
        // More follows the \underset in the group: it is the base's first item.
        TFormulaRun Content = Run(stNone, RunOf(UnderStack(std::move(Bottom), std::move(Base))));
        ExpectClose(Open);
        Out.push_back(ScriptedNode({goLimitTop}, false, std::move(Content), {}, std::move(Script)));
        return;
      }
      P = Open;
    }
    Out.push_back(ScriptedNode({goLimitTop}, false, Argument(), {}, std::move(Script)));
  }

  // \overbrace{body}^{label} and \underbrace{body}_{label}; the label may be left out.
  void Brace(TFormulaRun& Out, const QString& Name, qsizetype Start) {
    const bool Over = Name == QLatin1String("overbrace");
    TFormulaRun Body = Argument();
    TScripts Read = ReadScripts();
    if (Over ? Read.HasBottom : Read.HasTop)
      Refuse(QStringLiteral("a script on the far side of \\%1 has no element kind in this editor").arg(Name), Start);
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Brace;
    Info.Align = Over ? aeTop : aeBottom;
    Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Body), Over ? std::move(Read.Top) : std::move(Read.Bottom)})));
  }

  static TFormulaNode VectorNode(TKindArrow Heads, TAlignEA Align, TFormulaRun Body) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Vector;
    Info.Heads = Heads;
    Info.Align = Align;
    return MakeTemplate(Info, SlotsOf({std::move(Body)}));
  }

  void Bar(TFormulaRun& Out, const QString& Name, qsizetype Start) {
    const TAlignEA Align = Name == QLatin1String("overline") ? aeBottom : aeTop;
    SkipSpace();
    if (AtEnd()) Refuse(QStringLiteral("\\%1 needs an argument").arg(Name), Start);
    // The same bar as the whole argument, unbraced, makes a double bar.
    if (S[P] == u'{') {
      const qsizetype Open = P++;
      SkipSpace();
      const qsizetype Inner = P;
      if (PeekControl() == Name) {
        TakeControl();
        SkipSpace();
        if (!AtEnd() && S[P] != u'{') {
          // A single token: read, it either closes the group or begins its content.
          TFormulaRun Body = Argument();
          SkipSpace();
          if (!AtEnd() && S[P] == u'}') {
            ++P;
            Out.push_back(VectorNode(TKindArrow{kaDouble}, Align, std::move(Body)));
            return;
          }
          TFormulaRun Content = Run(stNone, RunOf(VectorNode(TKindArrow{}, Align, std::move(Body))));
          ExpectClose(Open);
          Out.push_back(VectorNode(TKindArrow{}, Align, std::move(Content)));
          return;
        }
        // A braced argument: where it closes tells, before it is read.
        const qsizetype Close = AtEnd() ? -1 : MatchingClose(P);
        P = Close < 0 ? P : Close + 1;
        SkipSpace();
        const bool Double = Close >= 0 && !AtEnd() && S[P] == u'}';
        P = Inner;
        if (Double) {
          TakeControl();
          TFormulaRun Body = Argument();
          ExpectClose(Open);
          Out.push_back(VectorNode(TKindArrow{kaDouble}, Align, std::move(Body)));
          return;
        }
      }
      P = Open;
    }
    Out.push_back(VectorNode(TKindArrow{}, Align, Argument()));
  }

  void OverUnderArrow(TFormulaRun& Out, const QString& Name, qsizetype Start) {
    const bool Over = Name.startsWith(QLatin1String("over"));
    const QString Arrow = Name.mid(Over ? 4 : 5);
    TKindArrow Heads;
    if (Arrow == QLatin1String("rightarrow")) Heads = {kaRight};
    else if (Arrow == QLatin1String("leftarrow")) Heads = {kaLeft};
    else if (Arrow == QLatin1String("leftrightarrow")) Heads = {kaRight, kaLeft};
    else Refuse(QStringLiteral("\\%1 has no element kind in this editor").arg(Name), Start);
    Out.push_back(VectorNode(Heads, Over ? aeBottom : aeTop, Argument()));
  }

  void LabelledArrow(TFormulaRun& Out, const QString& Name, qsizetype Start) {
    TFormulaRun Below;
    const bool HasBelow = OptionalArgument(Below);
    TFormulaRun Above = Argument();
    if (HasBelow && !Below.empty() && !Above.empty())
      Refuse(QStringLiteral("an arrow labelled above and below has no element kind in this editor"), Start);
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Arrow;
    Info.Heads = Name == QLatin1String("xrightarrow")  ? TKindArrow{kaRight}
                 : Name == QLatin1String("xleftarrow") ? TKindArrow{kaLeft}
                                                       : TKindArrow{kaRight, kaLeft};
    Info.Align = HasBelow && Above.empty() ? aeBottom : aeTop;
    Out.push_back(MakeTemplate(Info, SlotsOf({Info.Align == aeBottom ? std::move(Below) : std::move(Above)})));
  }

  // A styled argument: each letter or digit becomes its alphabet's character; what the
  // alphabet has none for stays plain, and the loss is said.
  void Styled(TFormulaRun& Out, TMathAlphabet Alphabet, const QString& Name) {
    TFormulaRun Content = Argument();
    for (TFormulaNode& Node : Content) {
      const char32_t Code = Node.Kind == TFormulaNode::Simple ? StyledCharacter(Alphabet, Node.Code) : 0;
      if (Code)
        Node.Code = Code;
      else
        Losses.Add(QStringLiteral("styles (\\%1) dropped").arg(Name));
    }
    Splice(Out, std::move(Content));
  }

  void Text(TFormulaRun& Out, const QString& Name, qsizetype Start) {
    SkipSpace();
    if (AtEnd() || S[P] != u'{') Refuse(QStringLiteral("\\%1 needs an argument in braces").arg(Name), Start);
    const qsizetype Open = P++;
    // The characters as text mode has them; math in $...$ as math.
    TFormulaRun Body;
    qsizetype MathNodes = 0;  // counted where they were read
    bool Characters = true;  // nothing but characters the writer puts in \text{...} alone
    int Depth = 1;
    for (;;) {
      if (AtEnd()) Refuse(QStringLiteral("the { here is not closed"), Open);
      const QChar C = S[P];
      if (C == u'{') {
        ++Depth;
        ++P;
      } else if (C == u'}') {
        ++P;
        if (--Depth == 0) break;
      } else if (IsTexSpace(C)) {
        while (P < S.size() && IsTexSpace(S[P])) ++P;
        Body.push_back(TFormulaNode::Character(u' '));
        Characters = false;
      } else if (C == u'~') {
        ++P;
        Body.push_back(TFormulaNode::Symbol(160));
        Characters = false;
      } else if (C == u'$') {
        const qsizetype Dollar = P++;
        TFormulaRun Math = Run(stDollar);
        MathNodes += Math.size();
        for (TFormulaNode& Node : Math) Body.push_back(std::move(Node));
        if (AtEnd() || S[P] != u'$') Refuse(QStringLiteral("the $ here is not closed"), Dollar);
        ++P;
        Characters = false;
      } else if (C == u'\\') {
        const qsizetype At = P;
        const QString Command = TakeControl();
        char32_t Code = 0;
        if (Command == QLatin1String("textasciitilde")) Code = u'~';
        else if (Command == QLatin1String("textasciicircum")) Code = u'^';
        else if (Command == QLatin1String("textbackslash")) Code = u'\\';
        else if (Command == QLatin1String("char")) Code = CharCode(At);
        else if (Command.size() == 1 && QStringLiteral(" #$%&_{}").contains(Command[0])) Code = Command[0].unicode();
        else Refuse(QStringLiteral("\\%1 inside \\%2 has no element kind in this editor").arg(Command, Name), At);
        // A control word and a control space end at the blanks after them.
        if (Command.size() > 1 || Command == QLatin1String(" ")) SkipSpace();
        Characters = Characters && WrittenAsText(Code);
        Body.push_back(TFormulaNode::Character(Code));
      } else {
        const char32_t Code = C.isHighSurrogate() && P + 1 < S.size() && S[P + 1].isLowSurrogate()
                                  ? QChar::surrogateToUcs4(C, S[P + 1])
                                  : C.unicode();
        P += Code > 0xFFFF ? 2 : 1;
        Characters = Characters && WrittenAsText(Code);
        Body.push_back(TFormulaNode::Character(Code));
      }
    }
    // What the writer puts in \text{...} for want of a math symbol is those characters;
    // other plain text in an upright text command is text.
    const bool Escape = Name == QLatin1String("text") && Characters && !Body.empty();
    if (UprightText.contains(Name) && !Escape) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Text;
      FElements += Body.size() - MathNodes;
      Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Body)})));
      return;
    }
    // Only what the writer puts in text is text; anything else reads as math mode has it
    // (a palette symbol where there is one).
    for (TFormulaNode& Node : Body)
      if (Node.Kind == TFormulaNode::Simple && Node.Code <= 0xFFFF && !WrittenAsText(Node.Code) && Node.Code != u' ')
        Node = CharacterNode(TexCharacter(static_cast<char16_t>(Node.Code)));
    if (!Escape) Losses.Add(QStringLiteral("text read as math characters"));
    FSpliced.back() += MathNodes;
    for (TFormulaNode& Node : Body) Out.push_back(std::move(Node));
  }

  // The rows of a matrix or line environment, cells as runs, up to its \end.
  std::vector<std::vector<TFormulaRun>> Rows(const QString& Environment, qsizetype Start) {
    std::vector<std::vector<TFormulaRun>> Result(1);
    // After a \\ that ends the last row (as pandoc writes every row) no cell follows.
    bool LastRowEnded = false;
    for (;;) {
      if (!std::exchange(LastRowEnded, false)) Result.back().push_back(Run(stNone));
      SkipSpace();
      if (AtEnd()) Refuse(QStringLiteral("\\begin{%1} is not closed").arg(Environment), Start);
      if (S[P] == u'&') {
        ++P;
        continue;
      }
      const QString Name = PeekControl();
      if (Name == QLatin1String("\\") || Name == QLatin1String("cr")) {
        TakeControl();
        SkipDimension();
        SkipSpace();
        // A \\ that ends the last row starts none.
        if (PeekControl() != QLatin1String("end"))
          Result.emplace_back();
        else
          LastRowEnded = true;
        continue;
      }
      if (Name == QLatin1String("end")) {
        const qsizetype At = P;
        TakeControl();
        if (EnvironmentName() != Environment) Refuse(QStringLiteral("\\begin{%1} is not closed here").arg(Environment), At);
        return Result;
      }
      Unexpected();
    }
  }

  // The lines of a line environment; an & of an aligning one is an alignment mark.
  std::vector<TFormulaRun> LineRows(const QString& Environment, qsizetype Start) {
    const bool Aligning = !Environment.startsWith(QLatin1String("gather")) && !Environment.startsWith(QLatin1String("multline"));
    if (Environment.startsWith(QLatin1String("alignat")) || Environment.startsWith(QLatin1String("alignedat"))) Raw(Start);
    if (const QString Loss = LineEnvironmentLoss(Environment); !Loss.isEmpty()) Losses.Add(Loss);
    std::vector<TFormulaRun> Lines;
    for (auto& Row : Rows(Environment, Start)) {
      if (Row.size() > 1 && !Aligning) Losses.Add(QStringLiteral("alignment points dropped"));
      TFormulaRun Line;
      for (size_t C = 0; C < Row.size(); ++C) {
        if (C > 0 && Aligning) Line.push_back(AlignMarkNode());
        for (TFormulaNode& Node : Row[C]) Line.push_back(std::move(Node));
      }
      Lines.push_back(std::move(Line));
    }
    return Lines;
  }

  // \substack{a\\b}: the lines of a limit, as a one-column matrix.
  void Substack(TFormulaRun& Out, qsizetype Start) {
    SkipSpace();
    if (AtEnd() || S[P] != u'{') Refuse(QStringLiteral("\\substack needs a braced argument"), Start);
    const qsizetype Open = P++;
    std::vector<std::vector<TFormulaRun>> Rows;
    for (;;) {
      Rows.push_back({});
      Rows.back().push_back(Run(stNone));
      SkipSpace();
      if (PeekControl() != QLatin1String("\\")) break;
      TakeControl();
      SkipSpace();
      // A \\ that ends the last line starts none.
      if (!AtEnd() && S[P] == u'}') break;
    }
    ExpectClose(Open);
    Losses.Add(QStringLiteral("stacked limits read as a matrix"));
    Out.push_back(MatrixNode(std::move(Rows), Losses));
  }

  // What the lines and marks do not keep of an environment.
  static QString LineEnvironmentLoss(const QString& Environment) {
    static const QHash<QString, QString> Lost = {
        {"multline", "multline's placement of the first and last line dropped"},
        {"multline*", "multline's placement of the first and last line dropped"},
        {"flalign", "flalign's spread to the full width dropped"},
        {"flalign*", "flalign's spread to the full width dropped"},
        {"alignat", "alignat's column spacing dropped"},
        {"alignat*", "alignat's column spacing dropped"},
        {"alignedat", "alignat's column spacing dropped"},
        {"eqnarray", "eqnarray's centred middle column dropped"},
        {"eqnarray*", "eqnarray's centred middle column dropped"}};
    return Lost.value(Environment);
  }

  void Environment(TFormulaRun& Out, qsizetype Start) {
    const QString Name = EnvironmentName();
    static const QHash<QString, int> Fences = {{"matrix", -1}, {"smallmatrix", -1}, {"array", -1}, {"subarray", -1},
                                              {"pmatrix", kbRound}, {"bmatrix", kbSquare},
                                              {"Bmatrix", kbFigure}, {"vmatrix", kbModule},
                                              {"Vmatrix", kbDModule}, {"cases", -2}};
    if (!Fences.contains(Name)) {
      if (LineEnvironments.contains(Name) || WrapperEnvironments.contains(Name))
        Refuse(QStringLiteral("%1 stands inside a formula").arg(Name), Start);
      Refuse(QStringLiteral("the environment %1 has no element kind in this editor").arg(Name), Start);
    }
    if (Name == QLatin1String("array") || Name == QLatin1String("subarray")) {
      Raw(Start);
      Losses.Add(QStringLiteral("array column formats dropped"));
    }
    if (Name == QLatin1String("smallmatrix")) Losses.Add(QStringLiteral("styles (smallmatrix) dropped"));
    TFormulaNode Matrix = MatrixNode(Rows(Name, Start), Losses);
    const int Fence = Fences.value(Name);
    if (Fence == -2) {  // cases: a brace on the left only
      FencedNodes(u'{', RunOf(std::move(Matrix)), 0, Out, Losses);
      return;
    }
    if (Fence < 0) {
      Out.push_back(std::move(Matrix));
      return;
    }
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Brackets;
    Info.Bracket = static_cast<TKindBracket>(Fence);
    Out.push_back(MakeTemplate(Info, SlotsOf({RunOf(std::move(Matrix))})));
  }

  // The body of the macro call that began at Start, its arguments taken from what follows
  // and put in, read as a group of its own: a fault in it is placed at the call.
  TFormulaRun Expansion(const TLatexMacro& Macro, qsizetype Start) {
    QString Body = Macro.Body;
    for (int I = 1; I <= Macro.Arguments; ++I) {
      SkipSpace();
      if (AtEnd()) Refuse(QStringLiteral("a macro argument is missing"), Start);
      QString Argument;
      if (S[P] == u'{') {
        Argument = Raw(Start);
      } else if (S[P] == u'\\') {
        const qsizetype From = P;
        TakeControl();
        Argument = S.mid(From, P - From);
      } else {
        Argument = S[P++];
      }
      // (A space keeps a control word in the body from running into the argument.)
      Body.replace(QLatin1Char('#') + QString::number(I), QLatin1Char(' ') + Argument);
    }
    // What macros make is bounded by what the editor holds, however they nest.
    FExpanded += Body.size();
    if (FExpanded > MaxExpanded)
      Refuse(QStringLiteral("macros make more than %1 characters").arg(MaxExpanded), Start);
    TSource Outer;
    Outer.Text = QLatin1Char('{') + Body + QLatin1Char('}');
    std::swap(FSource, Outer);
    const auto Back = qScopeGuard([&] { std::swap(FSource, Outer); });
    try {
      TFormulaRun Content = Group();
      SkipSpace();
      if (!AtEnd()) Refuse(QStringLiteral("the body of a macro closes a group it did not open"), P);
      return Content;
    } catch (TReadRefusal& Refusal) {
      Refusal.Offset = Start;
      throw;
    }
  }

  static constexpr int MaxExpansions = 10000;
  // A formula's text needs only a few characters an element.
  static constexpr qsizetype MaxExpanded = 16 * qsizetype{MaxElements};

  // A text being read (the formula's, or a macro's body) and where the reader stands.
  struct TSource {
    QString Text;
    qsizetype At = 0;
    // The close of each { once looked for (-1 for none), and where no ] follows any more.
    std::vector<qsizetype> Closes;
    qsizetype NoBracketFrom = -1;
  };
  TSource FSource;
  QString& S = FSource.Text;
  qsizetype& P = FSource.At;
  const TLatexReadOptions FOptions;
  int FExpansions = 0;
  qsizetype FExpanded = 0;
  int FDepth = 0;
  qsizetype FElements = 0;
  // Of each item being read, inside one another: how many nodes it took over from within.
  std::vector<qsizetype> FSpliced;
};

// The Data text of the %zelk-data line, if there is one.
std::optional<QString> DataLine(const QString& Text) {
  for (qsizetype At = Text.indexOf(DataMark); At >= 0; At = Text.indexOf(DataMark, At + 1)) {
    qsizetype LineStart = At;
    while (LineStart > 0 && Text[LineStart - 1] != u'\n' && Text[LineStart - 1].isSpace()) --LineStart;
    if (LineStart > 0 && Text[LineStart - 1] != u'\n') continue;
    const qsizetype End = Text.indexOf(u'\n', At);
    return Text.mid(At + DataMark.size(), (End < 0 ? Text.size() : End) - At - DataMark.size()).trimmed();
  }
  return std::nullopt;
}
}  // namespace

TLatexMacros ReadLatexMacros(const QString& Document) {
  TLatexMacros Macros;
  // The braced group or single control sequence at Pos, moved past.
  const auto Group = [&Document](qsizetype& Pos) -> QString {
    while (Pos < Document.size() && Document[Pos].isSpace()) ++Pos;
    if (Pos >= Document.size()) return QString();
    if (Document[Pos] == u'\\') {
      const qsizetype From = Pos++;
      while (Pos < Document.size() && IsAsciiLetter(Document[Pos])) ++Pos;
      return Document.mid(From, Pos - From);
    }
    if (Document[Pos] != u'{') return QString();
    int Depth = 0;
    const qsizetype From = Pos;
    for (; Pos < Document.size(); ++Pos) {
      if (Document[Pos] == u'\\') ++Pos;
      else if (Document[Pos] == u'{') ++Depth;
      else if (Document[Pos] == u'}' && --Depth == 0) break;
    }
    return Document.mid(From + 1, (Pos++) - From - 1);
  };
  static const QRegularExpression Definition(
      QStringLiteral("\\\\(newcommand|renewcommand|DeclareMathOperator\\*?|let)(?![a-zA-Z])"));
  for (auto It = Definition.globalMatch(Document); It.hasNext();) {
    const auto Match = It.next();
    qsizetype Pos = Match.capturedEnd();
    const QString Name = Group(Pos).trimmed().mid(1);
    if (Name.isEmpty()) continue;
    const QString Kind = Match.captured(1);
    if (Kind == QLatin1String("let")) {
      while (Pos < Document.size() && (Document[Pos].isSpace() || Document[Pos] == u'=')) ++Pos;
      const QString Target = Group(Pos).mid(1);
      if (Macros.contains(Target)) Macros.insert(Name, Macros.value(Target));
      continue;
    }
    if (Kind.startsWith(QLatin1String("Declare"))) {
      Macros.insert(Name, {0, QStringLiteral("\\operatorname{") + Group(Pos) + QLatin1Char('}')});
      continue;
    }
    int Arguments = 0;
    while (Pos < Document.size() && Document[Pos].isSpace()) ++Pos;
    if (Pos < Document.size() && Document[Pos] == u'[') {
      const qsizetype Close = Document.indexOf(u']', Pos);
      if (Close < 0) continue;
      Arguments = Document.mid(Pos + 1, Close - Pos - 1).toInt();
      Pos = Close + 1;
      while (Pos < Document.size() && Document[Pos].isSpace()) ++Pos;
      if (Pos < Document.size() && Document[Pos] == u'[') continue;  // an optional argument
    }
    Macros.insert(Name, {Arguments, Group(Pos)});
  }
  return Macros;
}

TReadResult ReadLatex(const QString& Text, const TLatexReadOptions& Options) {
  if (TReadResult Check = CheckControlCharacters(Text); !Check.Ok()) return Check;
  if (Options.PreferData) {
    if (const std::optional<QString> Data = DataLine(Text)) return ReadDataAnnotation(*Data);
  }
  TLatexReader Reader(Text, Options);
  try {
    return FinishRead(Reader.Document(), Reader.Losses);
  } catch (const TReadRefusal& Refusal) {
    TReadResult Result;
    Result.Error = Refusal.Message;
    PlaceOffset(Text, Refusal.Offset, Result);
    return Result;
  }
}
