#include "Formula.h"

#include <algorithm>

#include "interchange/Templates.h"
#include "model/Keywords.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
class TDataReader {
 public:
  TFormulaRun Run(const QString& Text, int Depth) {
    TFormulaRun Result;
    for (const TExpression& Item : SplitItems(Text)) {
      if (Item.Name == QLatin1String("Simple")) {
        if (Item.Argument.isEmpty()) continue;
        Count(1);
        Result.push_back(TFormulaNode::Character(SimpleCharacter(Item.Argument)));
      } else if (Item.Name == QLatin1String("ExtSymbol")) {
        const int Code = StrToInt(Item.Argument);
        Count(1);
        Result.push_back(TFormulaNode::Symbol(static_cast<char16_t>(static_cast<unsigned>(Code) & 0xFFFFu)));
      } else if (const TTemplateInfo* Info = FindTemplate(Item.Name)) {
        if (Depth >= MaxNestingDepth)
          throw ELimitError("templates nest deeper than " + std::to_string(MaxNestingDepth) + " levels");
        Count(1);
        Result.push_back(Template(*Info, Item, Depth + 1));
      }
    }
    return Result;
  }

  void Count(int N) {
    if (N > MaxElements - FElements)
      throw ELimitError("the text holds more than " + std::to_string(MaxElements) + " elements");
    FElements += N;
  }

 private:
  TFormulaNode Template(const TTemplateInfo& Info, const TExpression& Item, int Depth) {
    TFormulaNode Node{TFormulaNode::Template, 0, Item.Name, {}};
    const TExprArray Items = SplitItems(Item.Argument);
    int Slots = Info.SlotCount();
    if (Info.Kind == TTemplateInfo::Matrix || (Info.Kind == TTemplateInfo::Fence && Info.Delimiters.Middle != dlNone)) {
      // A matrix grows to the number of items and never below its first cell; a fence
      // with a middle delimiter to its parts, never below two.
      const int Least = Slots;
      Slots = qMax(Least, static_cast<int>(Items.size()));
      Count(Slots - Least);
    }
    Node.Slots.resize(Slots);
    for (int I = 0; I < qMin(Slots, static_cast<int>(Items.size())); ++I)
      if (Items[I].Name == QLatin1String("EditArea")) Node.Slots[I] = Run(Items[I].Argument, Depth);
    return Node;
  }

  int FElements = 0;
};

bool Unportable(char32_t Code) {
  return (Code >= 0xD800 && Code <= 0xDFFF) || Code == 0xFFFE || Code == 0xFFFF;
}

void WriteRun(const TFormulaRun& Run, bool Portable, QString& Out) {
  for (const TFormulaNode& Node : Run) {
    switch (Node.Kind) {
      case TFormulaNode::Simple:
        Out += QStringLiteral("Simple(");
        // As the editor writes a character (TEqSimple::GetData).
        if (Node.Code <= 32 || Node.Code == U'(' || Node.Code == U')' || QChar::isSurrogate(Node.Code) ||
            Node.Code > 0x10FFFF || (Portable && Unportable(Node.Code)))
          Out += QLatin1Char('#') + QString::number(Node.Code);
        else
          Out += QString::fromUcs4(&Node.Code, 1);
        break;
      case TFormulaNode::ExtSymbol:
        Out += QStringLiteral("ExtSymbol(") + QString::number(Node.Code);
        break;
      case TFormulaNode::Template:
        Out += Node.Keyword + QLatin1Char('(');
        for (const TFormulaRun& Slot : Node.Slots) {
          Out += QStringLiteral("EditArea(");
          WriteRun(Slot, Portable, Out);
          Out += QLatin1Char(')');
        }
        break;
    }
    Out += QLatin1Char(')');
  }
}

// Counts elements as the editor does (a matrix cell beyond the first counts once) and
// finds the deepest template nesting.
void Measure(const TFormulaRun& Run, int Depth, int& Elements, int& Deepest) {
  for (const TFormulaNode& Node : Run) {
    ++Elements;
    if (Node.Kind != TFormulaNode::Template) continue;
    Deepest = qMax(Deepest, Depth + 1);
    if (const TTemplateInfo* Info = FindTemplate(Node.Keyword); Info && Info->Kind == TTemplateInfo::Matrix)
      Elements += static_cast<int>(Node.Slots.size()) - 1;
    for (const TFormulaRun& Slot : Node.Slots) Measure(Slot, Depth + 1, Elements, Deepest);
  }
}
}  // namespace

TFormula ParseData(const QString& Data) {
  TFormula Formula;
  TDataReader Reader;
  for (const TExpression& Item : SplitItems(Data)) {
    if (Item.Name != QLatin1String("EditArea")) continue;
    if (static_cast<int>(Formula.Lines.size()) >= MaxLines)
      throw ELimitError("the text holds more than " + std::to_string(MaxLines) + " lines");
    Formula.Lines.push_back(Reader.Run(Item.Argument, 0));
  }
  return Formula;
}

QString WriteData(const TFormula& Formula, bool Portable) {
  QString Out;
  for (const TFormulaRun& Line : Formula.Lines) {
    Out += QStringLiteral("EditArea(");
    WriteRun(Line, Portable, Out);
    Out += QLatin1Char(')');
  }
  return Out;
}

QString LimitProblem(const TFormula& Formula) {
  if (static_cast<int>(Formula.Lines.size()) > MaxLines)
    return QStringLiteral("more than %1 lines").arg(MaxLines);
  int Elements = 0;
  int Deepest = 0;
  for (const TFormulaRun& Line : Formula.Lines) Measure(Line, 0, Elements, Deepest);
  if (Deepest > MaxNestingDepth)
    return QStringLiteral("templates nest deeper than %1 levels").arg(MaxNestingDepth);
  if (Elements > MaxElements) return QStringLiteral("more than %1 elements").arg(MaxElements);
  return QString();
}

bool IsAlignMark(const TFormulaNode& Node) {
  return Node.Kind == TFormulaNode::Template && Node.Keyword == AlignMarkKeyword();
}

bool HasAlignedLines(const TFormula& Formula) {
  for (const TFormulaRun& Line : Formula.Lines)
    if (std::any_of(Line.begin(), Line.end(), IsAlignMark)) return true;
  return false;
}

std::vector<TFormulaRun> AlignedCells(const TFormulaRun& Line) {
  std::vector<TFormulaRun> Cells(1);
  for (const TFormulaNode& Node : Line)
    if (IsAlignMark(Node))
      Cells.emplace_back();
    else
      Cells.back().push_back(Node);
  return Cells;
}
