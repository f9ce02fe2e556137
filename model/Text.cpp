#include "Text.h"

TEqText::TEqText(TCustomControl* Owner) : TEqParent(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}
