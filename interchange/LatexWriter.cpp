// Formula -> LaTeX.

#include <QHash>

#include "interchange/Latex.h"
#include "interchange/LatexText.h"
#include "interchange/SymbolTable.h"
#include "interchange/Templates.h"
#include "model/Keywords.h"
#include "model/OperatorNames.h"

namespace {

// The letters a run consists of, or empty when it holds anything else.
QString LetterRun(const TFormulaRun& Run) {
  QString Letters;
  for (const TFormulaNode& Node : Run) {
    const bool Letter = Node.Kind == TFormulaNode::Simple &&
                        ((Node.Code >= U'a' && Node.Code <= U'z') || (Node.Code >= U'A' && Node.Code <= U'Z'));
    if (!Letter) return QString();
    Letters += QChar(static_cast<char16_t>(Node.Code));
  }
  return Letters;
}

// A delimiter after \left, \middle or \right.
QString DelimiterLatex(TDelimiter Value, bool Left, bool Middle) {
  switch (Value) {
    case dlNone: return QStringLiteral(".");
    case dlFigureOpen: return QStringLiteral("\\{");
    case dlFigureClose: return QStringLiteral("\\}");
    case dlCornerOpen: return QStringLiteral("\\langle");
    case dlCornerClose: return QStringLiteral("\\rangle");
    case dlModule: return Middle ? QStringLiteral("\\vert") : Left ? QStringLiteral("\\lvert") : QStringLiteral("\\rvert");
    case dlDModule: return Middle ? QStringLiteral("\\Vert") : Left ? QStringLiteral("\\lVert") : QStringLiteral("\\rVert");
    case dlFloorOpen: return QStringLiteral("\\lfloor");
    case dlFloorClose: return QStringLiteral("\\rfloor");
    case dlCeilingOpen: return QStringLiteral("\\lceil");
    case dlCeilingClose: return QStringLiteral("\\rceil");
    default: return QString(QChar(DelimiterChar(Value)));
  }
}

class TLatexWriter {
 public:
  explicit TLatexWriter(TLatexFlavour Flavour) : FCommands(Flavour == TLatexFlavour::PdfLatex) {}

  QString Text;

  void Lines(const TFormula& Formula) {
    const bool Aligned = HasAlignedLines(Formula);
    if (Formula.Lines.size() == 1 && !Aligned) {
      Run(Formula.Lines.front());
      return;
    }
    if (Formula.Lines.empty()) return;
    // Lines with marks stand in columns at them; lines without, each as a whole.
    const QString Environment = Aligned ? QStringLiteral("aligned") : QStringLiteral("gathered");
    Put(QStringLiteral("\\begin{") + Environment + QLatin1Char('}'));
    for (size_t I = 0; I < Formula.Lines.size(); ++I) {
      if (I > 0) Put(QStringLiteral(" \\\\ "));
      const std::vector<TFormulaRun> Cells = AlignedCells(Formula.Lines[I]);
      for (size_t C = 0; C < Cells.size(); ++C) {
        if (C > 0) Put(QStringLiteral(" & "));
        // An empty run between marks needs nothing; an empty line, its {}.
        if (!Cells[C].empty() || Cells.size() == 1) Cell(Cells[C]);
      }
    }
    Put(QStringLiteral("\\end{") + Environment + QLatin1Char('}'));
  }

 private:
  // Appends, with a space where a control word would otherwise run into a letter.
  void Put(const QString& Piece) {
    if (Piece.isEmpty()) return;
    if (FAfterControlWord && Piece[0].isLetter()) Text += QLatin1Char(' ');
    Text += Piece;
    qsizetype Letters = 0;
    while (Letters < Piece.size() && IsAsciiLetter(Piece[Piece.size() - 1 - Letters])) ++Letters;
    FAfterControlWord = Letters > 0 && Letters < Piece.size() && Piece[Piece.size() - 1 - Letters] == u'\\';
  }
  static bool IsAsciiLetter(QChar C) {
    return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z');
  }

  // A row or cell; an empty one as {}, which a reader cannot take for a closing \\.
  void Cell(const TFormulaRun& Items) {
    if (Items.empty())
      Put(QStringLiteral("{}"));
    else
      Run(Items);
  }

  void Braced(const TFormulaRun& Slot) {
    Put(QStringLiteral("{"));
    Run(Slot);
    Put(QStringLiteral("}"));
  }

  void Run(const TFormulaRun& Items) {
    QString TextRun;  // characters gathered for one \text{...}
    const auto FlushText = [&] {
      if (TextRun.isEmpty()) return;
      Put(QStringLiteral("\\text{") + TextRun + QLatin1Char('}'));
      TextRun.clear();
    };
    for (size_t I = 0; I < Items.size(); ++I) {
      const TFormulaNode& Node = Items[I];
      const bool Character = Node.Kind == TFormulaNode::Simple ||
                             (Node.Kind == TFormulaNode::ExtSymbol && !SymbolByCode(Node.Code));
      if (Character && WrittenAsText(Node.Code)) {
        TextRun += TextModeCharacter(Node.Code);
        continue;
      }
      FlushText();
      if (Character)
        Put(MathModeCharacter(Node.Code, FCommands));
      else if (Node.Kind == TFormulaNode::ExtSymbol)
        Symbol(*SymbolByCode(Node.Code));
      else
        Template(Node, I > 0 ? &Items[I - 1] : nullptr);
    }
    FlushText();
  }

  void Symbol(const TSymbol& S) {
    TOperatorSign Sign;
    if (!S.Latex)
      Put(S.Code == 160 ? QStringLiteral("~") : QString(QChar(S.Code)));
    else if (BigOperatorByLatex(QLatin1String(S.Latex), Sign))
      Put(QStringLiteral("{\\") + QLatin1String(S.Latex) + QLatin1Char('}'));  // not a template
    else
      Put(QLatin1Char('\\') + QLatin1String(S.Latex));
  }

  void Scripts(const TFormulaNode& Node, const TTemplateInfo& Info, TGroupOption Bottom, TGroupOption Top) {
    if (const int B = Info.SlotOf(Bottom); B >= 0) {
      Put(QStringLiteral("_"));
      Braced(Node.Slots[B]);
    }
    if (const int T = Info.SlotOf(Top); T >= 0) {
      Put(QStringLiteral("^"));
      Braced(Node.Slots[T]);
    }
  }

  void Template(const TFormulaNode& Node, const TFormulaNode* Previous) {
    const TTemplateInfo& Info = *FindTemplate(Node.Keyword);
    const auto Slot = [&Node](int I) -> const TFormulaRun& { return Node.Slots[I]; };
    switch (Info.Kind) {
      case TTemplateInfo::Index:
        // A script needs a base of its own: "x^a^b" and "\ ^a" do not parse, and after
        // what ends in scripts of its own it would join them.
        if (!Previous || EndsWithScripts(*Previous) ||
            (Previous->Kind != TFormulaNode::Template && (Previous->Code == u' ' || Previous->Code == 160)))
          Put(QStringLiteral("{}"));
        Scripts(Node, Info, goIndexBottom, goIndexTop);
        return;
      case TTemplateInfo::BigOperator: {
        const QString Command = BigOperatorLatex(Info.Operator, Info.Size, Info.Ring);
        const bool Limits = Info.Options.Contains(goLimitBottom);
        const bool Indices = Info.Options.Contains(goIndexBottom);
        // \oiint and \oiiint are no operators to some readers: \limits needs \mathop then.
        if ((Limits || Indices) && Info.Ring && Info.Size > 1)
          Put(QStringLiteral("\\mathop{\\") + Command + QLatin1Char('}'));
        else
          Put(QLatin1Char('\\') + Command);
        if (Limits) Put(QStringLiteral("\\limits"));
        if (Indices) Put(QStringLiteral("\\nolimits"));
        Scripts(Node, Info, Limits ? goLimitBottom : goIndexBottom, Limits ? goLimitTop : goIndexTop);
        Braced(Slot(0));
        return;
      }
      case TTemplateInfo::Brackets:
        Put(QStringLiteral("\\left") + DelimiterLatex(OpeningDelimiter(Info.Bracket), true, false));
        Put(QStringLiteral(" "));
        Run(Slot(0));
        Put(QStringLiteral(" \\right") + DelimiterLatex(ClosingDelimiter(Info.Bracket), false, false));
        return;
      case TTemplateInfo::Division:
        if (Info.Continued != cfNone)
          Put(QStringLiteral("\\cfrac") + (Info.Continued == cfLeft    ? QStringLiteral("[l]")
                                           : Info.Continued == cfRight ? QStringLiteral("[r]")
                                                                       : QString()));
        else
          Put(Info.Small ? QStringLiteral("\\tfrac") : QStringLiteral("\\frac"));
        Braced(Slot(0));
        Braced(Slot(1));
        return;
      case TTemplateInfo::Binomial:
        Put(Info.Small ? QStringLiteral("\\tbinom") : QStringLiteral("\\binom"));
        Braced(Slot(0));
        Braced(Slot(1));
        return;
      case TTemplateInfo::Text:
        TextKind(Slot(0));
        return;
      case TTemplateInfo::SlashDivision:
        // Braced whole, so that a script after it has a base; the negative space tells it
        // from an index, a slash and an index.
        Put(QStringLiteral("{{}^"));
        Braced(Slot(0));
        Put(QStringLiteral("\\!/_"));
        Braced(Slot(1));
        Put(QStringLiteral("}"));
        return;
      case TTemplateInfo::Root:
        Put(QStringLiteral("\\sqrt"));
        if (Info.Degree) Optional(Slot(1));
        Braced(Slot(0));
        return;
      case TTemplateInfo::LongDivision:
        LongDivision(Info, Node.Slots, Previous);
        return;
      case TTemplateInfo::Accent:
        Accent(Info.Mark, Slot(0), Previous);
        return;
      case TTemplateInfo::Arrow:
        Put(QLatin1Char('\\') + ArrowCommand(Info.Heads));
        if (Info.Align == aeTop) {
          Braced(Slot(0));
        } else {
          // A brace group keeps "]" and a leading "{}" inside the optional argument.
          Put(QStringLiteral("[{"));
          Run(Slot(0));
          Put(QStringLiteral("}]{}"));
        }
        return;
      case TTemplateInfo::Vector:
        Vector(Info, Slot(0));
        return;
      case TTemplateInfo::Matrix:
        Matrix(Info, Node.Slots);
        return;
      case TTemplateInfo::Fence:
        Put(QStringLiteral("\\left") + DelimiterLatex(Info.Delimiters.Left, true, false));
        Put(QStringLiteral(" "));
        Run(Slot(0));
        for (int I = 1; I < static_cast<int>(Node.Slots.size()); ++I) {
          Put(QStringLiteral(" \\middle") + DelimiterLatex(Info.Delimiters.Middle, false, true));
          Put(QStringLiteral(" "));
          Run(Slot(I));
        }
        Put(QStringLiteral(" \\right") + DelimiterLatex(Info.Delimiters.Right, false, false));
        return;
      case TTemplateInfo::LeftIndex:
        // The empty group after the scripts tells a left index from an index without base.
        Put(QStringLiteral("{}"));
        Scripts(Node, Info, goIndexBottom, goIndexTop);
        Put(QStringLiteral("{}"));
        return;
      case TTemplateInfo::Scripted:
        Scripted(Node, Info);
        return;
      case TTemplateInfo::Brace:
        Put(Info.Align == aeTop ? QStringLiteral("\\overbrace") : QStringLiteral("\\underbrace"));
        Braced(Slot(0));
        Put(Info.Align == aeTop ? QStringLiteral("^") : QStringLiteral("_"));
        Braced(Slot(1));
        return;
      case TTemplateInfo::AlignMark:
        // A line's marks part its columns (Lines); one inside a slot has no LaTeX.
        return;
    }
  }

  // Words in text mode; what is not a character in it goes in $...$. \text{...} of
  // characters that math mode has no symbol for is how a run writes them (Run): the
  // same text as a text is \textrm{...}.
  void TextKind(const TFormulaRun& Body) {
    QString Words;
    TFormulaRun Math;
    const auto FlushMath = [&] {
      if (Math.empty()) return;
      TLatexWriter Inner(*this);
      Inner.Text.clear();
      Inner.FAfterControlWord = false;
      Inner.Run(Math);
      Words += QLatin1Char('$') + Inner.Text + QLatin1Char('$');
      Math.clear();
    };
    bool Escape = !Body.empty();
    char32_t Before = 0;
    for (const TFormulaNode& Node : Body) {
      if (Node.Kind == TFormulaNode::ExtSymbol && Node.Code == 160) {
        FlushMath();
        Words += QLatin1Char('~');
        Escape = false;
        Before = 160;
      } else if (Node.Kind != TFormulaNode::Simple) {
        Math.push_back(Node);
        Escape = false;
        Before = 0;
      } else {
        FlushMath();
        Words += TextCharacter(Node.Code, Before);
        Escape = Escape && WrittenAsText(Node.Code);
        Before = Node.Code;
      }
    }
    FlushMath();
    Put((Escape ? QStringLiteral("\\textrm{") : QStringLiteral("\\text{")) + Words + QLatin1Char('}'));
  }

  // A character in text mode after Before: TeX reads blanks in a row as one and joins
  // -- into a dash.
  static QString TextCharacter(char32_t Code, char32_t Before) {
    switch (Code) {
      case u' ': return Before == u' ' ? QStringLiteral("\\ ") : QStringLiteral(" ");
      case u'-': return Before == u'-' ? QStringLiteral("{}-") : QStringLiteral("-");
      case u'\\': return QStringLiteral("\\textbackslash{}");
      case u'#': case u'$': case u'%': case u'&': case u'_': case u'{': case u'}':
        return QLatin1Char('\\') + QChar(char16_t(Code));
      default:
        // A character code ends at the group, not at a digit after it.
        return Unprintable(Code) ? TextModeCharacter(Code) + QStringLiteral("{}") : TextModeCharacter(Code);
    }
  }

  // An optional argument; a brace group keeps "]" inside it.
  void Optional(const TFormulaRun& Slot) {
    Put(QStringLiteral("[{"));
    Run(Slot);
    Put(QStringLiteral("}]"));
  }

  // The divisor braced, then the dividend under a bar that starts with the bracket (its
  // height smashed, as the bar's is what counts); the quotient set over both.
  void LongDivision(const TTemplateInfo& Info, const std::vector<TFormulaRun>& Slots, const TFormulaNode* Previous) {
    LeadingGroup(Slots[1], Previous);
    if (Info.Quotient) {
      Put(QStringLiteral("\\overset"));
      Braced(Slots[2]);
      Put(QStringLiteral("{"));
    }
    Put(QStringLiteral("\\overline{\\smash{)}"));
    Run(Slots[0]);
    Put(QStringLiteral("}"));
    if (Info.Quotient) Put(QStringLiteral("}"));
  }

  // The group a long division or a prime begins with. Empty after an index it is {{}}: a
  // "{}" there would end that index as a left index.
  void LeadingGroup(const TFormulaRun& Body, const TFormulaNode* Previous) {
    const TTemplateInfo* Before =
        Previous && Previous->Kind == TFormulaNode::Template ? FindTemplate(Previous->Keyword) : nullptr;
    if (Body.empty() && Before && Before->Kind == TTemplateInfo::Index)
      Put(QStringLiteral("{{}}"));
    else
      Braced(Body);
  }

  void Accent(TKindAccent Mark, const TFormulaRun& Body, const TFormulaNode* Previous) {
    switch (Mark) {
      case acPrime: case acPrimeTwo: case acPrimeThree:
        LeadingGroup(Body, Previous);
        Put(QString(1 + Mark - acPrime, u'\''));
        return;
      case acBackPrime:
        LeadingGroup(Body, Previous);
        Put(QStringLiteral("^{\\backprime}"));
        return;
      case acArrowLeft: case acArrowRightLeft:
        // \overleftarrow and \overleftrightarrow are the bars' own.
        Put(Mark == acArrowLeft ? QStringLiteral("\\overset{\\leftarrow}") : QStringLiteral("\\overset{\\leftrightarrow}"));
        Braced(Body);
        return;
      default: break;
    }
    // The wide hat and tilde stretch over anything but one character.
    const bool Wide = Body.size() != 1 || Body.front().Kind == TFormulaNode::Template;
    static const QHash<int, const char*> Commands = {
        {acStrike, "sout"}, {acSlash, "cancel"}, {acDot, "dot"}, {acDotTwo, "ddot"}, {acDotThree, "dddot"},
        {acBar, "bar"}, {acArrowRight, "vec"}, {acHarpoonRight, "overrightharpoon"},
        {acHarpoonLeft, "overleftharpoon"}, {acArcUp, "overgroup"}, {acArcDown, "breve"}};
    if (Mark == acHat) Put(Wide ? QStringLiteral("\\widehat") : QStringLiteral("\\hat"));
    else if (Mark == acTilde) Put(Wide ? QStringLiteral("\\widetilde") : QStringLiteral("\\tilde"));
    else Put(QLatin1Char('\\') + QLatin1String(Commands.value(Mark)));
    Braced(Body);
  }

  void Scripted(const TFormulaNode& Node, const TTemplateInfo& Info) {
    const TFormulaRun& Base = Node.Slots[0];
    if (Info.OperatorBase) {
      // A name LaTeX has a command for is that command (\mathop{lim} would set italic letters).
      if (const QString Name = LetterRun(Base); OperatorNames().contains(Name)) {
        Put(QLatin1Char('\\') + Name);
      } else {
        Put(QStringLiteral("\\mathop"));
        Braced(Base);
      }
      const bool Limits = Info.Options.Contains(goLimitTop) || Info.Options.Contains(goLimitBottom);
      Put(Limits ? QStringLiteral("\\limits") : QStringLiteral("\\nolimits"));
      Scripts(Node, Info, Limits ? goLimitBottom : goIndexBottom, Limits ? goLimitTop : goIndexTop);
      return;
    }
    const int Top = Info.SlotOf(goLimitTop);
    const int Bottom = Info.SlotOf(goLimitBottom);
    if (Top >= 0) {
      Put(QStringLiteral("\\overset"));
      Braced(Node.Slots[Top]);
      Put(QStringLiteral("{"));
    }
    if (Bottom >= 0) {
      Put(QStringLiteral("\\underset"));
      Braced(Node.Slots[Bottom]);
      Braced(Base);
    } else if (IsStackBelow(Base)) {
      // A reader takes \overset{..}{\underset..} for one stack with both scripts.
      Braced(Base);
    } else {
      Run(Base);
    }
    if (Top >= 0) Put(QStringLiteral("}"));
  }

  static bool IsStackBelow(const TFormulaRun& Run) {
    if (Run.size() != 1 || Run.front().Kind != TFormulaNode::Template) return false;
    const TTemplateInfo* Info = FindTemplate(Run.front().Keyword);
    return Info->Kind == TTemplateInfo::Scripted && !Info->OperatorBase && !Info->Options.Contains(goLimitTop);
  }

  // Indices, a back prime, a brace's label and an operator's scripts.
  static bool EndsWithScripts(const TFormulaNode& Node) {
    const TTemplateInfo* Info = Node.Kind == TFormulaNode::Template ? FindTemplate(Node.Keyword) : nullptr;
    if (!Info) return false;
    switch (Info->Kind) {
      case TTemplateInfo::Index: case TTemplateInfo::LeftIndex: case TTemplateInfo::Brace: return true;
      case TTemplateInfo::Accent: return Info->Mark == acBackPrime;
      case TTemplateInfo::Scripted: return Info->OperatorBase;
      default: return false;
    }
  }

  static QString ArrowCommand(TKindArrow Heads) {
    if (Heads.Contains(kaRight) && Heads.Contains(kaLeft)) return QStringLiteral("xleftrightarrow");
    return Heads.Contains(kaLeft) ? QStringLiteral("xleftarrow") : QStringLiteral("xrightarrow");
  }

  void Vector(const TTemplateInfo& Info, const TFormulaRun& Body) {
    const QString Side = Info.Align == aeBottom ? QStringLiteral("over") : QStringLiteral("under");
    if (Info.Heads.Contains(kaRight) || Info.Heads.Contains(kaLeft)) {
      const QString Arrow = Info.Heads.Contains(kaRight) && Info.Heads.Contains(kaLeft) ? QStringLiteral("leftrightarrow")
                            : Info.Heads.Contains(kaLeft)                                ? QStringLiteral("leftarrow")
                                                                                         : QStringLiteral("rightarrow");
      Put(QLatin1Char('\\') + Side + Arrow);
      Braced(Body);
      return;
    }
    const QString Bar = QLatin1Char('\\') + Side + QStringLiteral("line");
    const bool Double = Info.Heads.Contains(kaDouble);
    Put(Bar + QLatin1Char('{'));
    if (Double) Put(Bar + QLatin1Char('{'));
    // A bar directly under a bar of the same side would read as a double bar: brace it.
    const bool Nested = Body.size() == 1 && Body.front().Kind == TFormulaNode::Template &&
                        FindTemplate(Body.front().Keyword)->Kind == TTemplateInfo::Vector &&
                        FindTemplate(Body.front().Keyword)->Heads.IsEmpty() &&
                        FindTemplate(Body.front().Keyword)->Align == Info.Align;
    if (Nested)
      Braced(Body);
    else
      Run(Body);
    Put(Double ? QStringLiteral("}}") : QStringLiteral("}"));
  }

  void Matrix(const TTemplateInfo& Info, const std::vector<TFormulaRun>& Cells) {
    const int N = static_cast<int>(Cells.size());
    const int Columns = Info.MatrixColumns(N);
    Put(QStringLiteral("\\begin{matrix}"));
    for (int I = 0; I < N; ++I) {
      if (I > 0) Put(I % Columns == 0 ? QStringLiteral(" \\\\ ") : QStringLiteral(" & "));
      Cell(Cells[I]);
    }
    Put(QStringLiteral("\\end{matrix}"));
  }

  bool FAfterControlWord = false;
  const bool FCommands;
};
}  // namespace

QString WriteLatex(const TFormula& Formula, bool Annotated, TLatexFlavour Flavour) {
  TLatexWriter Writer(Flavour);
  Writer.Lines(Formula);
  if (!Annotated) return Writer.Text;
  // The newline ends the comment before whatever follows the formula.
  return Writer.Text + QStringLiteral("\n%zelk-data:") + WriteData(Formula, true) + QLatin1Char('\n');
}
