#include "Accent.h"

TEqAccent::TEqAccent(TCustomControl* Owner) : TEqBarred(Owner) {
  InsertEditArea();
  RefreshEditArea(0);
}

void TEqAccent::SetKindAccent(TKindAccent Value) {
  FKindAccent = Value;
  RefreshEditArea(0);
}
