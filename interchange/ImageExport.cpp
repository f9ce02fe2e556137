#include "ImageExport.h"

#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <memory>

#include "editor/EditorCore.h"
#include "interchange/SvgPicture.h"
#include "model/EditArea.h"

namespace {
// Layout pixels are screen pixels at 96 dpi: 20 pt text is 27 px high.
constexpr int LayoutDpi = 96;
// The Math style's pictures are laid out this many times larger and drawn scaled
// down: positions in 1/64 px, as font engines keep them, instead of the screen's whole
// pixels rounded into every place.
constexpr int Fine = 64;

// What a picture draws: the formula itself, or a copy laid out Fine times larger,
// with the scale that brings either to the picture's.
class TPictureLayout {
 public:
  explicit TPictureLayout(const TEditorCore& Formula) : FFormula(&Formula) {
    // Lines wrapped at the editor's width keep the editor's breaks.
    if (!Formula.MathFontInUse() || Formula.WrapWidth() != 0) return;
    QFont Font = Formula.Font();
    Font.setPointSizeF(Font.pointSizeF() * Fine);
    auto Copy = std::make_unique<TEditorCore>(Font);
    Copy->SetFontColor(Formula.FontColor());
    Copy->SetBkColor(Formula.BkColor());
    Copy->SetMathFont(Formula.MathFont());
    Copy->SetLayoutScale(Fine);
    Copy->SetTypesetting(Formula.Typesetting());
    Copy->SetLineAlignment(Formula.LineAlignment());
    Copy->SetData(Formula.GetData());
    if (!Copy->MathFontInUse()) return;
    FCopy = std::move(Copy);
    FFormula = FCopy.get();
  }
  const TEditorCore& Formula() const { return *FFormula; }
  // Whether the picture is the Math style's fine copy.
  bool Copied() const { return FCopy != nullptr; }
  double Factor() const { return FCopy ? 1.0 / Fine : 1.0; }
  QSizeF Size(double Scale) const { return QSizeF(FFormula->RenderSize()) * Factor() * Scale; }
  void Render(QPainter& Painter, TRenderOptions Options) const {
    Options.Scale *= Factor();
    Painter.save();
    Painter.translate(OriginShift(Options.Scale));
    FFormula->Render(Painter, Options);
    Painter.restore();
  }
  QImage Image(TRenderOptions Options) const {
    const QSizeF Whole = Size(Options.Scale);
    QImage Picture(qMax(1, qCeil(Whole.width())), qMax(1, qCeil(Whole.height())), QImage::Format_ARGB32_Premultiplied);
    Picture.fill(Options.Transparent ? QColor(Qt::transparent) : FFormula->BkColor());
    QPainter Painter(&Picture);
    Render(Painter, Options);
    return Picture;
  }

 private:
  // Down and right to the next whole pixel for the first line's baseline and left edge: a
  // raster picture sets the formula's origin on a pixel corner, as TeX's drivers do.
  QPointF OriginShift(double Scale) const {
    if (!FCopy || FFormula->LineCount() == 0) return {};
    const TEditArea* First = FFormula->Line(0);
    const double X = First->Left() * Scale;
    const double Y = (First->Top() + First->MathBaseline()) * Scale;
    return QPointF(std::ceil(X) - X, std::ceil(Y) - Y);
  }

  std::unique_ptr<TEditorCore> FCopy;
  const TEditorCore* FFormula;
};

bool Fail(QString* Error, const QString& Message) {
  if (Error) *Error = Message;
  return false;
}

bool WriteSvg(const TEditorCore& Formula, QIODevice& Device, const TRenderOptions& Options) {
  const TPictureLayout Layout(Formula);
  const QSizeF Size = Layout.Size(Options.Scale);
  QPainter Painter;
  if (Layout.Copied()) {
    // Outlines and rules only: written as they are drawn, in the picture's pixels.
    TSvgPicture Picture(Device, Size, LayoutDpi, QStringLiteral("Formula"));
    if (!Painter.begin(&Picture)) return false;
    Layout.Render(Painter, Options);
    return Painter.end();
  }
  // Classic's text stays text, set by the viewer in the formula's font.
  QSvgGenerator Generator;
  Generator.setOutputDevice(&Device);
  Generator.setSize(Size.toSize());
  Generator.setViewBox(QRectF(QPointF(0, 0), Size));
  Generator.setResolution(LayoutDpi);
  Generator.setTitle(QStringLiteral("Formula"));
  if (!Painter.begin(&Generator)) return false;
  Layout.Render(Painter, Options);
  return Painter.end();
}

bool WritePdf(const TEditorCore& Formula, QIODevice& Device, const TRenderOptions& Options) {
  const TPictureLayout Layout(Formula);
  const QSizeF Size = Layout.Size(Options.Scale);
  QPdfWriter Writer(&Device);
  Writer.setResolution(LayoutDpi);
  Writer.setPageSize(QPageSize(Size * 72.0 / LayoutDpi, QPageSize::Point, QString(), QPageSize::ExactMatch));
  Writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  Writer.setTitle(QStringLiteral("Formula"));
  QPainter Painter;
  if (!Painter.begin(&Writer)) return false;
  Layout.Render(Painter, Options);
  return Painter.end();
}
}  // namespace

bool ImageFormatOfFile(const QString& FileName, TImageFormat& Format) {
  const QString Suffix = QFileInfo(FileName).suffix().toLower();
  if (Suffix == QLatin1String("png"))
    Format = TImageFormat::Png;
  else if (Suffix == QLatin1String("svg"))
    Format = TImageFormat::Svg;
  else if (Suffix == QLatin1String("pdf"))
    Format = TImageFormat::Pdf;
  else
    return false;
  return true;
}

bool WriteImage(const TEditorCore& Formula, TImageFormat Format, QIODevice& Device,
                const TRenderOptions& Options, QString* Error) {
  if (!Device.isWritable()) return Fail(Error, QStringLiteral("the output is not open for writing"));
  if (!(Options.Scale > 0) || Options.Scale > 64) return Fail(Error, QStringLiteral("the scale must lie above 0 and at most 64"));
  bool Written = false;
  switch (Format) {
    case TImageFormat::Png: Written = TPictureLayout(Formula).Image(Options).save(&Device, "PNG"); break;
    case TImageFormat::Svg: Written = WriteSvg(Formula, Device, Options); break;
    case TImageFormat::Pdf: Written = WritePdf(Formula, Device, Options); break;
  }
  return Written || Fail(Error, QStringLiteral("the picture could not be written: ") + Device.errorString());
}
