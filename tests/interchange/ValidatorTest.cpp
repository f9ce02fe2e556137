// Our LaTeX and MathML as other parsers see them.
#include <gtest/gtest.h>

#include "InterchangeSupport.h"
#include "Validators.h"
#include "interchange/LatexText.h"
#include "interchange/MathML.h"
#include "interchange/MathAlphabets.h"
#include "interchange/SymbolTable.h"

namespace {
// Everything the writers are tested on: each template, the symbols, typed characters,
// several lines, the fixtures and the fuzz seeds.
QStringList Formulas() {
  QStringList Result = EveryTemplateData();
  TFormula Symbols, Typed;
  Symbols.Lines.emplace_back();
  Typed.Lines.emplace_back();
  for (char16_t Code = 1; Code < 0xFFFF; ++Code)
    if (SymbolByCode(Code)) Symbols.Lines.back().push_back(TFormulaNode::Symbol(Code));
  for (QChar C : QStringLiteral(" !\"#$%&'()*+,-./09:;<=>?@AZaz[\\]^_`{|}~жЯ\t"))
    Typed.Lines.back().push_back(TFormulaNode::Character(C.unicode()));
  // The styled letters and digits of every alphabet.
  for (TMathAlphabet Alphabet : {TMathAlphabet::Bold, TMathAlphabet::Script, TMathAlphabet::DoubleStruck,
                                 TMathAlphabet::Fraktur})
    for (char32_t Plain : {U'A', U'B', U'z', U'7'})
      if (const char32_t Styled = StyledCharacter(Alphabet, Plain))
        Typed.Lines.back().push_back(TFormulaNode::Character(Styled));
  Result << WriteData(Symbols) << WriteData(Typed) << "EditArea(Simple(a))EditArea()EditArea(Simple(b))";
  return Result + SeedData();
}

class Validators : public ::testing::Test {
 protected:
  void SetUp() override {
    QString Why;
    ASSERT_TRUE(ValidatorsInstalled(Why)) << Why.toStdString();
  }
};
}  // namespace

TEST_F(Validators, KatexAndTemmlParseEveryLatexTextWeWrite) {
  QStringList Texts;
  for (const QString& Data : Formulas()) Texts << WriteLatex(ParseData(Data));
  const std::vector<TLatexCheck> Checks = CheckLatex(Texts);
  ASSERT_EQ(Checks.size(), static_cast<size_t>(Texts.size()));
  for (int I = 0; I < Texts.size(); ++I) {
    EXPECT_EQ(Checks[I].KatexError.toStdString(), "") << Texts[I].toStdString();
    EXPECT_EQ(Checks[I].TemmlError.toStdString(), "") << Texts[I].toStdString();
  }
}

TEST_F(Validators, EveryMathMLTextWeWriteIsValidAgainstTheMathML3Dtd) {
  QStringList Documents;
  for (const QString& Data : Formulas()) {
    Documents << WriteMathML(ParseData(Data));
    Documents << WriteMathML(ParseData(Data), false);
  }
  EXPECT_EQ(ValidateMathML(Documents).toStdString(), "");
  // The check itself finds a fraction with one part.
  EXPECT_NE(ValidateMathML({"<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mfrac><mi>x</mi></mfrac></math>"}), "");
}

TEST_F(Validators, TemmlsMathMLForOurLatexHasTheStructureOfOurMathML) {
  // Temml draws bars and labelled arrows with other elements (menclose, padded stacks).
  QStringList Data;
  for (const QString& Text : Formulas()) {
    const TFormula Formula = ParseData(Text);
    bool Comparable = Formula.Lines.size() == 1;
    const auto Check = [&Comparable](const TFormulaRun& Run, const auto& Self) -> void {
      for (const TFormulaNode& Node : Run) {
        if (Node.Kind != TFormulaNode::Template) {
          Comparable = Comparable && Node.Code != u'\'' && Node.Code > 32 && !WrittenAsText(Node.Code);
          continue;
        }
        const TTemplateInfo* Info = FindTemplate(Node.Keyword);
        const auto Kind = Info->Kind;
        // Accents, slanted fractions and long division too, with their own characters,
        // scripts or enclosures.
        Comparable = Comparable && Kind != TTemplateInfo::Arrow && Kind != TTemplateInfo::Vector &&
                     Kind != TTemplateInfo::Accent && Kind != TTemplateInfo::SlashDivision &&
                     Kind != TTemplateInfo::LongDivision;
        // Temml sets \overset as a superscript and a left index on its empty group.
        Comparable = Comparable && Kind != TTemplateInfo::LeftIndex &&
                     !(Kind == TTemplateInfo::Scripted && !Info->OperatorBase);
        // Temml takes \cfrac's optional side for part of the numerator.
        Comparable = Comparable && !(Kind == TTemplateInfo::Division && Info->Continued > cfCentre);
        for (const TFormulaRun& Slot : Node.Slots) Self(Slot, Self);
      }
    };
    if (Comparable) Check(Formula.Lines.front(), Check);
    if (Comparable) Data << Text;
  }
  ASSERT_GT(Data.size(), 40);
  QStringList Texts;
  for (const QString& Text : Data) Texts << WriteLatex(ParseData(Text), false);
  const std::vector<TLatexCheck> Checks = CheckLatex(Texts);
  ASSERT_EQ(Checks.size(), static_cast<size_t>(Texts.size()));
  for (int I = 0; I < Texts.size(); ++I)
    EXPECT_EQ(MathMLStructure(Checks[I].TemmlMathML).toStdString(),
              MathMLStructure(WriteMathML(ParseData(Data[I]), false)).toStdString())
        << Texts[I].toStdString();
}
