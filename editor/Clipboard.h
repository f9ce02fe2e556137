#pragma once
// What a copied formula puts on the clipboard, and what a paste takes from it.
//
// A copy is one QMimeData: the Data text, lossless, under ZelkDataMime; each registered
// formula format (LaTeX, MathML) under its own types; images when an image writer is set;
// and text/plain, which carries the text of the format that claims it, else the Data
// text. A paste prefers the Data text, then the registered formats in the order they were
// added, then plain text: read as a formula by the first format that reads it so, else
// as characters.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QMimeData;

inline constexpr char ZelkDataMime[] = "application/x-zelk-data";

// A text form of whole formulas other than Data. Write turns a formula's Data text into
// the form, Read a text in the form into Data text; either throws on what it cannot take.
struct TFormulaFormat {
  QString Name;           // "LaTeX", "MathML": the menu's "Copy as ..." entries
  QStringList MimeTypes;  // written under each; read from the first one present
  std::function<QString(const QString& Data)> Write;
  std::function<QString(const QString& Text)> Read;
  bool PlainText = false;  // text/plain carries this form in place of the Data text
  // Reads text/plain that no form above took, where it holds a formula; throws otherwise.
  std::function<QString(const QString& Text)> ReadPlainText;
};

// The clipboard's formats for one editor. The interchange formats register here.
class TClipboardFormats {
 public:
  void Add(TFormulaFormat Format) { FFormats.push_back(std::move(Format)); }
  const std::vector<TFormulaFormat>& Formats() const { return FFormats; }
  const TFormulaFormat* Find(const QString& Name) const;

  // Adds the images of a formula (its Data text) to a copy; none set, a copy has none.
  using TImageWriter = std::function<void(QMimeData& Mime, const QString& Data)>;
  void SetImageWriter(TImageWriter Writer) { FImages = std::move(Writer); }
  const TImageWriter& ImageWriter() const { return FImages; }

 private:
  std::vector<TFormulaFormat> FFormats;
  TImageWriter FImages;
};

// The copy of a formula given as Data text (EditArea items, one a line).
QMimeData* FormulaMimeData(const QString& Data, const TClipboardFormats& Formats);

// What a paste of Mime inserts: Data text (EditArea items), or else plain characters. A
// form whose text holds no line is passed over.
struct TPasteContent {
  QString Data;
  QString Characters;
  bool IsEmpty() const { return Data.isEmpty() && Characters.isEmpty(); }
};
TPasteContent ReadMimeData(const QMimeData& Mime, const TClipboardFormats& Formats);
