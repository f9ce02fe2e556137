#pragma once
// LaTeX and MathML as clipboard formats: a copy carries the formula in both, a paste
// takes either (each with the exact formula it carries, else read as other tools write
// it).

#include "../editor/Clipboard.h"

TFormulaFormat LatexClipboardFormat();
TFormulaFormat MathMLClipboardFormat();
