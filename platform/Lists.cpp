#include "Lists.h"

namespace ListDetail {
void RaiseIndexError(int Index, int Count) {
  throw EListError("List index out of bounds (" + std::to_string(Index) + "); count is " +
                   std::to_string(Count));
}
}  // namespace ListDetail
