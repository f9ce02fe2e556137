#include "ClipboardFormats.h"

#include <stdexcept>

#include "interchange/MathML.h"

namespace {
// The clipboard tries the next form when a reader throws.
QString Taken(const TReadResult& Read) {
  if (!Read.Ok()) throw std::runtime_error(Read.Message().toStdString());
  return Read.Data;
}
}  // namespace

TFormulaFormat LatexClipboardFormat() {
  return {QStringLiteral("LaTeX"),
          {QStringLiteral("application/x-latex"), QStringLiteral("text/x-latex")},
          [](const QString& Data) { return WriteLatex(ParseData(Data)); },
          [](const QString& Text) { return Taken(ReadLatex(Text)); },
          // Other programs take LaTeX as plain text; its last line keeps the exact formula.
          true};
}

TFormulaFormat MathMLClipboardFormat() {
  return {QStringLiteral("MathML"),
          {QStringLiteral("application/mathml+xml"), QStringLiteral("application/mathml-presentation+xml"),
           QStringLiteral("MathML"), QStringLiteral("application/x-qt-windows-mime;value=\"MathML\""),
           QStringLiteral("application/x-qt-windows-mime;value=\"MathML Presentation\"")},
          [](const QString& Data) { return WriteMathML(ParseData(Data)); },
          [](const QString& Text) { return Taken(ReadMathML(Text)); },
          false};
}

TFormulaFormat HtmlClipboardFormat() {
  return {QStringLiteral("HTML"),
          {QStringLiteral("text/html")},
          [](const QString& Data) { return WriteMathML(ParseData(Data)); },
          [](const QString& Html) {
            const qsizetype Start = Html.indexOf(QLatin1String("<math"), 0, Qt::CaseInsensitive);
            const qsizetype End = Start < 0 ? -1 : Html.indexOf(QLatin1String("</math>"), Start, Qt::CaseInsensitive);
            if (End < 0) throw std::runtime_error("the HTML holds no <math> element");
            return Taken(ReadMathML(Html.mid(Start, End + 7 - Start)));
          },
          false};
}
