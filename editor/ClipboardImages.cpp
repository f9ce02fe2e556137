#include "ClipboardImages.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <exception>

#include "editor/EditorCore.h"
#include "interchange/ImageExport.h"

TClipboardFormats::TImageWriter FormulaImageWriter(const TEditorCore& Editor) {
  return [&Editor](QMimeData& Mime, const QString& Data) {
    // The copied part alone, as the editor would show it.
    TEditorCore Picture(Editor.Font());
    Picture.SetFontColor(Editor.FontColor());
    Picture.SetBkColor(Editor.BkColor());
    Picture.SetMathFont(Editor.MathFont());
    Picture.SetTypesetting(Editor.ClipboardTypesetting());
    try {
      Picture.SetData(Data);
    } catch (const std::exception&) {
      return;  // the text came from the editor itself; a part is no picture of it
    }
    TRenderOptions Options;
    Options.Scale = 2 * Editor.ViewDevicePixelRatio();
    const QImage Image = Picture.RenderImage(Options);
    QByteArray Png;
    QBuffer PngBuffer(&Png);
    PngBuffer.open(QIODevice::WriteOnly);
    if (Image.save(&PngBuffer, "PNG")) Mime.setData(QStringLiteral("image/png"), Png);
    Mime.setImageData(Image);
    QByteArray Svg;
    QBuffer SvgBuffer(&Svg);
    SvgBuffer.open(QIODevice::WriteOnly);
    if (WriteImage(Picture, TImageFormat::Svg, SvgBuffer, TRenderOptions()))
      Mime.setData(QStringLiteral("image/svg+xml"), Svg);
  };
}
