#include "PaletteCommands.h"

#include <functional>
#include <map>
#include <utility>

#include "model/EditArea.h"
#include "model/Matrix.h"
#include "model/Keywords.h"

namespace {
using TCommand = std::function<void(TEditArea&)>;
using TCommandTable = std::map<std::pair<int, int>, TCommand>;

struct TSymbolButton {
  int Group;
  int Button;
  int Code;
};

// Groups 1-10: one special symbol each (UTF-16 code).
constexpr TSymbolButton SymbolButtons[] = {
    {1, 0, 8804}, {1, 1, 8805}, {1, 2, 8826}, {1, 3, 8827}, {1, 4, 8882}, {1, 5, 8883},
    {1, 6, 8800}, {1, 7, 8801}, {1, 8, 8776}, {1, 9, 8773}, {1, 10, 8733},
    {2, 1, 8203}, {2, 2, 160}, {2, 3, 8198}, {2, 4, 8196}, {2, 5, 8195}, {2, 6, 8230},
    {2, 7, 8943}, {2, 8, 8942}, {2, 9, 8944}, {2, 10, 8945},
    {4, 0, 177}, {4, 1, 8723}, {4, 2, 215}, {4, 3, 247}, {4, 4, 42}, {4, 5, 8729},
    {4, 6, 9675}, {4, 7, 9679}, {4, 8, 8855}, {4, 9, 8853}, {4, 10, 8249}, {4, 11, 8250},
    {5, 0, 8594}, {5, 1, 8592}, {5, 2, 8596}, {5, 3, 8593}, {5, 4, 8595}, {5, 5, 8597},
    {5, 6, 8658}, {5, 7, 8656}, {5, 8, 8660}, {5, 9, 8657}, {5, 10, 8659}, {5, 11, 8661},
    {5, 12, 8614}, {5, 13, 8629},
    {6, 0, 8756}, {6, 1, 8757}, {6, 2, 8715}, {6, 3, 8707}, {6, 4, 8704}, {6, 5, 9488},
    {6, 6, 8743}, {6, 7, 8744},
    // Buttons 4 and 5 repeat the union and intersection of 2 and 3.
    {7, 0, 8712}, {7, 1, 8713}, {7, 2, 8746}, {7, 3, 8745}, {7, 4, 8746}, {7, 5, 8745},
    {7, 6, 8834}, {7, 7, 8835}, {7, 8, 8838}, {7, 9, 8839}, {7, 10, 8836}, {7, 11, 8709},
    {8, 0, 8706}, {8, 1, 8711}, {8, 2, 8734}, {8, 3, 8465}, {8, 4, 8476}, {8, 5, 8501},
    {8, 6, 8736}, {8, 7, 9524}, {8, 8, 9674}, {8, 9, 8467}, {8, 10, 8472}, {8, 11, 176},
    {8, 12, 295}, {8, 13, 411}, {8, 14, 8747}, {8, 15, 8721}, {8, 16, 8719}, {8, 17, 8720},
    {9, 0, 945}, {9, 1, 946}, {9, 2, 967}, {9, 3, 948}, {9, 4, 949}, {9, 5, 966},
    {9, 6, 966}, {9, 7, 947}, {9, 8, 951}, {9, 9, 953}, {9, 10, 954}, {9, 11, 955},
    {9, 12, 956}, {9, 13, 957}, {9, 14, 959}, {9, 15, 960}, {9, 16, 969}, {9, 17, 952},
    {9, 18, 952}, {9, 19, 961}, {9, 20, 963}, {9, 21, 962}, {9, 22, 964}, {9, 23, 965},
    {9, 24, 969}, {9, 25, 958}, {9, 26, 968}, {9, 27, 950},
    {10, 0, 913}, {10, 1, 914}, {10, 2, 935}, {10, 3, 916}, {10, 4, 917}, {10, 5, 934},
    {10, 6, 915}, {10, 7, 919}, {10, 8, 921}, {10, 9, 922}, {10, 10, 923}, {10, 11, 924},
    {10, 12, 925}, {10, 13, 927}, {10, 14, 928}, {10, 15, 920}, {10, 16, 929},
    {10, 17, 931}, {10, 18, 932}, {10, 19, 933}, {10, 20, 937}, {10, 21, 926},
    {10, 22, 936}, {10, 23, 918},
};

// The slots of a big operator, in the order its buttons offer them.
const TGroupOptions OperatorLimits[] = {
    {}, {goLimitBottom}, {goLimitTop, goLimitBottom}, {goIndexBottom}, {goIndexTop, goIndexBottom}};

struct TIntegralButton {
  TGroupOptions Options;
  int Size;
  bool Ring;
};
const TIntegralButton IntegralButtons[] = {
    {{}, 1, false}, {{goLimitTop, goLimitBottom}, 1, false}, {{goIndexTop, goIndexBottom}, 1, false},
    {{}, 1, false}, {{goLimitBottom}, 1, false}, {{goIndexBottom}, 1, false},
    {{}, 2, false}, {{goLimitBottom}, 2, false}, {{goIndexBottom}, 2, false},
    {{}, 3, false}, {{goLimitBottom}, 3, false}, {{goIndexBottom}, 3, false},
    {{}, 1, true}, {{goLimitBottom}, 1, true}, {{goIndexBottom}, 1, true},
    {{}, 2, true}, {{goLimitBottom}, 2, true}, {{goIndexBottom}, 2, true},
    {{}, 3, true}, {{goLimitBottom}, 3, true}, {{goIndexBottom}, 3, true},
};

struct TArrowButton {
  TKindArrow Kind;
  TAlignEA Align;
};
// Group 16: bars and arrows over (slot aeBottom) or under (slot aeTop) the slot.
const TArrowButton VectorButtons[] = {
    {{}, aeBottom}, {{kaDouble}, aeBottom}, {{}, aeTop}, {{kaDouble}, aeTop},
    {{kaRight}, aeBottom}, {{kaLeft}, aeBottom}, {{kaRight, kaLeft}, aeBottom},
    {{kaRight}, aeTop}, {{kaLeft}, aeTop}, {{kaRight, kaLeft}, aeTop},
};
// Group 17: arrows with a label slot above (aeTop) or below (aeBottom).
const TArrowButton ArrowButtons[] = {
    {{kaRight}, aeTop}, {{kaLeft}, aeTop}, {{kaRight, kaLeft}, aeTop},
    {{kaRight}, aeBottom}, {{kaLeft}, aeBottom}, {{kaRight, kaLeft}, aeBottom},
};

struct TMatrixButton {
  TKindMatrix Kind;
  int Count;
};
const TMatrixButton MatrixButtons[] = {
    {kmHoriz, 2}, {kmVert, 2}, {kmSquare, 4}, {kmHoriz, 3}, {kmVert, 3},
    {kmSquare, 9}, {kmHoriz, 4}, {kmVert, 4}, {kmSquare, 16},
};

using TOperatorCommand = void (TEditArea::*)(TGroupOptions);

struct TTemplateButton {
  int Group;
  int Button;
  const char* Keyword;
};
// Groups 11 and 13: fences, horizontal braces, left indices, stacks and operators with
// scripts, each inserting the template its keyword names.
constexpr TTemplateButton TemplateButtons[] = {
    {11, 6, "BracketsFloor"}, {11, 7, "BracketsCeiling"}, {11, 8, "BracketsSquareRound"},
    {11, 9, "BracketsRoundSquare"}, {11, 10, "BracketsRevSquareRevSquare"},
    {11, 11, "BracketsSquareRevSquare"}, {11, 12, "BracketsRevSquareSquare"},
    {11, 13, "HorizBraceaeTop"}, {11, 14, "HorizBraceaeBottom"},
    {11, 15, "BracketLeftRound"}, {11, 16, "BracketRightRound"}, {11, 17, "BracketLeftSquare"},
    {11, 18, "BracketRightSquare"}, {11, 19, "BracketLeftFigure"}, {11, 20, "BracketRightFigure"},
    {11, 21, "BracketLeftCorner"}, {11, 22, "BracketRightCorner"}, {11, 23, "BracketLeftModule"},
    {11, 24, "BracketRightModule"}, {11, 25, "BracketLeftDModule"}, {11, 26, "BracketRightDModule"},
    {11, 27, "BracketsKet"}, {11, 28, "BracketsBra"}, {11, 29, "BracketsBraKet"},
    {13, 3, "IndexLeftTop"}, {13, 4, "IndexLeftBottom"}, {13, 5, "IndexLeftTopBottom"},
    {13, 6, "StackTop"}, {13, 7, "StackBottom"}, {13, 8, "StackBottomTop"},
    {13, 9, "OperatorIndexTop"}, {13, 10, "OperatorIndexBottom"}, {13, 11, "OperatorIndexBottomTop"},
    {13, 12, "OperatorLimitTop"}, {13, 13, "OperatorLimitBottom"}, {13, 14, "OperatorLimitBottomTop"},
};

TCommandTable BuildCommandTable() {
  TCommandTable Table;
  for (const TSymbolButton& S : SymbolButtons)
    Table[{S.Group, S.Button}] = [Code = S.Code](TEditArea& A) { A.AddEqExtSymbol(Code); };

  const TKindBracket Brackets[] = {kbRound, kbSquare, kbFigure, kbCorner, kbModule, kbDModule};
  for (int B = 0; B < 6; ++B)
    Table[{11, B}] = [Kind = Brackets[B]](TEditArea& A) { A.AddEqBrackets(Kind); };

  Table[AlignMarkButton()] = [](TEditArea& A) { A.AddEqAlignMark(); };
  Table[{12, 0}] = [](TEditArea& A) { A.AddEqDivision(); };
  // Group 12: fractions (buttons 2 and 3 repeat 0 and 1), radicals, long division, the
  // binomial coefficient, the continued fraction and text.
  Table[{12, 1}] = [](TEditArea& A) { A.AddEqDivision(true); };
  Table[{12, 2}] = [](TEditArea& A) { A.AddEqDivision(); };
  Table[{12, 3}] = [](TEditArea& A) { A.AddEqDivision(true); };
  Table[{12, 4}] = [](TEditArea& A) { A.AddEqSlashDivision(); };
  Table[{12, 5}] = [](TEditArea& A) { A.AddEqRoot(false); };
  Table[{12, 6}] = [](TEditArea& A) { A.AddEqRoot(true); };
  Table[{12, 7}] = [](TEditArea& A) { A.AddEqLongDivision(false); };
  Table[{12, 8}] = [](TEditArea& A) { A.AddEqLongDivision(true); };
  Table[{12, 9}] = [](TEditArea& A) { A.AddEqBinomial(); };
  Table[{12, 10}] = [](TEditArea& A) { A.AddEqContinuedFraction(cfCentre); };
  Table[{12, 11}] = [](TEditArea& A) { A.AddEqText(); };
  // A pair of round brackets parted by a bar, spoken as its delimiters (not by this button).
  Table[{11, 30}] = [](TEditArea& A) { A.AddEqFence({dlRoundOpen, dlModule, dlRoundClose}); };

  // Group 3: the accents, numbered as their buttons; button 0 removes one (RemovesOrnament).
  for (int B = FirstAccent; B <= LastAccent; ++B)
    Table[{3, B}] = [Kind = TKindAccent(B)](TEditArea& A) { A.AddEqAccent(Kind); };

  const TGroupOptions Indices[] = {{goIndexTop}, {goIndexBottom}, {goIndexTop, goIndexBottom}};
  for (int B = 0; B < 3; ++B)
    Table[{13, B}] = [Options = Indices[B]](TEditArea& A) { A.AddEqIndex(Options); };

  for (int B = 0; B < 5; ++B)
    Table[{14, B}] = [Options = OperatorLimits[B]](TEditArea& A) { A.AddEqSumma(Options); };

  for (int B = 0; B < 21; ++B)
    Table[{15, B}] = [I = IntegralButtons[B]](TEditArea& A) { A.AddEqIntegral(I.Options, I.Size, I.Ring); };

  for (int B = 0; B < 10; ++B)
    Table[{16, B}] = [V = VectorButtons[B]](TEditArea& A) { A.AddEqVector(V.Kind, V.Align); };

  for (int B = 0; B < 6; ++B)
    Table[{17, B}] = [V = ArrowButtons[B]](TEditArea& A) { A.AddEqArrow(V.Kind, V.Align); };

  const TOperatorCommand Operators[] = {&TEditArea::AddEqMultiply, &TEditArea::AddEqCoMult,
                                        &TEditArea::AddEqIntersection, &TEditArea::AddEqJoin};
  for (int B = 0; B < 20; ++B)
    Table[{18, B}] = [Add = Operators[B / 5], Options = OperatorLimits[B % 5]](TEditArea& A) {
      (A.*Add)(Options);
    };

  for (int B = 0; B < 9; ++B)
    Table[{19, B}] = [M = MatrixButtons[B]](TEditArea& A) { A.AddEqMatrix(M.Kind, M.Count); };

  for (const TTemplateButton& T : TemplateButtons)
    Table[{T.Group, T.Button}] = InsertionForKeyword(QLatin1String(T.Keyword));
  return Table;
}
}  // namespace

namespace {
const TCommandTable& CommandTable() {
  static const TCommandTable Table = BuildCommandTable();
  return Table;
}
}  // namespace

bool RunPaletteCommand(TEditArea& Area, int Group, int Button) {
  const auto Entry = CommandTable().find({Group, Button});
  if (Entry == CommandTable().end()) return false;
  Entry->second(Area);
  return true;
}

bool HasPaletteCommand(int Group, int Button) { return CommandTable().contains({Group, Button}); }

std::optional<TMatrixAsk> MatrixSizeAsked(int Group, int Button) {
  if (Group != 19) return std::nullopt;
  switch (Button) {
    case 9: return TMatrixAsk::Columns;
    case 10: return TMatrixAsk::Rows;
    case 11: return TMatrixAsk::Both;
    default: return std::nullopt;
  }
}

bool RunSizedMatrixCommand(TEditArea& Area, int Group, int Button, QSize Size) {
  const std::optional<TMatrixAsk> Ask = MatrixSizeAsked(Group, Button);
  if (!Ask) return false;
  const int At = Area.EquationIndex();
  const int Columns = qMax(1, Size.width());
  const int Rows = qMax(1, Size.height());
  if (Columns > 1 && Rows > 1) {
    Area.AddEqMatrixGrid(Rows, Columns);
    return true;
  }
  // One row or one column is the kind of its own.
  Area.AddEqMatrix(Rows == 1 ? kmHoriz : kmVert, Rows == 1 ? Columns : Rows);
  // New cells are added before the last one; the caret starts in the first.
  if (auto* Matrix = dynamic_cast<TEqMatrix*>(Area.Item(At))) Matrix->Slot(0)->SetActive(true);
  return true;
}
bool RemovesOrnament(int Group, int Button) { return Group == 3 && Button == 0; }

std::optional<std::pair<int, int>> SymbolButton(int Code) {
  for (const TSymbolButton& S : SymbolButtons)
    if (S.Code == Code) return std::make_pair(S.Group, S.Button);
  return std::nullopt;
}

std::optional<std::pair<int, int>> TemplateButton(const QString& Keyword) {
  for (const TTemplateButton& T : TemplateButtons)
    if (Keyword == QLatin1String(T.Keyword)) return std::make_pair(T.Group, T.Button);
  return std::nullopt;
}

std::pair<int, int> AlignMarkButton() { return {2, 0}; }
