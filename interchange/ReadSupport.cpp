#include "ReadSupport.h"

#include <exception>

#include "interchange/SymbolTable.h"

QString TReadResult::Message() const {
  if (Ok()) return QString();
  return QStringLiteral("line %1, column %2: %3").arg(Line).arg(Column).arg(Error);
}

TReadResult FinishRead(const TFormula& Formula, const TReadLosses& Losses) {
  TReadResult Result;
  if (const QString Problem = LimitProblem(Formula); !Problem.isEmpty()) {
    Result.Error = QStringLiteral("the formula holds ") + Problem + QStringLiteral(", beyond what the editor holds");
    Result.Line = Result.Column = 1;
    return Result;
  }
  // A text with no line in it (an empty table) still shows where to type.
  Result.Data = Formula.Lines.empty() ? QStringLiteral("EditArea()") : WriteData(Formula);
  Result.Losses = Losses.List();
  return Result;
}

TReadResult ReadDataAnnotation(const QString& Data) {
  TReadResult Result;
  try {
    Result.Data = WriteData(ParseData(Data));
  } catch (const std::exception& Error) {
    Result.Error = QStringLiteral("the Data annotation cannot be read: ") + QString::fromStdString(Error.what());
    Result.Line = Result.Column = 1;
  }
  return Result;
}

void PlaceOffset(const QString& Text, qsizetype Offset, TReadResult& Result) {
  Offset = qBound<qsizetype>(0, Offset, Text.size());
  Result.Line = 1;
  qsizetype LineStart = 0;
  for (qsizetype I = 0; I < Offset; ++I)
    if (Text[I] == u'\n') {
      ++Result.Line;
      LineStart = I + 1;
    }
  Result.Column = static_cast<int>(Offset - LineStart) + 1;
}

TReadResult CheckControlCharacters(const QString& Text) {
  TReadResult Result;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const char16_t C = Text[I].unicode();
    if (C >= 0x20 || C == u'\t' || C == u'\n' || C == u'\r') continue;
    Result.Error = C == 0 ? QStringLiteral("the text holds a NUL character: it is not a formula's text")
                          : QStringLiteral("the text holds the control character U+%1")
                                .arg(QString::number(C, 16).toUpper().rightJustified(4, u'0'));
    PlaceOffset(Text, I, Result);
    return Result;
  }
  return Result;
}

TFormulaNode MakeTemplate(const TTemplateInfo& Info, std::vector<TFormulaRun> Slots) {
  return TFormulaNode{TFormulaNode::Template, 0, Info.Keyword(), std::move(Slots)};
}

TFormulaRun RunOf(TFormulaNode Node) {
  TFormulaRun Run;
  Run.push_back(std::move(Node));
  return Run;
}

const TTemplateInfo* BigOperatorTemplate(int Operator, int Size, bool Ring, bool HasBottom, bool HasTop,
                                         bool Limits) {
  TTemplateInfo Info;
  Info.Kind = TTemplateInfo::BigOperator;
  Info.Operator = static_cast<TTemplateInfo::TOperator>(Operator);
  Info.Size = Size;
  Info.Ring = Ring;
  // An upper script alone goes with an empty lower one: no template has it alone.
  if (HasBottom || HasTop) {
    Info.Options = Limits ? TGroupOptions{goLimitBottom} : TGroupOptions{goIndexBottom};
    if (HasTop) Info.Options = Limits ? TGroupOptions{goLimitBottom, goLimitTop} : TGroupOptions{goIndexBottom, goIndexTop};
  }
  return FindTemplate(Info.Keyword());
}

TFormulaNode BigOperatorNode(const TTemplateInfo& Info, TFormulaRun Operand, TFormulaRun Bottom, TFormulaRun Top) {
  std::vector<TFormulaRun> Slots(Info.SlotCount());
  Slots[0] = std::move(Operand);
  for (TGroupOption Option : {goLimitBottom, goIndexBottom})
    if (const int S = Info.SlotOf(Option); S >= 0) Slots[S] = std::move(Bottom);
  for (TGroupOption Option : {goLimitTop, goIndexTop})
    if (const int S = Info.SlotOf(Option); S >= 0) Slots[S] = std::move(Top);
  return MakeTemplate(Info, std::move(Slots));
}

TFormulaNode ScriptedNode(TGroupOptions Options, bool Operator, TFormulaRun Base, TFormulaRun Bottom, TFormulaRun Top) {
  TTemplateInfo Info;
  Info.Kind = TTemplateInfo::Scripted;
  Info.Options = Options;
  Info.OperatorBase = Operator;
  return BigOperatorNode(Info, std::move(Base), std::move(Bottom), std::move(Top));
}

TFormulaNode IndexNode(bool HasBottom, TFormulaRun Bottom, bool HasTop, TFormulaRun Top, bool Left) {
  TTemplateInfo Info;
  Info.Kind = Left ? TTemplateInfo::LeftIndex : TTemplateInfo::Index;
  Info.Options = HasBottom && HasTop ? TGroupOptions{goIndexBottom, goIndexTop}
                 : HasBottom         ? TGroupOptions{goIndexBottom}
                                     : TGroupOptions{goIndexTop};
  std::vector<TFormulaRun> Slots;
  if (HasBottom) Slots.push_back(std::move(Bottom));
  if (HasTop) Slots.push_back(std::move(Top));
  return MakeTemplate(Info, std::move(Slots));
}

TFormulaNode MatrixNode(std::vector<std::vector<TFormulaRun>> Rows, TReadLosses& Losses) {
  TTemplateInfo Info;
  Info.Kind = TTemplateInfo::Matrix;
  const size_t RowCount = Rows.size();
  const size_t Columns = Rows.front().size();
  size_t Cells = 0;
  size_t Widest = 0;
  bool Rectangle = true;
  for (const auto& Row : Rows) {
    Cells += Row.size();
    Widest = std::max(Widest, Row.size());
    Rectangle = Rectangle && Row.size() == Columns;
  }
  size_t SquareColumns = 1;
  while (SquareColumns * SquareColumns < Cells) ++SquareColumns;
  const bool SquareGrid = Columns == SquareColumns && RowCount == (Cells + Columns - 1) / Columns && [&] {
    for (size_t R = 0; R + 1 < RowCount; ++R)
      if (Rows[R].size() != Columns) return false;
    return Rows.back().size() >= 1 && Rows.back().size() <= Columns;
  }();
  // The cells in reading order, moved out of the rows once the shape is known.
  const auto Flatten = [&Rows] {
    std::vector<TFormulaRun> Flat;
    for (auto& Row : Rows)
      for (auto& Cell : Row) Flat.push_back(std::move(Cell));
    return Flat;
  };
  if (RowCount == 1 && Columns > 1) {
    Info.Shape = kmHoriz;
  } else if (Rectangle && Columns == 1 && RowCount > 1) {
    Info.Shape = kmVert;
  } else if (SquareGrid) {
    Info.Shape = kmSquare;
  } else if (Widest <= static_cast<size_t>(MaxMatrixColumns)) {
    if (!Rectangle) {
      // Cells a row leaves out are empty, as a typesetter sets them; the full grid may be
      // one of the other kinds.
      for (auto& Row : Rows) Row.resize(Widest);
      return MatrixNode(std::move(Rows), Losses);
    }
    Info.Shape = kmGrid;
    Info.Columns = static_cast<int>(Widest);
  } else {
    Losses.Add(QStringLiteral("a matrix of %1 rows and %2 columns read as a column of rows").arg(RowCount).arg(Columns));
    TTemplateInfo RowInfo;
    RowInfo.Kind = TTemplateInfo::Matrix;
    RowInfo.Shape = kmHoriz;
    std::vector<TFormulaRun> Flat = Flatten();
    std::vector<TFormulaRun> RowNodes;
    size_t Next = 0;
    for (const auto& Row : Rows) {
      std::vector<TFormulaRun> RowCells(std::make_move_iterator(Flat.begin() + Next),
                                        std::make_move_iterator(Flat.begin() + Next + Row.size()));
      Next += Row.size();
      // A row of one cell is that cell: a one-cell matrix would read back as a square.
      if (RowCells.size() == 1)
        RowNodes.push_back(std::move(RowCells.front()));
      else
        RowNodes.push_back(RunOf(MakeTemplate(RowInfo, std::move(RowCells))));
    }
    Info.Shape = kmVert;
    return MakeTemplate(Info, std::move(RowNodes));
  }
  return MakeTemplate(Info, Flatten());
}

TFormulaNode CharacterNode(char16_t Code) {
  // A palette symbol written as its character reads as that symbol.
  if (Code > 0x7F)
    if (const TSymbol* S = SymbolByMathChar(Code) ? SymbolByMathChar(Code) : SymbolByCode(Code))
      return TFormulaNode::Symbol(S->Code);
  return TFormulaNode::Character(Code);
}

void FencedNodes(char16_t Left, TFormulaRun Content, char16_t Right, TFormulaRun& Out, TReadLosses& Losses) {
  std::vector<TFormulaRun> Parts;
  Parts.push_back(std::move(Content));
  FencedNodes(Left, std::move(Parts), 0, Right, Out, Losses);
}

void FencedNodes(char16_t Left, std::vector<TFormulaRun> Parts, char16_t Middle, char16_t Right, TFormulaRun& Out,
                 TReadLosses& Losses) {
  if (const TTemplateInfo* Info = FenceByChars(Left, Parts.size() > 1 ? Middle : 0, Right)) {
    Out.push_back(MakeTemplate(*Info, std::move(Parts)));
    return;
  }
  Losses.Add(QStringLiteral("delimiters that form no pair read as characters"));
  if (Left) Out.push_back(CharacterNode(Left));
  for (size_t I = 0; I < Parts.size(); ++I) {
    if (I > 0) Out.push_back(CharacterNode(Middle));
    for (TFormulaNode& Node : Parts[I]) Out.push_back(std::move(Node));
  }
  if (Right) Out.push_back(CharacterNode(Right));
}

TFormulaNode AlignMarkNode() {
  TTemplateInfo Info;
  Info.Kind = TTemplateInfo::AlignMark;
  return MakeTemplate(Info, {});
}
