// Data -> LaTeX -> Data and Data -> MathML -> Data.
#include <gtest/gtest.h>

#include "InterchangeSupport.h"
#include "interchange/MathAlphabets.h"
#include "interchange/MathML.h"
#include "interchange/SymbolTable.h"
#include "palette/PaletteCommands.h"

namespace {
QString ViaLatex(const QString& Data, bool Annotated) {
  const TReadResult Read = ReadLatex(WriteLatex(ParseData(Data), Annotated));
  EXPECT_TRUE(Read.Ok()) << Read.Message().toStdString() << "\n" << WriteLatex(ParseData(Data), false).toStdString();
  return Read.Data;
}

QString ViaMathML(const QString& Data, bool Annotated) {
  const TReadResult Read = ReadMathML(WriteMathML(ParseData(Data), Annotated));
  EXPECT_TRUE(Read.Ok()) << Read.Message().toStdString();
  return Read.Data;
}

void ExpectRoundTrips(const QString& Data, bool Annotated) {
  SCOPED_TRACE(Data.toStdString());
  EXPECT_EQ(ViaLatex(Data, Annotated), Data) << WriteLatex(ParseData(Data), false).toStdString();
  EXPECT_EQ(ViaMathML(Data, Annotated), Data) << WriteMathML(ParseData(Data), false).toStdString();
}
}  // namespace

TEST(RoundTrip, TheFormulaModelReadsDataAsTheEditorDoes) {
  for (const QString& Data : EveryTemplateData() + SeedData()) EXPECT_EQ(WriteData(ParseData(Data)), EditorData(Data));
  EXPECT_EQ(FindTemplate("Simple"), nullptr);
  EXPECT_EQ(AcceptedTemplateKeywords().size(), 74 + 25 + 36 + MaxMatrixColumns - 1 + 2 + 15 + 3 + 1);
  for (const QString& Name : AcceptedTemplateKeywords()) EXPECT_EQ(FindTemplate(Name)->Keyword(), Name);
}

TEST(RoundTrip, EveryTemplateWithContentInEverySlotSurvivesEvenWithoutTheDataCopy) {
  for (const QString& Data : EveryTemplateData()) {
    ExpectRoundTrips(Data, true);
    ExpectRoundTrips(Data, false);
  }
}

TEST(RoundTrip, EveryPaletteSymbolSurvivesEvenWithoutTheDataCopy) {
  TFormula Formula;
  Formula.Lines.emplace_back();
  for (char16_t Code = 1; Code < 0xFFFF; ++Code) {
    // The table holds exactly the codes the palette's symbol buttons insert.
    EXPECT_EQ(SymbolByCode(Code) != nullptr, SymbolButton(Code).has_value()) << int(Code);
    if (SymbolByCode(Code)) Formula.Lines.back().push_back(TFormulaNode::Symbol(Code));
  }
  EXPECT_EQ(Formula.Lines.back().size(), 132u);
  ExpectRoundTrips(WriteData(Formula), false);
}

TEST(RoundTrip, EveryFuzzSeedAndFixtureSurvivesWithTheDataCopy) {
  for (const QString& Data : SeedData()) ExpectRoundTrips(Data, true);
}

TEST(RoundTrip, CharactersThatTextFormatsCannotCarrySurviveWithTheDataCopy) {
  TFormula Formula;
  Formula.Lines.emplace_back();
  for (char16_t Code : {u'\t', char16_t(0xD800), char16_t(0xDFFF), char16_t(0xFFFE), char16_t(0xFFFF), u'<', u'&', u'%'})
    Formula.Lines.back().push_back(TFormulaNode::Character(Code));
  const QString Data = WriteData(Formula);
  ExpectRoundTrips(Data, true);
  EXPECT_FALSE(WriteMathML(Formula).contains(QChar(0xD800)));
}

TEST(RoundTrip, TypedCharactersSurviveWithoutTheDataCopy) {
  TFormula Formula;
  Formula.Lines.emplace_back();
  for (QChar C : QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@AZaz[\\]^_`{|}~жЯ"))
    Formula.Lines.back().push_back(TFormulaNode::Character(C.unicode()));
  ExpectRoundTrips(WriteData(Formula), false);
}

TEST(RoundTrip, LinesAndNestedBarsSurviveWithoutTheDataCopy) {
  for (const QString& Data :
       {QStringLiteral("EditArea(Simple(a))EditArea()EditArea(Simple(b))"),
        QStringLiteral("EditArea(VectoraeBottom(EditArea(VectoraeBottom(EditArea(Simple(a))))))"),
        QStringLiteral("EditArea(VectorkaDoubleaeTop(EditArea(VectoraeTop(EditArea(Simple(a))))))"),
        QStringLiteral("EditArea(IndexTop(EditArea(Simple(a)))IndexBottom(EditArea(Simple(b))))"),
        QStringLiteral("EditArea(MatrixkmSquare(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))))"),
        QStringLiteral("EditArea(Simple(#32)IndexTop(EditArea(Simple(a))))"),
        // Left indices beside right ones, alone and at either end of a run.
        QStringLiteral("EditArea(IndexLeftTop(EditArea(Simple(a)))Simple(C)IndexBottom(EditArea(Simple(b))))"),
        QStringLiteral("EditArea(IndexLeftTop(EditArea(Simple(a)))IndexTop(EditArea(Simple(b)))Simple(C))"),
        QStringLiteral("EditArea(IndexTop(EditArea(Simple(a)))IndexLeftBottom(EditArea(Simple(b))))"),
        QStringLiteral("EditArea(IndexLeftTop(EditArea(Simple(a)))IndexLeftBottom(EditArea(Simple(b)))Simple(C))"),
        // A stack over a stack below, an operator on a big-operator sign, empty slots.
        QStringLiteral("EditArea(StackTop(EditArea(StackBottom(EditArea(Simple(x))EditArea(Simple(b))))EditArea(Simple(t))))"),
        QStringLiteral("EditArea(OperatorLimitBottom(EditArea(ExtSymbol(8721))EditArea(Simple(i))))"),
        QStringLiteral("EditArea(BracketsBraKet(EditArea()EditArea())HorizBraceaeTop(EditArea()EditArea())StackBottom(EditArea()EditArea()))")})
    ExpectRoundTrips(Data, false);
}

TEST(EditorFormats, TheEditorOffersLatexAndMathMLBesideData) {
  TZelkEquation Editor;
  const QString Demo = "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
                       "EditArea(ExtSymbol(8734))))";
  Editor.setProperty("Data", Demo);
  const QString Latex = Editor.property("LaTeX").toString();
  EXPECT_TRUE(Latex.startsWith("\\int\\limits_{0}^{\\infty}{xdx}\n%zelk-data:")) << Latex.toStdString();
  EXPECT_TRUE(Editor.property("MathML").toString().contains("<munderover>"));

  TZelkEquation Copy;
  EXPECT_TRUE(Copy.setProperty("MathML", Editor.property("MathML")));
  EXPECT_EQ(Copy.GetData(), Demo);
  Copy.setProperty("LaTeX", "\\frac{a}{b}");
  EXPECT_EQ(Copy.GetData(), "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))");
  EXPECT_EQ(Copy.ReadError(), "");

  // A refused text keeps the formula and says why; a loss is taken and named.
  Copy.setProperty("LaTeX", "x + \\acute{y}");
  EXPECT_EQ(Copy.GetData(), "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))");
  EXPECT_TRUE(Copy.ReadError().startsWith("line 1, column 5: \\acute")) << Copy.ReadError().toStdString();
  Copy.setProperty("MathML", "<math><mi mathvariant=\"sans-serif\">x</mi></math>");
  EXPECT_EQ(Copy.GetData(), "EditArea(Simple(x))");
  EXPECT_TRUE(Copy.ReadError().startsWith("read with a loss")) << Copy.ReadError().toStdString();
}

TEST(RoundTrip, StyledLettersAndDigitsSurviveAsCharactersOfTheirOwn) {
  TFormula Formula;
  Formula.Lines.emplace_back();
  for (TMathAlphabet Alphabet : {TMathAlphabet::Bold, TMathAlphabet::Script, TMathAlphabet::DoubleStruck,
                                 TMathAlphabet::Fraktur})
    for (char32_t Plain : std::u32string_view(U"ABCHRZabz09"))
      if (const char32_t Styled = StyledCharacter(Alphabet, Plain)) {
        EXPECT_EQ(PlainCharacter(Styled), std::make_pair(Alphabet, Plain));
        Formula.Lines.back().push_back(TFormulaNode::Character(Styled));
      }
  EXPECT_EQ(Formula.Lines.back().size(), 11u + 6 + 6 + 9);
  const QString Data = WriteData(Formula);
  // The editor holds each as one element, as the formula model does.
  EXPECT_EQ(EditorData(Data), Data);
  ExpectRoundTrips(Data, false);
  // MathML's mathvariant names the same alphabets.
  EXPECT_EQ(ReadMathML("<math><mi mathvariant=\"double-struck\">R</mi><mi>\U0001D431</mi></math>").Data,
            "EditArea(Simple(\u211D)Simple(\U0001D431))");
}

TEST(RoundTrip, NeighboursWrittenSideBySideDoNotMerge) {
  const QString Empty = "EditArea()";
  const QString Top = "IndexTop(EditArea(Simple(a)))";
  for (const QString& Run : QStringList{
           // An empty group after an index would end it as a left index.
           Top + "AccentPrime(" + Empty + ")", Top + "AccentBackPrime(" + Empty + ")",
           Top + "LongDivision(EditArea(Simple(x))" + Empty + ")",
           // A script after what ends in scripts would join them.
           "HorizBraceaeBottom(EditArea(Simple(b))" + Empty + ")" + Top,
           QStringLiteral("HorizBraceaeTop(EditArea(Simple(b))EditArea(Simple(n)))IndexBottom(EditArea(Simple(c)))"),
           "OperatorLimitBottom(EditArea(Simple(m))EditArea(Simple(k)))" + Top})
    ExpectRoundTrips("EditArea(" + Run + ")", false);
}
