#pragma once
// An OpenType font with a MATH table: its constants, its glyphs' measures, and glyphs
// stretched to a size from the font's variants and assemblies. HarfBuzz reads the file;
// the glyphs are drawn by index from the same bytes, so what is measured is what is drawn.
// Every measure is in pixels at an em of Em pixels, y growing downwards, origin on the
// baseline at the glyph's pen position.

#include <QByteArray>
#include <QHash>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QColor;
class QPainter;
class QRawFont;
struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;

// The MathConstants the layout uses.
enum class TMathConstant {
  ScriptPercentScaleDown,
  ScriptScriptPercentScaleDown,
  DisplayOperatorMinHeight,
  AxisHeight,
  AccentBaseHeight,
  SubscriptShiftDown,
  SubscriptTopMax,
  SubscriptBaselineDropMin,
  SuperscriptShiftUp,
  SuperscriptShiftUpCramped,
  SuperscriptBottomMin,
  SuperscriptBaselineDropMax,
  SubSuperscriptGapMin,
  SuperscriptBottomMaxWithSubscript,
  SpaceAfterScript,
  UpperLimitGapMin,
  UpperLimitBaselineRiseMin,
  LowerLimitGapMin,
  LowerLimitBaselineDropMin,
  StackGapMin,
  StretchStackGapAboveMin,
  StretchStackGapBelowMin,
  FractionNumeratorShiftUp,
  FractionNumeratorDisplayStyleShiftUp,
  FractionDenominatorShiftDown,
  FractionDenominatorDisplayStyleShiftDown,
  FractionNumeratorGapMin,
  FractionNumDisplayStyleGapMin,
  FractionRuleThickness,
  FractionDenominatorGapMin,
  FractionDenomDisplayStyleGapMin,
  OverbarVerticalGap,
  OverbarRuleThickness,
  OverbarExtraAscender,
  UnderbarVerticalGap,
  UnderbarRuleThickness,
  UnderbarExtraDescender,
  RadicalVerticalGap,
  RadicalDisplayStyleVerticalGap,
  RadicalRuleThickness,
  RadicalExtraAscender,
  RadicalKernBeforeDegree,
  RadicalKernAfterDegree,
  RadicalDegreeBottomRaisePercent,
};

// Glyphs placed relative to one origin: a single glyph or an assembly of parts.
struct TMathGlyphs {
  std::vector<quint32> Glyphs;
  std::vector<QPointF> Positions;
  double Advance = 0;
  QRectF Ink;
  bool Empty() const { return Glyphs.empty(); }
};

class TMathFont {
 public:
  // The font in the file at Path, or nullptr when the file cannot be read or has no MATH
  // table. While one holder keeps it, every other Open of the same path shares it and its
  // glyph caches: a window of formulas, or a picture's copy of a formula, reads the
  // file once.
  static std::shared_ptr<const TMathFont> Open(const QString& Path);
  // TeX Gyre Termes Math where the system has it, else another installed math font;
  // empty when none is found.
  static QString DefaultPath();
  ~TMathFont();
  TMathFont(const TMathFont&) = delete;
  TMathFont& operator=(const TMathFont&) = delete;

  QString Path() const { return FPath; }
  // A constant in pixels at Em; the percentages come back as they are.
  double Constant(TMathConstant Which, double Em) const;

  // The font's glyph for a code point; 0 (the missing glyph) where it has none.
  quint32 Glyph(char32_t Code) const;
  // One glyph at its natural size; its advance and ink alone.
  TMathGlyphs Single(quint32 Glyph, double Em) const;
  double Advance(quint32 Glyph, double Em) const;
  QRectF Ink(quint32 Glyph, double Em) const;
  double ItalicCorrection(quint32 Glyph, double Em) const;
  // Where an accent over the glyph is centred, from its origin: the font's top accent
  // attachment, else half the advance.
  double TopAccentAttachment(quint32 Glyph, double Em) const;
  // The glyph grown to cover at least Size pixels of ink along the axis (vertical, or
  // horizontal when Horizontal): the first variant that is large enough, else an assembly
  // of the glyph's parts; the largest it has when neither reaches Size.
  TMathGlyphs Stretched(quint32 Glyph, double Size, bool Horizontal, double Em) const;
  // Glyph, or where its ink is shorter than Width, its horizontal assembly grown to that
  // ink without the jump to a longer variant (a variant where the font has no assembly).
  TMathGlyphs Filled(quint32 Glyph, double Width, double Em) const;
  // The widest horizontal variant of Glyph whose advance is at most Width (the glyph
  // itself where every variant is wider), as TeX picks a wide accent over its base; the
  // glyph stretched to Width where even the widest variant falls short.
  TMathGlyphs Fitting(quint32 Glyph, double Width, double Em) const;

  // Draws Run with its origin at Origin (painter coordinates).
  void Draw(QPainter& Painter, QPointF Origin, const TMathGlyphs& Run, double Em, QColor Color) const;

 private:
  static std::shared_ptr<const TMathFont> Load(const QString& Path);
  TMathFont() = default;
  struct TGlyphInfo {
    int Advance;
    QRect Ink;  // font units, y downwards
  };
  const TGlyphInfo& Info(quint32 Glyph) const;
  TMathGlyphs Assemble(quint32 Glyph, double Size, bool Horizontal, double Em) const;
  TMathGlyphs Stretch(quint32 Glyph, double Size, bool Horizontal, double Em) const;
  struct TStretchKey {
    quint32 Glyph;
    bool Horizontal;
    double Size, Em;
    bool operator==(const TStretchKey&) const = default;
    friend size_t qHash(const TStretchKey& Key, size_t Seed = 0) {
      return qHashMulti(Seed, Key.Glyph, Key.Horizontal, Key.Size, Key.Em);
    }
  };
  double Scale(double Em) const { return Em / FUnitsPerEm; }
  const QRawFont& RawFont(double Em) const;
  // A glyph's outline at Em, its points to a hundredth of a pixel, at the origin.
  const QPainterPath& Outline(quint32 Glyph, double Em) const;

  QString FPath;
  QByteArray FData;
  hb_blob_t* FBlob = nullptr;
  hb_face_t* FFace = nullptr;
  hb_font_t* FFont = nullptr;
  int FUnitsPerEm = 1000;
  // Read once: layout asks for the same few constants all the time.
  std::vector<int> FConstants;
  mutable QHash<quint32, TGlyphInfo> FInfos;
  mutable QHash<char32_t, quint32> FGlyphs;
  // Layout asks for the same few stretched delimiters over and over.
  mutable QHash<TStretchKey, TMathGlyphs> FStretched;
  mutable std::vector<std::pair<double, std::unique_ptr<QRawFont>>> FRawFonts;
  // Pictures of many formulas draw the same glyphs at the same sizes.
  mutable QHash<std::pair<double, quint32>, QPainterPath> FOutlines;
};
