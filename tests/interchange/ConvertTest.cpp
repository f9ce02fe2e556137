// zelk-convert as a user runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "InterchangeSupport.h"

namespace {
struct TRun {
  int Status = -1;
  QByteArray Out, Err;
};

TRun Convert(const QStringList& Arguments, const QByteArray& Input = QByteArray()) {
  QProcess Process;
  Process.start(QStringLiteral(ZELK_CONVERT), Arguments);
  Process.write(Input);
  Process.closeWriteChannel();
  Process.waitForFinished(60000);
  return {Process.exitCode(), Process.readAllStandardOutput(), Process.readAllStandardError()};
}

const QByteArray Demo = "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
                        "EditArea(ExtSymbol(8734))))";
}  // namespace

TEST(Convert, TheDemoFormulaAndEveryTemplateRoundTripThroughLatexAndMathML) {
  QList<QByteArray> Formulas{Demo};
  for (const QString& Line : ReadFile(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt")).split('\n', Qt::SkipEmptyParts))
    Formulas << Line.toUtf8();
  for (const QByteArray& Data : Formulas) {
    SCOPED_TRACE(Data.toStdString());
    for (const char* Format : {"latex", "mathml"}) {
      const TRun There = Convert({"--to", Format}, Data);
      ASSERT_EQ(There.Status, 0) << There.Err.toStdString();
      // The input format is guessed.
      const TRun Back = Convert({"--to", "data"}, There.Out);
      ASSERT_EQ(Back.Status, 0) << Back.Err.toStdString();
      EXPECT_EQ(Back.Out.trimmed(), EditorData(QString::fromUtf8(Data)).toUtf8());
    }
  }
  EXPECT_TRUE(Convert({"--to", "latex"}, Demo).Out.startsWith("\\int\\limits_{0}^{\\infty}{xdx}\n"));
}

TEST(Convert, DrawsSvgPngAndPdfAtTheGivenScale) {
  QList<QByteArray> Formulas{Demo};
  for (const QString& Line : ReadFile(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt")).split('\n', Qt::SkipEmptyParts))
    Formulas << Line.toUtf8();
  for (const QByteArray& Data : Formulas) {
    SCOPED_TRACE(Data.toStdString());
    const TRun Svg = Convert({"--to", "svg"}, Data);
    ASSERT_EQ(Svg.Status, 0) << Svg.Err.toStdString();
    EXPECT_TRUE(Svg.Out.contains("<svg"));
    const TRun Pdf = Convert({"--to", "pdf", "--font", "DejaVu Serif", "--size", "14"}, Data);
    ASSERT_EQ(Pdf.Status, 0) << Pdf.Err.toStdString();
    EXPECT_TRUE(Pdf.Out.startsWith("%PDF"));
  }
  const QImage One = QImage::fromData(Convert({"--to", "png"}, Demo).Out, "PNG");
  const QImage Two = QImage::fromData(Convert({"--to", "png", "--scale", "2"}, Demo).Out, "PNG");
  ASSERT_FALSE(One.isNull());
  // The Math style's picture has the formula's own size, rounded up once.
  for (const auto& [Twice, Once] : {std::pair{Two.width(), One.width()}, std::pair{Two.height(), One.height()}}) {
    EXPECT_LE(Twice, 2 * Once);
    EXPECT_GE(Twice, 2 * Once - 1);
  }
  // A file given with -o gets the picture.
  QTemporaryDir Dir;
  const QString File = Dir.filePath("demo.png");
  EXPECT_EQ(Convert({"--to", "png", "-o", File}, Demo).Status, 0);
  EXPECT_EQ(QImage(File).size(), One.size());
}

TEST(Convert, ErrorsGoToStandardErrorWithThePlaceAndAFailingStatus) {
  const TRun Refused = Convert({"--from", "latex", "-", "--to", "data"}, "a\n+ \\acute{b}");
  EXPECT_EQ(Refused.Status, 1);
  EXPECT_TRUE(Refused.Out.isEmpty());
  EXPECT_TRUE(Refused.Err.contains("<stdin>:2:3: \\acute has no element kind")) << Refused.Err.toStdString();

  const TRun Lossy = Convert({"--to", "data"}, "\\sin x");
  EXPECT_EQ(Lossy.Status, 0);
  EXPECT_TRUE(Lossy.Err.contains("read with a loss: named operators")) << Lossy.Err.toStdString();

  EXPECT_EQ(Convert({"--to", "gif"}).Status, 2);
  EXPECT_EQ(Convert({"--scale", "0"}).Status, 2);
  EXPECT_EQ(Convert({"/no/such/file"}).Status, 1);
  const TRun Help = Convert({"--help"});
  EXPECT_EQ(Help.Status, 0);
  EXPECT_TRUE(Help.Out.contains("Usage: zelk-convert"));
}

TEST(Convert, RefusesBinaryEmptyAndBlankInputAndControlCharacters) {
  QByteArray Png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
  const struct {
    QByteArray Input;
    const char* Message;
  } Cases[] = {
      {Png, "<stdin>: not UTF-8 text (byte 1 of the input is no UTF-8): refused"},
      {"", "<stdin>:1:1: the input holds no formula (it is empty)"},
      {" \n\t\n", "<stdin>:1:1: the input holds no formula (it is blank)"},
      {QByteArray("x+\0y", 4), "<stdin>:1:3: the text holds a NUL character"},
      {"a\n\x1b[31m", "<stdin>:2:1: the text holds the control character U+001B"},
      {"EditArea(Simple(\x07))", "<stdin>:1:17: the text holds the control character U+0007"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Message);
    for (const char* Target : {"data", "png"}) {
      const TRun Run = Convert({"--to", Target}, Case.Input);
      EXPECT_EQ(Run.Status, 1);
      EXPECT_TRUE(Run.Out.isEmpty());
      EXPECT_TRUE(Run.Err.contains(Case.Message)) << Run.Err.toStdString();
    }
  }
  // A byte order mark is no part of the formula.
  EXPECT_EQ(Convert({"--to", "data"}, "\xEF\xBB\xBFx").Out, "EditArea(Simple(x))\n");
}

TEST(Convert, PlainTextsForOtherProgramsAndTheUnicodeMathFlavour) {
  const TRun Latex = Convert({"--to", "latex", "--plain"}, "\\frac{a}{b} \\cdot c");
  EXPECT_EQ(Latex.Status, 0);
  EXPECT_EQ(Latex.Out, "\\frac{a}{b}\\cdot c\n");
  EXPECT_EQ(Convert({"--to", "latex", "--plain", "--unicode-math"}, "a \\cdot c").Out, "a\xE2\x8B\x85" "c\n");
  const TRun MathML = Convert({"--to", "mathml", "--plain"}, "x");
  EXPECT_FALSE(MathML.Out.contains("annotation"));
  EXPECT_TRUE(MathML.Out.startsWith("<math"));
}

TEST(Convert, ManyFormulasInOneRunEachFaultPlacedAndTheStatusSayingSo) {
  QTemporaryDir Dir;
  const auto Put = [&](const QString& Name, const QByteArray& Text) {
    QFile File(Dir.filePath(Name));
    File.open(QIODevice::WriteOnly);
    File.write(Text);
    return File.fileName();
  };
  const QString Good = Put("good.tex", "\\frac{1}{2}");
  const QString Bad = Put("bad.tex", "x\n+ \\acute{b}");
  const QString Out = Dir.filePath("out");

  // Several files: each output named as its input, a refused one reported, the rest done.
  TRun Files = Convert({"--to", "svg", "--output-dir", Out, Good, Bad});
  EXPECT_EQ(Files.Status, 1);
  EXPECT_TRUE(Files.Err.contains(Bad.toUtf8() + ":2:3: \\acute has no element kind")) << Files.Err.toStdString();
  EXPECT_TRUE(QFile::exists(Out + "/good.svg"));
  EXPECT_FALSE(QFile::exists(Out + "/bad.svg"));
  EXPECT_EQ(Convert({"--to", "data", "--output-dir", Out, Good}).Status, 0);
  EXPECT_EQ(ReadFile(Out + "/good.txt"), "EditArea(Division(EditArea(Simple(1))EditArea(Simple(2))))\n");
  EXPECT_EQ(Convert({"--to", "data", Good, Bad}).Status, 2);  // several files need a folder

  // Lines: one output line per input line, the id kept, blank lines kept, faults placed in
  // the input's columns.
  const QString Lines = Put("lines.txt", "a^2\neq\t\\frac{x}{y}\n\nbad\tx + \\acute{y}\n\\binom{n}{k}\n");
  TRun Text = Convert({"--to", "latex", "--lines", Lines});
  EXPECT_EQ(Text.Status, 1);
  EXPECT_EQ(Text.Out, "a^{2}\neq\t\\frac{x}{y}\n\nbad\t\n\\binom{n}{k}\n");
  EXPECT_TRUE(Text.Err.contains(Lines.toUtf8() + ":4:9: \\acute has no element kind")) << Text.Err.toStdString();

  // Pictures: one file per line, named by id or line number; an id that would leave the
  // folder is refused.
  const QString Pictures = Put("pictures.txt", "first\tx^2\n\\sqrt{y}\n../up\tz\n");
  TRun Images = Convert({"--to", "png", "--lines", "--output-dir", Out, Pictures});
  EXPECT_EQ(Images.Status, 1);
  EXPECT_FALSE(QImage(Out + "/first.png").isNull());
  EXPECT_FALSE(QImage(Out + "/2.png").isNull());
  EXPECT_FALSE(QFile::exists(Dir.filePath("up.png")));
  EXPECT_TRUE(Images.Err.contains(Pictures.toUtf8() + ":3:1: the id ../up cannot name a file")) << Images.Err.toStdString();
  EXPECT_EQ(Convert({"--to", "png", "--lines", Pictures}).Status, 2);
}

// Typst out and in (read only when asked for: a Typst text looks like LaTeX), with what
// the writer only approximates and what the reader refuses on standard error.
TEST(Convert, WritesAndReadsTypst) {
  const TRun There = Convert({"--to", "typst"}, Demo);
  ASSERT_EQ(There.Status, 0) << There.Err.toStdString();
  EXPECT_EQ(There.Out, "$ limits(integral)_0^infinity x d x $\n");
  const TRun Back = Convert({"--from", "typst", "--to", "data"}, There.Out);
  ASSERT_EQ(Back.Status, 0) << Back.Err.toStdString();
  EXPECT_EQ(Back.Out.trimmed(), Demo);
  const TRun Lossy = Convert({"--to", "typst"}, TemplateData("LongDivision").toUtf8());
  EXPECT_EQ(Lossy.Status, 0);
  EXPECT_TRUE(Lossy.Err.contains("written with a loss: a long division as a bracket and a bar")) << Lossy.Err.toStdString();
  const TRun Refused = Convert({"--from", "typst", "--lines", "--to", "latex"}, "a/b\nfoo + 1\n");
  EXPECT_EQ(Refused.Status, 1);
  EXPECT_EQ(Refused.Out, "\\frac{a}{b}\n\n");
  EXPECT_TRUE(Refused.Err.contains("<stdin>:2:1: the name foo means nothing in Typst math")) << Refused.Err.toStdString();
}

TEST(Convert, ReadsAsciiMath) {
  const TRun Run = Convert({"--from", "asciimath", "--to", "latex", "--plain"}, "sum_(i=1)^n i^2 = (n(n+1)(2n+1))/6");
  ASSERT_EQ(Run.Status, 0) << Run.Err.toStdString();
  EXPECT_EQ(Run.Out, "\\sum\\limits_{i=1}^{n}{i^{2}}=\\frac{n\\left( n+1 \\right)\\left( 2n+1 \\right)}{6}\n");
  const TRun Refused = Convert({"--from", "asciimath"}, "sqrt");
  EXPECT_EQ(Refused.Status, 1);
  EXPECT_TRUE(Refused.Err.contains("<stdin>:1:1: sqrt needs an argument")) << Refused.Err.toStdString();
}
