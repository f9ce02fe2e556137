// Formula -> Typst math.

#include <QHash>
#include <utility>

#include "interchange/LatexText.h"
#include "interchange/MathAlphabets.h"
#include "interchange/ReadSupport.h"
#include "interchange/SymbolTable.h"
#include "interchange/Typst.h"
#include "interchange/TypstNames.h"
#include "model/OperatorNames.h"

namespace {
bool IsAsciiLetter(char32_t C) { return (C >= U'a' && C <= U'z') || (C >= U'A' && C <= U'Z'); }
bool IsDigit(char32_t C) { return C >= U'0' && C <= U'9'; }

// The character a node shows: a palette symbol's as MathML has it.
char32_t ShownChar(const TFormulaNode& Node) {
  if (Node.Kind == TFormulaNode::ExtSymbol)
    if (const TSymbol* S = SymbolByCode(Node.Code)) return S->MathChar;
  return Node.Code;
}

const TTemplateInfo* InfoOf(const TFormulaNode& Node) {
  return Node.Kind == TFormulaNode::Template ? FindTemplate(Node.Keyword) : nullptr;
}

QString DelimiterText(TDelimiter Value) {
  const char16_t C = DelimiterChar(Value);
  if (!C) return QString();
  const QString Name = TypstSymbolName(C);
  return Name.isEmpty() ? QString(QChar(C)) : Name;
}

QString OperatorSign(const TTemplateInfo& Info) {
  switch (Info.Operator) {
    case TTemplateInfo::Integral: {
      static const char* const Plain[] = {"integral", "integral.double", "integral.triple"};
      static const char* const Ring[] = {"integral.cont", "integral.surf", "integral.vol"};
      return QLatin1String((Info.Ring ? Ring : Plain)[Info.Size - 1]);
    }
    case TTemplateInfo::Sum: return QStringLiteral("sum");
    case TTemplateInfo::Product: return QStringLiteral("product");
    case TTemplateInfo::Coproduct: return QStringLiteral("product.co");
    case TTemplateInfo::Intersection: return QStringLiteral("inter.big");
    case TTemplateInfo::Union: return QStringLiteral("union.big");
  }
  return QString();
}

// One written item of a run: attachments and primes join the item before them, digits
// of one number join each other; anything else stands a space apart.
struct TPiece {
  QString Text;
  bool Attached = false;
};

class TTypstWriter {
 public:
  explicit TTypstWriter(TReadLosses& Losses) : FLosses(Losses) {}

  QString Lines(const TFormula& Formula) {
    QStringList Lines;
    for (const TFormulaRun& Line : Formula.Lines) {
      QStringList Cells;
      for (const TFormulaRun& Cell : AlignedCells(Line)) Cells << Run(Cell);
      Lines << Cells.join(QStringLiteral(" & "));
    }
    return Lines.join(QStringLiteral(" \\\n"));
  }

 private:
  QString Run(const TFormulaRun& Items) {
    std::vector<TPiece> Pieces;
    Append(Items, Pieces);
    QString Text;
    for (size_t I = 0; I < Pieces.size(); ++I) {
      const bool Joined = I > 0 && (Pieces[I].Attached || Pieces[I - 1].Text == QLatin1String("(") ||
                                    Pieces[I].Text == QLatin1String(")"));
      if (I > 0 && !Joined) Text += QLatin1Char(' ');
      Text += Pieces[I].Text;
    }
    return Text;
  }

  static bool IsNumberPiece(const QString& Text) {
    return !Text.isEmpty() && std::all_of(Text.begin(), Text.end(), [](QChar C) { return C.isDigit() && C.unicode() < 0x80; });
  }

  // A run as an argument of a function: commas and semicolons would part arguments.
  QString Argument(const TFormulaRun& Items) {
    // Typst takes an empty argument for a missing one: an empty string stands for it.
    if (Items.empty()) return QStringLiteral("\"\"");
    ++FArguments;
    const QString Text = Run(Items);
    --FArguments;
    return Text;
  }

  // A script or a part after a slash: one atom as it stands, anything else in parentheses
  // (which Typst takes off).
  QString Script(const TFormulaRun& Items) {
    const QString Text = Run(Items);
    if (Items.size() == 1 && Items.front().Kind != TFormulaNode::Template && !Text.startsWith(u'\\') &&
        !Text.contains(u' ') && !Text.isEmpty() && Text != QLatin1String("'"))
      return Text;
    // A number of several digits is one atom too.
    if (IsNumberPiece(Text)) return Text;
    return QLatin1Char('(') + Text + QLatin1Char(')');
  }

  void Append(const TFormulaRun& Items, std::vector<TPiece>& Pieces) {
    const std::vector<bool> Escaped = UnmatchedDelimiters(Items);
    for (size_t I = 0; I < Items.size(); ++I) {
      const TFormulaNode& Node = Items[I];
      if (Node.Kind == TFormulaNode::Template) {
        Template(Node, Items, I, Pieces);
        continue;
      }
      const char32_t C = ShownChar(Node);
      // A number is one piece, its decimal point with it.
      if (IsDigit(C) && Node.Kind == TFormulaNode::Simple) {
        QString Number;
        size_t J = I;
        for (; J < Items.size() && Items[J].Kind == TFormulaNode::Simple; ++J) {
          const char32_t D = Items[J].Code;
          const bool Point = D == U'.' && !Number.contains(u'.') && J + 1 < Items.size() &&
                             Items[J + 1].Kind == TFormulaNode::Simple && IsDigit(Items[J + 1].Code);
          if (!IsDigit(D) && !Point) break;
          Number += QChar(static_cast<char16_t>(D));
        }
        Pieces.push_back({Number});
        I = J - 1;
        continue;
      }
      // Letters that spell an operator name Typst knows are that name, set upright.
      if (IsAsciiLetter(C) && Node.Kind == TFormulaNode::Simple) {
        QString Letters;
        for (size_t J = I; J < Items.size() && Items[J].Kind == TFormulaNode::Simple && IsAsciiLetter(Items[J].Code); ++J)
          Letters += QChar(static_cast<char16_t>(Items[J].Code));
        const int Name = OperatorNamePrefix(Letters);
        if (Name > 1 && IsTypstOperator(Letters.left(Name))) {
          Pieces.push_back({Letters.left(Name)});
          I += Name - 1;
          continue;
        }
      }
      Pieces.push_back({Character(C, Escaped[I], Node.Kind == TFormulaNode::ExtSymbol)});
    }
  }

  // Words as a string; what a string cannot hold stands between strings.
  void TextKind(const TFormulaRun& Body, std::vector<TPiece>& Pieces) {
    QString Words;
    TFormulaRun Math;
    const auto Flush = [&] {
      if (!Words.isEmpty()) Pieces.push_back({QLatin1Char('"') + std::exchange(Words, QString()) + QLatin1Char('"')});
      if (!Math.empty()) {
        FLosses.Add(QStringLiteral("math inside text set beside it"));
        Append(std::exchange(Math, TFormulaRun()), Pieces);
      }
    };
    for (const TFormulaNode& Node : Body) {
      const bool Character = (Node.Kind == TFormulaNode::Simple && !Unprintable(Node.Code)) ||
                             (Node.Kind == TFormulaNode::ExtSymbol && IsSpaceSymbol(Node.Code));
      if (Character != Math.empty()) Flush();
      if (!Character) {
        Math.push_back(Node);
      } else if (Node.Code == U'"' || Node.Code == U'\\') {
        Words += QLatin1Char('\\') + QChar(static_cast<char16_t>(Node.Code));
      } else {
        Words += QString::fromUcs4(&Node.Code, 1);
      }
    }
    Flush();
    if (Body.empty()) Pieces.push_back({QStringLiteral("\"\"")});
  }

  // Which brackets of a run find no partner in it: Typst would pair them with what
  // follows the run, or end a function's arguments at them.
  static std::vector<bool> UnmatchedDelimiters(const TFormulaRun& Items) {
    std::vector<bool> Result(Items.size(), false);
    std::vector<size_t> Open;
    for (size_t I = 0; I < Items.size(); ++I) {
      if (Items[I].Kind != TFormulaNode::Simple) continue;
      const char32_t C = Items[I].Code;
      if (C == U'(' || C == U'[' || C == U'{') {
        Open.push_back(I);
      } else if (C == U')' || C == U']' || C == U'}') {
        const char32_t Partner = C == U')' ? U'(' : C == U']' ? U'[' : U'{';
        if (!Open.empty() && Items[Open.back()].Code == Partner)
          Open.pop_back();
        else
          Result[I] = true;
      }
    }
    for (size_t I : Open) Result[I] = true;
    return Result;
  }

  // A palette symbol by its name first: a styled letter's name (Re for the fraktur R) reads
  // back as the symbol.
  QString Character(char32_t C, bool EscapeDelimiter, bool Symbol = false) {
    if (Unprintable(C)) {
      FLosses.Add(QStringLiteral("characters no font prints left out"));
      return QStringLiteral("zws");
    }
    if (C == U' ') return QStringLiteral("space");
    // A big operator's sign as a character: by name, a reader takes it and what follows
    // for the template.
    if (TOperatorSign Sign; C <= 0xFFFF && BigOperatorByChar(static_cast<char16_t>(C), Sign))
      return QStringLiteral("\\u{%1}").arg(uint(C), 0, 16);
    if (const QString Name = TypstSymbolName(C); Symbol && !Name.isEmpty()) return Name;
    if (const auto Styled = PlainCharacter(C)) {
      static const QHash<int, const char*> Functions = {{int(TMathAlphabet::Bold), "bold"},
                                                        {int(TMathAlphabet::Script), "cal"},
                                                        {int(TMathAlphabet::DoubleStruck), "bb"},
                                                        {int(TMathAlphabet::Fraktur), "frak"}};
      return QLatin1String(Functions.value(int(Styled->first))) + QLatin1Char('(') +
             QString::fromUcs4(&Styled->second, 1) + QLatin1Char(')');
    }
    if (const QString Name = TypstSymbolName(C); !Name.isEmpty()) return Name;
    if (C < 0x80) {
      if (QStringLiteral("\\#$_^&'\"/~@`*").contains(QChar(static_cast<char16_t>(C))) ||
          (FArguments > 0 && (C == U',' || C == U';')) || (EscapeDelimiter && QStringLiteral("()[]{}").contains(QChar(static_cast<char16_t>(C)))))
        return QLatin1Char('\\') + QChar(static_cast<char16_t>(C));
      return QString(QChar(static_cast<char16_t>(C)));
    }
    return QString::fromUcs4(&C, 1);
  }

  static bool EndsWithScripts(const std::vector<TPiece>& Pieces) {
    if (Pieces.empty()) return true;
    const QString& Last = Pieces.back().Text;
    return Last == QLatin1String("space") || Last.startsWith(u'_') || Last.startsWith(u'^') || Last.startsWith(u'\'');
  }

  void Scripts(const TFormulaNode& Node, const TTemplateInfo& Info, TGroupOption Bottom, TGroupOption Top,
               std::vector<TPiece>& Pieces) {
    if (const int B = Info.SlotOf(Bottom); B >= 0) Pieces.push_back({QLatin1Char('_') + Script(Node.Slots[B]), true});
    if (const int T = Info.SlotOf(Top); T >= 0) Pieces.push_back({QLatin1Char('^') + Script(Node.Slots[T]), true});
  }

  void Call(const QString& Function, const QStringList& Arguments, std::vector<TPiece>& Pieces) {
    Pieces.push_back({Function + QLatin1Char('(') + Arguments.join(QStringLiteral(", ")) + QLatin1Char(')')});
  }

  void Template(const TFormulaNode& Node, const TFormulaRun& Items, size_t At, std::vector<TPiece>& Pieces) {
    const TTemplateInfo& Info = *FindTemplate(Node.Keyword);
    const auto Slot = [&Node](int I) -> const TFormulaRun& { return Node.Slots[I]; };
    switch (Info.Kind) {
      case TTemplateInfo::Index:
        // A script needs a base; after scripts of its own it would nest.
        if (EndsWithScripts(Pieces)) Pieces.push_back({QStringLiteral("\"\"")});
        Scripts(Node, Info, goIndexBottom, goIndexTop, Pieces);
        return;
      case TTemplateInfo::BigOperator: {
        const bool Limits = Info.Options.Contains(goLimitBottom);
        const bool Indices = Info.Options.Contains(goIndexBottom);
        const bool Integral = Info.Operator == TTemplateInfo::Integral;
        QString Sign = OperatorSign(Info);
        // Typst sets a sum's scripts as limits and an integral's beside it.
        if (Limits && Integral) Sign = QStringLiteral("limits(") + Sign + QLatin1Char(')');
        if (Indices && !Integral) Sign = QStringLiteral("scripts(") + Sign + QLatin1Char(')');
        Pieces.push_back({Sign});
        Scripts(Node, Info, Limits ? goLimitBottom : goIndexBottom, Limits ? goLimitTop : goIndexTop, Pieces);
        if (!OperandReadsBack(Slot(0), Items, At)) FLosses.Add(QStringLiteral("a big operator's operand not marked off"));
        Append(Slot(0), Pieces);
        return;
      }
      case TTemplateInfo::Brackets:
        if (const TTemplateInfo* Inner = Slot(0).size() == 1 ? InfoOf(Slot(0).front()) : nullptr;
            Inner && Inner->Kind == TTemplateInfo::Matrix) {
          Matrix(*Inner, Slot(0).front().Slots, DelimiterChar(OpeningDelimiter(Info.Bracket)), Pieces);
          return;
        }
        Fence(OpeningDelimiter(Info.Bracket), {&Slot(0)}, dlNone, ClosingDelimiter(Info.Bracket), Pieces);
        return;
      case TTemplateInfo::Fence:
        if (const TTemplateInfo* Inner = Slot(0).size() == 1 ? InfoOf(Slot(0).front()) : nullptr;
            Inner && Inner->Kind == TTemplateInfo::Matrix && Node.Slots.size() == 1 &&
            Info.Delimiters == TFenceKind{dlFigureOpen, dlNone, dlNone}) {
          Cases(*Inner, Slot(0).front().Slots, Pieces);
          return;
        }
        {
          std::vector<const TFormulaRun*> Parts;
          for (const TFormulaRun& Part : Node.Slots) Parts.push_back(&Part);
          Fence(Info.Delimiters.Left, Parts, Info.Delimiters.Middle, Info.Delimiters.Right, Pieces);
        }
        return;
      case TTemplateInfo::Division:
      case TTemplateInfo::Binomial: {
        const QString Function = Info.Kind == TTemplateInfo::Division ? QStringLiteral("frac") : QStringLiteral("binom");
        const QString Text = Function + QLatin1Char('(') + Argument(Slot(0)) + QStringLiteral(", ") + Argument(Slot(1)) + QLatin1Char(')');
        Pieces.push_back({Info.Small ? QStringLiteral("inline(") + Text + QLatin1Char(')') : Text});
        return;
      }
      case TTemplateInfo::Text:
        TextKind(Slot(0), Pieces);
        return;
      case TTemplateInfo::SlashDivision:
        FLosses.Add(QStringLiteral("a slanted fraction as a slash"));
        Pieces.push_back({Script(Slot(0))});
        Pieces.push_back({QStringLiteral("\\/")});
        Pieces.push_back({Script(Slot(1))});
        return;
      case TTemplateInfo::Root:
        if (Info.Degree)
          Call(QStringLiteral("root"), {Argument(Slot(1)), Argument(Slot(0))}, Pieces);
        else
          Call(QStringLiteral("sqrt"), {Argument(Slot(0))}, Pieces);
        return;
      case TTemplateInfo::LongDivision: {
        FLosses.Add(QStringLiteral("a long division as a bracket and a bar"));
        Append(Slot(1), Pieces);
        QString Dividend = QStringLiteral("\\) overline(") + Argument(Slot(0)) + QLatin1Char(')');
        if (Info.Quotient) Dividend = QStringLiteral("limits(") + Dividend + QStringLiteral(")^") + Script(Slot(2));
        Pieces.push_back({Dividend});
        return;
      }
      case TTemplateInfo::Accent:
        Accent(Info.Mark, Slot(0), Pieces);
        return;
      case TTemplateInfo::Arrow: {
        const QString Arrow = Info.Heads.Contains(kaRight) && Info.Heads.Contains(kaLeft) ? QStringLiteral("arrow.l.r")
                              : Info.Heads.Contains(kaLeft)                                ? QStringLiteral("arrow.l")
                                                                                           : QStringLiteral("arrow.r");
        Pieces.push_back({QStringLiteral("stretch(") + Arrow + QLatin1Char(')')});
        Pieces.push_back({(Info.Align == aeTop ? QLatin1Char('^') : QLatin1Char('_')) + Script(Slot(0)), true});
        return;
      }
      case TTemplateInfo::Vector:
        Vector(Info, Slot(0), Pieces);
        return;
      case TTemplateInfo::Matrix:
        Matrix(Info, Node.Slots, 0, Pieces);
        return;
      case TTemplateInfo::LeftIndex: {
        QStringList Arguments{QStringLiteral("\"\"")};
        if (const int T = Info.SlotOf(goIndexTop); T >= 0) Arguments << QStringLiteral("tl: ") + Argument(Slot(T));
        if (const int B = Info.SlotOf(goIndexBottom); B >= 0) Arguments << QStringLiteral("bl: ") + Argument(Slot(B));
        Call(QStringLiteral("attach"), Arguments, Pieces);
        return;
      }
      case TTemplateInfo::Scripted:
        Scripted(Node, Info, Pieces);
        return;
      case TTemplateInfo::Brace:
        Call(Info.Align == aeTop ? QStringLiteral("overbrace") : QStringLiteral("underbrace"),
             {Argument(Slot(0)), Argument(Slot(1))}, Pieces);
        return;
      case TTemplateInfo::AlignMark:
        // A line's marks part its cells (Lines); one inside a slot has no Typst.
        return;
    }
  }

  // Whether the reader takes Operand back: it runs to the next relation of the run.
  static bool OperandReadsBack(const TFormulaRun& Operand, const TFormulaRun& Items, size_t At) {
    int Depth = 0;
    for (const TFormulaNode& Node : Operand) {
      if (Node.Kind == TFormulaNode::Template) continue;
      const char32_t C = ShownChar(Node);
      if (C == U'(' || C == U'[') ++Depth;
      else if ((C == U')' || C == U']') && Depth > 0) --Depth;
      else if (Depth == 0 && EndsOperand(C)) return false;
    }
    if (At + 1 >= Items.size()) return true;
    const TFormulaNode& Next = Items[At + 1];
    return Next.Kind != TFormulaNode::Template && EndsOperand(ShownChar(Next)) ? true : IsAlignMark(Next);
  }

  // Parts after the first each follow a Middle delimiter.
  void Fence(TDelimiter Left, const std::vector<const TFormulaRun*>& Contents, TDelimiter Middle, TDelimiter Right,
             std::vector<TPiece>& Pieces) {
    // A bracket pairs with a bracket on the other side, of whatever kind; alone, it would
    // take the call's closing parenthesis for its partner.
    const auto IsBracket = [](TDelimiter D) {
      const char16_t C = DelimiterChar(D);
      return C == u'(' || C == u')' || C == u'[' || C == u']' || C == u'{' || C == u'}';
    };
    const auto Opens = [](TDelimiter D) {
      const char16_t C = DelimiterChar(D);
      return C == u'(' || C == u'[' || C == u'{';
    };
    const bool Paired = Opens(Left) && IsBracket(Right) && !Opens(Right);
    const auto Delimiter = [&](TDelimiter D) {
      return IsBracket(D) && !Paired ? QLatin1Char('\\') + DelimiterText(D) : DelimiterText(D);
    };
    QStringList Parts;
    if (Left != dlNone) Parts << Delimiter(Left);
    for (size_t I = 0; I < Contents.size(); ++I) {
      if (I > 0) Parts << QStringLiteral("mid(") + DelimiterText(Middle) + QLatin1Char(')');
      Parts << Argument(*Contents[I]);
    }
    if (Right != dlNone) Parts << Delimiter(Right);
    Parts.removeAll(QString());
    Pieces.push_back({QStringLiteral("lr(") + Parts.join(QLatin1Char(' ')) + QLatin1Char(')')});
  }

  // Cells in rows; Delimiter 0 for a matrix without brackets.
  void Matrix(const TTemplateInfo& Info, const std::vector<TFormulaRun>& Cells, char16_t Delimiter,
              std::vector<TPiece>& Pieces) {
    const int Columns = Info.MatrixColumns(static_cast<int>(Cells.size()));
    const bool Column = Columns == 1 && Cells.size() > 1;
    QString Text = Column ? QStringLiteral("vec(") : QStringLiteral("mat(");
    if (!Delimiter)
      Text += QStringLiteral("delim: #none, ");
    else if (Delimiter != u'(')
      Text += QStringLiteral("delim: \"") + QChar(Delimiter) + QStringLiteral("\", ");
    for (size_t I = 0; I < Cells.size(); ++I) {
      if (I > 0) Text += Column || I % Columns != 0 ? QStringLiteral(", ") : QStringLiteral("; ");
      Text += Argument(Cells[I]);
    }
    Pieces.push_back({Text + QLatin1Char(')')});
  }

  // A matrix in a left brace: amsmath's cases, rows parted by commas, cells by &.
  void Cases(const TTemplateInfo& Info, const std::vector<TFormulaRun>& Cells, std::vector<TPiece>& Pieces) {
    const int Columns = Info.MatrixColumns(static_cast<int>(Cells.size()));
    QString Text = QStringLiteral("cases(");
    for (size_t I = 0; I < Cells.size(); ++I) {
      if (I > 0) Text += I % Columns != 0 ? QStringLiteral(" & ") : QStringLiteral(", ");
      Text += Argument(Cells[I]);
    }
    Pieces.push_back({Text + QLatin1Char(')')});
  }

  void Accent(TKindAccent Mark, const TFormulaRun& Body, std::vector<TPiece>& Pieces) {
    switch (Mark) {
      case acPrime: case acPrimeTwo: case acPrimeThree: case acBackPrime: {
        const QString Primes = Mark == acBackPrime ? QStringLiteral("prime.rev") : QString(1 + Mark - acPrime, u'\'');
        const QString Base = Run(Body);
        if (Mark != acBackPrime && Body.size() == 1 && Body.front().Kind != TFormulaNode::Template && !Base.contains(u' ')) {
          Pieces.push_back({Base});
          Pieces.push_back({Primes, true});
        } else {
          static const char* const Names[] = {"prime", "prime.double", "prime.triple"};
          Call(QStringLiteral("attach"),
               {Base.isEmpty() ? QStringLiteral("\"\"") : Argument(Body),
                QStringLiteral("tr: ") + (Mark == acBackPrime ? Primes : QLatin1String(Names[Mark - acPrime]))},
               Pieces);
        }
        return;
      }
      case acStrike:
        Call(QStringLiteral("cancel"), {Argument(Body), QStringLiteral("angle: #90deg")}, Pieces);
        return;
      case acSlash:
        Call(QStringLiteral("cancel"), {Argument(Body)}, Pieces);
        return;
      default: break;
    }
    static const QHash<int, const char*> Functions = {
        {acDot, "dot"}, {acDotTwo, "dot.double"}, {acDotThree, "dot.triple"}, {acBar, "macron"}, {acHat, "hat"},
        {acTilde, "tilde"}, {acArrowRight, "arrow"}, {acArrowLeft, "arrow.l"}, {acArrowRightLeft, "arrow.l.r"},
        {acHarpoonRight, "harpoon"}, {acHarpoonLeft, "harpoon.lt"}, {acArcDown, "breve"}};
    if (Mark == acArcUp)
      Call(QStringLiteral("accent"), {Argument(Body), QStringLiteral("\u2322")}, Pieces);
    else
      Call(QLatin1String(Functions.value(Mark)), {Argument(Body)}, Pieces);
  }

  void Vector(const TTemplateInfo& Info, const TFormulaRun& Body, std::vector<TPiece>& Pieces) {
    const bool Over = Info.Align == aeBottom;
    const bool Arrow = Info.Heads.Contains(kaRight) || Info.Heads.Contains(kaLeft);
    if (Arrow && Over) {
      const QString Function = Info.Heads.Contains(kaRight) && Info.Heads.Contains(kaLeft) ? QStringLiteral("arrow.l.r")
                               : Info.Heads.Contains(kaLeft)                                ? QStringLiteral("arrow.l")
                                                                                            : QStringLiteral("arrow");
      Call(Function, {Argument(Body)}, Pieces);
      return;
    }
    if (Arrow) FLosses.Add(QStringLiteral("an arrow under a slot as a line"));
    const QString Line = Over ? QStringLiteral("overline") : QStringLiteral("underline");
    QString Text = Line + QLatin1Char('(') + Argument(Body) + QLatin1Char(')');
    if (Info.Heads.Contains(kaDouble)) Text = Line + QLatin1Char('(') + Text + QLatin1Char(')');
    Pieces.push_back({Text});
  }

  void Scripted(const TFormulaNode& Node, const TTemplateInfo& Info, std::vector<TPiece>& Pieces) {
    const TFormulaRun& Base = Node.Slots[0];
    const bool Limits = Info.Options.Contains(goLimitTop) || Info.Options.Contains(goLimitBottom);
    QString Text;
    if (Info.OperatorBase) {
      QString Letters;
      for (const TFormulaNode& Item : Base)
        Letters += Item.Kind == TFormulaNode::Simple && IsAsciiLetter(Item.Code) ? QChar(static_cast<char16_t>(Item.Code)) : QChar();
      if (Letters.size() == static_cast<qsizetype>(Base.size()) && !Letters.contains(QChar()) && IsTypstOperator(Letters)) {
        Text = Letters;
        if (Limits != TypstOperatorHasLimits(Letters))
          Text = (Limits ? QStringLiteral("limits(") : QStringLiteral("scripts(")) + Text + QLatin1Char(')');
      } else {
        Text = QStringLiteral("op(") + Argument(Base) + (Limits ? QStringLiteral(", limits: #true)") : QStringLiteral(")"));
      }
    } else {
      Text = QStringLiteral("limits(") + (Base.empty() ? QStringLiteral("\"\"") : Argument(Base)) + QLatin1Char(')');
    }
    Pieces.push_back({Text});
    Scripts(Node, Info, Limits ? goLimitBottom : goIndexBottom, Limits ? goLimitTop : goIndexTop, Pieces);
  }

  TReadLosses& FLosses;
  int FArguments = 0;
};
}  // namespace

QString WriteTypst(const TFormula& Formula, QStringList* Losses, bool Delimited) {
  TReadLosses Found;
  const QString Content = TTypstWriter(Found).Lines(Formula);
  if (Losses) *Losses = Found.List();
  if (!Delimited) return Content;
  return Content.isEmpty() ? QStringLiteral("$ $") : QStringLiteral("$ ") + Content + QStringLiteral(" $");
}
