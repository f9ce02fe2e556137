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
  EXPECT_EQ(Two.size(), One.size() * 2);
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
