#include "Shapes.h"

namespace {
QString Chars(int N) { return QStringLiteral("Simple(a)").repeated(N); }

// Brackets 30 deep, a character at every level, as many times as needed.
QString Nested(int Elements) {
  constexpr int Depth = 30;
  QString Block;
  for (int D = 0; D < Depth; ++D) Block += QStringLiteral("Simple(a)BracketsRound(EditArea(");
  Block += QStringLiteral("Simple(a)") + QStringLiteral("))").repeated(Depth);
  return Block.repeated(qMax(1, Elements / (2 * Depth + 1)));
}
}  // namespace

const char* ShapeName(TShape Shape) {
  static const char* const Names[] = {"line", "run in a slot", "matrix", "lines", "nesting"};
  return Names[Shape];
}

QString ShapeData(TShape Shape, int Elements) {
  switch (Shape) {
    case shLine: return QStringLiteral("EditArea(%1)").arg(Chars(Elements));
    case shSlotRun:
      return QStringLiteral("EditArea(Division(EditArea(%1)EditArea(Simple(b))))").arg(Chars(Elements - 2));
    case shMatrix:
      return QStringLiteral("EditArea(MatrixkmHoriz(%1))")
          .arg(QStringLiteral("EditArea(Simple(a))").repeated(Elements - 1));
    case shLines: return QStringLiteral("EditArea(Simple(a)Simple(b))").repeated(Elements / 2);
    case shNesting: return QStringLiteral("EditArea(%1)").arg(Nested(Elements));
  }
  return QString();
}
