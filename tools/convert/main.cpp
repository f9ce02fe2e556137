// zelk-convert: converts formulas between Data, LaTeX, MathML and Typst, and draws them as SVG,
// PNG or PDF, one or many in one run. See --help.

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

#include "editor/ZelkEquation.h"
#include "interchange/AsciiMath.h"
#include "interchange/ImageExport.h"
#include "interchange/MathML.h"
#include "interchange/Typst.h"

namespace {
const char* const Usage =
    "Usage: zelk-convert [--from data|latex|mathml|typst|asciimath]\n"
    "                    [--to data|latex|mathml|typst|svg|png|pdf]\n"
    "                    [--plain] [--unicode-math] [--lines]\n"
    "                    [--font FAMILY] [--size PT] [--scale N] [--typesetting math|classic]\n"
    "                    [-o FILE | --output-dir DIR] [FILE|-]...\n"
    "\n"
    "Reads a formula from FILE (standard input for - or no FILE) and writes it to FILE given\n"
    "with -o (standard output without). The input format is guessed when --from is not\n"
    "given: a text that starts with '<' is MathML, one that starts with EditArea( is Data,\n"
    "anything else LaTeX (Typst and AsciiMath are read only when --from names them).\n"
    "--to defaults to latex.\n"
    "\n"
    "  --plain                    LaTeX without the %zelk-data line, MathML without the\n"
    "                             annotations: the text alone, for other programs\n"
    "  --unicode-math             LaTeX keeps characters as they are (for unicode-math under\n"
    "                             XeLaTeX or LuaLaTeX) instead of amsmath's commands\n"
    "  --output-dir DIR           writes each FILE's output to DIR, named as FILE with the\n"
    "                             target's extension; needed for several FILEs\n"
    "  --lines                    each line of the input is a formula, or id<TAB>formula:\n"
    "                             pictures go to DIR/ID.EXT (the line number where no id is\n"
    "                             given); text targets give one line per input line, in\n"
    "                             their plain form, the id before a tab where one was given\n"
    "  --font FAMILY, --size PT   the font images are drawn in (default: the editor's)\n"
    "  --scale N                  image scale factor (default 1; PNG pixels = N x layout)\n"
    "  --typesetting STYLE        how images are set: math (the default) or classic\n"
    "  -h, --help                 this text\n"
    "\n"
    "LaTeX and MathML outputs carry the exact formula (a %zelk-data line, a Data\n"
    "annotation) unless --plain is given; this tool prefers it when it reads them back.\n"
    "What a reader takes in only approximately, or the Typst writer gives out so, is listed\n"
    "on standard error. What a reader cannot\n"
    "take in (also input that is not UTF-8 text, holds control characters or no formula)\n"
    "is reported on standard error as FILE:LINE:COLUMN: message, the other formulas still\n"
    "converted; the exit status is then 1. Wrong usage exits with 2.\n";

const QStringList TextTargets = {"data", "latex", "mathml", "typst"};
const QStringList ImageTargets = {"svg", "png", "pdf"};

struct TArguments {
  QString From, To = QStringLiteral("latex"), Font, Output, OutputDir;
  QStringList Inputs;
  int Size = 0;
  double Scale = 1.0;
  bool Plain = false;
  bool UnicodeMath = false;
  bool Lines = false;
  TTypesetting Typesetting = TTypesettings::Math;

  bool Image() const { return ImageTargets.contains(To); }
};

void Report(const QString& Message) {
  std::fprintf(stderr, "zelk-convert: %s\n", Message.toLocal8Bit().constData());
}

int Fail(int Status, const QString& Message) {
  Report(Message);
  return Status;
}

// False with Error set on wrong usage.
bool Parse(const QStringList& Words, TArguments& A, QString& Error, bool& Help) {
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
      if (!TextTargets.contains(A.From) && A.From != "asciimath")
        Error = "--from takes data, latex, mathml, typst or asciimath";
    } else if (W == "--to") {
      A.To = Value();
      if (!TextTargets.contains(A.To) && !ImageTargets.contains(A.To))
        Error = "--to takes data, latex, mathml, typst, svg, png or pdf";
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
    } else if (W == "--output-dir") {
      A.OutputDir = Value();
    } else if (W == "--plain") {
      A.Plain = true;
    } else if (W == "--unicode-math") {
      A.UnicodeMath = true;
    } else if (W == "--lines") {
      A.Lines = true;
    } else if (W.startsWith('-') && W != "-") {
      Error = "unknown option " + W;
    } else {
      A.Inputs << W;
    }
    if (!Error.isEmpty()) return false;
  }
  if (A.Inputs.isEmpty()) A.Inputs << QStringLiteral("-");
  if (!A.Output.isEmpty() && !A.OutputDir.isEmpty())
    Error = "-o and --output-dir exclude each other";
  else if (A.Inputs.size() > 1 && A.OutputDir.isEmpty())
    Error = "several input files need --output-dir";
  else if (A.Lines && A.Image() && A.OutputDir.isEmpty())
    Error = "--lines with a picture target needs --output-dir";
  return Error.isEmpty();
}

QString Extension(const QString& Target) {
  if (Target == "latex") return QStringLiteral("tex");
  if (Target == "mathml") return QStringLiteral("mml");
  if (Target == "data") return QStringLiteral("txt");
  if (Target == "typst") return QStringLiteral("typ");
  return Target;
}

// The first byte that does not belong to well-formed UTF-8, or -1 when all do.
qsizetype FirstBadByte(const QByteArray& Bytes) {
  for (qsizetype I = 0; I < Bytes.size();) {
    const auto B = static_cast<unsigned char>(Bytes[I]);
    int Follow = 0;
    char32_t Code = 0, Least = 0;
    if (B < 0x80) {
      ++I;
      continue;
    } else if ((B & 0xE0) == 0xC0) {
      Follow = 1, Code = B & 0x1F, Least = 0x80;
    } else if ((B & 0xF0) == 0xE0) {
      Follow = 2, Code = B & 0x0F, Least = 0x800;
    } else if ((B & 0xF8) == 0xF0) {
      Follow = 3, Code = B & 0x07, Least = 0x10000;
    } else {
      return I;
    }
    for (int K = 1; K <= Follow; ++K) {
      if (I + K >= Bytes.size() || (static_cast<unsigned char>(Bytes[I + K]) & 0xC0) != 0x80) return I;
      Code = (Code << 6) | (static_cast<unsigned char>(Bytes[I + K]) & 0x3F);
    }
    if (Code < Least || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return I;
    I += Follow + 1;
  }
  return -1;
}

// What one formula's text says it is, read into Data; a refusal placed in the text.
TReadResult Read(const QString& Text, const QString& From, bool& Blank) {
  TReadResult Result;
  Blank = Text.trimmed().isEmpty();
  if (Blank) {
    Result.Error = QStringLiteral("the input holds no formula (it is %1)").arg(Text.isEmpty() ? "empty" : "blank");
    Result.Line = Result.Column = 1;
    return Result;
  }
  const QString Start = Text.trimmed();
  const QString Format = !From.isEmpty()                                ? From
                         : Start.startsWith('<')                        ? QStringLiteral("mathml")
                         : Start.startsWith(QLatin1String("EditArea(")) ? QStringLiteral("data")
                                                                        : QStringLiteral("latex");
  if (Format == "latex") return ReadLatex(Text);
  if (Format == "mathml") return ReadMathML(Text);
  if (Format == "typst") return ReadTypst(Text);
  if (Format == "asciimath") return ReadAsciiMath(Text);
  Result = CheckControlCharacters(Text);
  if (!Result.Ok()) return Result;
  try {
    Result.Data = WriteData(ParseData(Text));
  } catch (const std::exception& Error) {
    Result.Error = QString::fromStdString(Error.what());
    Result.Line = Result.Column = 1;
  }
  return Result;
}

// Converts formulas read from the inputs, reporting each one's faults, and remembers
// whether any failed. One editor draws every picture.
class TConverter {
 public:
  explicit TConverter(const TArguments& A) : FA(A) {}

  bool Failed() const { return FFailed; }

  void File(const QString& Input) {
    const bool FromStdin = Input == "-";
    const QString Name = FromStdin ? QStringLiteral("<stdin>") : Input;
    QFile In;
    if (FromStdin ? !In.open(stdin, QIODevice::ReadOnly) : (In.setFileName(Input), !In.open(QIODevice::ReadOnly)))
      return Failure(QStringLiteral("cannot read %1").arg(Input));
    const QByteArray Bytes = In.readAll();
    if (const qsizetype Bad = FirstBadByte(Bytes); Bad >= 0)
      return Failure(QStringLiteral("%1: not UTF-8 text (byte %2 of the input is no UTF-8): refused").arg(Name).arg(Bad + 1));
    QString Text = QString::fromUtf8(Bytes);
    if (Text.startsWith(QChar(0xFEFF))) Text.remove(0, 1);
    const QString Stem = FromStdin ? QStringLiteral("stdin") : QFileInfo(Input).completeBaseName();
    if (FA.Lines)
      Lines(Text, Name, Stem);
    else
      Whole(Text, Name, Stem);
  }

  // The text outputs of --lines, gathered in input order.
  void Flush() {
    if (FLines.isEmpty() && FLineTarget.isEmpty()) return;
    Write(FLineTarget, FLines);
    FLines.clear();
    FLineTarget.clear();
  }

 private:
  void Failure(const QString& Message) {
    Report(Message);
    FFailed = true;
  }

  void Whole(const QString& Text, const QString& Name, const QString& Stem) {
    bool Blank = false;
    const TReadResult Result = Read(Text, FA.From, Blank);
    if (!Result.Ok()) return Failure(QStringLiteral("%1:%2:%3: %4").arg(Name).arg(Result.Line).arg(Result.Column).arg(Result.Error));
    for (const QString& Loss : Result.Losses) Report(QStringLiteral("%1: read with a loss: %2").arg(Name, Loss));
    const std::optional<QByteArray> Bytes = Output(Result.Data, FA.Plain, Name);
    if (!Bytes) return;
    const QString Target = FA.OutputDir.isEmpty() ? FA.Output : QDir(FA.OutputDir).filePath(Stem + '.' + Extension(FA.To));
    Write(Target, *Bytes);
  }

  void Lines(const QString& Text, const QString& Name, const QString& Stem) {
    const QStringList Rows = Text.split(QLatin1Char('\n'));
    if (!FA.Image()) {
      // One output for all the lines: -o, standard output, or one file per input in DIR.
      FLineTarget = FA.OutputDir.isEmpty() ? FA.Output : QDir(FA.OutputDir).filePath(Stem + '.' + Extension(FA.To));
    }
    for (qsizetype I = 0; I < Rows.size(); ++I) {
      QString Row = Rows[I];
      if (Row.endsWith(QLatin1Char('\r'))) Row.chop(1);
      // A last line break ends the last line; it starts none.
      if (I + 1 == Rows.size() && Row.isEmpty()) break;
      const qsizetype Tab = Row.indexOf(QLatin1Char('\t'));
      const QString Id = Tab >= 0 ? Row.left(Tab) : QString();
      const QString Formula = Tab >= 0 ? Row.mid(Tab + 1) : Row;
      const QString Prefix = Tab >= 0 ? Id + QLatin1Char('\t') : QString();
      const int Line = static_cast<int>(I) + 1;
      bool Blank = false;
      const TReadResult Result = Read(Formula, FA.From, Blank);
      std::optional<QByteArray> Bytes;
      if (FA.Image() && !Id.isEmpty() && !UsableId(Id)) {
        Failure(QStringLiteral("%1:%2:1: the id %3 cannot name a file (no /, \\ or leading dot)").arg(Name).arg(Line).arg(Id));
      } else if (Blank) {
        // A blank line is no formula and no fault: it stays a blank line of text.
        if (!FA.Image()) Bytes = QByteArray();
      } else if (!Result.Ok()) {
        // The place within the input: the formula starts after the id and its tab.
        const int Column = Result.Line > 1 ? Result.Column : Result.Column + static_cast<int>(Prefix.size());
        Failure(QStringLiteral("%1:%2:%3: %4").arg(Name).arg(Line).arg(Column).arg(Result.Error));
      } else {
        for (const QString& Loss : Result.Losses) Report(QStringLiteral("%1:%2: read with a loss: %3").arg(Name).arg(Line).arg(Loss));
        Bytes = Output(Result.Data, true, QStringLiteral("%1:%2").arg(Name).arg(Line));
      }
      if (FA.Image()) {
        if (Bytes) Write(QDir(FA.OutputDir).filePath((Id.isEmpty() ? QString::number(Line) : Id) + '.' + FA.To), *Bytes);
        continue;
      }
      FLines += Prefix.toUtf8() + Bytes.value_or(QByteArray()).trimmed() + '\n';
    }
    if (FA.OutputDir.isEmpty()) return;  // all inputs' lines to one output
    Flush();
  }

  // An id names a file in the output folder and nothing beyond it.
  static bool UsableId(const QString& Id) {
    return !Id.startsWith(QLatin1Char('.')) && !Id.contains(QLatin1Char('/')) && !Id.contains(QLatin1Char('\\'));
  }

  // The target's bytes for a formula read into Data; none, reported, where drawing fails.
  std::optional<QByteArray> Output(const QString& Data, bool Plain, const QString& Name) {
    const TFormula Formula = ParseData(Data);
    if (FA.To == "data") return (Data + '\n').toUtf8();
    if (FA.To == "latex") {
      const TLatexFlavour Flavour = FA.UnicodeMath ? TLatexFlavour::UnicodeMath : TLatexFlavour::PdfLatex;
      const QString Text = WriteLatex(Formula, !Plain, Flavour);
      return (Plain ? Text + '\n' : Text).toUtf8();
    }
    if (FA.To == "mathml") return (WriteMathML(Formula, !Plain) + '\n').toUtf8();
    if (FA.To == "typst") {
      QStringList Losses;
      const QString Text = WriteTypst(Formula, &Losses);
      for (const QString& Loss : Losses) Report(QStringLiteral("%1: written with a loss: %2").arg(Name, Loss));
      return (Text + '\n').toUtf8();
    }
    QByteArray Bytes;
    QString Error;
    if (!Draw(Data, Bytes, Error)) {
      Failure(QStringLiteral("%1: %2").arg(Name, Error));
      return std::nullopt;
    }
    return Bytes;
  }

  bool Draw(const QString& Data, QByteArray& Bytes, QString& Error) {
    if (!FEditor) {
      FEditor = std::make_unique<TZelkEquation>();
      QFont Font = FEditor->font();
      if (!FA.Font.isEmpty()) Font.setFamily(FA.Font);
      if (FA.Size > 0) Font.setPointSize(FA.Size);
      FEditor->setFont(Font);
      FEditor->SetTypesetting(FA.Typesetting);
    }
    FEditor->PutData(Data);
    const TImageFormat Format = FA.To == "svg" ? TImageFormat::Svg : FA.To == "pdf" ? TImageFormat::Pdf : TImageFormat::Png;
    TRenderOptions Options;
    Options.Scale = FA.Scale;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    return WriteImage(*FEditor, Format, Buffer, Options, &Error);
  }

  void Write(const QString& Target, const QByteArray& Bytes) {
    QFile Out;
    const bool ToStdout = Target.isEmpty() || Target == "-";
    if (ToStdout ? !Out.open(stdout, QIODevice::WriteOnly) : (Out.setFileName(Target), !Out.open(QIODevice::WriteOnly)))
      return Failure("cannot write " + Target);
    if (Out.write(Bytes) != Bytes.size()) Failure("cannot write " + (ToStdout ? QStringLiteral("<stdout>") : Target));
  }

  const TArguments& FA;
  std::unique_ptr<TZelkEquation> FEditor;
  bool FFailed = false;
  QByteArray FLines;
  QString FLineTarget;
};

int Run(const TArguments& A) {
  if (!A.OutputDir.isEmpty() && !QDir().mkpath(A.OutputDir)) return Fail(1, "cannot make the folder " + A.OutputDir);
  TConverter Converter(A);
  for (const QString& Input : A.Inputs) Converter.File(Input);
  Converter.Flush();
  return Converter.Failed() ? 1 : 0;
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
  if (Good && !Help && Arguments.Image()) {
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
