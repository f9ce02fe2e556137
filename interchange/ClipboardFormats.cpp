#include "ClipboardFormats.h"

#include <QRegularExpression>
#include <stdexcept>

#include "interchange/AsciiMath.h"
#include "interchange/MathML.h"
#include "interchange/Typst.h"

namespace {
// The clipboard tries the next form when a reader throws.
QString Taken(const TReadResult& Read) {
  if (!Read.Ok()) throw std::runtime_error(Read.Message().toStdString());
  return Read.Data;
}
int TemplateCount(const QString& Data) { return Data.count(QLatin1String("(EditArea(")); }

// Plain text another program copied. A LaTeX control word is LaTeX's alone (Typst and
// AsciiMath escape with a backslash only before other characters); without one, a text
// goes in as formula only where it shows a formula's syntax (scripts, a slash, a call, a
// matrix's [[ or an equation's $ ... $), so that words, numbers and
// "x + 1" stay the characters they are. Typst and AsciiMath share most of it (x^2, a/b,
// sqrt(x), sum_(i=1)^n); where they part, the reading that finds more structure wins,
// Typst's on a tie, as its grammar refuses unknown names and so passes by chance less.
QString ReadPlainFormula(const QString& Text) {
  static const QRegularExpression Command(QStringLiteral("\\\\[A-Za-z]|%zelk-data:"));
  if (Text.contains(Command)) return Taken(ReadLatex(Text));
  static const QRegularExpression Syntax(QStringLiteral("[\\^_/]|[A-Za-z]{2,}\\(|\\[\\[|\\(\\(|^\\s*\\$.*\\$\\s*$"),
                                         QRegularExpression::DotMatchesEverythingOption);
  if (!Text.contains(Syntax)) throw std::runtime_error("no formula");
  const TReadResult Typst = ReadTypst(Text);
  const TReadResult Ascii = ReadAsciiMath(Text);
  if (Typst.Ok() && (!Ascii.Ok() || TemplateCount(Typst.Data) >= TemplateCount(Ascii.Data))) return Typst.Data;
  return Taken(Ascii);
}
}  // namespace

TFormulaFormat LatexClipboardFormat() {
  return {QStringLiteral("LaTeX"),
          {QStringLiteral("application/x-latex"), QStringLiteral("text/x-latex")},
          [](const QString& Data) { return WriteLatex(ParseData(Data)); },
          [](const QString& Text) { return Taken(ReadLatex(Text)); },
          // Other programs take LaTeX as plain text; its last line keeps the exact formula.
          true, ReadPlainFormula};
}

TFormulaFormat MathMLClipboardFormat() {
  return {QStringLiteral("MathML"),
          {QStringLiteral("application/mathml+xml"), QStringLiteral("application/mathml-presentation+xml"),
           QStringLiteral("MathML"), QStringLiteral("application/x-qt-windows-mime;value=\"MathML\""),
           QStringLiteral("application/x-qt-windows-mime;value=\"MathML Presentation\"")},
          [](const QString& Data) { return WriteMathML(ParseData(Data)); },
          [](const QString& Text) { return Taken(ReadMathML(Text)); },
          false, {}};
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
          false, {}};
}
