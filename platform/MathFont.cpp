#include "MathFont.h"

#include <hb-ot.h>
#include <hb.h>

#include <QColor>
#include <QFile>
#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <algorithm>
#include <cmath>

namespace {
hb_ot_math_constant_t HbConstant(TMathConstant Which) {
  switch (Which) {
    case TMathConstant::ScriptPercentScaleDown: return HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN;
    case TMathConstant::ScriptScriptPercentScaleDown: return HB_OT_MATH_CONSTANT_SCRIPT_SCRIPT_PERCENT_SCALE_DOWN;
    case TMathConstant::DisplayOperatorMinHeight: return HB_OT_MATH_CONSTANT_DISPLAY_OPERATOR_MIN_HEIGHT;
    case TMathConstant::AxisHeight: return HB_OT_MATH_CONSTANT_AXIS_HEIGHT;
    case TMathConstant::AccentBaseHeight: return HB_OT_MATH_CONSTANT_ACCENT_BASE_HEIGHT;
    case TMathConstant::SubscriptShiftDown: return HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN;
    case TMathConstant::SubscriptTopMax: return HB_OT_MATH_CONSTANT_SUBSCRIPT_TOP_MAX;
    case TMathConstant::SubscriptBaselineDropMin: return HB_OT_MATH_CONSTANT_SUBSCRIPT_BASELINE_DROP_MIN;
    case TMathConstant::SuperscriptShiftUp: return HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP;
    case TMathConstant::SuperscriptShiftUpCramped: return HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED;
    case TMathConstant::SuperscriptBottomMin: return HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MIN;
    case TMathConstant::SuperscriptBaselineDropMax: return HB_OT_MATH_CONSTANT_SUPERSCRIPT_BASELINE_DROP_MAX;
    case TMathConstant::SubSuperscriptGapMin: return HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN;
    case TMathConstant::SuperscriptBottomMaxWithSubscript:
      return HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MAX_WITH_SUBSCRIPT;
    case TMathConstant::SpaceAfterScript: return HB_OT_MATH_CONSTANT_SPACE_AFTER_SCRIPT;
    case TMathConstant::UpperLimitGapMin: return HB_OT_MATH_CONSTANT_UPPER_LIMIT_GAP_MIN;
    case TMathConstant::UpperLimitBaselineRiseMin: return HB_OT_MATH_CONSTANT_UPPER_LIMIT_BASELINE_RISE_MIN;
    case TMathConstant::LowerLimitGapMin: return HB_OT_MATH_CONSTANT_LOWER_LIMIT_GAP_MIN;
    case TMathConstant::LowerLimitBaselineDropMin: return HB_OT_MATH_CONSTANT_LOWER_LIMIT_BASELINE_DROP_MIN;
    case TMathConstant::StackGapMin: return HB_OT_MATH_CONSTANT_STACK_GAP_MIN;
    case TMathConstant::StretchStackGapAboveMin: return HB_OT_MATH_CONSTANT_STRETCH_STACK_GAP_ABOVE_MIN;
    case TMathConstant::StretchStackGapBelowMin: return HB_OT_MATH_CONSTANT_STRETCH_STACK_GAP_BELOW_MIN;
    case TMathConstant::FractionNumeratorShiftUp: return HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_SHIFT_UP;
    case TMathConstant::FractionNumeratorDisplayStyleShiftUp:
      return HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP;
    case TMathConstant::FractionDenominatorShiftDown: return HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_SHIFT_DOWN;
    case TMathConstant::FractionDenominatorDisplayStyleShiftDown:
      return HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_DISPLAY_STYLE_SHIFT_DOWN;
    case TMathConstant::FractionNumeratorGapMin: return HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_GAP_MIN;
    case TMathConstant::FractionNumDisplayStyleGapMin: return HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN;
    case TMathConstant::FractionRuleThickness: return HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS;
    case TMathConstant::FractionDenominatorGapMin: return HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_GAP_MIN;
    case TMathConstant::FractionDenomDisplayStyleGapMin:
      return HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN;
    case TMathConstant::OverbarVerticalGap: return HB_OT_MATH_CONSTANT_OVERBAR_VERTICAL_GAP;
    case TMathConstant::OverbarRuleThickness: return HB_OT_MATH_CONSTANT_OVERBAR_RULE_THICKNESS;
    case TMathConstant::OverbarExtraAscender: return HB_OT_MATH_CONSTANT_OVERBAR_EXTRA_ASCENDER;
    case TMathConstant::UnderbarVerticalGap: return HB_OT_MATH_CONSTANT_UNDERBAR_VERTICAL_GAP;
    case TMathConstant::UnderbarRuleThickness: return HB_OT_MATH_CONSTANT_UNDERBAR_RULE_THICKNESS;
    case TMathConstant::UnderbarExtraDescender: return HB_OT_MATH_CONSTANT_UNDERBAR_EXTRA_DESCENDER;
    case TMathConstant::RadicalVerticalGap: return HB_OT_MATH_CONSTANT_RADICAL_VERTICAL_GAP;
    case TMathConstant::RadicalDisplayStyleVerticalGap: return HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP;
    case TMathConstant::RadicalRuleThickness: return HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS;
    case TMathConstant::RadicalExtraAscender: return HB_OT_MATH_CONSTANT_RADICAL_EXTRA_ASCENDER;
    case TMathConstant::RadicalKernBeforeDegree: return HB_OT_MATH_CONSTANT_RADICAL_KERN_BEFORE_DEGREE;
    case TMathConstant::RadicalKernAfterDegree: return HB_OT_MATH_CONSTANT_RADICAL_KERN_AFTER_DEGREE;
    case TMathConstant::RadicalDegreeBottomRaisePercent:
      return HB_OT_MATH_CONSTANT_RADICAL_DEGREE_BOTTOM_RAISE_PERCENT;
  }
  return HB_OT_MATH_CONSTANT_AXIS_HEIGHT;
}

bool IsPercent(TMathConstant Which) {
  return Which == TMathConstant::ScriptPercentScaleDown || Which == TMathConstant::ScriptScriptPercentScaleDown ||
         Which == TMathConstant::RadicalDegreeBottomRaisePercent;
}

// Parts and assemblies are capped so that a hostile size cannot make a run without end.
constexpr int MaxParts = 400;
}  // namespace

std::shared_ptr<const TMathFont> TMathFont::Open(const QString& Path) {
  static QMutex Lock;
  static QHash<QString, std::weak_ptr<const TMathFont>> Opened;
  const QMutexLocker Locked(&Lock);
  if (std::shared_ptr<const TMathFont> Known = Opened.value(Path).lock()) return Known;
  Opened.removeIf([](const auto& Entry) { return Entry.value().expired(); });
  std::shared_ptr<const TMathFont> Result = Load(Path);
  if (Result) Opened.insert(Path, Result);
  return Result;
}

std::shared_ptr<const TMathFont> TMathFont::Load(const QString& Path) {
  QFile File(Path);
  if (Path.isEmpty() || !File.open(QIODevice::ReadOnly)) return nullptr;
  std::shared_ptr<TMathFont> Result(new TMathFont);
  Result->FPath = Path;
  Result->FData = File.readAll();
  Result->FBlob = hb_blob_create(Result->FData.constData(), static_cast<unsigned>(Result->FData.size()),
                                 HB_MEMORY_MODE_READONLY, nullptr, nullptr);
  Result->FFace = hb_face_create(Result->FBlob, 0);
  if (!hb_ot_math_has_data(Result->FFace)) return nullptr;
  Result->FFont = hb_font_create(Result->FFace);
  Result->FUnitsPerEm = std::max(1u, hb_face_get_upem(Result->FFace));
  hb_font_set_scale(Result->FFont, Result->FUnitsPerEm, Result->FUnitsPerEm);
  for (int I = 0; I <= static_cast<int>(TMathConstant::RadicalDegreeBottomRaisePercent); ++I)
    Result->FConstants.push_back(hb_ot_math_get_constant(Result->FFont, HbConstant(static_cast<TMathConstant>(I))));
  return Result;
}

QString TMathFont::DefaultPath() {
  static const char* const Known[] = {
      "/usr/share/texmf/fonts/opentype/public/tex-gyre-math/texgyretermes-math.otf",
      "/usr/share/fonts/opentype/texgyre/texgyretermes-math.otf",
      "/usr/share/texmf/fonts/opentype/public/lm-math/latinmodern-math.otf",
      "/usr/share/fonts/truetype/dejavu/DejaVuMathTeXGyre.ttf",
  };
  for (const char* Candidate : Known)
    if (QFile::exists(QString::fromLatin1(Candidate))) return QString::fromLatin1(Candidate);
  return QString();
}

TMathFont::~TMathFont() {
  if (FFont) hb_font_destroy(FFont);
  if (FFace) hb_face_destroy(FFace);
  if (FBlob) hb_blob_destroy(FBlob);
}

double TMathFont::Constant(TMathConstant Which, double Em) const {
  const int Value = FConstants[static_cast<size_t>(Which)];
  return IsPercent(Which) ? Value : Value * Scale(Em);
}

quint32 TMathFont::Glyph(char32_t Code) const {
  auto It = FGlyphs.constFind(Code);
  if (It != FGlyphs.constEnd()) return *It;
  hb_codepoint_t Result = 0;
  if (!hb_font_get_nominal_glyph(FFont, Code, &Result)) Result = 0;
  FGlyphs.insert(Code, Result);
  return Result;
}

const TMathFont::TGlyphInfo& TMathFont::Info(quint32 Glyph) const {
  auto It = FInfos.constFind(Glyph);
  if (It != FInfos.constEnd()) return *It;
  hb_glyph_extents_t E{};
  hb_font_get_glyph_extents(FFont, Glyph, &E);
  const TGlyphInfo Result{hb_font_get_glyph_h_advance(FFont, Glyph),
                          QRect(E.x_bearing, -E.y_bearing, E.width, -E.height)};
  return *FInfos.insert(Glyph, Result);
}

TMathGlyphs TMathFont::Single(quint32 Glyph, double Em) const {
  TMathGlyphs Run;
  Run.Glyphs = {Glyph};
  Run.Positions = {QPointF(0, 0)};
  Run.Advance = Advance(Glyph, Em);
  Run.Ink = Ink(Glyph, Em);
  return Run;
}

double TMathFont::Advance(quint32 Glyph, double Em) const { return Info(Glyph).Advance * Scale(Em); }

QRectF TMathFont::Ink(quint32 Glyph, double Em) const {
  const QRect& G = Info(Glyph).Ink;
  const double S = Scale(Em);
  return QRectF(G.x() * S, G.y() * S, G.width() * S, G.height() * S);
}

double TMathFont::ItalicCorrection(quint32 Glyph, double Em) const {
  return hb_ot_math_get_glyph_italics_correction(FFont, Glyph) * Scale(Em);
}

double TMathFont::TopAccentAttachment(quint32 Glyph, double Em) const {
  // HarfBuzz answers half the advance for a glyph the font gives no attachment.
  return hb_ot_math_get_glyph_top_accent_attachment(FFont, Glyph) * Scale(Em);
}

TMathGlyphs TMathFont::Stretched(quint32 Glyph, double Size, bool Horizontal, double Em) const {
  const TStretchKey Key{Glyph, Horizontal, Size, Em};
  if (auto It = FStretched.constFind(Key); It != FStretched.constEnd()) return *It;
  // Bounded: sizes follow the content, which may take any number of sizes in a session.
  if (FStretched.size() >= 4096) FStretched.clear();
  return *FStretched.insert(Key, Stretch(Glyph, Size, Horizontal, Em));
}

TMathGlyphs TMathFont::Filled(quint32 Glyph, double Width, double Em) const {
  if (Ink(Glyph, Em).width() >= Width) return Single(Glyph, Em);
  // The assembly is asked for an advance: once more, by what its ends leave blank.
  TMathGlyphs Assembly = Assemble(Glyph, Width, true, Em);
  if (Assembly.Empty()) return Stretched(Glyph, Width, true, Em);
  if (const double Short = Width - Assembly.Ink.width(); Short > 0) Assembly = Assemble(Glyph, Width + Short, true, Em);
  return Assembly;
}

TMathGlyphs TMathFont::Fitting(quint32 Glyph, double Width, double Em) const {
  hb_ot_math_glyph_variant_t Variants[32];
  unsigned Count = 32;
  hb_ot_math_get_glyph_variants(FFont, Glyph, HB_DIRECTION_LTR, 0, &Count, Variants);
  const double Wanted = Width / Scale(Em);
  quint32 Best = Glyph;
  for (unsigned I = 0; I < Count && Variants[I].advance <= Wanted; ++I) {
    if (I + 1 == Count) return Stretched(Glyph, Width, true, Em);
    Best = Variants[I].glyph;
  }
  return Single(Best, Em);
}

TMathGlyphs TMathFont::Stretch(quint32 Glyph, double Size, bool Horizontal, double Em) const {
  const hb_direction_t Direction = Horizontal ? HB_DIRECTION_LTR : HB_DIRECTION_BTT;
  const double Wanted = Size / Scale(Em);
  auto Extent = [&](quint32 G) {
    const QRect& Ink = Info(G).Ink;
    return Horizontal ? Ink.width() : Ink.height();
  };
  if (Extent(Glyph) >= Wanted) return Single(Glyph, Em);
  hb_ot_math_glyph_variant_t Variants[32];
  unsigned Count = 32;
  hb_ot_math_get_glyph_variants(FFont, Glyph, Direction, 0, &Count, Variants);
  quint32 Largest = Glyph;
  for (unsigned I = 0; I < Count; ++I) {
    if (Extent(Variants[I].glyph) >= Wanted) return Single(Variants[I].glyph, Em);
    if (Extent(Variants[I].glyph) > Extent(Largest)) Largest = Variants[I].glyph;
  }
  TMathGlyphs Assembly = Assemble(Glyph, Size, Horizontal, Em);
  if (!Assembly.Empty()) return Assembly;
  return Single(Largest, Em);
}

TMathGlyphs TMathFont::Assemble(quint32 Glyph, double Size, bool Horizontal, double Em) const {
  const hb_direction_t Direction = Horizontal ? HB_DIRECTION_LTR : HB_DIRECTION_BTT;
  hb_ot_math_glyph_part_t Parts[16];
  unsigned Count = 16;
  hb_position_t Italic = 0;
  const unsigned Total = hb_ot_math_get_glyph_assembly(FFont, Glyph, Direction, 0, &Count, Parts, &Italic);
  if (Total == 0 || Total > 16) return {};
  const double Wanted = Size / Scale(Em);
  const double MinOverlap = hb_ot_math_get_min_connector_overlap(FFont, Direction);
  // Repeat the extenders until the parts, overlapping as little as allowed, reach Size.
  std::vector<const hb_ot_math_glyph_part_t*> Chain;
  for (int Repeats = 1; Repeats < MaxParts; ++Repeats) {
    Chain.clear();
    for (unsigned I = 0; I < Count; ++I) {
      const bool Extender = Parts[I].flags & HB_OT_MATH_GLYPH_PART_FLAG_EXTENDER;
      for (int R = 0; R < (Extender ? Repeats : 1); ++R) Chain.push_back(&Parts[I]);
    }
    double Longest = 0;
    for (const auto* Part : Chain) Longest += Part->full_advance;
    Longest -= MinOverlap * (Chain.size() - 1);
    if (Longest >= Wanted || static_cast<int>(Chain.size()) >= MaxParts) break;
  }
  // Share what is too much evenly among the joins, each within what its connectors allow.
  double Sum = 0;
  for (const auto* Part : Chain) Sum += Part->full_advance;
  const int Joins = static_cast<int>(Chain.size()) - 1;
  double Overlap = Joins > 0 ? std::max(MinOverlap, (Sum - Wanted) / Joins) : 0;
  for (int I = 0; I < Joins; ++I)
    Overlap = std::min<double>(Overlap, std::min(Chain[I]->end_connector_length, Chain[I + 1]->start_connector_length));
  Overlap = std::max(Overlap, 0.0);
  const double S = Scale(Em);
  TMathGlyphs Run;
  double At = 0;
  QRectF Ink;
  for (const auto* Part : Chain) {
    const QRect& G = Info(Part->glyph).Ink;
    // Vertical parts go from the bottom up; the origin stays on the lowest part's baseline.
    const QPointF Position = Horizontal ? QPointF(At * S, 0) : QPointF(0, -At * S);
    Run.Glyphs.push_back(Part->glyph);
    Run.Positions.push_back(Position);
    Ink |= QRectF(G.x() * S, G.y() * S, G.width() * S, G.height() * S).translated(Position);
    At += Part->full_advance - Overlap;
  }
  Run.Ink = Ink;
  Run.Advance = Horizontal ? (At + Overlap) * S : Info(Chain.front()->glyph).Advance * S;
  return Run;
}

const QRawFont& TMathFont::RawFont(double Em) const {
  for (const auto& Known : FRawFonts)
    if (Known.first == Em) return *Known.second;
  // A formula draws in a handful of sizes; zooming through many would grow the list.
  if (FRawFonts.size() >= 32) FRawFonts.clear();
  auto Raw = std::make_unique<QRawFont>(FData, Em);
  FRawFonts.emplace_back(Em, std::move(Raw));
  return *FRawFonts.back().second;
}

namespace {
// Outlines go into SVG to a hundredth of a pixel: finer adds nothing a viewer shows, and
// the digits of full precision are most of the time a picture takes to write.
qreal Hundredth(qreal V) { return std::round(V * 100) / 100; }
}  // namespace

const QPainterPath& TMathFont::Outline(quint32 Glyph, double Em) const {
  const std::pair<double, quint32> Key{Em, Glyph};
  if (const auto It = FOutlines.constFind(Key); It != FOutlines.constEnd()) return *It;
  if (FOutlines.size() >= 8192) FOutlines.clear();
  // The font's own outline, in its units, scaled to the size: one font engine serves
  // every size.
  QPainterPath Path = QTransform::fromScale(Em / FUnitsPerEm, Em / FUnitsPerEm).map(RawFont(FUnitsPerEm).pathForGlyph(Glyph));
  for (int E = 0; E < Path.elementCount(); ++E) {
    const QPainterPath::Element Point = Path.elementAt(E);
    Path.setElementPositionAt(E, Hundredth(Point.x), Hundredth(Point.y));
  }
  Path.setFillRule(Qt::WindingFill);
  return *FOutlines.insert(Key, std::move(Path));
}

void TMathFont::Draw(QPainter& Painter, QPointF Origin, const TMathGlyphs& Run, double Em, QColor Color) const {
  if (Run.Empty() || Em <= 0) return;
  // An SVG file would name the font and leave the glyphs to the viewer, which has no way
  // to reach glyphs by index: outlines go in instead, each glyph a path of its own filled
  // by winding, as fonts mean their outlines, so that the overlapping pieces of an
  // assembled delimiter leave no holes. A picture laid out larger and drawn scaled down
  // fills the outlines too, with exact coverage as PDF rasterisers give it: a glyph run
  // there comes out lighter and a pixel shorter at thin ends.
  const bool Svg = Painter.paintEngine() && Painter.paintEngine()->type() == QPaintEngine::SVG;
  if (Svg || Painter.transform().m22() < 1) {
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, true);
    // On a raster picture each glyph's origin goes to the pixel corner above and to its
    // left, as PDF rasterisers place glyphs from their caches: feet and tops come out
    // sharp, and the ink ends where theirs does. Glyphs under 12 pixels to the em (the
    // scripts of a 12-pt formula) go to the quarter pixel on the left, as poppler keeps
    // small glyphs at four places within a pixel.
    const bool Raster = !Svg && Painter.device() && Painter.device()->devType() == QInternal::Image;
    const QTransform Device = Painter.transform();
    const QTransform Back = Device.inverted();
    const double Steps = Em * Device.m22() < 12 ? 4 : 1;
    for (size_t I = 0; I < Run.Glyphs.size(); ++I) {
      QPointF At = Origin + Run.Positions[I];
      if (Raster) {
        QPointF Pixel = Device.map(At);
        Pixel = QPointF(std::floor(Pixel.x() * Steps + 1e-6) / Steps, std::floor(Pixel.y() + 1e-6));
        At = Back.map(Pixel);
      }
      QPainterPath Outline = this->Outline(Run.Glyphs[I], Em).translated(Hundredth(At.x()), Hundredth(At.y()));
      Painter.fillPath(Outline, Color);
    }
    Painter.restore();
    return;
  }
  QGlyphRun Glyphs;
  Glyphs.setRawFont(RawFont(Em));
  Glyphs.setGlyphIndexes(QList<quint32>(Run.Glyphs.begin(), Run.Glyphs.end()));
  Glyphs.setPositions(QList<QPointF>(Run.Positions.begin(), Run.Positions.end()));
  Painter.save();
  Painter.setPen(Color);
  Painter.drawGlyphRun(Origin, Glyphs);
  Painter.restore();
}
