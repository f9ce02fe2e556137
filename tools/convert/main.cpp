// zelk-convert: converts a formula between Data, LaTeX and MathML, and draws it as SVG,
// PNG or PDF. See --help.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <cstdio>
#include <exception>
#include <memory>

#include "editor/ZelkEquation.h"
#include "interchange/ImageExport.h"
#include "interchange/MathML.h"

namespace {
const char* const Usage =
    "Usage: zelk-convert [--from data|latex|mathml] [--to data|latex|mathml|svg|png|pdf]\n"
    "                    [--font FAMILY] [--size PT] [--scale N] [--typesetting math|classic]\n"
    "                    [-o FILE] [FILE|-]\n"
    "\n"
    "Reads a formula from FILE (standard input for - or no FILE) and writes it to FILE given\n"
    "with -o (standard output without). The input format is guessed when --from is not\n"
    "given: a text that starts with '<' is MathML, one that starts with EditArea( is Data,\n"
    "anything else LaTeX. --to defaults to latex.\n"
    "\n"
    "  --font FAMILY, --size PT   the font images are drawn in (default: the editor's)\n"
    "  --scale N                  image scale factor (default 1; PNG pixels = N x layout)\n"
    "  --typesetting STYLE        how images are set: math (the default) or classic\n"
    "  -h, --help                 this text\n"
    "\n"
    "LaTeX and MathML outputs carry the exact formula (a %zelk-data line, a Data\n"
    "annotation), which this tool prefers when it reads them back. What a reader takes in\n"
    "only approximately is listed on standard error; what it cannot take in stops it with\n"
    "the place and a message on standard error and exit status 1. Wrong usage exits with 2.\n";

struct TArguments {
  QString From, To = QStringLiteral("latex"), Font, Output, Input = QStringLiteral("-");
  int Size = 0;
  double Scale = 1.0;
  TTypesetting Typesetting = TTypesettings::Math;
};

int Fail(int Status, const QString& Message) {
  std::fprintf(stderr, "zelk-convert: %s\n", Message.toLocal8Bit().constData());
  return Status;
}

// False with Error set on wrong usage.
bool Parse(const QStringList& Words, TArguments& A, QString& Error, bool& Help) {
  bool HaveInput = false;
  for (int I = 1; I < Words.size(); ++I) {
    const QString& W = Words[I];
    const auto Value = [&]() -> QString {
      if (I + 1 >= Words.size()) {
        Error = W + " needs a value";
        return QString();
      }
      return Words[++I];
    };
    if (W == "-h" || W == "--help") {
      Help = true;
      return true;
    } else if (W == "--from") {
      A.From = Value();
      if (!QStringList{"data", "latex", "mathml"}.contains(A.From)) Error = "--from takes data, latex or mathml";
    } else if (W == "--to") {
      A.To = Value();
      if (!QStringList{"data", "latex", "mathml", "svg", "png", "pdf"}.contains(A.To))
        Error = "--to takes data, latex, mathml, svg, png or pdf";
    } else if (W == "--font") {
      A.Font = Value();
    } else if (W == "--size") {
      A.Size = Value().toInt();
      if (A.Size <= 0 && Error.isEmpty()) Error = "--size takes a whole number of points above 0";
    } else if (W == "--typesetting") {
      const QString Style = Value();
      if (Style == "math")
        A.Typesetting = TTypesettings::Math;
      else if (Style == "classic")
        A.Typesetting = TTypesettings::Classic;
      else if (Error.isEmpty())
        Error = "--typesetting takes math or classic";
    } else if (W == "--scale") {
      bool Ok = false;
      A.Scale = Value().toDouble(&Ok);
      if ((!Ok || A.Scale <= 0 || A.Scale > 100) && Error.isEmpty()) Error = "--scale takes a number above 0, at most 100";
    } else if (W == "-o") {
      A.Output = Value();
    } else if (W.startsWith('-') && W != "-") {
      Error = "unknown option " + W;
    } else if (HaveInput) {
      Error = "only one input file";
    } else {
      A.Input = W;
      HaveInput = true;
    }
    if (!Error.isEmpty()) return false;
  }
  return true;
}

// The picture of the formula in the format --to names.
bool Draw(const TArguments& A, const QString& Data, QByteArray& Bytes, QString& Error) {
  TZelkEquation Editor;
  QFont Font = Editor.font();
  if (!A.Font.isEmpty()) Font.setFamily(A.Font);
  if (A.Size > 0) Font.setPointSize(A.Size);
  Editor.setFont(Font);
  Editor.SetTypesetting(A.Typesetting);
  Editor.PutData(Data);
  const TImageFormat Format = A.To == "svg" ? TImageFormat::Svg : A.To == "pdf" ? TImageFormat::Pdf : TImageFormat::Png;
  TRenderOptions Options;
  Options.Scale = A.Scale;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  return WriteImage(Editor, Format, Buffer, Options, &Error);
}

QString Guess(const QString& Text) {
  const QString Start = Text.trimmed();
  if (Start.startsWith('<')) return QStringLiteral("mathml");
  if (Start.startsWith(QLatin1String("EditArea(")) || Start.isEmpty()) return QStringLiteral("data");
  return QStringLiteral("latex");
}

int Run(const TArguments& A) {
  QFile In;
  const bool FromStdin = A.Input == "-";
  if (FromStdin ? !In.open(stdin, QIODevice::ReadOnly) : (In.setFileName(A.Input), !In.open(QIODevice::ReadOnly)))
    return Fail(1, "cannot read " + A.Input);
  const QString Text = QString::fromUtf8(In.readAll());
  const QString Name = FromStdin ? QStringLiteral("<stdin>") : A.Input;
  const QString From = A.From.isEmpty() ? Guess(Text) : A.From;

  TReadResult Read;
  if (From == "data") {
    try {
      Read.Data = WriteData(ParseData(Text));
    } catch (const std::exception& Error) {
      Read.Error = QString::fromStdString(Error.what());
      Read.Line = Read.Column = 1;
    }
  } else {
    Read = From == "latex" ? ReadLatex(Text) : ReadMathML(Text);
  }
  if (!Read.Ok()) return Fail(1, QStringLiteral("%1:%2:%3: %4").arg(Name).arg(Read.Line).arg(Read.Column).arg(Read.Error));
  for (const QString& Loss : Read.Losses) Fail(0, QStringLiteral("%1: read with a loss: %2").arg(Name, Loss));

  const TFormula Formula = ParseData(Read.Data);
  QByteArray Bytes;
  if (A.To == "data") {
    Bytes = (Read.Data + '\n').toUtf8();
  } else if (A.To == "latex") {
    Bytes = WriteLatex(Formula).toUtf8();
  } else if (A.To == "mathml") {
    Bytes = (WriteMathML(Formula) + '\n').toUtf8();
  } else {
    QString Error;
    if (!Draw(A, Read.Data, Bytes, Error)) return Fail(1, Error);
  }

  QFile Out;
  const bool ToStdout = A.Output.isEmpty() || A.Output == "-";
  if (ToStdout ? !Out.open(stdout, QIODevice::WriteOnly) : (Out.setFileName(A.Output), !Out.open(QIODevice::WriteOnly)))
    return Fail(1, "cannot write " + A.Output);
  if (Out.write(Bytes) != Bytes.size()) return Fail(1, "cannot write " + (ToStdout ? QStringLiteral("<stdout>") : A.Output));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  QStringList Words;
  for (int I = 0; I < argc; ++I) Words << QString::fromLocal8Bit(argv[I]);
  TArguments Arguments;
  QString Error;
  bool Help = false;
  const bool Good = Parse(Words, Arguments, Error, Help);
  // Only pictures need the widgets, drawn without a display.
  std::unique_ptr<QCoreApplication> App;
  if (Good && !Help && QStringList{"svg", "png", "pdf"}.contains(Arguments.To)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App = std::make_unique<QApplication>(argc, argv);
  } else {
    App = std::make_unique<QCoreApplication>(argc, argv);
  }
  if (!Good) {
    Fail(2, Error);
    std::fputs(Usage, stderr);
    return 2;
  }
  if (Help) {
    std::fputs(Usage, stdout);
    return 0;
  }
  try {
    return Run(Arguments);
  } catch (const std::exception& Failure) {
    return Fail(1, QString::fromStdString(Failure.what()));
  }
}
