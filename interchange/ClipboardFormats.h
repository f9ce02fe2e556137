#pragma once
// LaTeX and MathML as clipboard formats: a copy carries the formula in both, a paste
// takes either (each with the exact formula it carries, else read as other tools write
// it).

#include "../editor/Clipboard.h"

// A paste's plain text no form claimed is read as LaTeX where it holds a control word
// (\frac) or the %zelk-data line; else as Typst or AsciiMath where it holds their syntax
// (^, _, / or a function call), taking the reading with more structure.
TFormulaFormat LatexClipboardFormat();
// MathML under its own types and the Windows clipboard's "MathML" and "MathML
// Presentation" (Qt's application/x-qt-windows-mime names).
TFormulaFormat MathMLClipboardFormat();
// text/html holding the MathML <math> element, which word processors paste as native
// math; a paste reads the first <math> element of an HTML text.
TFormulaFormat HtmlClipboardFormat();
