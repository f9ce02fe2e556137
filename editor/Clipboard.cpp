#include "Clipboard.h"

#include <QMimeData>
#include <exception>

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

TPasteContent ReadMimeData(const QMimeData& Mime, const TClipboardFormats& Formats) {
  TPasteContent Content;
  if (Mime.hasFormat(QString::fromLatin1(ZelkDataMime))) {
    Content.Data = QString::fromUtf8(Mime.data(QString::fromLatin1(ZelkDataMime)));
    return Content;
  }
  for (const TFormulaFormat& Format : Formats.Formats()) {
    if (!Format.Read) continue;
    for (const QString& Type : Format.MimeTypes) {
      if (!Mime.hasFormat(Type)) continue;
      try {
        Content.Data = Format.Read(QString::fromUtf8(Mime.data(Type)));
        return Content;
      } catch (const std::exception&) {
        break;  // try the next form
      }
    }
  }
  if (Mime.hasText()) Content.Characters = Mime.text();
  return Content;
}
