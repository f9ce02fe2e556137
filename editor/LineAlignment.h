#pragma once
// How the editor places its lines side to side, and where an operator stands at a soft
// line break.

#include <QObject>

#include "../model/Types.h"

class TLineAlignments {
  Q_GADGET

 public:
  // Lines that hold alignment marks always stand as one aligned block, the n-th mark of
  // each at one x: the run before an odd-numbered mark is right-aligned, the run after it
  // left-aligned, and each further pair of columns stands an em apart. For the other
  // lines and the block: Left, the left margin (the default, as lines had before marks);
  // Centre, centred on the widest; AtMarks, a line without a mark joins the block as one
  // right-aligned run ending where the first marks stand.
  enum TLineAlignment : int { Left = 0, Centre = 1, AtMarks = 2 };
  Q_ENUM(TLineAlignment)
};

using TLineAlignment = TLineAlignments::TLineAlignment;

class TBreakOperators {
  Q_GADGET

 public:
  // After: the operator ends its row (the default); Before: it begins the next; Repeated:
  // it ends its row and is shown again at the start of the next, as Russian typography has
  // it (the repeated sign is no element: Data holds it once).
  enum TBreakOperator : int { After = wbAfter, Before = wbBefore, Repeated = wbRepeated };
  Q_ENUM(TBreakOperator)
};

using TBreakOperator = TBreakOperators::TBreakOperator;

namespace Zelk {
using LineAlignment = TLineAlignments::TLineAlignment;
using BreakOperator = TBreakOperators::TBreakOperator;
}  // namespace Zelk
