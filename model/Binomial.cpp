#include "Binomial.h"

// The fraction's constructor laid out a fraction: lay out again as a binomial.
TEqBinomial::TEqBinomial(TCustomControl* Owner) : TEqDivision(Owner) { RefreshEditArea(0); }
