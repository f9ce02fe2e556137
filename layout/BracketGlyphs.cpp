#include "BracketGlyphs.h"

#include "platform/Canvas.h"

namespace {
// Round brackets keep the ornate parentheses' codes, but the fonts that have those draw
// flourishes there: plain parentheses are drawn (and measured) in their place.
char16_t ShownGlyph(char16_t Code) {
  if (Code == u'\uFD3E') return u'(';
  if (Code == u'\uFD3F') return u')';
  return Code;
}
}  // namespace

char16_t DelimiterGlyph(TDelimiter Value) {
  static const char16_t Glyphs[] = {0,        u'\uFD3E', u'\uFD3F', u'[',      u']',
                                    u'{',     u'}',      u'\u2039', u'\u203A', u'\u2502',
                                    u'\u2551', u'\u230A', u'\u230B', u'\u2308', u'\u2309'};
  return Glyphs[Value];
}

QSize GlyphExtent(const TCanvas& Canvas, char16_t Glyph) {
  if (!Glyph) return QSize(0, 0);
  return Canvas.TextExtentW(ShownGlyph(Glyph));
}

void PaintGlyph(TCanvas& Canvas, char16_t Glyph, int X, int BandHeight) {
  if (!Glyph) return;
  const char16_t Shown = ShownGlyph(Glyph);
  Canvas.TextOutW(X, (BandHeight - Canvas.TextExtentW(Shown).height()) / 2, Shown);
}
