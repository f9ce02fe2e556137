// The demonstration window's text box in LaTeX and MathML, and its picture export.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "demo/main.h"
#include "editor/ZelkEquation.h"

namespace {
struct DemoForm {
  TfrmMain Form;
  TZelkEquation* Editor = Form.Equation();
  QPlainTextEdit* Memo = Form.findChild<QPlainTextEdit*>("Memo1");
  QComboBox* Format = Form.findChild<QComboBox*>("ComboFormat");
};
}  // namespace

TEST(DemoFormats, TheTextBoxShowsAndTakesTheFormulaAsLatexOrMathML) {
  DemoForm F;
  ASSERT_NE(F.Format, nullptr);
  F.Format->setCurrentIndex(1);
  EXPECT_EQ(F.Memo->toPlainText(), "\\int\\limits_{0}^{\\infty}{xdx}");
  F.Memo->setPlainText("\\frac{a}{b}");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))");
  EXPECT_TRUE(F.Form.ReadError()->text().isEmpty());

  // A refused text keeps the formula and says where; a loss is shown.
  F.Memo->setPlainText("\\acute{b}");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))");
  EXPECT_TRUE(F.Form.ReadError()->text().startsWith("line 1, column 1: \\acute"));
  F.Memo->setPlainText("\\sin x");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(s)Simple(i)Simple(n)Simple(x))");
  EXPECT_TRUE(F.Form.ReadError()->text().startsWith("read with a loss"));

  F.Format->setCurrentIndex(2);
  EXPECT_TRUE(F.Memo->toPlainText().startsWith("<math"));
  F.Memo->setPlainText("<math><mfrac><mi>c</mi><mi>d</mi></mfrac></math>");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Division(EditArea(Simple(c))EditArea(Simple(d))))");
  F.Format->setCurrentIndex(0);
  EXPECT_EQ(F.Memo->toPlainText(), F.Editor->GetData());
}

TEST(DemoFormats, ExportWritesThePictureInTheFormatOfTheExtension) {
  DemoForm F;
  QTemporaryDir Dir;
  EXPECT_TRUE(F.Form.ExportTo(Dir.filePath("f.png")));
  EXPECT_EQ(QImage(Dir.filePath("f.png")).size(), F.Editor->RenderSize());
  EXPECT_TRUE(F.Form.ExportTo(Dir.filePath("f.SVG")));
  EXPECT_TRUE(F.Form.ExportTo(Dir.filePath("f.pdf")));
  QString Error;
  EXPECT_FALSE(F.Form.ExportTo(Dir.filePath("f.gif"), &Error));
  EXPECT_FALSE(Error.isEmpty());
  EXPECT_FALSE(F.Form.ExportTo("/no/such/dir/f.png", &Error));
}
