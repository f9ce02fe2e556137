#pragma once
// Bracket glyphs as every element with brackets draws them: the glyph of each delimiter,
// its extent and its drawing beside a band of content. Glyphs are drawn at the canvas's
// current font size, never stretched, centred in the band; a style that stretches
// brackets changes these functions only.

#include <QSize>

#include "../model/Types.h"

class TCanvas;

// The glyph code of a delimiter; 0 for dlNone.
char16_t DelimiterGlyph(TDelimiter Value);

// Extent of Glyph in the canvas's font (0 x 0 for no glyph). Where no installed font has
// the ornate parentheses, plain ones are measured, as they are drawn, in their place.
QSize GlyphExtent(const TCanvas& Canvas, char16_t Glyph);
// Draws Glyph with its left edge at X, centred vertically in a band BandHeight high.
void PaintGlyph(TCanvas& Canvas, char16_t Glyph, int X, int BandHeight);
