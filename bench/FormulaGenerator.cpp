#include "FormulaGenerator.h"

#include <QStringList>
#include <random>

namespace {
class TGenerator {
 public:
  TGenerator(unsigned Seed) : FRandom(Seed) {}

  // One run holding about Budget elements, templates nested at most Depth levels below.
  QString Run(int Budget, int Depth) {
    QString Text;
    while (Budget > 0) {
      const int Kind = Pick(Depth > 0 && Budget >= 4 ? 12 : 3);
      if (Kind < 2) {
        Text += QStringLiteral("Simple(%1)").arg(QChar(Letters[Pick(Letters.size())]));
        --Budget;
      } else if (Kind == 2) {
        Text += QStringLiteral("ExtSymbol(%1)").arg(Symbols[Pick(std::size(Symbols))]);
        --Budget;
      } else {
        Text += Template(Kind, std::min(Budget, 12), Depth, Budget);
      }
    }
    return Text;
  }

  int Count() const { return FCount; }

 private:
  QString Slot(int Budget, int Depth) { return QStringLiteral("EditArea(") + Run(Budget, Depth) + QLatin1Char(')'); }

  QString Template(int Kind, int Share, int Depth, int& Budget) {
    --Budget;
    ++FCount;
    const int Inner = std::max(1, (Share - 1) / 3);
    QString Slots;
    QString Name;
    switch (Kind) {
      case 3: Name = "Division"; Slots = Slot(Inner, Depth - 1) + Slot(Inner, Depth - 1); Budget -= 2 * Inner; break;
      case 4: Name = "IntLimitBottomTopOne"; Slots = Slot(Inner, Depth - 1) + Slot(1, 0) + Slot(1, 0); Budget -= Inner + 2; break;
      case 5: Name = "BracketsRound"; Slots = Slot(Inner * 2, Depth - 1); Budget -= Inner * 2; break;
      case 6: Name = "IndexTopBottom"; Slots = Slot(1, 0) + Slot(1, 0); Budget -= 2; break;
      case 7: Name = "SumLimitBottomTop"; Slots = Slot(Inner, Depth - 1) + Slot(1, 0) + Slot(1, 0); Budget -= Inner + 2; break;
      case 8: Name = "MatrixkmSquare"; for (int I = 0; I < 4; ++I) Slots += Slot(1, I == 0 ? Depth - 1 : 0); Budget -= 4; break;
      case 9: Name = "ArrowkaRightaeTop"; Slots = Slot(1, 0); Budget -= 1; break;
      case 10: Name = "VectorkaRightaeTop"; Slots = Slot(2, 0); Budget -= 2; break;
      default: Name = "BracketsSquare"; Slots = Slot(Inner, Depth - 1); Budget -= Inner; break;
    }
    return Name + QLatin1Char('(') + Slots + QLatin1Char(')');
  }

  int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(FRandom); }

  static inline const QString Letters = QStringLiteral("abcxyzn+-=0123456789");
  static constexpr int Symbols[] = {8734, 945, 946, 960, 8800, 8804, 8712};
  std::mt19937 FRandom;
  int FCount = 0;
};

int CountElements(const QString& Data) {
  int Count = 0;
  for (const QString& Name : {QStringLiteral("Simple("), QStringLiteral("ExtSymbol(")}) Count += Data.count(Name);
  return Count;
}
}  // namespace

TGeneratedFormula GenerateFormula(int Elements, int Lines, unsigned Seed) {
  TGenerator Generator(Seed);
  TGeneratedFormula Result;
  const int PerLine = std::max(1, Elements / std::max(1, Lines));
  for (int L = 0; L < Lines; ++L)
    Result.Data += QStringLiteral("EditArea(") + Generator.Run(PerLine, 3) + QLatin1Char(')');
  Result.Lines = Lines;
  Result.Elements = CountElements(Result.Data) + Generator.Count();
  return Result;
}
