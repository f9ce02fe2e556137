#pragma once
// Data texts of one shape each, N elements in all: the shapes that once made reading
// quadratic (a long line, a long run in a slot, a wide matrix, many lines, deep nesting).

#include <QString>

enum TShape { shLine, shSlotRun, shMatrix, shLines, shNesting };

const char* ShapeName(TShape Shape);
QString ShapeData(TShape Shape, int Elements);
