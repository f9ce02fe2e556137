// What other programs write, read as they mean it. The fixtures are the programs' own
// output: Temml 0.13 and KaTeX 0.19 (generated with the pinned validators), MathJax 3 and
// pandoc 3 (texmath) as they write the same LaTeX.
#include <gtest/gtest.h>

#include "interchange/MathML.h"

namespace {
struct TProduced {
  const char* Producer;
  const char* Text;
  const char* Data;  // one line, without the EditArea around it
  bool Loss = false;
};

void ExpectReads(const TReadResult& Read, const TProduced& Case) {
  SCOPED_TRACE(std::string(Case.Producer) + ": " + Case.Text);
  ASSERT_TRUE(Read.Ok()) << Read.Message().toStdString();
  EXPECT_EQ(Read.Data.toStdString(), "EditArea(" + std::string(Case.Data) + ")");
  EXPECT_EQ(!Read.Losses.isEmpty(), Case.Loss) << Read.Losses.join("; ").toStdString();
}

void ExpectMathML(const TProduced& Case) { ExpectReads(ReadMathML(QString::fromUtf8(Case.Text)), Case); }
void ExpectLatex(const TProduced& Case) { ExpectReads(ReadLatex(QString::fromUtf8(Case.Text)), Case); }

const char* const Binomial = "Binomial(EditArea(Simple(n))EditArea(Simple(k)))";
const char* const SmallBinomial = "BinomialSmall(EditArea(Simple(n))EditArea(Simple(k)))";
}  // namespace

TEST(Producers, ABinomialIsABinomialInEveryProducersMathML) {
  const TProduced Cases[] = {
      {"Temml", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\" class=\"tml-display\" "
                "style=\"display:block math;\"><mrow><mo fence=\"true\">(</mo><mfrac linethickness=\"0px\"><mi>n</mi>"
                "<mi>k</mi></mfrac><mo fence=\"true\">)</mo></mrow></math>",
       Binomial},
      {"Temml \\tbinom", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\" class=\"tml-display\" "
                         "style=\"display:block math;\"><mstyle displaystyle=\"false\" scriptlevel=\"0\"><mrow>"
                         "<mo fence=\"true\">(</mo><mfrac linethickness=\"0px\"><mi>n</mi><mi>k</mi></mfrac>"
                         "<mo fence=\"true\">)</mo></mrow></mstyle></math>",
       SmallBinomial},
      {"Temml \\dbinom", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><mstyle "
                         "displaystyle=\"true\" scriptlevel=\"0\"><mrow><mo fence=\"true\">(</mo><mfrac "
                         "linethickness=\"0px\"><mi>n</mi><mi>k</mi></mfrac><mo fence=\"true\">)</mo></mrow></mstyle></math>",
       Binomial},
      {"KaTeX", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics><mrow><mo "
                "fence=\"true\">(</mo><mfrac linethickness=\"0px\"><mi>n</mi><mi>k</mi></mfrac><mo fence=\"true\">)</mo>"
                "</mrow><annotation encoding=\"application/x-tex\">\\binom{n}{k}</annotation></semantics></math>",
       Binomial},
      {"KaTeX \\tbinom", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics><mrow>"
                         "<mstyle scriptlevel=\"0\" displaystyle=\"false\"><mrow><mo fence=\"true\">(</mo><mfrac "
                         "linethickness=\"0px\"><mi>n</mi><mi>k</mi></mfrac><mo fence=\"true\">)</mo></mrow></mstyle>"
                         "</mrow><annotation encoding=\"application/x-tex\">\\tbinom{n}{k}</annotation></semantics></math>",
       SmallBinomial},
      {"MathJax", "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><mrow data-mjx-texclass=\"ORD\">"
                  "<mrow data-mjx-texclass=\"OPEN\"><mo minsize=\"2.047em\" maxsize=\"2.047em\">(</mo></mrow><mfrac "
                  "linethickness=\"0\"><mi>n</mi><mi>k</mi></mfrac><mrow data-mjx-texclass=\"CLOSE\"><mo "
                  "minsize=\"2.047em\" maxsize=\"2.047em\">)</mo></mrow></mrow></math>",
       Binomial},
      {"pandoc", "<math display=\"block\" xmlns=\"http://www.w3.org/1998/Math/MathML\"><semantics><mrow><mo "
                 "stretchy=\"true\" form=\"prefix\">(</mo><mfrac linethickness=\"0\"><mi>n</mi><mi>k</mi></mfrac><mo "
                 "stretchy=\"true\" form=\"postfix\">)</mo></mrow><annotation encoding=\"application/x-tex\">\\binom{n}{k}"
                 "</annotation></semantics></math>",
       Binomial},
      // Within a row, between other items.
      {"pandoc", "<math><mrow><mi>x</mi><mo>=</mo><mo stretchy=\"true\" form=\"prefix\">(</mo><mfrac "
                 "linethickness=\"0\"><mi>n</mi><mi>k</mi></mfrac><mo stretchy=\"true\" form=\"postfix\">)</mo></mrow></math>",
       "Simple(x)Simple(=)Binomial(EditArea(Simple(n))EditArea(Simple(k)))"},
      // A bar-less fraction with no brackets is a stack, which has no kind: a column.
      {"MathJax \\atop", "<math><mfrac linethickness=\"0\"><mi>a</mi><mi>b</mi></mfrac></math>",
       "MatrixkmVert(EditArea(Simple(a))EditArea(Simple(b)))", true},
      // A fraction's bar of another thickness stays a fraction.
      {"MathML", "<math><mfrac linethickness=\"2px\"><mi>a</mi><mi>b</mi></mfrac></math>",
       "Division(EditArea(Simple(a))EditArea(Simple(b)))"},
  };
  for (const TProduced& Case : Cases) ExpectMathML(Case);
}

TEST(Producers, ABinomialInLatexBothWays) {
  const TProduced Cases[] = {
      {"LaTeX", "\\binom{n}{k}", Binomial},
      {"LaTeX", "\\dbinom n k", Binomial},
      {"LaTeX", "\\tbinom{n}{k}", SmallBinomial},
      {"plain TeX", "{n \\choose k}", Binomial},
  };
  for (const TProduced& Case : Cases) ExpectLatex(Case);
  const TFormula Formula = ParseData(QStringLiteral("EditArea(Binomial(EditArea(Simple(n))EditArea(Simple(k)))"
                                                    "BinomialSmall(EditArea(Simple(a))EditArea(Simple(b))))"));
  EXPECT_EQ(WriteLatex(Formula, false), "\\binom{n}{k}\\tbinom{a}{b}");
  const QString MathML = WriteMathML(Formula, false);
  EXPECT_TRUE(MathML.contains("<mrow><mo fence=\"true\" form=\"prefix\">(</mo><mfrac linethickness=\"0\">"))
      << MathML.toStdString();
  const TReadResult Back = ReadMathML(MathML, false);
  EXPECT_EQ(Back.Data, WriteData(Formula));
  EXPECT_TRUE(Back.Losses.isEmpty()) << Back.Losses.join("; ").toStdString();
}

TEST(Producers, PandocsTrailingLineBreakEndsTheLastRowAndStartsNone) {
  // pandoc's LaTeX writer ends every row with \\, the last one too.
  const TProduced Cases[] = {
      {"pandoc", "\\begin{pmatrix}\na & b \\\\\nc & d \\\\\n\\end{pmatrix}",
       "BracketsRound(EditArea(MatrixkmSquare(EditArea(Simple(a))EditArea(Simple(b))EditArea(Simple(c))EditArea(Simple(d)))))"},
      {"pandoc", "\\begin{pmatrix}\n1 \\\\\n2 \\\\\n\\end{pmatrix}",
       "BracketsRound(EditArea(MatrixkmVert(EditArea(Simple(1))EditArea(Simple(2)))))"},
      {"pandoc", "f(x) = \\begin{cases}\n1 & x > 0 \\\\\n0 & x \\leq 0 \\\\\n\\end{cases}",
       "Simple(f)Simple(#40)Simple(x)Simple(#41)Simple(=)BracketLeftFigure(EditArea(MatrixkmSquare("
       "EditArea(Simple(1))EditArea(Simple(x)Simple(>)Simple(0))EditArea(Simple(0))EditArea(Simple(x)ExtSymbol(8804)Simple(0)))))"},
  };
  for (const TProduced& Case : Cases) ExpectLatex(Case);
}

TEST(Producers, OperatorNamesWithLimitsAreOperatorsAndUprightLettersSayTheyAreNot) {
  const char* const Limit = "OperatorLimitBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)ExtSymbol(8594)Simple(0)))";
  const TProduced MathML[] = {
      {"Temml", "<math><mrow><munder><mi>lim</mi><mrow><mi>x</mi><mo>→</mo><mn>0</mn></mrow></munder><mo>⁡</mo>"
                "<mi>f</mi></mrow></math>",
       "OperatorLimitBottom(EditArea(Simple(l)Simple(i)Simple(m))EditArea(Simple(x)ExtSymbol(8594)Simple(0)))Simple(f)"},
      {"KaTeX", "<math><semantics><mrow><munder><mrow><mi>lim</mi><mo>⁡</mo></mrow><mrow><mi>x</mi><mo>→</mo><mn>0</mn>"
                "</mrow></munder></mrow><annotation encoding=\"application/x-tex\">\\lim_{x\\to 0}</annotation></semantics></math>",
       Limit},
      {"MathJax", "<math display=\"block\"><munder><mo data-mjx-texclass=\"OP\" movablelimits=\"true\">lim</mo><mrow "
                  "data-mjx-texclass=\"ORD\"><mi>x</mi><mo stretchy=\"false\">&#x2192;</mo><mn>0</mn></mrow></munder></math>",
       Limit},
      {"pandoc", "<math><munder><mo>lim</mo><mrow><mi>x</mi><mo>→</mo><mn>0</mn></mrow></munder></math>", Limit},
      // Without limits the name is letters, and that is said: an <mo> as an <mi>.
      {"MathJax", "<math><mo data-mjx-texclass=\"OP\" movablelimits=\"true\">lim</mo></math>",
       "Simple(l)Simple(i)Simple(m)", true},
      {"Temml", "<math><mrow><mi mathvariant=\"normal\">U</mi><mspace></mspace></mrow></math>", "Simple(U)", true},
      // Upright is how these stand anyway.
      {"KaTeX", "<math><mi mathvariant=\"normal\">∞</mi><mi mathvariant=\"normal\">Γ</mi></math>",
       "ExtSymbol(8734)ExtSymbol(915)"},
  };
  for (const TProduced& Case : MathML) ExpectMathML(Case);
  const TProduced Latex[] = {
      {"LaTeX", "\\lim\\limits_{x \\to 0}", Limit},
      {"LaTeX", "\\max\\nolimits_{i}", "OperatorIndexBottom(EditArea(Simple(m)Simple(a)Simple(x))EditArea(Simple(i)))"},
      {"LaTeX", "\\operatorname{ess\\,sup}\\limits_{x}",
       "OperatorLimitBottom(EditArea(Simple(e)Simple(s)Simple(s)ExtSymbol(8198)Simple(s)Simple(u)Simple(p))EditArea(Simple(x)))"},
      // In display TeX sets \lim's scripts as limits: what the producers' MathML says too.
      {"LaTeX", "\\lim_{x \\to 0}", Limit},
  };
  for (const TProduced& Case : Latex) ExpectLatex(Case);
}

TEST(Producers, AccentsWrittenWithCombiningMarksAndAnOverlineAsAnEnclosure) {
  const TProduced Cases[] = {
      {"KaTeX \\vec", "<math><semantics><mrow><mover accent=\"true\"><mi>v</mi><mo>⃗</mo></mover></mrow></semantics></math>",
       "AccentArrowRight(EditArea(Simple(v)))"},
      {"pandoc \\vec", "<math><mover><mi>v</mi><mo accent=\"true\">⃗</mo></mover></math>", "AccentArrowRight(EditArea(Simple(v)))"},
      {"pandoc \\dot", "<math><mover><mi>x</mi><mo accent=\"true\">̇</mo></mover></math>", "AccentDot(EditArea(Simple(x)))"},
      {"pandoc \\ddot", "<math><mover><mi>x</mi><mo accent=\"true\">̈</mo></mover></math>", "AccentDotTwo(EditArea(Simple(x)))"},
      {"KaTeX \\bar", "<math><mover accent=\"true\"><mi>x</mi><mo>ˉ</mo></mover></math>", "AccentBar(EditArea(Simple(x)))"},
      {"Temml \\vec", "<math><mover><mi>v</mi><mo stretchy=\"false\" class=\"tml-vec chr-sml wbk-sml-vec\">→</mo></mover></math>",
       "AccentArrowRight(EditArea(Simple(v)))"},
      {"Temml \\dot", "<math><mover><mi>x</mi><mo stretchy=\"false\" class=\"chr-sml wbk-sml-acc\">˙</mo></mover></math>",
       "AccentDot(EditArea(Simple(x)))"},
      {"Temml \\overline", "<math><menclose notation=\"top\" class=\"tml-overline\"><mrow><mi>A</mi><mi>B</mi></mrow></menclose></math>",
       "VectoraeBottom(EditArea(Simple(A)Simple(B)))"},
      {"Temml \\underline", "<math><menclose notation=\"bottom\"><mi>x</mi></menclose></math>", "VectoraeTop(EditArea(Simple(x)))"},
  };
  for (const TProduced& Case : Cases) ExpectMathML(Case);
  // Our own accents as the spacing marks other readers take for wide accents.
  const QString Written = WriteMathML(ParseData(QStringLiteral(
      "EditArea(AccentHat(EditArea(Simple(x)))AccentBar(EditArea(Simple(x)))AccentTilde(EditArea(Simple(x))))")), false);
  for (const char* Mark : {"ˆ", "¯", "˜"}) EXPECT_TRUE(Written.contains(QString::fromUtf8(Mark))) << Mark;
}

TEST(Producers, ABigOperatorsOperandUpToTheNextRelationIsTexsReadingAndNoLoss) {
  ExpectLatex({"LaTeX", "\\sum_{i=1}^{n} i = m",
               "SumLimitBottomTop(EditArea(Simple(i))EditArea(Simple(i)Simple(=)Simple(1))EditArea(Simple(n)))Simple(=)Simple(m)"});
  ExpectMathML({"Temml", "<math><mrow><munderover><mo movablelimits=\"false\">∑</mo><mrow><mi>i</mi><mo>=</mo><mn>1</mn>"
                         "</mrow><mi>n</mi></munderover><mi>i</mi><mo>=</mo><mi>m</mi></mrow></math>",
                "SumLimitBottomTop(EditArea(Simple(i))EditArea(Simple(i)Simple(=)Simple(1))EditArea(Simple(n)))Simple(=)Simple(m)"});
}

TEST(LatexOutput, CommandsWherePdfLatexHasThemAndCharactersForUnicodeMath) {
  // Characters typed as they are (not palette symbols): ⋅ ∣ ‖ ′ − ≤ α ∑ and one without a command.
  const TFormula Formula = ParseData(QStringLiteral(
      "EditArea(Simple(a)Simple(⋅)Simple(b)Simple(∣)Simple(c)Simple(‖)Simple(′)Simple(−)Simple(≤)Simple(α)Simple(∑)Simple(☺))"));
  EXPECT_EQ(WriteLatex(Formula, false), QString::fromUtf8("a\\cdot b\\mid c\\|\\prime-\\leq\\alpha{\\sum}☺"));
  EXPECT_EQ(WriteLatex(Formula, false, TLatexFlavour::UnicodeMath), QString::fromUtf8("a⋅b∣c‖′−≤α∑☺"));
  // A letter with a command is math, not text.
  EXPECT_EQ(WriteLatex(ParseData(QStringLiteral("EditArea(Simple(ℓ)Simple(ℵ)Simple(ж))")), false),
            QString::fromUtf8("\\ell\\aleph\\text{ж}"));
  // What the commands read back to is what the characters read back to; the minus sign
  // reads as the - TeX sets it for, so that what is read writes back to the same.
  const TReadResult Commands = ReadLatex(WriteLatex(Formula, false));
  EXPECT_EQ(Commands.Data, ReadLatex(WriteLatex(Formula, false, TLatexFlavour::UnicodeMath)).Data);
  EXPECT_TRUE(Commands.Data.contains("Simple(-)"));
  // A palette symbol by its code is the symbol (the fuzzer's \char"b0 had read as a
  // character that wrote back as the degree sign, which reads as the symbol).
  EXPECT_EQ(ReadLatex(QStringLiteral("\\char\"b0{\\char\"FFFF}"), {true, false, {}}).Data,
            ReadLatex(QString::fromUtf8("°{\\char\"FFFF}"), {true, false, {}}).Data);
  for (const QString& Text : {QStringLiteral("a−b"), QStringLiteral("\\char\"2212"),
                              QStringLiteral("\\mathop{\\oiint}\\limits[{xtext{\\char\"FFFF\\char\"b0\\char\"FFFF}}{a}")}) {
    const TReadResult Read = ReadLatex(Text, {true, false, {}});
    ASSERT_TRUE(Read.Ok()) << Text.toStdString();
    EXPECT_FALSE(Read.Data.contains(QString(QChar(0x2212)))) << Text.toStdString();
    EXPECT_EQ(ReadLatex(WriteLatex(ParseData(Read.Data), false)).Data, Read.Data) << Text.toStdString();
  }
  // Text keeps the character it holds: TeX sets no minus sign for a hyphen there.
  const TReadResult Text = ReadLatex(QStringLiteral("\\text{−}"), {true, false, {}});
  EXPECT_EQ(Text.Data, QStringLiteral("EditArea(Text(EditArea(Simple(−))))"));
  EXPECT_EQ(ReadLatex(WriteLatex(ParseData(Text.Data), false)).Data, Text.Data);
}

TEST(ReadersRefuse, NulAndControlCharactersWithTheirPlace) {
  for (const auto& [Text, Line, Column] : {std::tuple{QStringLiteral("a+b\nc\x01"), 2, 2},
                                            std::tuple{QString(QString(QChar(0)) + QStringLiteral("x")), 1, 1}}) {
    for (const TReadResult& Read : {ReadLatex(Text), ReadMathML("<math>" + Text + "</math>")}) {
      EXPECT_FALSE(Read.Ok());
      EXPECT_TRUE(Read.Data.isEmpty());
      EXPECT_TRUE(Read.Error.contains(Text.contains(QChar(0)) ? "NUL" : "control character U+0001"))
          << Read.Error.toStdString();
    }
    EXPECT_EQ(ReadLatex(Text).Line, Line);
    EXPECT_EQ(ReadLatex(Text).Column, Column);
  }
  // Tabs and line breaks are blanks.
  EXPECT_TRUE(ReadLatex("a\t+\r\nb").Ok());
}
