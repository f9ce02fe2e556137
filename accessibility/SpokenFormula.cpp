#include "SpokenFormula.h"

#include <algorithm>
#include <functional>
#include <initializer_list>

#include "editor/EditorCore.h"
#include "interchange/Templates.h"
#include "model/Accent.h"
#include "model/AlignMark.h"
#include "model/Arrows.h"
#include "model/Brace.h"
#include "model/Brackets.h"
#include "model/Binomial.h"
#include "model/Division.h"
#include "model/EditArea.h"
#include "model/Fence.h"
#include "model/GroupOp.h"
#include "model/Index.h"
#include "model/Keywords.h"
#include "model/LongDivision.h"
#include "model/Matrix.h"
#include "model/Radical.h"
#include "model/Scripted.h"
#include "model/Symbols.h"
#include "model/Text.h"
#include "palette/PaletteCommands.h"
#include "palette/SelectEquation.h"

namespace {
// Numbers of the words in the string table (the language digit goes in front).
enum TWord {
  wEmpty = 9001,
  wLine = 9002,
  wTemplate = 9003,
  wContents = 9004,
  wFraction = 9010,
  wFractionSays = 9011,
  wNumerator = 9012,
  wDenominator = 9013,
  wIntegral = 9020,
  wRingIntegral = 9023,
  wSum = 9026,
  wProduct = 9027,
  wCoproduct = 9028,
  wIntersection = 9029,
  wUnion = 9030,
  wOperatorOf = 9031,
  wOperatorOver = 9032,
  wOperatorFromTo = 9033,
  wOperand = 9034,
  wLowerLimit = 9035,
  wUpperLimit = 9036,
  wSubscript = 9037,
  wSuperscript = 9038,
  wIndex = 9040,
  wPower = 9041,
  wSub = 9042,
  wSubPower = 9043,
  wBrackets = 9050,
  wBracketsSay = 9060,
  wRightArrow = 9070,
  wLeftArrow = 9071,
  wBothArrow = 9072,
  wBar = 9073,
  wDoubleBar = 9074,
  wAbove = 9075,
  wBelow = 9076,
  wLabel = 9077,
  wMatrix = 9080,
  wCell = 9081,
  wRow = 9082,
  wEndMatrix = 9083,
  wSquareRoot = 9300,
  wSquareRootSays = 9301,
  wRoot = 9302,
  wRootSays = 9303,
  wRadicand = 9304,
  wDegree = 9305,
  wLongDivision = 9310,
  wLongDivisionSays = 9311,
  wLongDivisionQuotientSays = 9312,
  wDividend = 9313,
  wDivisor = 9314,
  wQuotient = 9315,
  wBinomial = 9320,
  wBinomialSays = 9321,
  wBinomialTop = 9322,
  wBinomialBottom = 9323,
  wText = 9324,
  wTextSays = 9325,
  wPlus = 9100,
  wLessEqual = 9200,
};

// Characters spoken by a word of their own, in the order of their words from wPlus and
// from wLessEqual.
constexpr char16_t WordCharacters[] = u"+-=<>*/()[],.:!'| {}\u2016";
constexpr char16_t WordSymbols[] = u"≤≥≠≡≈±×÷→←↔↑↓∩∂∞°∫∑∏\u00A0…∙‹›";

using TPart = std::function<void()>;
}  // namespace

// Reads the tree into a TSpokenFormula, node by node, in speaking order.
class TSpeaker {
 public:
  TSpeaker(TSpokenFormula& Out, TLanguage Language) : F(Out), FLanguage(Language) {}

  void Lines(const TEditorCore& Editor) {
    for (int J = 0; J < Editor.LineCount(); ++J) {
      if (J > 0) Say(QStringLiteral("; "));
      const TEditArea* Line = Editor.Line(J);
      F.FLines.push_back(Area(Line, TSpokenNode::kLine, -1, Word(wLine).arg(J + 1)));
    }
  }

 private:
  QString Word(int Number) const { return LanguageString(FLanguage, Number); }
  void Say(const QString& Text) { F.FText += Text; }

  // Speaks Pattern; each %1..%9 in it speaks the part of that number.
  void Say(const QString& Pattern, std::initializer_list<TPart> Parts) {
    const std::vector<TPart> List(Parts);
    for (int I = 0; I < Pattern.size(); ++I) {
      const int Number =
          I + 1 < Pattern.size() && Pattern[I] == u'%' ? Pattern[I + 1].digitValue() : -1;
      if (Number >= 1 && Number <= static_cast<int>(List.size())) {
        List[Number - 1]();
        ++I;
      } else {
        F.FText += Pattern[I];
      }
    }
  }
  TPart Part(const QString& Text) {
    return [this, Text] { Say(Text); };
  }

  int Open(TSpokenNode::TKind Kind, const TZelkGraphic* Graphic, int Parent, const QString& Name) {
    TSpokenNode Node;
    Node.Kind = Kind;
    Node.Graphic = Graphic;
    Node.Parent = Parent;
    Node.Name = Name;
    Node.Start = Node.End = F.FText.size();
    const int Index = static_cast<int>(F.FNodes.size());
    F.FNodes.push_back(Node);
    F.FIndex.insert(Graphic, Index);
    if (Parent >= 0) F.FNodes[Parent].Children.push_back(Index);
    return Index;
  }
  void Close(int Index) { F.FNodes[Index].End = F.FText.size(); }

  void Stop(const TEditArea* Area, int Position) {
    F.FStops.push_back({Area, Position, static_cast<int>(F.FText.size())});
    F.FAreaStops[Area].push_back(static_cast<int>(F.FText.size()));
  }

  // A line or slot: its run, element by element, with a caret stop before each and after
  // the last; an empty one says so.
  int Area(const TEditArea* A, TSpokenNode::TKind Kind, int Parent, const QString& Name) {
    const int Node = Open(Kind, A, Parent, Name);
    if (A->Count() == 0) {
      Stop(A, 0);
      Say(Word(wEmpty));
    }
    for (int I = 0; I < A->Count(); ++I) {
      if (I > 0 && !(IsDigit(A->Item(I - 1)) && IsDigit(A->Item(I)))) Say(QStringLiteral(" "));
      Stop(A, I);
      Element(A->Item(I), Node);
    }
    if (A->Count() > 0) Stop(A, A->Count());
    Close(Node);
    return Node;
  }
  TPart Slot(const TEditArea* A, int Parent, const QString& Name) {
    return [=, this] { Area(A, TSpokenNode::kSlot, Parent, Name); };
  }
  // Digits of one number are spoken together.
  static bool IsDigit(const TEquation* E) {
    const auto* Simple = dynamic_cast<const TEqSimple*>(E);
    return Simple && QChar::isDigit(Simple->Character());
  }

  void Element(const TEquation* E, int Parent) {
    if (auto* Simple = dynamic_cast<const TEqSimple*>(E))
      return Character(E, Parent, CharacterWords(Simple->Character()));
    if (auto* Symbol = dynamic_cast<const TEqExtSymbol*>(E))
      return Character(E, Parent, SymbolWords(Symbol->SymbolCode()));
    if (auto* Template = dynamic_cast<const TEqParent*>(E)) {
      const int Node = Open(TSpokenNode::kTemplate, E, Parent, QString());
      F.FNodes[Node].Name = SpeakTemplate(Template, Node);
      // A slot the template's words left out is still read, after them.
      for (int S = 0; S < Template->EditAreaCount(); ++S)
        if (F.Find(Template->Slot(S)) < 0) {
          Say(QStringLiteral(", "));
          Area(Template->Slot(S), TSpokenNode::kSlot, Node, Word(wContents));
        }
      Close(Node);
      return;
    }
    // The alignment mark is said by its palette button.
    if (dynamic_cast<const TEqAlignMark*>(E))
      return Character(E, Parent, ButtonWords(AlignMarkButton().first, AlignMarkButton().second));
    Character(E, Parent, E->GetData());
  }

  void Character(const TEquation* E, int Parent, const QString& Words) {
    const int Node = Open(TSpokenNode::kCharacter, E, Parent, Words);
    Say(Words);
    Close(Node);
  }

  // Text is said as the words it holds, with a caret stop at each character.
  void TextArea(const TEditArea* A, int Parent) {
    const int Node = Open(TSpokenNode::kSlot, A, Parent, Word(wContents));
    if (A->Count() == 0) {
      Stop(A, 0);
      Say(Word(wEmpty));
    }
    for (int I = 0; I < A->Count(); ++I) {
      Stop(A, I);
      const auto* Simple = dynamic_cast<const TEqSimple*>(A->Item(I));
      if (Simple)
        Character(Simple, Node, Simple->Text());
      else
        Element(A->Item(I), Node);
    }
    if (A->Count() > 0) Stop(A, A->Count());
    Close(Node);
  }

  // Speaks the template and returns its name.
  QString SpeakTemplate(const TEqParent* T, int Node) {
    if (dynamic_cast<const TEqText*>(T)) {
      Say(Word(wTextSays), {[=, this] { TextArea(T->Slot(0), Node); }});
      return Word(wText);
    }
    // The newer kinds are named by their palette button; their slots follow by their role.
    if (const auto Button = TemplateButton(DescribedKeyword(T))) {
      const QString Name = ButtonWords(Button->first, Button->second);
      Say(Name);
      SpeakScripts(T, Node);
      SpeakInterval(T, Node);
      return Name;
    }
    if (auto* Fence = dynamic_cast<const TEqFence*>(T)) return SpeakFence(Fence, Node);
    if (auto* Binomial = dynamic_cast<const TEqBinomial*>(T)) {
      Say(Word(wBinomialSays), {Slot(Binomial->Numerator(), Node, Word(wBinomialTop)),
                                Slot(Binomial->Denominator(), Node, Word(wBinomialBottom))});
      return Word(wBinomial);
    }
    if (auto* Division = dynamic_cast<const TEqDivision*>(T)) {
      Say(Word(wFractionSays), {Slot(Division->Numerator(), Node, Word(wNumerator)),
                                Slot(Division->Denominator(), Node, Word(wDenominator))});
      return Word(wFraction);
    }
    if (auto* Division = dynamic_cast<const TEqSlashDivision*>(T)) {
      Say(Word(wFractionSays), {Slot(Division->Numerator(), Node, Word(wNumerator)),
                                Slot(Division->Denominator(), Node, Word(wDenominator))});
      return Word(wFraction);
    }
    if (auto* Root = dynamic_cast<const TEqRoot*>(T)) {
      const TPart Radicand = Slot(Root->Radicand(), Node, Word(wRadicand));
      if (!Root->Degree()) {
        Say(Word(wSquareRootSays), {Radicand});
        return Word(wSquareRoot);
      }
      Say(Word(wRootSays), {Radicand, Slot(Root->Degree(), Node, Word(wDegree))});
      return Word(wRoot);
    }
    if (auto* Long = dynamic_cast<const TEqLongDivision*>(T)) {
      const TPart Dividend = Slot(Long->Dividend(), Node, Word(wDividend));
      const TPart Divisor = Slot(Long->Divisor(), Node, Word(wDivisor));
      if (Long->Quotient())
        Say(Word(wLongDivisionQuotientSays), {Dividend, Divisor, Slot(Long->Quotient(), Node, Word(wQuotient))});
      else
        Say(Word(wLongDivisionSays), {Dividend, Divisor});
      return Word(wLongDivision);
    }
    if (auto* Accent = dynamic_cast<const TEqAccent*>(T)) {
      const QString Name = ButtonWords(3, Accent->KindAccent());
      Say(Word(wAbove), {Slot(T->Slot(0), Node, Word(wContents)), Part(Name)});
      return Name;
    }
    if (auto* Operator = dynamic_cast<const TEqGroupOp*>(T)) return SpeakGroupOp(Operator, Node);
    if (auto* Index = dynamic_cast<const TEqIndex*>(T)) {
      const TEditArea* Top = Index->IndexTopArea();
      const TEditArea* Bottom = Index->IndexBottomArea();
      const TPart Upper = Top ? Slot(Top, Node, Word(wSuperscript)) : TPart([] {});
      const TPart Lower = Bottom ? Slot(Bottom, Node, Word(wSubscript)) : TPart([] {});
      if (Top && Bottom)
        Say(Word(wSubPower), {Lower, Upper});
      else if (Top)
        Say(Word(wPower), {Upper});
      else if (Bottom)
        Say(Word(wSub), {Lower});
      return Word(wIndex);
    }
    if (auto* Brackets = dynamic_cast<const TEqBrackets*>(T)) {
      Say(Word(wBracketsSay + static_cast<int>(Brackets->KindBracket())),
          {Slot(T->Slot(0), Node, Word(wContents))});
      return Word(wBrackets + static_cast<int>(Brackets->KindBracket()));
    }
    if (auto* Arrow = dynamic_cast<const TEqArrow*>(T)) {
      const QString Name = Word(ArrowWord(Arrow->KindArrow(), wRightArrow));
      Say(Word(Arrow->AlignEA() == aeTop ? wAbove : wBelow),
          {Part(Name), Slot(T->Slot(0), Node, Word(wLabel))});
      return Name;
    }
    if (auto* Vector = dynamic_cast<const TEqVector*>(T)) {
      const TKindArrow Kind = Vector->KindArrow();
      const QString Name = Word(Kind.Contains(kaDouble) ? wDoubleBar : ArrowWord(Kind, wBar));
      // The slot below the line has its mark above it.
      Say(Word(Vector->AlignEA() == aeBottom ? wAbove : wBelow),
          {Slot(T->Slot(0), Node, Word(wContents)), Part(Name)});
      return Name;
    }
    if (auto* Matrix = dynamic_cast<const TEqMatrix*>(T)) return SpeakMatrix(Matrix, Node);
    for (int S = 0; S < T->EditAreaCount(); ++S) {
      if (S > 0) Say(QStringLiteral(", "));
      Area(T->Slot(S), TSpokenNode::kSlot, Node, Word(wContents));
    }
    return Word(wTemplate);
  }

  static QString DescribedKeyword(const TEqParent* T) {
    if (auto* Fence = dynamic_cast<const TEqFence*>(T)) return FenceKeyword(Fence->Kind());
    if (auto* Scripted = dynamic_cast<const TEqScripted*>(T))
      return ScriptedKeyword(Scripted->GroupOptions(), Scripted->Operator());
    if (auto* Brace = dynamic_cast<const TEqBrace*>(T)) return BraceKeyword(Brace->AlignEA());
    if (auto* Index = dynamic_cast<const TEqIndex*>(T); Index && Index->BeforeBase())
      return LeftIndexKeyword(Index->GroupOptions());
    return QString();
  }

  // The scripts of a scripted base or left index by their words, base first; other slots
  // are read after the name as contents.
  void SpeakScripts(const TEqParent* T, int Node) {
    const TEditArea* Base = nullptr;
    const TEditArea* Top = nullptr;
    const TEditArea* Bottom = nullptr;
    bool Limits = false;
    if (auto* Scripted = dynamic_cast<const TEqScripted*>(T)) {
      Base = Scripted->Base();
      Top = Scripted->TopArea();
      Bottom = Scripted->BottomArea();
      Limits = Scripted->Place() == spLimits;
    } else if (auto* Index = dynamic_cast<const TEqIndex*>(T)) {
      Top = Index->IndexTopArea();
      Bottom = Index->IndexBottomArea();
    }
    const auto Read = [&](const TEditArea* A, int Word_) {
      if (!A) return;
      Say(QStringLiteral(", "));
      Area(A, TSpokenNode::kSlot, Node, Word(Word_));
    };
    Read(Base, wContents);
    Read(Bottom, Limits ? wLowerLimit : wSubscript);
    Read(Top, Limits ? wUpperLimit : wSuperscript);
  }

  // A fence no button names, as {x | x > 0}: its delimiters said as the characters are,
  // around and between its parts. Its name is its delimiters'.
  QString SpeakFence(const TEqFence* Fence, int Node) {
    const auto Words = [this](TDelimiter D) { return D == dlNone ? QString() : CharacterWords(DelimiterChar(D)); };
    const TFenceKind Kind = Fence->Kind();
    Say(Words(Kind.Left));
    for (int S = 0; S < Fence->EditAreaCount(); ++S) {
      Say(S > 0 ? QStringLiteral(" %1 ").arg(Words(Kind.Middle)) : QStringLiteral(" "));
      Area(Fence->Slot(S), TSpokenNode::kSlot, Node, Word(wContents));
    }
    Say(QLatin1Char(' ') + Words(Kind.Right));
    return QStringList{Words(Kind.Left), Words(Kind.Middle), Words(Kind.Right)}.join(QLatin1Char(' ')).simplified();
  }

  // The intervals share one description: their ends are said, as the characters would be.
  void SpeakInterval(const TEqParent* T, int Node) {
    auto* Fence = dynamic_cast<const TEqFence*>(T);
    if (!Fence) return;
    const auto End = [](TDelimiter D) -> char16_t {
      switch (D) {
        case dlRoundOpen: return u'(';
        case dlRoundClose: return u')';
        case dlSquareOpen: return u'[';
        case dlSquareClose: return u']';
        default: return 0;
      }
    };
    const char16_t Left = End(Fence->Kind().Left);
    const char16_t Right = End(Fence->Kind().Right);
    if (!Left || !Right) return;
    Say(QStringLiteral(", ") + CharacterWords(Left) + QLatin1Char(' '));
    Area(T->Slot(0), TSpokenNode::kSlot, Node, Word(wContents));
    Say(QLatin1Char(' ') + CharacterWords(Right));
  }

  static int ArrowWord(TKindArrow Kind, int Otherwise) {
    if (Kind.Contains(kaRight) && Kind.Contains(kaLeft)) return wBothArrow;
    if (Kind.Contains(kaLeft)) return wLeftArrow;
    if (Kind.Contains(kaRight)) return wRightArrow;
    return Otherwise;
  }

  QString SpeakGroupOp(const TEqGroupOp* Operator, int Node) {
    const bool Limits = Operator->LimitBottomArea() || Operator->LimitTopArea();
    const TEditArea* Lower = Limits ? Operator->LimitBottomArea() : Operator->IndexBottomArea();
    const TEditArea* Upper = Limits ? Operator->LimitTopArea() : Operator->IndexTopArea();
    const QString Name = Word(OperatorWord(Operator));
    const TPart Operand = Slot(Operator->Slot(0), Node, Word(wOperand));
    const TPart From =
        Lower ? Slot(Lower, Node, Word(Limits ? wLowerLimit : wSubscript)) : Part(Word(wEmpty));
    if (Upper)
      Say(Word(wOperatorFromTo),
          {Part(Name), From, Slot(Upper, Node, Word(Limits ? wUpperLimit : wSuperscript)),
           Operand});
    else if (Lower)
      Say(Word(wOperatorOver), {Part(Name), From, Operand});
    else
      Say(Word(wOperatorOf), {Part(Name), Operand});
    return Name;
  }

  static int OperatorWord(const TEqGroupOp* Operator) {
    if (dynamic_cast<const TEqIntegral*>(Operator))
      return (Operator->Ring() ? wRingIntegral : wIntegral) + Operator->Size() - 1;
    if (dynamic_cast<const TEqSumma*>(Operator)) return wSum;
    if (dynamic_cast<const TEqMultiply*>(Operator)) return wProduct;
    if (dynamic_cast<const TEqCoMult*>(Operator)) return wCoproduct;
    if (dynamic_cast<const TEqIntersection*>(Operator)) return wIntersection;
    return wUnion;
  }

  // "matrix 2 by 2, row 1: a, b; row 2: c, d, end matrix"; its cells are named after it.
  QString SpeakMatrix(const TEqMatrix* Matrix, int Node) {
    const int Columns = qMax(Matrix->DX(), 1);
    const QString Name = Word(wMatrix).arg(Matrix->DY()).arg(Matrix->DX());
    Say(Name);
    for (int Row = 0; Row * Columns < Matrix->EditAreaCount(); ++Row) {
      Say(Row == 0 ? QStringLiteral(", ") : QStringLiteral("; "));
      Say(Word(wRow), {Part(QString::number(Row + 1)), [=, this] {
                         for (int C = 0; C < Columns && Row * Columns + C < Matrix->EditAreaCount();
                              ++C) {
                           if (C > 0) Say(QStringLiteral(", "));
                           Area(Matrix->Slot(Row * Columns + C), TSpokenNode::kSlot, Node,
                                Name + QStringLiteral(", ") + Word(wCell).arg(Row + 1).arg(C + 1));
                         }
                       }});
    }
    Say(QStringLiteral(", ") + Word(wEndMatrix));
    return Name;
  }

  QString CharacterWords(char32_t Code) const {
    // Beyond 16 bits there are no words of our own: the character speaks for itself.
    if (Code > 0xFFFF) return QString::fromUcs4(&Code, 1);
    for (int I = 0; WordCharacters[I]; ++I)
      if (WordCharacters[I] == Code) return Word(wPlus + I);
    return SymbolWords(Code);
  }

  // The description of a palette button, spoken.
  QString ButtonWords(int Group, int Button) const {
    QString Text = TSelectEquation::Description(FLanguage, Group, Button);
    // Many of the stored German descriptions are in Russian: a German voice reads the
    // English ones better.
    if (FLanguage == TLanguages::lDeutsche && IsCyrillic(Text))
      Text = TSelectEquation::Description(TLanguages::lEnglish, Group, Button);
    // German nouns keep their capital.
    else if (FLanguage != TLanguages::lDeutsche && !Text.isEmpty())
      Text[0] = Text[0].toLower();
    return Text;
  }

  // The common symbols have words of their own; another symbol the palette offers is
  // spoken by its button's description, any other by itself unless it is not a character
  // a text may carry.
  QString SymbolWords(char16_t Code) const {
    for (int I = 0; WordSymbols[I]; ++I)
      if (WordSymbols[I] == Code) return Word(wLessEqual + I);
    if (const auto Button = SymbolButton(Code)) return ButtonWords(Button->first, Button->second);
    const QChar Character(Code);
    if (Character.isPrint() && !Character.isSurrogate()) return QString(Character);
    return QStringLiteral("U+") + QString::number(Code, 16).toUpper().rightJustified(4, u'0');
  }

  static bool IsCyrillic(const QString& Text) {
    return std::any_of(Text.begin(), Text.end(),
                       [](QChar C) { return C.script() == QChar::Script_Cyrillic; });
  }

  TSpokenFormula& F;
  TLanguage FLanguage;
};

TSpokenFormula::TSpokenFormula(const TEditorCore& Editor, TLanguage Language) {
  TSpeaker(*this, Language).Lines(Editor);
}

QString TSpokenFormula::TextOf(int Index) const {
  const TSpokenNode& N = FNodes[Index];
  return FText.mid(N.Start, N.End - N.Start);
}

QRect TSpokenFormula::Rect(int Index) const {
  const TZelkGraphic* Graphic = FNodes[Index].Graphic;
  QPoint Origin;
  for (int I = Index; I >= 0; I = FNodes[I].Parent)
    Origin += QPoint(FNodes[I].Graphic->Left(), FNodes[I].Graphic->Top());
  return QRect(Origin, QSize(Graphic->Width(), Graphic->Height()));
}

int TSpokenFormula::CaretOffset(const TEditArea* Area, int Position) const {
  const auto Stops = FAreaStops.constFind(Area);
  if (Stops == FAreaStops.constEnd() || Stops->empty()) return -1;
  return (*Stops)[qBound(0, Position, static_cast<int>(Stops->size()) - 1)];
}

TSpokenFormula::TCaretStop TSpokenFormula::CaretStopAt(int Offset) const {
  if (FStops.empty()) return {nullptr, 0, 0};
  auto After =
      std::upper_bound(FStops.begin(), FStops.end(), Offset,
                       [](int Value, const TCaretStop& Stop) { return Value < Stop.Offset; });
  return After == FStops.begin() ? FStops.front() : *(After - 1);
}
