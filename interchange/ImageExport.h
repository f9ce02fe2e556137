#pragma once
// Pictures of a formula: PNG, SVG and PDF, drawn by the editor's Render (no editing marks
// unless the options ask for them). A PNG has RenderSize() * Scale pixels; SVG and PDF
// keep the formula's size at 96 dots per inch, with the text as text. In the Math style
// every place in a picture is kept to 1/64 px at any scale, not rounded to the screen's
// whole pixels: the size is the formula's own (a PNG's rounded up), a little smaller than
// RenderSize's.

#include <QString>

#include "../editor/Render.h"

class QIODevice;
class TEditorCore;

enum class TImageFormat { Png, Svg, Pdf };

// The format a file name's extension names (png, svg, pdf; any case); false when none.
bool ImageFormatOfFile(const QString& FileName, TImageFormat& Format);

// Writes the picture to Device, which must be open for writing; false with Error set
// when the device refuses it.
bool WriteImage(const TEditorCore& Formula, TImageFormat Format, QIODevice& Device,
                const TRenderOptions& Options, QString* Error = nullptr);
