#pragma once
// The formula editor component: the editor control, its element tree and the text form.

#include "EACursor.h"
#include "ZelkEquation.h"
#include "../model/AlignMark.h"
#include "../model/Arrows.h"
#include "../model/Binomial.h"
#include "../model/Brace.h"
#include "../model/Brackets.h"
#include "../model/Division.h"
#include "../model/EditArea.h"
#include "../model/Fence.h"
#include "../model/GroupOp.h"
#include "../model/Index.h"
#include "../model/Matrix.h"
#include "../model/Scripted.h"
#include "../model/Symbols.h"
#include "../model/Text.h"
#include "../platform/Registration.h"

namespace Equations {
// Offers TZelkEquation on the design-time page "Zelk Equations".
TComponentInfo Register();
}  // namespace Equations
