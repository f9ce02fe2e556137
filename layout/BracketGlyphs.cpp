#include "BracketGlyphs.h"

#include <QFontMetrics>

#include "platform/Canvas.h"

namespace {
// Few fonts have the ornate parentheses; where no font (fallbacks included) has them,
// plain parentheses stand in for them instead of missing-glyph boxes.
char16_t ShownGlyph(char16_t Code, const QFont& Font) {
  if (Code != u'\uFD3E' && Code != u'\uFD3F') return Code;
  if (QFontMetrics(Font).inFont(QChar(Code))) return Code;
  return Code == u'\uFD3E' ? u'(' : u')';
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
  return Canvas.TextExtentW(ShownGlyph(Glyph, Canvas.Font));
}

void PaintGlyph(TCanvas& Canvas, char16_t Glyph, int X, int BandHeight) {
  if (!Glyph) return;
  const char16_t Shown = ShownGlyph(Glyph, Canvas.Font);
  Canvas.TextOutW(X, (BandHeight - Canvas.TextExtentW(Shown).height()) / 2, Shown);
}
