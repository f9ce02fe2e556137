#pragma once
// The pictures a copy carries: image/png at twice the editor's device pixel ratio and
// image/svg+xml, both drawn by Render without editing marks, in the editor's font and
// colours, set in the editor's ClipboardTypesetting (Math unless the host chose Classic).

#include "Clipboard.h"

class TEditorCore;

// The image writer for copies from Editor (which must outlive it).
TClipboardFormats::TImageWriter FormulaImageWriter(const TEditorCore& Editor);
