#include "ImageExport.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "editor/EditorCore.h"

namespace {
// Layout pixels are screen pixels at 96 dpi: 20 pt text is 27 px high.
constexpr int LayoutDpi = 96;

bool Fail(QString* Error, const QString& Message) {
  if (Error) *Error = Message;
  return false;
}

bool WriteSvg(const TEditorCore& Formula, QIODevice& Device, const TRenderOptions& Options) {
  const QSize Size = Formula.RenderSize() * Options.Scale;
  QSvgGenerator Generator;
  Generator.setOutputDevice(&Device);
  Generator.setSize(Size);
  Generator.setViewBox(QRect(QPoint(0, 0), Size));
  Generator.setResolution(LayoutDpi);
  Generator.setTitle(QStringLiteral("Formula"));
  QPainter Painter;
  if (!Painter.begin(&Generator)) return false;
  Formula.Render(Painter, Options);
  return Painter.end();
}

bool WritePdf(const TEditorCore& Formula, QIODevice& Device, const TRenderOptions& Options) {
  const QSizeF Size = QSizeF(Formula.RenderSize()) * Options.Scale;
  QPdfWriter Writer(&Device);
  Writer.setResolution(LayoutDpi);
  Writer.setPageSize(QPageSize(Size * 72.0 / LayoutDpi, QPageSize::Point, QString(), QPageSize::ExactMatch));
  Writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  Writer.setTitle(QStringLiteral("Formula"));
  QPainter Painter;
  if (!Painter.begin(&Writer)) return false;
  Formula.Render(Painter, Options);
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
    case TImageFormat::Png: Written = Formula.RenderImage(Options).save(&Device, "PNG"); break;
    case TImageFormat::Svg: Written = WriteSvg(Formula, Device, Options); break;
    case TImageFormat::Pdf: Written = WritePdf(Formula, Device, Options); break;
  }
  return Written || Fail(Error, QStringLiteral("the picture could not be written: ") + Device.errorString());
}
