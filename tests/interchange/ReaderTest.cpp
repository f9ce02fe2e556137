// What the readers make of text people write, and what they refuse.
#include <gtest/gtest.h>

#include "interchange/MathML.h"

namespace {
struct TCase {
  const char* Input;
  const char* Data;  // one line, without the EditArea around it
  bool Loss;
};

void ExpectRead(const TReadResult& Read, const TCase& Case) {
  SCOPED_TRACE(Case.Input);
  ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
  EXPECT_EQ(Read.Data.toStdString(), "EditArea(" + std::string(Case.Data) + ")");
  EXPECT_EQ(!Read.Losses.isEmpty(), Case.Loss) << Read.Losses.join("; ").toStdString();
}


}  // namespace

TEST(LatexReader, ReadsFractionsScriptsAndFences) {
  const TCase Cases[] = {
      {"\\frac{a}{b}", "Division(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"\\dfrac12", "Division(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"{a \\over b}", "Division(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"x^2", "Simple(x)IndexTop(EditArea(Simple(2)))", false},
      {"x_i^{n+1}", "Simple(x)IndexTopBottom(EditArea(Simple(i))EditArea(Simple(n)Simple(+)Simple(1)))", false},
      {"x^\\alpha", "Simple(x)IndexTop(EditArea(ExtSymbol(945)))", false},
      {"\\left( x \\right)", "BracketsRound(EditArea(Simple(x)))", false},
      {"\\left\\{x\\right\\}", "BracketsFigure(EditArea(Simple(x)))", false},
      {"\\left|x\\right|", "BracketsModule(EditArea(Simple(x)))", false},
      {"\\left\\| x \\right\\|", "BracketsDModule(EditArea(Simple(x)))", false},
      {"\\left< x \\right>", "BracketsCorner(EditArea(Simple(x)))", false},
      {"(x]", "Simple(#40)Simple(x)Simple(])", false},
      {"\\left. x \\right|", "BracketRightModule(EditArea(Simple(x)))", false},
      {"\\left. x \\right.", "Simple(x)", true},
      {"\\left[ x \\right)", "BracketsSquareRound(EditArea(Simple(x)))", false},
      {"\\left] x \\right[", "BracketsRevSquareRevSquare(EditArea(Simple(x)))", false},
      {"\\left\\lfloor x \\right\\rfloor", "BracketsFloor(EditArea(Simple(x)))", false},
      {"\\left\\langle a \\middle| b \\right\\rangle",
       "BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"\\left( a \\middle| b \\right)", "FenceRoundOpenModuleRoundClose(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"\\left\\{ x \\middle\\| y \\middle\\| z \\right\\}",
       "FenceFigureOpenDModuleFigureClose(EditArea(Simple(x))EditArea(Simple(y))EditArea(Simple(z)))", false},
      {"\\left\\langle a \\middle| b \\middle| c \\right\\rangle",
       "BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c)))", false},
      {"\\left[ a \\middle| b \\right)", "Simple([)Simple(a)Simple(|)Simple(b)Simple(#41)", true},
      {"{}^{14}_{6}{}C", "IndexLeftTopBottom(EditArea(Simple(6))EditArea(Simple(1)Simple(4)))Simple(C)", false},
      {"{}^{a}x", "IndexTop(EditArea(Simple(a)))Simple(x)", false},
      {"{}^{a}{}_{b}", "IndexTop(EditArea(Simple(a)))IndexBottom(EditArea(Simple(b)))", false},
      {"\\overset{a}{=}", "StackTop(EditArea(Simple(=))EditArea(Simple(a)))", false},
      {"\\stackrel{a}{=}", "StackTop(EditArea(Simple(=))EditArea(Simple(a)))", false},
      {"\\overset{a}{\\underset{b}{x}}", "StackBottomTop(EditArea(Simple(x))EditArea(Simple(b))EditArea(Simple(a)))", false},
      {"\\overset{a}{{\\underset{b}{x}}y}",
       "StackTop(EditArea(StackBottom(EditArea(Simple(x))EditArea(Simple(b)))Simple(y))EditArea(Simple(a)))", false},
      {"\\mathop{T}\\limits_{b}", "OperatorLimitBottom(EditArea(Simple(T))EditArea(Simple(b)))", false},
      {"\\mathop{T}\\nolimits^{a}", "OperatorIndexTop(EditArea(Simple(T))EditArea(Simple(a)))", false},
      {"\\overbrace{x+y}^{n}", "HorizBraceaeTop(EditArea(Simple(x)Simple(+)Simple(y))EditArea(Simple(n)))", false},
      {"\\underbrace{x}", "HorizBraceaeBottom(EditArea(Simple(x))EditArea())", false},
      {"\\bigl( x \\bigr)", "Simple(#40)Simple(x)Simple(#41)", true},
      {"\\binom{n}{k}", "Binomial(EditArea(Simple(n))EditArea(Simple(k)))", false},
      {"\\cfrac{1}{2+\\cfrac[l]{1}{3}}",
       "DivisionContinued(EditArea(Simple(1))EditArea(Simple(2)Simple(+)DivisionContinuedLeft(EditArea(Simple(1))EditArea(Simple(3)))))",
       false},
      {"\\cfrac[r]{1}{2}", "DivisionContinuedRight(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"a\\pmod{n}", "Simple(a)ExtSymbol(8196)ExtSymbol(8198)Simple(#40)Simple(m)Simple(o)Simple(d)ExtSymbol(8198)Simple(n)Simple(#41)", true},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
}

TEST(LatexReader, ReadsBigOperatorsWithTheirLimitPlacement) {
  const TCase Cases[] = {
      {"\\sum_{i=1}^{n} {x}", "SumLimitBottomTop(EditArea(Simple(x))EditArea(Simple(i)Simple(=)Simple(1))EditArea(Simple(n)))", false},
      {"\\sum\\nolimits_i {x}", "SumIndexBottom(EditArea(Simple(x))EditArea(Simple(i)))", false},
      {"\\int_0^1 {x}", "IntIndexBottomTopOne(EditArea(Simple(x))EditArea(Simple(0))EditArea(Simple(1)))", false},
      {"\\int\\limits_0^1 {x}", "IntLimitBottomTopOne(EditArea(Simple(x))EditArea(Simple(0))EditArea(Simple(1)))", false},
      {"\\oiint\\limits_S {x}", "IntLimitBottomTwoRing(EditArea(Simple(x))EditArea(Simple(S)))", false},
      {"\\mathop{\\oiint}\\limits_S {x}", "IntLimitBottomTwoRing(EditArea(Simple(x))EditArea(Simple(S)))", false},
      {"\\prod^{n} {x}", "MultiplyLimitBottomTop(EditArea(Simple(x))EditArea()EditArea(Simple(n)))", false},
      {"\\bigcup {x}", "Join(EditArea(Simple(x)))", false},
      // The operand up to the next relation: TeX's own reading, no loss.
      {"\\iiint x", "IntThree(EditArea(Simple(x)))", false},
      {"\\sum_i x_i = 1", "SumLimitBottom(EditArea(Simple(x)IndexBottom(EditArea(Simple(i))))EditArea(Simple(i)))Simple(=)Simple(1)", false},
      {"a {\\sum} b", "Simple(a)ExtSymbol(8721)Simple(b)", false},
      {"\\coprod", "ExtSymbol(8720)", false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
  // Inline, sums take their limits beside them.
  TLatexReadOptions Inline;
  Inline.Display = false;
  ExpectRead(ReadLatex("\\sum_i {x}", Inline), {"\\sum_i {x} inline", "SumIndexBottom(EditArea(Simple(x))EditArea(Simple(i)))", false});
}

TEST(LatexReader, NamedOperatorsTakeTheirScriptsAsTexPlacesThem) {
  const TCase Cases[] = {
      {"\\lim_{n\\to\\infty} a_n",
       "OperatorLimitBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(n)ExtSymbol(8594)ExtSymbol(8734)))"
       "Simple(a)IndexBottom(EditArea(Simple(n)))", false},
      {"\\max_{x}^{y} f", "OperatorLimitBottomTop(EditArea(Simple(m)Simple(a)Simple(x))EditArea(Simple(x))EditArea(Simple(y)))Simple(f)", false},
      // What pandoc and KaTeX users write.
      {"\\lim\\limits_{x} f", "OperatorLimitBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)))Simple(f)", false},
      {"\\lim\\nolimits_{x} f", "OperatorIndexBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)))Simple(f)", false},
      // Names TeX never sets limits for keep their scripts beside them.
      {"\\log_2 n", "OperatorIndexBottom(EditArea(Simple(l)Simple(o)Simple(g))EditArea(Simple(2)))Simple(n)", false},
      {"\\sin x", "Simple(s)Simple(i)Simple(n)Simple(x)", true},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
  TLatexReadOptions Inline;
  Inline.Display = false;
  ExpectRead(ReadLatex("\\lim_{x} f", Inline),
             {"\\lim_{x} f inline", "OperatorIndexBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)))Simple(f)", false});
  // Written back as the name's command, which sets upright letters.
  const TReadResult Read = ReadLatex("\\lim_{x} f");
  const QString Written = WriteLatex(ParseData(Read.Data), false);
  EXPECT_EQ(Written.toStdString(), "\\lim\\limits_{x}f");
  TLatexReadOptions Plain;
  Plain.PreferData = false;
  EXPECT_EQ(ReadLatex(Written, Plain).Data, Read.Data);
}

TEST(LatexReader, ReadsContinuedFractionsStackedLimitsAndOperandsInBrackets) {
  const TCase Cases[] = {
      {"\\cfrac[l]{1}{1+\\cfrac{1}{x}}",
       "DivisionContinuedLeft(EditArea(Simple(1))EditArea(Simple(1)Simple(+)DivisionContinued(EditArea(Simple(1))EditArea(Simple(x)))))",
       false},
      {"\\cfrac[x]{1}{2}", "DivisionContinued(EditArea(Simple(1))EditArea(Simple(2)))", true},
      {"\\sum_{\\substack{i<m\\\\j<n\\\\}} {x}",
       "SumLimitBottom(EditArea(Simple(x))EditArea(MatrixkmVert(EditArea(Simple(i)Simple(<)Simple(m))"
       "EditArea(Simple(j)Simple(<)Simple(n)))))", true},
      {"\\sum_{\\begin{subarray}{l}i\\\\j\\end{subarray}} {x}",
       "SumLimitBottom(EditArea(Simple(x))EditArea(MatrixkmVert(EditArea(Simple(i))EditArea(Simple(j)))))", true},
      // A guessed operand keeps its own brackets whole: the comma in P(i,j) ends nothing.
      {"\\sum_i P(i,j) = 1",
       "SumLimitBottom(EditArea(Simple(P)Simple(#40)Simple(i)Simple(,)Simple(j)Simple(#41))EditArea(Simple(i)))Simple(=)Simple(1)",
       false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
}

TEST(LatexReader, ReadsBarsArrowsMatricesSymbolsAndText) {
  const TCase Cases[] = {
      {"\\overline{x}", "VectoraeBottom(EditArea(Simple(x)))", false},
      {"\\underline{\\underline x}", "VectorkaDoubleaeTop(EditArea(Simple(x)))", false},
      {"\\overleftrightarrow{x}", "VectorkaRightkaLeftaeBottom(EditArea(Simple(x)))", false},
      {"\\vec x", "AccentArrowRight(EditArea(Simple(x)))", false},
      {"\\xrightarrow{f}", "ArrowkaRightaeTop(EditArea(Simple(f)))", false},
      {"\\xleftarrow[g]{}", "ArrowkaLeftaeBottom(EditArea(Simple(g)))", false},
      {"\\begin{pmatrix} a & b \\\\ c & d \\end{pmatrix}",
       "BracketsRound(EditArea(MatrixkmSquare(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))EditArea(Simple(d)))))", false},
      {"\\begin{vmatrix} a \\\\ b \\end{vmatrix}", "BracketsModule(EditArea(MatrixkmVert(EditArea(Simple(a))EditArea(Simple(b)))))", false},
      // Two rows of three are the square grid of six cells; three rows of two are not.
      {"\\begin{matrix} a & b & c \\\\ d & e & f \\end{matrix}",
       "MatrixkmSquare(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))EditArea(Simple(d))"
       "EditArea(Simple(e))EditArea(Simple(f)))", false},
      {"\\begin{matrix} a & b \\\\ c & d \\\\ e & f \\end{matrix}",
       "MatrixkmGridTwo(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))EditArea(Simple(d))"
       "EditArea(Simple(e))EditArea(Simple(f)))", false},
    // A short row is filled up with empty cells.
    {"\\begin{matrix} a \\\\ c & d \\\\ e \\end{matrix}",
       "MatrixkmGridTwo(EditArea(Simple(a))EditArea()EditArea(Simple(c))EditArea(Simple(d))"
       "EditArea(Simple(e))EditArea())", false},
      {"\\alpha\\leq\\Gamma \\to \\infty", "ExtSymbol(945)ExtSymbol(8804)ExtSymbol(915)ExtSymbol(8594)ExtSymbol(8734)", false},
      {"α ≤ x", "ExtSymbol(945)ExtSymbol(8804)Simple(x)", false},
      {"a\\cdot b", "Simple(a)Simple(⋅)Simple(b)", false},
      {"\\text{жук}", "Simple(ж)Simple(у)Simple(к)", false},
      {"\\text{if } x", "Text(EditArea(Simple(i)Simple(f)Simple(#32)))Simple(x)", false},
      {"a\\,b\\quad c\\ d~e", "Simple(a)ExtSymbol(8198)Simple(b)ExtSymbol(8195)Simple(c)Simple(#32)Simple(d)ExtSymbol(160)Simple(e)", false},
      {"a\\;b\\:c\\qquad d\\cdots\\in", "Simple(a)ExtSymbol(8196)Simple(b)ExtSymbol(8196)Simple(c)ExtSymbol(8195)ExtSymbol(8195)Simple(d)ExtSymbol(8943)ExtSymbol(8712)", false},
      {"\\sin x", "Simple(s)Simple(i)Simple(n)Simple(x)", true},
      {"\\mathsf{x} \\displaystyle", "Simple(x)", true},
      // Styled letters and digits are characters of their own; what an alphabet lacks stays plain.
      {"\\mathbf{x1}\\mathcal{A}\\mathbb{R}\\mathfrak{g}", "Simple(\U0001D431)Simple(\U0001D7CF)Simple(\U0001D49C)Simple(\u211D)Simple(\U0001D524)", false},
      {"\\mathcal{a+B}", "Simple(a)Simple(+)Simple(\u212C)", true},
      {"\\mathinner{a}x", "Simple(a)Simple(x)", true},
      {"\\begin{cases} 1 & x \\\\ 0 \\end{cases}",
       "BracketLeftFigure(EditArea(MatrixkmSquare(EditArea(Simple(1))EditArea(Simple(x))EditArea(Simple(0)))))", false},
      {"\\mathbb{R}", "Simple(ℝ)", false},
      {"% a comment\nx", "Simple(x)", false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
}

TEST(LatexReader, ReadsRadicalsFractionVariantsAndAccents) {
  const TCase Cases[] = {
      {"\\sqrt{b^2-4ac}", "Root(EditArea(Simple(b)IndexTop(EditArea(Simple(2)))Simple(-)Simple(4)Simple(a)Simple(c)))", false},
      {"\\sqrt[3] x", "RootDegree(EditArea(Simple(x))EditArea(Simple(3)))", false},
      {"\\tfrac12", "DivisionSmall(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"\\dfrac12", "Division(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"\\hat a \\widehat{ab}", "AccentHat(EditArea(Simple(a)))AccentHat(EditArea(Simple(a)Simple(b)))", false},
      {"\\widetilde{x}\\bar y\\ddot z", "AccentTilde(EditArea(Simple(x)))AccentBar(EditArea(Simple(y)))AccentDotTwo(EditArea(Simple(z)))", false},
      {"\\overset{\\leftarrow}{v}", "AccentArrowLeft(EditArea(Simple(v)))", false},
      {"\\Hat{\\Hat{A}}", "AccentHat(EditArea(AccentHat(EditArea(Simple(A)))))", false},
      {"\\sqrt[\\leftroot{-2}\\uproot{2}\\beta]{k}", "RootDegree(EditArea(Simple(k))EditArea(ExtSymbol(946)))", true},
      // Primes after a braced group mark it; after a letter they stay characters.
      {"{f}''(x)", "AccentPrimeTwo(EditArea(Simple(f)))Simple(#40)Simple(x)Simple(#41)", false},
      {"f'", "Simple(f)Simple(')", false},
      {"{x}^{\\backprime}", "AccentBackPrime(EditArea(Simple(x)))", false},
      {"{}^{1}\\!/_{2}", "DivisionSlash(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"{}^{1}_{2}", "IndexTopBottom(EditArea(Simple(2))EditArea(Simple(1)))", false},
      {"{}^{1}/_{2}", "IndexTop(EditArea(Simple(1)))Simple(/)IndexBottom(EditArea(Simple(2)))", false},
      {"{12}\\overline{\\smash{)}144}", "LongDivision(EditArea(Simple(1)Simple(4)Simple(4))EditArea(Simple(1)Simple(2)))", false},
      {"{12}\\overset{12}{\\overline{\\smash{)}144}}",
       "LongDivisionQuotient(EditArea(Simple(1)Simple(4)Simple(4))EditArea(Simple(1)Simple(2))EditArea(Simple(1)Simple(2)))", false},
      {"{a}\\overline{b}", "Simple(a)VectoraeBottom(EditArea(Simple(b)))", false},
      {"{a}\\overline{)b}", "Simple(a)VectoraeBottom(EditArea(Simple(#41)Simple(b)))", false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadLatex(QString::fromUtf8(Case.Input)), Case);
}

TEST(MathMLReader, ReadsRadicalsFractionVariantsAndAccents) {
  const QString M = "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">%1</math>";
  const TCase Cases[] = {
      {"<msqrt><mi>x</mi><mo>+</mo><mn>1</mn></msqrt>", "Root(EditArea(Simple(x)Simple(+)Simple(1)))", false},
      {"<mroot><mi>x</mi><mn>3</mn></mroot>", "RootDegree(EditArea(Simple(x))EditArea(Simple(3)))", false},
      {"<mfrac bevelled=\"true\"><mn>1</mn><mn>2</mn></mfrac>", "DivisionSlash(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"<mstyle displaystyle=\"false\"><mfrac><mn>1</mn><mn>2</mn></mfrac></mstyle>",
       "DivisionSmall(EditArea(Simple(1))EditArea(Simple(2)))", false},
      {"<mover accent=\"true\"><mi>x</mi><mo>&#x2D9;</mo></mover>", "AccentDot(EditArea(Simple(x)))", false},
      {"<mover><mi>x</mi><mo stretchy=\"false\">&#x2192;</mo></mover>", "AccentArrowRight(EditArea(Simple(x)))", false},
      {"<msup><mi>f</mi><mo>&#x2032;</mo></msup>", "AccentPrime(EditArea(Simple(f)))", false},
      {"<msup><mi>f</mi><mrow><mo>&#x2032;</mo></mrow></msup>", "Simple(f)IndexTop(EditArea(Simple(′)))", false},
      {"<menclose notation=\"updiagonalstrike\"><mi>x</mi></menclose>", "AccentSlash(EditArea(Simple(x)))", false},
      {"<mrow><mn>7</mn><menclose notation=\"longdiv\"><mn>42</mn></menclose></mrow>",
       "LongDivision(EditArea(Simple(4)Simple(2))EditArea(Simple(7)))", false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadMathML(M.arg(QString::fromUtf8(Case.Input))), Case);
}

TEST(LatexReader, LinesComeFromLineBreaksAndLineEnvironments) {
  EXPECT_EQ(ReadLatex("a \\\\ b").Data, "EditArea(Simple(a))EditArea(Simple(b))");
  EXPECT_EQ(ReadLatex("\\begin{gathered} a \\\\ b \\end{gathered}").Data, "EditArea(Simple(a))EditArea(Simple(b))");
  const TReadResult Aligned = ReadLatex("\\begin{align} a &= b \\\\ &= c \\end{align}");
  EXPECT_EQ(Aligned.Data, "EditArea(Simple(a)AlignMark()Simple(=)Simple(b))EditArea(AlignMark()Simple(=)Simple(c))");
  EXPECT_TRUE(Aligned.Losses.isEmpty());
  EXPECT_EQ(ReadLatex("").Data, "EditArea()");
  EXPECT_EQ(ReadLatex("\\begin{equation} x \\end{equation}").Data, "EditArea(Simple(x))");
}

TEST(LatexReader, TextIsTheTextKindUnlessItHoldsOnlyWhatTheWriterPutsInText) {
  // Palette symbols in text are its characters. Letters without a math symbol are how the
  // writer puts them, a character beyond 16 bits one element.
  const TReadResult Kappa = ReadLatex(QString::fromUtf8("\\text{\xCE\xBA\xE2\x88\x9E}"));
  EXPECT_EQ(Kappa.Data, QString::fromUtf8("EditArea(Text(EditArea(Simple(\xCE\xBA)Simple(\xE2\x88\x9E))))"));
  EXPECT_TRUE(Kappa.Losses.isEmpty());
  EXPECT_EQ(ReadLatex(QString::fromUtf8("\\text{\xF0\x9D\x91\xA5\xD0\xB6}")).Data,
            QString::fromUtf8("EditArea(Simple(\xF0\x9D\x91\xA5)Simple(\xD0\xB6))"));
  // Under a text command that is not upright text, a palette symbol reads as the symbol.
  const TReadResult Bold = ReadLatex(QString::fromUtf8("\\textbf{\xCE\xBA}"));
  EXPECT_EQ(Bold.Data, "EditArea(ExtSymbol(954))");
  EXPECT_FALSE(Bold.Losses.isEmpty());
}

TEST(LatexReader, RefusesWhatItCannotRepresentWithThePlace) {
  const struct {
    const char* Input;
    int Line, Column;
    const char* Words;
  } Cases[] = {
      {"a + \\acute{b}", 1, 5, "\\acute"},
      {"x\n  \\check{y}", 2, 3, "\\check"},
      {"\\sideset{a}{b}", 1, 1, "\\sideset"},
      {"\\begin{tabular}{c} a \\end{tabular}", 1, 1, "tabular"},
      {"\\foo", 1, 1, "unknown command \\foo"},
      {"\\frac{a}{", 1, 9, "not closed"},
      {"a}", 1, 2, "}"},
      {"\\left( a", 1, 1, "\\right"},
      {"\\left( a \\middle| b \\middle\\| c \\right)", 1, 21, "\\middle unlike the first"},
      {"\\overbrace{x}_{n}", 1, 1, "far side"},
      {"\\iint_a^b x", 1, 1, "big operator"},
      {"\\xrightarrow[a]{b}", 1, 1, "above and below"},
      {"a & b", 1, 3, "&"},
      {"\\mathring{A}", 1, 1, "\\mathring"},
      {"\\", 1, 1, "backslash"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Input);
    const TReadResult Read = ReadLatex(QString::fromUtf8(Case.Input));
    ASSERT_FALSE(Read.Ok());
    EXPECT_TRUE(Read.Data.isEmpty());
    EXPECT_EQ(Read.Line, Case.Line);
    EXPECT_EQ(Read.Column, Case.Column);
    EXPECT_TRUE(Read.Error.contains(QString::fromUtf8(Case.Words))) << Read.Error.toStdString();
  }
}

TEST(LatexReader, DeepOrHugeInputIsRefusedNotFollowed) {
  EXPECT_FALSE(ReadLatex(QString(100000, u'{') + QString(100000, u'}')).Ok());
  QString Nested = "x";
  for (int I = 0; I < 40; ++I) Nested = "\\frac{" + Nested + "}{y}";
  const TReadResult Deep = ReadLatex(Nested);
  ASSERT_FALSE(Deep.Ok());
  EXPECT_TRUE(Deep.Error.contains("nest")) << Deep.Error.toStdString();
  EXPECT_TRUE(ReadLatex(QString(5000, u'x')).Ok());
}

TEST(LatexReader, TheDataLineWinsUnlessTheCallerSaysOtherwise) {
  const QString Text = "y\n%zelk-data:EditArea(Simple(x))\n";
  EXPECT_EQ(ReadLatex(Text).Data, "EditArea(Simple(x))");
  TLatexReadOptions Presentation;
  Presentation.PreferData = false;
  EXPECT_EQ(ReadLatex(Text, Presentation).Data, "EditArea(Simple(y))");
  EXPECT_FALSE(ReadLatex("y\n%zelk-data:EditArea(ExtSymbol(z))").Ok());
}

TEST(MathMLReader, ReadsThePresentationElementsPeopleUse) {
  const QString M = "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">%1</math>";
  const TCase Cases[] = {
      {"<mfrac><mi>a</mi><mn>2</mn></mfrac>", "Division(EditArea(Simple(a))EditArea(Simple(2)))", false},
      {"<msubsup><mi>x</mi><mi>i</mi><mn>2</mn></msubsup>", "Simple(x)IndexTopBottom(EditArea(Simple(i))EditArea(Simple(2)))", false},
      {"<mrow><mo fence=\"true\">[</mo><mi>x</mi><mo fence=\"true\">]</mo></mrow>", "BracketsSquare(EditArea(Simple(x)))", false},
      {"<mfenced><mi>x</mi><mi>y</mi></mfenced>", "BracketsRound(EditArea(Simple(x)Simple(,)Simple(y)))", false},
      {"<mrow><munderover><mo>&#x2211;</mo><mi>i</mi><mi>n</mi></munderover><mrow><mi>x</mi></mrow></mrow>",
       "SumLimitBottomTop(EditArea(Simple(x))EditArea(Simple(i))EditArea(Simple(n)))", false},
      {"<msub><mo>&#x222B;</mo><mi>S</mi></msub><mi>f</mi><mo>=</mo><mn>0</mn>",
       "IntIndexBottomOne(EditArea(Simple(f))EditArea(Simple(S)))Simple(=)Simple(0)", false},
      {"<mover><mi>x</mi><mo>&#x2192;</mo></mover>", "VectorkaRightaeBottom(EditArea(Simple(x)))", false},
      {"<mover><mo>&#x2192;</mo><mi>f</mi></mover>", "ArrowkaRightaeTop(EditArea(Simple(f)))", false},
      {"<mtable><mtr><mtd><mi>a</mi></mtd><mtd><mi>b</mi></mtd></mtr></mtable><mi>x</mi>",
       "MatrixkmHoriz(EditArea(Simple(a))EditArea(Simple(b)))Simple(x)", false},
      {"<mi>&#x3B1;</mi><mo>&le;</mo><mtext>&nbsp;</mtext>", "ExtSymbol(945)ExtSymbol(8804)ExtSymbol(160)", false},
      {"<mi>sin</mi><mo>&#x2061;</mo><mi>x</mi>", "Simple(s)Simple(i)Simple(n)Simple(x)", true},
      {"<mstyle mathcolor=\"red\"><mi>x</mi></mstyle>", "Simple(x)", true},
      {"<mmultiscripts><mi>C</mi><mprescripts/><mn>6</mn><none/></mmultiscripts>",
       "IndexLeftBottom(EditArea(Simple(6)))Simple(C)", false},
      {"<mmultiscripts><mi>C</mi><mi>i</mi><none/><mprescripts/><none/><mn>2</mn></mmultiscripts>",
       "IndexLeftTop(EditArea(Simple(2)))Simple(C)IndexBottom(EditArea(Simple(i)))", false},
      {"<mover><mi>x</mi><mi>a</mi></mover>", "StackTop(EditArea(Simple(x))EditArea(Simple(a)))", false},
      {"<munder><mover><mi>x</mi><mo>&#x23DE;</mo></mover><mi>n</mi></munder>",
       "StackBottom(EditArea(HorizBraceaeTop(EditArea(Simple(x))EditArea()))EditArea(Simple(n)))", false},
      {"<mover><mover><mi>x</mi><mo>&#x23DE;</mo></mover><mi>n</mi></mover>",
       "HorizBraceaeTop(EditArea(Simple(x))EditArea(Simple(n)))", false},
      {"<mrow><mo fence=\"true\">&#x27E8;</mo><mi>a</mi><mo fence=\"true\">|</mo><mi>b</mi><mo fence=\"true\">&#x27E9;</mo></mrow>",
       "BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"<mrow><mo fence=\"true\">&#x27E8;</mo><mi>a</mi><mo stretchy=\"true\" form=\"infix\">|</mo><mi>b</mi>"
       "<mo fence=\"true\">&#x27E9;</mo></mrow>",
       "BracketsBraKet(EditArea(Simple(a))EditArea(Simple(b)))", false},
      {"<mrow><mo fence=\"true\">&#x2308;</mo><mi>x</mi><mo fence=\"true\">&#x2309;</mo></mrow>",
       "BracketsCeiling(EditArea(Simple(x)))", false},
      // Temml's and MathJax's \middle: a stretchy infix operator, as often as it comes.
      {"<mrow><mo fence=\"true\">{</mo><mi>x</mi><mo stretchy=\"true\" form=\"infix\">|</mo><mi>y</mi>"
       "<mo stretchy=\"true\" form=\"infix\">|</mo><mi>z</mi><mo fence=\"true\">}</mo></mrow>",
       "FenceFigureOpenModuleFigureClose(EditArea(Simple(x))EditArea(Simple(y))EditArea(Simple(z)))", false},
  };
  for (const TCase& Case : Cases) ExpectRead(ReadMathML(M.arg(QString::fromUtf8(Case.Input))), Case);
}

TEST(MathMLReader, BlanksInATokenAreSpacesAndControlCharactersAreDropped) {
  const TReadResult Read = ReadMathML("<math><mi>a\tb</mi><mo>\x7F</mo></math>");
  EXPECT_EQ(Read.Data, "EditArea(Simple(a)Simple(#32)Simple(b))");
  EXPECT_TRUE(Read.Losses.contains("control characters dropped")) << Read.Losses.join("; ").toStdString();
}

TEST(MathMLReader, RefusesWithTheElementAndItsPlace) {
  const struct {
    const char* Input;
    int Line, Column;
    const char* Words;
  } Cases[] = {
      {"<math>\n<mphantom><mi>x</mi></mphantom></math>", 2, 1, "<mphantom>"},
      {"<math><menclose notation=\"box\"><mi>x</mi></menclose></math>", 1, 7, "box"},
      {"<math><mfrac><mi>x</mi></mfrac></math>", 1, 7, "<mfrac> needs 2"},
      {"<math><mi>x</mi>", 1, 16, "XML"},
      {"<math><mi>x</mo></math>", 1, 16, "XML"},
      {"<math>\n  <mi>x</mi><</math>", 2, 14, "XML"},
      {"<math>\n", 2, 1, "XML"},
      {"<html/>", 1, 1, "<math>"},
      {"<math><mover><mi>x</mi><mo>*</mo></mover></math>", 1, 7, "accent"},
      {"<math><mmultiscripts><mi>x</mi><mi>a</mi><mi>b</mi><mi>c</mi><mi>d</mi></mmultiscripts></math>", 1, 7,
       "<mmultiscripts>"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Input);
    const TReadResult Read = ReadMathML(QString::fromUtf8(Case.Input));
    ASSERT_FALSE(Read.Ok());
    EXPECT_EQ(Read.Line, Case.Line);
    EXPECT_EQ(Read.Column, Case.Column);
    EXPECT_TRUE(Read.Error.contains(QString::fromUtf8(Case.Words))) << Read.Error.toStdString();
  }
  EXPECT_FALSE(ReadMathML("<math>" + QString(5000, u'x').replace("x", "<mrow>") + "</math>").Ok());
}

TEST(MathMLReader, SeveralLinesAreATopLevelTableAndTheDataAnnotationWins) {
  EXPECT_EQ(ReadMathML("<math><mtable><mtr><mtd><mi>a</mi></mtd></mtr><mtr><mtd><mi>b</mi></mtd></mtr></mtable></math>").Data,
            "EditArea(Simple(a))EditArea(Simple(b))");
  // As the LaTeX of that formula reads: one empty line, not a formula without lines.
  EXPECT_EQ(ReadMathML("<math><mtable></mtable></math>").Data, "EditArea()");
  EXPECT_EQ(ReadLatex("\\begin{gathered}\\end{gathered}").Data, "EditArea()");
  const QString Annotated =
      "<math><semantics><mi>y</mi><annotation encoding=\"application/x-zelk-data\">EditArea(Simple(x))</annotation>"
      "</semantics></math>";
  EXPECT_EQ(ReadMathML(Annotated).Data, "EditArea(Simple(x))");
  EXPECT_EQ(ReadMathML(Annotated, false).Data, "EditArea(Simple(y))");
}
