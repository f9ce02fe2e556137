#include "Clipboard.h"

#include <QMimeData>
#include <exception>

#include "model/TextForm.h"

const TFormulaFormat* TClipboardFormats::Find(const QString& Name) const {
  for (const TFormulaFormat& Format : FFormats)
    if (Format.Name == Name) return &Format;
  return nullptr;
}

QMimeData* FormulaMimeData(const QString& Data, const TClipboardFormats& Formats) {
  auto* Mime = new QMimeData;
  Mime->setData(QString::fromLatin1(ZelkDataMime), Data.toUtf8());
  QString Plain = Data;
  for (const TFormulaFormat& Format : Formats.Formats()) {
    if (!Format.Write) continue;
    QString Text;
    try {
      Text = Format.Write(Data);
    } catch (const std::exception&) {
      continue;  // a form that cannot carry this formula is left out
    }
    for (const QString& Type : Format.MimeTypes) Mime->setData(Type, Text.toUtf8());
    if (Format.PlainText) Plain = Text;
  }
  Mime->setText(Plain);
  if (Formats.ImageWriter()) Formats.ImageWriter()(*Mime, Data);
  return Mime;
}

namespace {
// A text that is no formula would leave an editor whose formula it replaces with no line.
bool HoldsLine(const QString& Data) {
  for (const TExpression& Item : SplitItems(Data))
    if (Item.Name == QLatin1String("EditArea")) return true;
  return false;
}
}  // namespace

TPasteContent ReadMimeData(const QMimeData& Mime, const TClipboardFormats& Formats) {
  TPasteContent Content;
  if (Mime.hasFormat(QString::fromLatin1(ZelkDataMime))) {
    Content.Data = QString::fromUtf8(Mime.data(QString::fromLatin1(ZelkDataMime)));
    if (HoldsLine(Content.Data)) return Content;
  }
  for (const TFormulaFormat& Format : Formats.Formats()) {
    if (!Format.Read) continue;
    for (const QString& Type : Format.MimeTypes) {
      if (!Mime.hasFormat(Type)) continue;
      try {
        Content.Data = Format.Read(QString::fromUtf8(Mime.data(Type)));
        if (HoldsLine(Content.Data)) return Content;
      } catch (const std::exception&) {
      }
      break;  // try the next form
    }
  }
  Content.Data.clear();
  if (!Mime.hasText()) return Content;
  for (const TFormulaFormat& Format : Formats.Formats()) {
    if (!Format.ReadPlainText) continue;
    try {
      Content.Data = Format.ReadPlainText(Mime.text());
      if (HoldsLine(Content.Data)) return Content;
    } catch (const std::exception&) {
    }
  }
  Content.Data.clear();
  Content.Characters = Mime.text();
  return Content;
}
