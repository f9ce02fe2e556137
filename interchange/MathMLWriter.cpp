// Formula -> presentation MathML.

#include <QStringList>
#include <algorithm>
#include <utility>

#include "interchange/LatexText.h"
#include "interchange/MathAlphabets.h"
#include "interchange/MathML.h"
#include "interchange/SymbolTable.h"
#include "interchange/Templates.h"

namespace {
QString Escaped(char32_t Code) {
  switch (Code) {
    case u'<': return QStringLiteral("&lt;");
    case u'>': return QStringLiteral("&gt;");
    case u'&': return QStringLiteral("&amp;");
    default:
      // Spaces by number: a reader sees which one, and XML does not fold them.
      if (Code <= 0xFFFF && IsSpaceSymbol(Code)) return QStringLiteral("&#x%1;").arg(QString::number(Code, 16).toUpper());
      return QString::fromUcs4(&Code, 1);
  }
}

QString Token(const char* Tag, char32_t Code, const QString& Attributes = QString()) {
  const QString Name = QLatin1String(Tag);
  return QLatin1Char('<') + Name + Attributes + QLatin1Char('>') + Escaped(Code) + QStringLiteral("</") + Name +
         QLatin1Char('>');
}

// A big-operator sign that is only a character says so: a reader takes such a sign with
// scripts for the template.
QString SignAttributes(char32_t Code) {
  TOperatorSign Sign;
  return Code <= 0xFFFF && BigOperatorByChar(Code, Sign) ? QStringLiteral(" largeop=\"false\"") : QString();
}

QString Character(char32_t Code) {
  if (Unprintable(Code)) return QStringLiteral("<mrow class=\"zelk-unprintable\"/>");
  if (Code == u' ') return QStringLiteral("<mspace width=\"0.25em\"/>");
  // As an operator, a reader would take an invisible one for markup and drop it.
  if (Code >= 0x2061 && Code <= 0x2064) return Token("mtext", Code);
  if (Code >= u'0' && Code <= u'9') return Token("mn", Code);
  // A styled letter or digit as its plain one in its alphabet: some of them are letter-like
  // symbols that stand for palette symbols on their own.
  if (const auto Plain = PlainCharacter(Code))
    return Token(Plain->second <= U'9' ? "mn" : "mi", Plain->second,
                 QStringLiteral(" mathvariant=\"%1\"").arg(AlphabetVariant(Plain->first)));
  if (QChar::isLetter(Code)) return Token("mi", Code);
  return Token("mo", Code, SignAttributes(Code));
}

QString Row(const QString& Content) {
  return Content.isEmpty() ? QStringLiteral("<mrow/>") : QStringLiteral("<mrow>") + Content + QStringLiteral("</mrow>");
}

QString Element(const QString& Tag, const QString& Content, const QString& Attributes = QString()) {
  return QLatin1Char('<') + Tag + Attributes + QLatin1Char('>') + Content + QStringLiteral("</") + Tag + QLatin1Char('>');
}

class TMathMLWriter {
 public:
  QString Lines(const TFormula& Formula) {
    const bool Aligned = HasAlignedLines(Formula);
    if (Formula.Lines.size() == 1 && !Aligned) return Row(Run(Formula.Lines.front()));
    QString Rows;
    int Columns = 1;
    for (const TFormulaRun& Line : Formula.Lines) {
      QString Cells;
      const std::vector<TFormulaRun> Parts = AlignedCells(Line);
      Columns = qMax(Columns, static_cast<int>(Parts.size()));
      for (const TFormulaRun& Part : Parts) Cells += Element(QStringLiteral("mtd"), Run(Part));
      Rows += Element(QStringLiteral("mtr"), Cells);
    }
    if (Formula.Lines.empty()) return QStringLiteral("<mrow/>");
    if (!Aligned) return Element(QStringLiteral("mtable"), Rows);
    // Columns in pairs, right then left, the pairs an em apart.
    QStringList Align;
    QStringList Spacing;
    for (int C = 0; C < Columns; ++C) {
      Align << (C % 2 == 0 ? QStringLiteral("right") : QStringLiteral("left"));
      if (C > 0) Spacing << (C % 2 == 0 ? QStringLiteral("1em") : QStringLiteral("0em"));
    }
    QString Attributes = QStringLiteral(" displaystyle=\"true\" columnalign=\"%1\"").arg(Align.join(u' '));
    if (!Spacing.isEmpty()) Attributes += QStringLiteral(" columnspacing=\"%1\"").arg(Spacing.join(u' '));
    return Element(QStringLiteral("mtable"), Rows, Attributes);
  }

 private:
  QString Slot(const TFormulaRun& Items) { return Row(Run(Items)); }

  static bool IsIndex(const TFormulaNode& Node) {
    if (Node.Kind != TFormulaNode::Template) return false;
    const auto Kind = FindTemplate(Node.Keyword)->Kind;
    return Kind == TTemplateInfo::Index || Kind == TTemplateInfo::LeftIndex;
  }

  // Each element's markup in turn; an index takes the markup before it as its base, a left
  // index the markup after it.
  QString Run(const TFormulaRun& Items) {
    std::vector<QString> Parts;
    for (size_t I = 0; I < Items.size(); ++I) {
      const TFormulaNode& Node = Items[I];
      if (Node.Kind == TFormulaNode::Template && FindTemplate(Node.Keyword)->Kind == TTemplateInfo::LeftIndex) {
        QString Base = QStringLiteral("<mrow/>");
        if (I + 1 < Items.size() && !IsIndex(Items[I + 1])) Base = Single(Items[++I]);
        Parts.push_back(Prescripts(*FindTemplate(Node.Keyword), Node, Base));
        continue;
      }
      if (Node.Kind == TFormulaNode::Template && FindTemplate(Node.Keyword)->Kind == TTemplateInfo::Index) {
        const TFormulaNode* Previous = I > 0 ? &Items[I - 1] : nullptr;
        const bool OwnBase = Previous && !IsIndex(*Previous);
        QString Base = QStringLiteral("<mrow/>");
        if (OwnBase) {
          Base = Parts.back();
          Parts.pop_back();
        }
        Parts.push_back(Scripted(*FindTemplate(Node.Keyword), Node, Base, false));
        continue;
      }
      Parts.push_back(Single(Node));
    }
    QString Result;
    for (const QString& Part : Parts) Result += Part;
    return Result;
  }

  QString Prescripts(const TTemplateInfo& Info, const TFormulaNode& Node, const QString& Base) {
    const auto Script = [&](TGroupOption Option) {
      const int S = Info.SlotOf(Option);
      return S >= 0 ? Slot(Node.Slots[S]) : QStringLiteral("<none/>");
    };
    return Element(QStringLiteral("mmultiscripts"),
                   Base + QStringLiteral("<mprescripts/>") + Script(goIndexBottom) + Script(goIndexTop));
  }

  QString Single(const TFormulaNode& Node) {
    switch (Node.Kind) {
      case TFormulaNode::Simple: return Character(Node.Code);
      case TFormulaNode::ExtSymbol: {
        const TSymbol* S = SymbolByCode(Node.Code);
        if (!S) return Character(Node.Code);
        if (IsSpaceSymbol(S->Code)) return Token("mtext", S->Code);
        return Token(S->Identifier ? "mi" : "mo", S->MathChar, SignAttributes(S->MathChar));
      }
      case TFormulaNode::Template: return Template(*FindTemplate(Node.Keyword), Node);
    }
    return QString();
  }

  // Scripts beside (msub...) or above and below (munder...) Base.
  QString Scripted(const TTemplateInfo& Info, const TFormulaNode& Node, const QString& Base, bool Limits) {
    const int Bottom = Info.SlotOf(Limits ? goLimitBottom : goIndexBottom);
    const int Top = Info.SlotOf(Limits ? goLimitTop : goIndexTop);
    QString Tag;
    QString Content = Base;
    if (Bottom >= 0) Content += Slot(Node.Slots[Bottom]);
    if (Top >= 0) Content += Slot(Node.Slots[Top]);
    if (Bottom >= 0 && Top >= 0)
      Tag = Limits ? QStringLiteral("munderover") : QStringLiteral("msubsup");
    else if (Bottom >= 0)
      Tag = Limits ? QStringLiteral("munder") : QStringLiteral("msub");
    else if (Top >= 0)
      Tag = Limits ? QStringLiteral("mover") : QStringLiteral("msup");
    else
      return Base;
    return Element(Tag, Content);
  }

  QString Template(const TTemplateInfo& Info, const TFormulaNode& Node) {
    switch (Info.Kind) {
      case TTemplateInfo::Index: return Scripted(Info, Node, QStringLiteral("<mrow/>"), false);
      case TTemplateInfo::BigOperator: {
        const QString Sign = Token("mo", BigOperatorChar(Info.Operator, Info.Size, Info.Ring),
                                   QStringLiteral(" movablelimits=\"false\""));
        return Row(Scripted(Info, Node, Sign, Info.Options.Contains(goLimitBottom)) + Slot(Node.Slots[0]));
      }
      case TTemplateInfo::Brackets: return Bracketed(Info.Bracket, Slot(Node.Slots[0]));
      case TTemplateInfo::Division: case TTemplateInfo::Binomial: {
        // A binomial is a fraction without a bar in round brackets, as TeX's \binom is.
        const bool Binomial = Info.Kind == TTemplateInfo::Binomial;
        if (Info.Continued != cfNone) {
          // Both parts in display style, the numerator where it stands.
          const auto Display = [&](const TFormulaRun& Part) {
            return Element(QStringLiteral("mstyle"), Slot(Part), QStringLiteral(" displaystyle=\"true\""));
          };
          const QString Side = Info.Continued == cfLeft    ? QStringLiteral(" numalign=\"left\"")
                               : Info.Continued == cfRight ? QStringLiteral(" numalign=\"right\"")
                                                           : QString();
          return Element(QStringLiteral("mfrac"), Display(Node.Slots[0]) + Display(Node.Slots[1]), Side);
        }
        QString Fraction = Element(QStringLiteral("mfrac"), Slot(Node.Slots[0]) + Slot(Node.Slots[1]),
                                   Binomial ? QStringLiteral(" linethickness=\"0\"") : QString());
        if (Binomial) Fraction = Bracketed(kbRound, Fraction);
        return Info.Small ? Element(QStringLiteral("mstyle"), Fraction, QStringLiteral(" displaystyle=\"false\" scriptlevel=\"1\""))
                          : Fraction;
      }
      case TTemplateInfo::SlashDivision:
        return Element(QStringLiteral("mfrac"), Slot(Node.Slots[0]) + Slot(Node.Slots[1]), QStringLiteral(" bevelled=\"true\""));
      case TTemplateInfo::Root:
        return Info.Degree ? Element(QStringLiteral("mroot"), Slot(Node.Slots[0]) + Slot(Node.Slots[1]))
                           : Element(QStringLiteral("msqrt"), Slot(Node.Slots[0]));
      case TTemplateInfo::LongDivision: {
        QString Enclosed = Element(QStringLiteral("menclose"), Slot(Node.Slots[0]), QStringLiteral(" notation=\"longdiv\""));
        if (Info.Quotient) Enclosed = Element(QStringLiteral("mover"), Enclosed + Slot(Node.Slots[2]));
        return Element(QStringLiteral("mrow"), Slot(Node.Slots[1]) + Enclosed);
      }
      case TTemplateInfo::Accent: return Accent(Info.Mark, Node.Slots[0]);
      case TTemplateInfo::Arrow: {
        const QString Arrow = Token("mo", ArrowChar(Info.Heads), QStringLiteral(" stretchy=\"true\""));
        return Element(Info.Align == aeTop ? QStringLiteral("mover") : QStringLiteral("munder"),
                       Arrow + Slot(Node.Slots[0]));
      }
      case TTemplateInfo::Vector: return Vector(Info, Node.Slots[0]);
      case TTemplateInfo::Matrix: return Matrix(Info, Node.Slots);
      case TTemplateInfo::Fence: {
        const auto Fence = [](TDelimiter D, const char* Form) {
          const QString Attributes = QStringLiteral(" fence=\"true\" form=\"%1\"").arg(QLatin1String(Form));
          // No delimiter is an empty one, as \left. gives.
          return D == dlNone ? QStringLiteral("<mo%1></mo>").arg(Attributes) : Token("mo", DelimiterChar(D), Attributes);
        };
        QString Content = Fence(Info.Delimiters.Left, "prefix") + Slot(Node.Slots[0]);
        for (size_t I = 1; I < Node.Slots.size(); ++I) Content += Fence(Info.Delimiters.Middle, "infix") + Slot(Node.Slots[I]);
        return Row(Content + Fence(Info.Delimiters.Right, "postfix"));
      }
      case TTemplateInfo::LeftIndex: return Prescripts(Info, Node, QStringLiteral("<mrow/>"));
      case TTemplateInfo::Scripted: {
        // An operator base is marked, so that a reader tells it from a stack.
        const QString Base = Info.OperatorBase
                                 ? Element(QStringLiteral("mrow"), Run(Node.Slots[0]), QStringLiteral(" class=\"zelk-operator\""))
                                 : Slot(Node.Slots[0]);
        return Scripted(Info, Node, Base, Info.Options.Contains(goLimitTop) || Info.Options.Contains(goLimitBottom));
      }
      case TTemplateInfo::Brace: {
        const bool Over = Info.Align == aeTop;
        const QString Tag = Over ? QStringLiteral("mover") : QStringLiteral("munder");
        const QString Brace = Token("mo", Over ? 0x23DE : 0x23DF, QStringLiteral(" stretchy=\"true\""));
        const QString Braced = Element(Tag, Slot(Node.Slots[0]) + Brace,
                                       Over ? QStringLiteral(" accent=\"true\"") : QStringLiteral(" accentunder=\"true\""));
        return Element(Tag, Braced + Slot(Node.Slots[1]));
      }
      case TTemplateInfo::Text: return TextKind(Node.Slots[0]);
      case TTemplateInfo::AlignMark:
        // A line's marks part its cells (Lines); one inside a slot has no MathML.
        return QString();
    }
    return QString();
  }

  // Words as one <mtext>, spaces as they are; what is no character of text parts it.
  QString TextKind(const TFormulaRun& Body) {
    QString Result;
    QString Words;
    TFormulaRun Math;
    int Pieces = 0;
    const auto Flush = [&] {
      if (!Words.isEmpty()) Result += Element(QStringLiteral("mtext"), std::exchange(Words, QString()));
      else if (!Math.empty()) Result += Run(std::exchange(Math, TFormulaRun()));
      else return;
      ++Pieces;
    };
    for (const TFormulaNode& Node : Body) {
      // A no-break space in words reads as a word space: the symbol stands apart.
      const bool Character = (Node.Kind == TFormulaNode::Simple && !Unprintable(Node.Code) && Node.Code != 0xA0) ||
                             (Node.Kind == TFormulaNode::ExtSymbol && IsSpaceSymbol(Node.Code) && Node.Code != 160);
      if (Character) {
        if (!Math.empty()) Flush();
        Words += Escaped(Node.Code);
      } else {
        if (!Words.isEmpty()) Flush();
        Math.push_back(Node);
      }
    }
    Flush();
    const bool Blank = std::all_of(Body.begin(), Body.end(), [](const TFormulaNode& Node) {
      return Node.Kind != TFormulaNode::Template && IsBlank(Node.Code);
    });
    if (Pieces == 1 && Result.startsWith(QLatin1String("<mtext>")) && !Blank) return Result;
    // Text with math in it, or of blanks alone (which other writers use for spacing): our
    // reader takes the marked row back for one text.
    return Element(QStringLiteral("mrow"), Result, QStringLiteral(" class=\"zelk-text\""));
  }

  static QString Bracketed(TKindBracket Kind, const QString& Content) {
    const auto Fence = [](char16_t Code, const char* Form) {
      return Token("mo", Code, QStringLiteral(" fence=\"true\" form=\"%1\"").arg(QLatin1String(Form)));
    };
    return Row(Fence(DelimiterChar(OpeningDelimiter(Kind)), "prefix") + Content +
               Fence(DelimiterChar(ClosingDelimiter(Kind)), "postfix"));
  }

  // Strokes across the slot enclose it; primes are its superscript; other marks go over it,
  // not stretched where a stretched one would be a bar's or an arrow's.
  QString Accent(TKindAccent Mark, const TFormulaRun& Body) {
    if (Mark == acStrike || Mark == acSlash)
      return Element(QStringLiteral("menclose"), Slot(Body),
                     Mark == acStrike ? QStringLiteral(" notation=\"horizontalstrike\"") : QStringLiteral(" notation=\"updiagonalstrike\""));
    const char16_t Code = AccentChar(Mark);
    if (Mark == acPrime || Mark == acPrimeTwo || Mark == acPrimeThree || Mark == acBackPrime)
      return Element(QStringLiteral("msup"), Slot(Body) + Token("mo", Code));
    const bool Stretchy = Mark == acHat || Mark == acTilde || Mark == acHarpoonRight || Mark == acHarpoonLeft ||
                          Mark == acArcUp || Mark == acArcDown;
    return Element(QStringLiteral("mover"),
                   Slot(Body) + Token("mo", Code, Stretchy ? QStringLiteral(" stretchy=\"true\"") : QStringLiteral(" stretchy=\"false\"")),
                   QStringLiteral(" accent=\"true\""));
  }

  static char16_t ArrowChar(TKindArrow Heads) {
    if (Heads.Contains(kaRight) && Heads.Contains(kaLeft)) return 0x2194;
    return Heads.Contains(kaLeft) ? 0x2190 : 0x2192;
  }

  QString Vector(const TTemplateInfo& Info, const TFormulaRun& Body) {
    const bool Over = Info.Align == aeBottom;
    const bool Arrow = Info.Heads.Contains(kaRight) || Info.Heads.Contains(kaLeft);
    const char16_t Mark = Arrow ? ArrowChar(Info.Heads) : (Over ? 0x203E : u'_');
    const QString Tag = Over ? QStringLiteral("mover") : QStringLiteral("munder");
    const QString Attributes = Over ? QStringLiteral(" accent=\"true\"") : QStringLiteral(" accentunder=\"true\"");
    const QString Line = Token("mo", Mark, QStringLiteral(" stretchy=\"true\""));
    QString Result = Element(Tag, Slot(Body) + Line, Attributes);
    if (Info.Heads.Contains(kaDouble)) Result = Element(Tag, Result + Line, Attributes);
    return Result;
  }

  QString Matrix(const TTemplateInfo& Info, const std::vector<TFormulaRun>& Cells) {
    const int N = static_cast<int>(Cells.size());
    const int Columns = Info.MatrixColumns(N);
    QString Rows;
    QString Row;
    for (int I = 0; I < N; ++I) {
      Row += Element(QStringLiteral("mtd"), Run(Cells[I]));
      if ((I + 1) % Columns == 0 || I + 1 == N) {
        Rows += Element(QStringLiteral("mtr"), Row);
        Row.clear();
      }
    }
    return Element(QStringLiteral("mtable"), Rows);
  }
};

QString XmlText(const QString& Text) {
  QString Result = Text;
  Result.replace(QLatin1Char('&'), QLatin1String("&amp;"));
  Result.replace(QLatin1Char('<'), QLatin1String("&lt;"));
  Result.replace(QLatin1Char('>'), QLatin1String("&gt;"));
  return Result;
}
}  // namespace

QString WriteMathML(const TFormula& Formula, bool Annotated) {
  const QString Presentation = TMathMLWriter().Lines(Formula);
  QString Body = Presentation;
  if (Annotated) {
    // The LaTeX annotation needs no Data line of its own.
    Body = QStringLiteral("<semantics>") + Presentation +
           QStringLiteral("<annotation encoding=\"application/x-zelk-data\">") + XmlText(WriteData(Formula, true)) +
           QStringLiteral("</annotation><annotation encoding=\"application/x-tex\">") +
           XmlText(WriteLatex(Formula, false)) + QStringLiteral("</annotation></semantics>");
  }
  return QStringLiteral("<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\">") + Body +
         QStringLiteral("</math>");
}
