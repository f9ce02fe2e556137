#pragma once
// How the editor places its lines side to side.

#include <QObject>

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

namespace Zelk {
using LineAlignment = TLineAlignments::TLineAlignment;
}  // namespace Zelk
