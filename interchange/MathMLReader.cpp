// Presentation MathML -> formula.

#include <QHash>
#include <algorithm>
#include <QSet>
#include <optional>
#include <utility>
#include <QXmlStreamReader>

#include "interchange/LatexText.h"
#include "interchange/MathAlphabets.h"
#include "interchange/MathML.h"
#include "interchange/ReadSupport.h"
#include "interchange/SymbolTable.h"

namespace {
struct TXmlNode {
  QString Name;
  QHash<QString, QString> Attributes;
  QString Text;
  std::vector<TXmlNode> Children;
  // Where its start tag begins in the text.
  qsizetype Offset = 0;
};

// The few named entities MathML texts use without declaring them.
class TEntities : public QXmlStreamEntityResolver {
 public:
  QString resolveUndeclaredEntity(const QString& Name) override {
    static const QHash<QString, QString> Table = {
        {"nbsp", QString(QChar(160))}, {"NonBreakingSpace", QString(QChar(160))},
        {"InvisibleTimes", QString(QChar(0x2062))}, {"it", QString(QChar(0x2062))},
        {"ApplyFunction", QString(QChar(0x2061))}, {"af", QString(QChar(0x2061))},
        {"infin", QString(QChar(0x221E))}, {"int", QString(QChar(0x222B))}, {"sum", QString(QChar(0x2211))},
        {"minus", QString(QChar(0x2212))}, {"le", QString(QChar(0x2264))}, {"ge", QString(QChar(0x2265))},
        {"ne", QString(QChar(0x2260))}, {"times", QString(QChar(0xD7))}, {"pm", QString(QChar(0xB1))},
        {"rarr", QString(QChar(0x2192))}, {"larr", QString(QChar(0x2190))}, {"OverBar", QString(QChar(0x203E))}};
    return Table.value(Name);
  }
};

[[noreturn]] void Refuse(const QString& Message, const TXmlNode& At) {
  throw TReadRefusal{Message, At.Offset};
}

TXmlNode ParseXml(const QString& Text) {
  QXmlStreamReader Xml(Text);
  TEntities Entities;
  Xml.setEntityResolver(&Entities);
  std::vector<TXmlNode> Stack;
  TXmlNode Root;
  bool HaveRoot = false;
  while (!Xml.atEnd()) {
    const auto Token = Xml.readNext();
    if (Token == QXmlStreamReader::StartElement) {
      // The reader stops right after the tag, whose attributes hold no '<'.
      const qsizetype Start = qMax<qsizetype>(0, Text.lastIndexOf(u'<', Xml.characterOffset() - 1));
      if (static_cast<int>(Stack.size()) >= MaxReadDepth)
        throw TReadRefusal{QStringLiteral("elements nest deeper than %1 levels").arg(MaxReadDepth), Start};
      TXmlNode Node;
      Node.Name = Xml.name().toString();
      Node.Offset = Start;
      for (const QXmlStreamAttribute& A : Xml.attributes()) Node.Attributes.insert(A.name().toString(), A.value().toString());
      Stack.push_back(std::move(Node));
    } else if (Token == QXmlStreamReader::EndElement) {
      TXmlNode Node = std::move(Stack.back());
      Stack.pop_back();
      if (Stack.empty()) {
        Root = std::move(Node);
        HaveRoot = true;
      } else {
        Stack.back().Children.push_back(std::move(Node));
      }
    } else if (Token == QXmlStreamReader::Characters && !Stack.empty()) {
      Stack.back().Text += Xml.text();
    }
  }
  // The reader's column counts the characters it took from the line: the last of them,
  // 1-based, is where it found the fault.
  if (Xml.hasError())
    throw TReadRefusal{QStringLiteral("not well-formed XML: ") + Xml.errorString(), 0,
                       static_cast<int>(Xml.lineNumber()), qMax(1, static_cast<int>(Xml.columnNumber()))};
  if (!HaveRoot || Root.Name != QLatin1String("math"))
    throw TReadRefusal{QStringLiteral("the text holds no <math> element"), 0, 1, 1};
  return Root;
}

// Token content without the blanks XML puts around it; other spaces are characters.
QString Trimmed(const QString& Text) {
  const auto Blank = [](QChar C) { return C == u' ' || C == u'\t' || C == u'\n' || C == u'\r'; };
  qsizetype First = 0, Last = Text.size();
  while (First < Last && Blank(Text[First])) ++First;
  while (Last > First && Blank(Text[Last - 1])) --Last;
  return Text.mid(First, Last - First);
}

bool IsRelation(const TXmlNode& Node) {
  if (Node.Name != QLatin1String("mo")) return false;
  const QString T = Trimmed(Node.Text);
  return T.size() == 1 && QStringLiteral("=<>,;\u2264\u2265\u2260\u2248\u2261\u2192").contains(T[0]);
}

char16_t SingleChar(const TXmlNode& Node) {
  const QString T = Trimmed(Node.Text);
  return T.size() == 1 ? T[0].unicode() : 0;
}

// A fraction drawn without a bar (linethickness 0 in any unit): a binomial's parts.
bool Barless(const TXmlNode& Node) {
  if (Node.Name != QLatin1String("mfrac") || Node.Children.size() != 2) return false;
  QString Thickness = Node.Attributes.value(QStringLiteral("linethickness")).trimmed();
  if (Thickness.isEmpty()) return false;
  while (!Thickness.isEmpty() && Thickness.back().isLetter()) Thickness.chop(1);
  bool Ok = false;
  return Thickness.toDouble(&Ok) == 0 && Ok;
}

// The character of a bracket operator, also inside rows of its own (as MathJax writes
// the delimiters of \binom); 0 for anything else.
char16_t BracketChar(const TXmlNode& Node) {
  const TXmlNode* At = &Node;
  while (At->Name == QLatin1String("mrow") && At->Children.size() == 1) At = &At->Children.front();
  return At->Name == QLatin1String("mo") ? SingleChar(*At) : 0;
}

// Whether Items[At] begins "(", a fraction without a bar, ")": a binomial coefficient.
bool BinomialAt(const std::vector<const TXmlNode*>& Items, size_t At) {
  return At + 2 < Items.size() && BracketChar(*Items[At]) == u'(' && Barless(*Items[At + 1]) &&
         BracketChar(*Items[At + 2]) == u')';
}

// The name of an operator written as one token (<mi>lim</mi>, <mo>lim</mo>), also with
// the function application after it in a row (as KaTeX writes it); empty for anything else.
QString OperatorName(const TXmlNode& Node) {
  const TXmlNode* Token = &Node;
  if (Node.Name == QLatin1String("mrow") && Node.Children.size() == 2 && SingleChar(Node.Children[1]) == 0x2061)
    Token = &Node.Children[0];
  if (Token->Name != QLatin1String("mi") && Token->Name != QLatin1String("mo")) return QString();
  if (!Token->Children.empty()) return QString();
  const QString Name = Trimmed(Token->Text);
  if (Name.size() < 2) return QString();
  for (QChar C : Name)
    if (!C.isLetter()) return QString();
  return Name;
}

class TMathMLReader {
 public:
  TReadLosses Losses;

  TFormula Document(const TXmlNode& Math) {
    std::vector<const TXmlNode*> Content = Presentation(Math);
    TFormula Formula;
    // A table of lines: one column, or columns aligned in right-left pairs; a table of
    // other columns is a matrix.
    if (Content.size() == 1 && Content.front()->Name == QLatin1String("mtable") &&
        (IsAlignedTable(*Content.front()) || IsColumn(*Content.front()))) {
      for (const TXmlNode& Row : Content.front()->Children) {
        TFormulaRun Line;
        const std::vector<TFormulaRun> Cells = RowCells(Row);
        for (size_t I = 0; I < Cells.size(); ++I) {
          if (I > 0) Line.push_back(AlignMarkNode());
          Line.insert(Line.end(), Cells[I].begin(), Cells[I].end());
        }
        Formula.Lines.push_back(std::move(Line));
      }
      return Formula;
    }
    Formula.Lines.push_back(Runs(Content));
    return Formula;
  }

  // Aligned lines: the table's columns alternate right and left (columnalign), or each
  // cell says so, by its columnalign or by the class an aligned environment gives it.
  static bool IsAlignedTable(const TXmlNode& Table) {
    const auto Alternate = [](const QString& Align, size_t Column) {
      return Align == (Column % 2 == 0 ? QLatin1String("right") : QLatin1String("left"));
    };
    const QStringList Columns = Table.Attributes.value(QStringLiteral("columnalign")).split(u' ', Qt::SkipEmptyParts);
    if (Columns.size() >= 2) {
      for (int C = 0; C < Columns.size(); ++C)
        if (!Alternate(Columns[C], C)) return false;
      return true;
    }
    bool Pairs = false;
    for (const TXmlNode& Row : Table.Children) {
      size_t Column = 0;
      for (const TXmlNode& Cell : Row.Children) {
        if (Cell.Name != QLatin1String("mtd")) continue;
        QString Align = Cell.Attributes.value(QStringLiteral("columnalign"));
        const QStringList Classes = Cell.Attributes.value(QStringLiteral("class")).split(u' ', Qt::SkipEmptyParts);
        if (Align.isEmpty() && Classes.contains(QLatin1String("tml-right"))) Align = QStringLiteral("right");
        if (Align.isEmpty() && Classes.contains(QLatin1String("tml-left"))) Align = QStringLiteral("left");
        if (!Alternate(Align, Column++)) return false;
      }
      Pairs = Pairs || Column > 1;
    }
    return Pairs;
  }

  static bool IsColumn(const TXmlNode& Table) {
    for (const TXmlNode& Row : Table.Children) {
      int Cells = 0;
      for (const TXmlNode& Cell : Row.Children) Cells += Cell.Name == QLatin1String("mtd");
      if (Cells > 1) return false;
    }
    return true;
  }

  // The presentation children of <math>, inside <semantics> when it is there.
  static std::vector<const TXmlNode*> Presentation(const TXmlNode& Math) {
    std::vector<const TXmlNode*> Content;
    for (const TXmlNode& Child : Math.Children) Content.push_back(&Child);
    if (Content.size() == 1 && Content.front()->Name == QLatin1String("semantics")) {
      const TXmlNode* Semantics = Content.front();
      Content.clear();
      if (!Semantics->Children.empty() && !Semantics->Children.front().Name.startsWith(QLatin1String("annotation")))
        Content.push_back(&Semantics->Children.front());
    }
    return Content;
  }

 private:
  std::vector<TFormulaRun> RowCells(const TXmlNode& Row) {
    if (Row.Name != QLatin1String("mtr") && Row.Name != QLatin1String("mlabeledtr"))
      Refuse(QStringLiteral("<%1> inside <mtable>").arg(Row.Name), Row);
    std::vector<TFormulaRun> Cells;
    for (size_t I = Row.Name == QLatin1String("mlabeledtr") ? 1 : 0; I < Row.Children.size(); ++I) {
      const TXmlNode& Cell = Row.Children[I];
      if (Cell.Name != QLatin1String("mtd")) Refuse(QStringLiteral("<%1> inside <mtr>").arg(Cell.Name), Cell);
      Cells.push_back(Runs(Children(Cell)));
    }
    if (Row.Name == QLatin1String("mlabeledtr")) Losses.Add(QStringLiteral("equation tags dropped"));
    if (Cells.empty()) Cells.emplace_back();
    return Cells;
  }

  static std::vector<const TXmlNode*> Children(const TXmlNode& Node) {
    std::vector<const TXmlNode*> Result;
    for (const TXmlNode& Child : Node.Children) Result.push_back(&Child);
    return Result;
  }

  TFormulaRun Slot(const TXmlNode& Node) {
    TFormulaRun Out;
    Append(Node, Out);
    return Out;
  }

  void Arity(const TXmlNode& Node, size_t Count) {
    if (Node.Children.size() != Count)
      Refuse(QStringLiteral("<%1> needs %2 children, not %3").arg(Node.Name).arg(Count).arg(Node.Children.size()), Node);
  }

  // A big-operator sign, bare or with scripts beside or above and below it.
  bool BigOperator(const TXmlNode& Node, TOperatorSign& Sign, bool& Limits) {
    static const QSet<QString> Scripted = {"msub", "msup", "msubsup", "munder", "mover", "munderover"};
    const TXmlNode* Sign_ = &Node;
    Limits = false;
    if (Scripted.contains(Node.Name) && !Node.Children.empty()) {
      Sign_ = &Node.Children.front();
      Limits = Node.Name.startsWith(QLatin1String("mu")) || Node.Name == QLatin1String("mover");
    } else if (Node.Name != QLatin1String("mo") || (!Node.Attributes.contains(QStringLiteral("movablelimits")) &&
                                                    Node.Attributes.value(QStringLiteral("largeop")) != QLatin1String("true"))) {
      return false;
    }
    // Another tool may wrap the sign in a second <mo>.
    while (Sign_->Name == QLatin1String("mo") && Sign_->Children.size() == 1) Sign_ = &Sign_->Children.front();
    return Sign_->Name == QLatin1String("mo") && Sign_->Attributes.value(QStringLiteral("largeop")) != QLatin1String("false") &&
           BigOperatorByChar(SingleChar(*Sign_), Sign);
  }

  bool BigOperatorIn(const TXmlNode& Node) {
    TOperatorSign Sign;
    bool Limits = false;
    return BigOperator(Node, Sign, Limits);
  }

  TFormulaRun Runs(const std::vector<const TXmlNode*>& Items) {
    TFormulaRun Out;
    for (size_t I = 0; I < Items.size(); ++I) {
      // Temml wraps a big operator with its limits in a row of its own; the operand follows.
      const TXmlNode* Item = Items[I];
      while (Item->Name == QLatin1String("mrow") && Item->Children.size() == 1 && Item->Attributes.isEmpty() &&
             BigOperatorIn(Item->Children.front()))
        Item = &Item->Children.front();
      const TXmlNode& Node = *Item;
      if (BinomialAt(Items, I)) {
        Out.push_back(Binomial(*Items[I + 1], false));
        I += 2;
        continue;
      }
      TOperatorSign Sign;
      bool Limits = false;
      if (!BigOperator(Node, Sign, Limits)) {
        Append(Node, Out);
        continue;
      }
      const bool Bare = Node.Name == QLatin1String("mo");
      TFormulaRun Bottom, Top;
      bool HasBottom = false, HasTop = false;
      if (!Bare) {
        Arity(Node, Node.Name.endsWith(QLatin1String("subsup")) || Node.Name == QLatin1String("munderover") ? 3 : 2);
        const bool Upper = Node.Name == QLatin1String("msup") || Node.Name == QLatin1String("mover");
        HasBottom = !Upper;
        HasTop = Node.Children.size() == 3 || Upper;
        if (HasBottom) Bottom = Slot(Node.Children[1]);
        if (HasTop) Top = Slot(Node.Children.back());
      }
      TFormulaRun Operand;
      if (I + 1 < Items.size() && Items[I + 1]->Name == QLatin1String("mrow")) {
        Operand = Slot(*Items[++I]);
      } else if (I + 1 < Items.size() && !IsRelation(*Items[I + 1])) {
        // Up to the next relation, as TeX spaces it: no loss to state.
        std::vector<const TXmlNode*> Rest;
        while (I + 1 < Items.size() && !IsRelation(*Items[I + 1])) Rest.push_back(Items[++I]);
        Operand = Runs(Rest);
      } else if (Bare && Sign.Size == 1 && !Sign.Ring && Sign.Operator <= TTemplateInfo::Coproduct) {
        Out.push_back(TFormulaNode::Symbol(SingleChar(Node)));
        continue;
      }
      const TTemplateInfo* Info = BigOperatorTemplate(Sign.Operator, Sign.Size, Sign.Ring, HasBottom, HasTop, Limits);
      if (!Info) Refuse(QStringLiteral("this big operator with these limits has no element kind in this editor"), Node);
      Out.push_back(BigOperatorNode(*Info, std::move(Operand), std::move(Bottom), std::move(Top)));
    }
    return Out;
  }

  void Token(const TXmlNode& Node, TFormulaRun& Out) {
    if (!Node.Children.empty()) Refuse(QStringLiteral("<%1> holds elements").arg(Node.Name), Node);
    const bool IsText = Node.Name == QLatin1String("mtext");
    // A tab or a line break in a token is a blank of the XML, a space of the formula.
    QString Text = IsText ? Node.Text : Trimmed(Node.Text);
    for (QChar& C : Text)
      if (C == u'\t' || C == u'\n' || C == u'\r') C = u' ';
    const QString Variant = Node.Attributes.value(QStringLiteral("mathvariant"));
    const std::optional<TMathAlphabet> Alphabet = AlphabetByVariant(Variant);
    // Upright is how a single character other than a Latin or small Greek letter stands.
    const bool Upright = Text.size() == 1 && !ItalicLetter(Text[0]);
    if (!Variant.isEmpty() && !Alphabet && !(Variant == QLatin1String("normal") && Upright))
      Losses.Add(QStringLiteral("styles (mathvariant) dropped"));
    if ((Node.Name == QLatin1String("mi") && Text.size() > 1) || !OperatorName(Node).isEmpty())
      Losses.Add(QStringLiteral("named operators read as letters"));
    bool Exact = true;
    for (const char32_t Code : Text.toUcs4()) {
      if (Code > 0xFFFF || Alphabet) {
        // A styled character is one element; a mathvariant alphabet styles plain ones.
        const char32_t Styled = Alphabet ? StyledCharacter(*Alphabet, Code) : 0;
        if (Alphabet && !Styled) Losses.Add(QStringLiteral("styles (mathvariant) dropped"));
        if (Styled || Code > 0xFFFF) {
          Out.push_back(TFormulaNode::Character(Styled ? Styled : Code));
          continue;
        }
      }
      if (Code >= 0x2061 && Code <= 0x2064 && Node.Name == QLatin1String("mo")) continue;  // invisible operators
      // Our writer puts such a character only in the Data annotation.
      if (Unprintable(Code)) {
        Losses.Add(QStringLiteral("control characters dropped"));
        continue;
      }
      if (IsText && !IsSpaceSymbol(Code)) {
        Exact = Exact && WrittenAsText(Code);
        Out.push_back(TFormulaNode::Character(Code));
      } else {
        Out.push_back(CharacterNode(Code));
      }
    }
    if (!Exact) Losses.Add(QStringLiteral("text read as math characters"));
  }

  // An <mtext> of words is the text kind, its spaces as they are. Blanks alone are
  // spacing (as other writers set \, and our writer a space symbol), and styled text is
  // read as characters (Token).
  bool TextKind(const TXmlNode& Node, TFormulaRun& Out) {
    const QString Variant = Node.Attributes.value(QStringLiteral("mathvariant"));
    if (!Node.Children.empty() || (!Variant.isEmpty() && Variant != QLatin1String("normal"))) return false;
    const QList<uint> Codes = Node.Text.toUcs4();
    if (std::all_of(Codes.begin(), Codes.end(), [](char32_t Code) { return IsBlank(Code); })) return false;
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Text;
    Out.push_back(MakeTemplate(Info, SlotsOf({TextCharacters(Node)})));
    return true;
  }

  // Our writer's text with math in it: the words of its <mtext> and the math between them.
  void MixedText(const TXmlNode& Row, TFormulaRun& Out) {
    TFormulaRun Body;
    std::vector<const TXmlNode*> Math;
    const auto Flush = [&] {
      for (TFormulaNode& Node : Runs(std::exchange(Math, {}))) Body.push_back(std::move(Node));
    };
    for (const TXmlNode& Child : Row.Children) {
      const QList<uint> Codes = Child.Text.toUcs4();
      const bool Blank = std::all_of(Codes.begin(), Codes.end(), [](char32_t Code) { return IsBlank(Code); });
      if (Child.Name == QLatin1String("mtext") && Child.Children.empty() && !Blank) {
        Flush();
        for (TFormulaNode& Node : TextCharacters(Child)) Body.push_back(std::move(Node));
      } else {
        Math.push_back(&Child);
      }
    }
    Flush();
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Text;
    Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Body)})));
  }

  TFormulaRun TextCharacters(const TXmlNode& Node) {
    TFormulaRun Body;
    for (char32_t Code : Node.Text.toUcs4()) {
      // A tab or a line break is a blank of the XML, a space of the text.
      if (Code == u'\t' || Code == u'\n' || Code == u'\r') Code = u' ';
      if (Unprintable(Code)) {
        Losses.Add(QStringLiteral("control characters dropped"));
        continue;
      }
      // Writers put a word space in text as a no-break space, which XML does not fold.
      if (Code == 0xA0) Code = u' ';
      Body.push_back(Code <= 0xFFFF && IsSpaceSymbol(static_cast<char16_t>(Code)) ? CharacterNode(static_cast<char16_t>(Code))
                                                                                   : TFormulaNode::Character(Code));
    }
    return Body;
  }

  // The letters the Math style sets in italic.
  static bool ItalicLetter(QChar C) {
    return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'\u03B1' && C <= u'\u03C9');
  }

  TFormulaNode Binomial(const TXmlNode& Fraction, bool Small) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Binomial;
    Info.Small = Small;
    return MakeTemplate(Info, SlotsOf({Slot(Fraction.Children[0]), Slot(Fraction.Children[1])}));
  }

  // The binomial a row or style holds as its only content, or null.
  static const TXmlNode* BinomialIn(const TXmlNode& Node) {
    const TXmlNode* Row = &Node;
    while (Row->Children.size() == 1 && Row->Children[0].Name == QLatin1String("mrow")) Row = &Row->Children[0];
    std::vector<const TXmlNode*> Items;
    for (const TXmlNode& Child : Row->Children) Items.push_back(&Child);
    return Items.size() == 3 && BinomialAt(Items, 0) ? Items[1] : nullptr;
  }

  TFormulaNode Vector(TKindArrow Heads, TAlignEA Align, TFormulaRun Body) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Vector;
    Info.Heads = Heads;
    Info.Align = Align;
    return MakeTemplate(Info, SlotsOf({std::move(Body)}));
  }

  static bool Arrow(char16_t Code, TKindArrow& Heads) {
    if (Code == 0x2192 || Code == 0x27F6) Heads = {kaRight};
    else if (Code == 0x2190 || Code == 0x27F5) Heads = {kaLeft};
    else if (Code == 0x2194 || Code == 0x27F7) Heads = {kaRight, kaLeft};
    else return false;
    return true;
  }

  static bool BarChar(char16_t Code) {
    return Code == 0x203E || Code == 0xAF || Code == u'_' || Code == 0x2015 || Code == 0x2014 || Code == 0x0332 ||
           Code == 0x0305 || Code == 0x2212 || Code == u'-';
  }

  static TFormulaNode AccentNode(TKindAccent Mark, TFormulaRun Body) {
    TTemplateInfo Info;
    Info.Kind = TTemplateInfo::Accent;
    Info.Mark = Mark;
    return MakeTemplate(Info, SlotsOf({std::move(Body)}));
  }

  // A prime as a superscript of its own, not inside a row: our primes over a slot.
  static bool Prime(const TXmlNode& Script) {
    const char16_t Code = Script.Name == QLatin1String("mo") ? SingleChar(Script) : 0;
    return Code >= 0x2032 && Code <= 0x2035;
  }

  static QString Notation(const TXmlNode& Node) {
    return Node.Attributes.value(QStringLiteral("notation")).simplified();
  }

  // A dividend enclosed for long division, bare or under a quotient.
  static bool LongDivisionPart(const TXmlNode& Node) {
    const TXmlNode* Enclose = &Node;
    if (Node.Name == QLatin1String("mover") && Node.Children.size() == 2) Enclose = &Node.Children[0];
    return Enclose->Name == QLatin1String("menclose") && Notation(*Enclose) == QLatin1String("longdiv");
  }

  // <menclose> (or the quotient's <mover> over one): a long division after Divisor, or a
  // stroke across its contents.
  void Enclosed(const TXmlNode& Node, TFormulaRun Divisor, TFormulaRun& Out) {
    TTemplateInfo Info;
    if (Node.Name == QLatin1String("mover")) {
      Info.Kind = TTemplateInfo::LongDivision;
      Info.Quotient = true;
      Out.push_back(MakeTemplate(Info, SlotsOf({Runs(Children(Node.Children[0])), std::move(Divisor), Slot(Node.Children[1])})));
      return;
    }
    const QString Kind = Notation(Node);
    TFormulaRun Contents = Runs(Children(Node));
    if (Kind == QLatin1String("longdiv")) {
      Info.Kind = TTemplateInfo::LongDivision;
      Out.push_back(MakeTemplate(Info, SlotsOf({std::move(Contents), std::move(Divisor)})));
    } else if (Kind == QLatin1String("top") || Kind == QLatin1String("bottom")) {
      // Temml's \overline and \underline.
      Out.push_back(Vector(TKindArrow{}, Kind == QLatin1String("top") ? aeBottom : aeTop, std::move(Contents)));
    } else if (Kind == QLatin1String("horizontalstrike") || Kind == QLatin1String("updiagonalstrike")) {
      Out.push_back(AccentNode(Kind == QLatin1String("horizontalstrike") ? acStrike : acSlash, std::move(Contents)));
    } else {
      Refuse(QStringLiteral("<menclose notation=\"%1\"> has no element kind in this editor").arg(Kind), Node);
    }
  }

  void UnderOver(const TXmlNode& Node, TFormulaRun& Out) {
    const bool Both = Node.Name == QLatin1String("munderover");
    Arity(Node, Both ? 3 : 2);
    const bool Over = Node.Name == QLatin1String("mover");
    const TXmlNode& Base = Node.Children[0];
    TKindArrow Heads;
    // An arrow with a label.
    if (Base.Name == QLatin1String("mo") && Arrow(SingleChar(Base), Heads)) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Arrow;
      Info.Heads = Heads;
      TFormulaRun Below = Both || !Over ? Slot(Node.Children[1]) : TFormulaRun();
      TFormulaRun Above = Both || Over ? Slot(Node.Children.back()) : TFormulaRun();
      if (!Below.empty() && !Above.empty())
        Refuse(QStringLiteral("an arrow labelled above and below has no element kind in this editor"), Node);
      Info.Align = Both ? (Below.empty() ? aeTop : aeBottom) : (Over ? aeTop : aeBottom);
      Out.push_back(MakeTemplate(Info, SlotsOf({Info.Align == aeTop ? std::move(Above) : std::move(Below)})));
      return;
    }
    const TXmlNode& Mark = Node.Children[1];
    const char16_t Code = Mark.Name == QLatin1String("mo") ? SingleChar(Mark) : 0;
    if (Over && LongDivisionPart(Node)) {
      Enclosed(Node, TFormulaRun(), Out);
      return;
    }
    TKindAccent AccentKind = acBar;
    if (Over && AccentByChar(Code, Mark.Attributes.value(QStringLiteral("stretchy")) != QLatin1String("false"), AccentKind)) {
      Out.push_back(AccentNode(AccentKind, Slot(Base)));
      return;
    }
    // A single operator as the script is an accent unless it says otherwise.
    const QString AccentAttribute = Node.Attributes.value(Over ? QStringLiteral("accent") : QStringLiteral("accentunder"));
    const bool Accent = AccentAttribute == QLatin1String("true") ||
                        (Mark.Name == QLatin1String("mo") && AccentAttribute != QLatin1String("false") &&
                         Mark.Attributes.value(QStringLiteral("accent")) != QLatin1String("false"));
    if (IsOperatorBase(Base) || (!Both && (Code == 0x23DE || Code == 0x23DF || IsBrace(Base, Over))) ||
        ((Both || (!BarChar(Code) && !Arrow(Code, Heads))) && !Accent)) {
      Stacked(Node, Out);
      return;
    }
    if (Both || (!BarChar(Code) && !Arrow(Code, Heads)))
      Refuse(QStringLiteral("<%1> of this kind (an accent or a stacked expression) has no element kind in this editor").arg(Node.Name), Node);
    const TAlignEA Align = Over ? aeBottom : aeTop;
    if (BarChar(Code)) {
      // The same bar directly on the same bar is a double bar.
      if (Base.Name == Node.Name && Base.Children.size() == 2 && Base.Children[1].Name == QLatin1String("mo") &&
          BarChar(SingleChar(Base.Children[1]))) {
        Out.push_back(Vector(TKindArrow{kaDouble}, Align, Slot(Base.Children[0])));
        return;
      }
      Heads = {};
    }
    Out.push_back(Vector(Heads, Align, Slot(Base)));
  }

  static bool IsOperatorBase(const TXmlNode& Node) {
    return Node.Name == QLatin1String("mrow") && Node.Attributes.value(QStringLiteral("class")) == QLatin1String("zelk-operator");
  }

  // An operator base's content: an operator's name as its letters, which the base sets
  // upright.
  TFormulaRun OperatorBase(const TXmlNode& Node) {
    const QString Name = OperatorName(Node);
    if (Name.isEmpty()) return Slot(Node);
    TFormulaRun Letters;
    for (QChar C : Name) Letters.push_back(TFormulaNode::Character(C.unicode()));
    return Letters;
  }

  // A brace over (or under) its body: the mark's <mover> (or <munder>) on the same side.
  static bool IsBrace(const TXmlNode& Node, bool Over) {
    return Node.Name == (Over ? QLatin1String("mover") : QLatin1String("munder")) && Node.Children.size() == 2 &&
           Node.Children[1].Name == QLatin1String("mo") && SingleChar(Node.Children[1]) == (Over ? 0x23DE : 0x23DF);
  }

  // Scripts above and below a base that is not marked an accent: a brace with its label,
  // an operator with limits, or a stack.
  void Stacked(const TXmlNode& Node, TFormulaRun& Out) {
    const bool Both = Node.Name == QLatin1String("munderover");
    const bool Over = Node.Name == QLatin1String("mover");
    const TXmlNode& Base = Node.Children[0];
    const char16_t Code = Node.Children[1].Name == QLatin1String("mo") ? SingleChar(Node.Children[1]) : 0;
    if (!Both && (IsBrace(Base, Over) || Code == (Over ? 0x23DE : 0x23DF))) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Brace;
      Info.Align = Over ? aeTop : aeBottom;
      if (IsBrace(Base, Over))
        Out.push_back(MakeTemplate(Info, SlotsOf({Slot(Base.Children[0]), Slot(Node.Children[1])})));
      else
        Out.push_back(MakeTemplate(Info, SlotsOf({Slot(Base), TFormulaRun{}})));
      return;
    }
    const TGroupOptions Options = Both ? TGroupOptions{goLimitBottom, goLimitTop}
                                  : Over ? TGroupOptions{goLimitTop} : TGroupOptions{goLimitBottom};
    // An operator's name with limits (\lim as Temml, KaTeX and MathJax write it) is an
    // operator base too.
    const bool Operator = IsOperatorBase(Base) || !OperatorName(Base).isEmpty();
    Out.push_back(ScriptedNode(Options, Operator, OperatorBase(Base), Over ? TFormulaRun() : Slot(Node.Children[1]),
                               Both || Over ? Slot(Node.Children.back()) : TFormulaRun()));
  }

  // A base with scripts before it (and at most one pair after it).
  void Multiscripts(const TXmlNode& Node, TFormulaRun& Out) {
    const auto& C = Node.Children;
    size_t Marker = 0;
    while (Marker < C.size() && C[Marker].Name != QLatin1String("mprescripts")) ++Marker;
    const bool HasPre = Marker < C.size();
    // The base, at most one pair after it, and (after the marker) one pair before it.
    if ((Marker != 1 && Marker != 3) || (HasPre && C.size() != Marker + 3))
      Refuse(QStringLiteral("<mmultiscripts> of this kind has no element kind in this editor"), Node);
    // A pair of scripts, <none/> where one is absent.
    const auto Scripts = [&](size_t At, bool Left) {
      const bool HasBottom = C[At].Name != QLatin1String("none");
      const bool HasTop = C[At + 1].Name != QLatin1String("none");
      if (HasBottom || HasTop)
        Out.push_back(IndexNode(HasBottom, HasBottom ? Slot(C[At]) : TFormulaRun(), HasTop,
                                HasTop ? Slot(C[At + 1]) : TFormulaRun(), Left));
    };
    if (HasPre) Scripts(Marker + 1, true);
    Append(C[0], Out);
    if (Marker == 3) Scripts(1, false);
  }

  void Fenced(char16_t Left, TFormulaRun Content, char16_t Right, TFormulaRun& Out) {
    FencedNodes(Left, std::move(Content), Right, Out, Losses);
  }

  static bool IsFence(const TXmlNode& Node) {
    return Node.Name == QLatin1String("mo") && Node.Attributes.value(QStringLiteral("fence")) == QLatin1String("true");
  }

  static bool Unstretched(const TXmlNode& Node) {
    return Node.Attributes.value(QStringLiteral("stretchy")) == QLatin1String("false");
  }

  static char16_t FenceChar(const TXmlNode& Node) {
    const char16_t C = SingleChar(Node);
    if (C == u'<' || C == 0x2329) return 0x27E8;
    if (C == u'>' || C == 0x232A) return 0x27E9;
    if (C == 0x2225) return 0x2016;
    return C;
  }

  void Append(const TXmlNode& Node, TFormulaRun& Out) {
    const QString& N = Node.Name;
    if (N == QLatin1String("mtext") && TextKind(Node, Out)) {
      return;
    } else if (N == QLatin1String("mi") || N == QLatin1String("mn") || N == QLatin1String("mo") || N == QLatin1String("mtext")) {
      Token(Node, Out);
    } else if (N == QLatin1String("mrow")) {
      if (const TXmlNode* Fraction = BinomialIn(Node)) {
        Out.push_back(Binomial(*Fraction, false));
        return;
      }
      if (Node.Attributes.value(QStringLiteral("class")) == QLatin1String("zelk-text")) {
        MixedText(Node, Out);
        return;
      }
      if (Node.Attributes.value(QStringLiteral("class")) == QLatin1String("zelk-unprintable"))
        Losses.Add(QStringLiteral("characters XML cannot carry dropped"));
      const auto& C = Node.Children;
      // Our long division: the divisor, then the enclosed dividend (under its quotient).
      if (C.size() == 2 && LongDivisionPart(C[1])) {
        Enclosed(C[1], Slot(C[0]), Out);
        return;
      }
      // KaTeX leaves out the empty delimiter of \right. (as in cases): a row that opens
      // with a fence and holds no other one, nor a closing bracket.
      const auto Closing = [](const TXmlNode& Child) {
        return IsFence(Child) ||
               (Child.Name == QLatin1String("mo") && QStringLiteral(")]}\u27E9|\u2016\u230B\u2309").contains(QChar(SingleChar(Child))) &&
                SingleChar(Child));
      };
      if (C.size() >= 2 && IsFence(C.front()) && !Unstretched(C.front()) && std::none_of(C.begin() + 1, C.end(), Closing)) {
        std::vector<const TXmlNode*> Inner;
        for (size_t I = 1; I < C.size(); ++I) Inner.push_back(&C[I]);
        Fenced(FenceChar(C.front()), Runs(Inner), 0, Out);
        return;
      }
      // Temml marks a pair of plain parentheses as fences too, but not stretchy: those are
      // characters, as in the LaTeX they come from.
      if (C.size() >= 2 && IsFence(C.front()) && IsFence(C.back()) && !(Unstretched(C.front()) && Unstretched(C.back()))) {
        // Our own writer wraps each part of the content in one row.
        std::vector<std::vector<const TXmlNode*>> Parts(1);
        char16_t Middle = 0;
        for (size_t I = 1; I + 1 < C.size(); ++I) {
          // \middle gives a stretchy infix operator, marked a fence or not; every one
          // like the first parts the content.
          const bool Parting = IsFence(C[I]) || (C[I].Name == QLatin1String("mo") &&
                                                 C[I].Attributes.value(QStringLiteral("form")) == QLatin1String("infix") &&
                                                 C[I].Attributes.value(QStringLiteral("stretchy")) == QLatin1String("true"));
          if (Parting && FenceChar(C[I]) && (!Middle || FenceChar(C[I]) == Middle)) {
            Middle = FenceChar(C[I]);
            Parts.emplace_back();
            continue;
          }
          Parts.back().push_back(&C[I]);
        }
        std::vector<TFormulaRun> Content;
        for (const auto& Part : Parts) Content.push_back(Runs(Part));
        FencedNodes(FenceChar(C.front()), std::move(Content), Middle, FenceChar(C.back()), Out, Losses);
        return;
      }
      for (TFormulaNode& Item : Runs(Children(Node))) Out.push_back(std::move(Item));
    } else if (N == QLatin1String("mfrac") && Barless(Node)) {
      // \atop and \substack-like stacks: the parts kept as a column.
      Losses.Add(QStringLiteral("a fraction without a bar read as a column"));
      std::vector<std::vector<TFormulaRun>> Rows;
      for (const TXmlNode& Part : Node.Children) Rows.push_back({Slot(Part)});
      Out.push_back(MatrixNode(std::move(Rows), Losses));
    } else if (N == QLatin1String("mfrac")) {
      Arity(Node, 2);
      TTemplateInfo Info;
      Info.Kind = Node.Attributes.value(QStringLiteral("bevelled")) == QLatin1String("true") ? TTemplateInfo::SlashDivision
                                                                                            : TTemplateInfo::Division;
      // Both parts kept in display style: TeX's \cfrac, as Temml and we write it.
      const auto Display = [](const TXmlNode& Part) {
        return Part.Name == QLatin1String("mstyle") &&
               Part.Attributes.value(QStringLiteral("displaystyle")) == QLatin1String("true");
      };
      if (Info.Kind == TTemplateInfo::Division && Display(Node.Children[0]) && Display(Node.Children[1])) {
        const QString Side = Node.Attributes.value(QStringLiteral("numalign"));
        Info.Continued = Side == QLatin1String("left") ? cfLeft : Side == QLatin1String("right") ? cfRight : cfCentre;
      }
      Out.push_back(MakeTemplate(Info, SlotsOf({Slot(Node.Children[0]), Slot(Node.Children[1])})));
    } else if (N == QLatin1String("msqrt")) {
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Root;
      Out.push_back(MakeTemplate(Info, SlotsOf({Runs(Children(Node))})));
    } else if (N == QLatin1String("mroot")) {
      Arity(Node, 2);
      TTemplateInfo Info;
      Info.Kind = TTemplateInfo::Root;
      Info.Degree = true;
      Out.push_back(MakeTemplate(Info, SlotsOf({Slot(Node.Children[0]), Slot(Node.Children[1])})));
    } else if (N == QLatin1String("menclose")) {
      Enclosed(Node, TFormulaRun(), Out);
    } else if (N == QLatin1String("msup") && Node.Children.size() == 2 && Prime(Node.Children[1])) {
      TKindAccent Mark = acPrime;
      AccentByChar(SingleChar(Node.Children[1]), false, Mark);
      Out.push_back(AccentNode(Mark, Slot(Node.Children[0])));
    } else if (N == QLatin1String("msub") || N == QLatin1String("msup") || N == QLatin1String("msubsup")) {
      Arity(Node, N == QLatin1String("msubsup") ? 3 : 2);
      const bool Upper = N == QLatin1String("msup");
      if (IsOperatorBase(Node.Children[0])) {
        const bool Both = Node.Children.size() == 3;
        const TGroupOptions Options = Both ? TGroupOptions{goIndexBottom, goIndexTop}
                                      : Upper ? TGroupOptions{goIndexTop} : TGroupOptions{goIndexBottom};
        Out.push_back(ScriptedNode(Options, true, Slot(Node.Children[0]), Upper ? TFormulaRun() : Slot(Node.Children[1]),
                                   Upper || Both ? Slot(Node.Children.back()) : TFormulaRun()));
        return;
      }
      Append(Node.Children[0], Out);
      Out.push_back(IndexNode(!Upper, Upper ? TFormulaRun() : Slot(Node.Children[1]), Upper || Node.Children.size() == 3,
                              Upper || Node.Children.size() == 3 ? Slot(Node.Children.back()) : TFormulaRun()));
    } else if (N == QLatin1String("munder") || N == QLatin1String("mover") || N == QLatin1String("munderover")) {
      UnderOver(Node, Out);
    } else if (N == QLatin1String("mmultiscripts")) {
      Multiscripts(Node, Out);
    } else if (N == QLatin1String("mtable")) {
      std::vector<std::vector<TFormulaRun>> Rows;
      for (const TXmlNode& Row : Node.Children) Rows.push_back(RowCells(Row));
      if (Rows.empty()) Rows.emplace_back(1);
      Out.push_back(MatrixNode(std::move(Rows), Losses));
    } else if (N == QLatin1String("mspace")) {
      if (Node.Attributes.value(QStringLiteral("width")) == QLatin1String("0.25em"))
        Out.push_back(TFormulaNode::Character(u' '));
      else
        Losses.Add(QStringLiteral("spacing dropped"));
    } else if (N == QLatin1String("semantics")) {
      if (!Node.Children.empty()) Append(Node.Children.front(), Out);
    } else if (N == QLatin1String("mstyle") && Node.Attributes.value(QStringLiteral("displaystyle")) == QLatin1String("false") &&
               BinomialIn(Node)) {
      Out.push_back(Binomial(*BinomialIn(Node), true));
    } else if (N == QLatin1String("mstyle") && Node.Children.size() == 1 && Node.Children[0].Name == QLatin1String("mfrac") &&
               Node.Attributes.value(QStringLiteral("displaystyle")) == QLatin1String("false") &&
               Node.Children[0].Attributes.value(QStringLiteral("bevelled")) != QLatin1String("true")) {
      // A fraction set smaller than the text around it.
      const TXmlNode& Fraction = Node.Children[0];
      Arity(Fraction, 2);
      TTemplateInfo Info;
      Info.Small = true;
      Out.push_back(MakeTemplate(Info, SlotsOf({Slot(Fraction.Children[0]), Slot(Fraction.Children[1])})));
    } else if (N == QLatin1String("mstyle") || N == QLatin1String("mpadded")) {
      if (N == QLatin1String("mpadded")) Losses.Add(QStringLiteral("spacing dropped"));
      for (const QString& Key : Node.Attributes.keys())
        if (Key != QLatin1String("displaystyle") && Key != QLatin1String("scriptlevel") && N == QLatin1String("mstyle"))
          Losses.Add(QStringLiteral("styles (mstyle) dropped"));
      for (TFormulaNode& Item : Runs(Children(Node))) Out.push_back(std::move(Item));
    } else if (N == QLatin1String("mfenced")) {
      const QString Open = Node.Attributes.value(QStringLiteral("open"), QStringLiteral("("));
      const QString Close = Node.Attributes.value(QStringLiteral("close"), QStringLiteral(")"));
      const QString Separators = Node.Attributes.value(QStringLiteral("separators"), QStringLiteral(",")).simplified().remove(u' ');
      TFormulaRun Content;
      for (size_t I = 0; I < Node.Children.size(); ++I) {
        if (I > 0 && !Separators.isEmpty())
          Content.push_back(CharacterNode(Separators[qMin<qsizetype>(I - 1, Separators.size() - 1)].unicode()));
        Append(Node.Children[I], Content);
      }
      TXmlNode L, R;
      L.Text = Open;
      R.Text = Close;
      Fenced(Open.isEmpty() ? 0 : FenceChar(L), std::move(Content), Close.isEmpty() ? 0 : FenceChar(R), Out);
    } else if (N == QLatin1String("annotation") || N == QLatin1String("annotation-xml")) {
      // Not part of the presentation.
    } else {
      Refuse(QStringLiteral("<%1> has no element kind in this editor").arg(N), Node);
    }
  }
};

// The text of the Data annotation, if there is one.
std::optional<QString> DataAnnotation(const TXmlNode& Math) {
  for (const TXmlNode& Child : Math.Children)
    if (Child.Name == QLatin1String("semantics"))
      for (const TXmlNode& A : Child.Children)
        if (A.Name == QLatin1String("annotation") &&
            A.Attributes.value(QStringLiteral("encoding")) == QLatin1String("application/x-zelk-data"))
          return A.Text;
  return std::nullopt;
}
}  // namespace

TReadResult ReadMathML(const QString& Text, bool PreferData) {
  if (TReadResult Check = CheckControlCharacters(Text); !Check.Ok()) return Check;
  TReadResult Result;
  try {
    const TXmlNode Math = ParseXml(Text);
    if (PreferData)
      if (const std::optional<QString> Data = DataAnnotation(Math)) return ReadDataAnnotation(*Data);
    TMathMLReader Reader;
    return FinishRead(Reader.Document(Math), Reader.Losses);
  } catch (const TReadRefusal& Refusal) {
    Result.Error = Refusal.Message;
    if (Refusal.Line > 0) {
      Result.Line = Refusal.Line;
      Result.Column = Refusal.Column;
    } else {
      PlaceOffset(Text, Refusal.Offset, Result);
    }
  }
  return Result;
}
