// The readers on adversarial shapes: every construct nested as deep as a text may nest it,
// long runs, and macro chains. Each shape is read at two sizes, the second ten times the
// first; a reader linear in its input takes at most about ten times as long.
//
//   bash tools/bench.sh --benchmark_filter=Adversarial

#include <benchmark/benchmark.h>

#include <functional>

#include "interchange/MathML.h"

namespace {
const QString BeginDocument = QStringLiteral("\\begin{document}");

enum TReader { rdLatex, rdMathML, rdData };

struct TShape {
  const char* Name;
  TReader Reader;
  // The text for size N: a nesting depth (a chain read a hundred times) or a run's length.
  std::function<QString(int)> Text;
};

// Inner nested Depth times in Wrap, which holds %1 where the inner text goes.
QString Nest(const QString& Wrap, const QString& Inner, int Depth) {
  QString Text = Inner;
  for (int D = 0; D < Depth; ++D) Text = Wrap.arg(Text);
  return Text;
}

// A hundred chains side by side, between relations (which end a big operator's operand), so that even a shallow one takes measurable time.
QString Chains(const QString& Separator, const QString& Chain) {
  QStringList Copies;
  for (int I = 0; I < 100; ++I) Copies << Chain;
  return Copies.join(Separator);
}

std::function<QString(int)> Latex(const char* Wrap) {
  return [Wrap](int Depth) { return Chains("=", Nest(Wrap, "x", Depth)); };
}

std::function<QString(int)> MathML(const char* Wrap) {
  return [Wrap](int Depth) {
    return "<math><mrow>" + Chains("<mo>=</mo>", Nest(Wrap, "<mi>x</mi>", Depth)) + "</mrow></math>";
  };
}

std::function<QString(int)> Data(const char* Wrap) {
  return [Wrap](int Depth) { return "EditArea(" + Chains("Simple(=)", Nest(Wrap, "Simple(x)", Depth)) + ")"; };
}

// A command name of letters only, one per number.
QString Letters(int I) {
  QString Name;
  do Name += QChar('a' + I % 26); while ((I /= 26) > 0);
  return Name;
}

// N commands, each made of the one before, the last used once: N expansions in all.
QString MacroChain(int N) {
  QString Text = "\\newcommand{\\ma}{x}";
  for (int I = 1; I < N; ++I) Text += "\\newcommand{\\m" + Letters(I) + "}{\\m" + Letters(I - 1) + " y}";
  return Text + BeginDocument + "\\m" + Letters(N - 1);
}

// A macro that doubles what it is given, applied N deep: refused once it makes too much.
QString MacroDoubling(int N) { return "\\newcommand{\\d}[1]{#1#1}" + BeginDocument + Nest("\\d{%1}", "x", N); }

const TShape Shapes[] = {
    {"latex frac in numerator", rdLatex, Latex("\\frac{%1}{y}")},
    {"latex sqrt with degree", rdLatex, Latex("\\sqrt[%1]{y}")},
    {"latex left index", rdLatex, Latex("{}^{%1}y")},
    {"latex overset", rdLatex, Latex("\\overset{%1}{y}")},
    {"latex left right", rdLatex, Latex("\\left(%1\\right)")},
    {"latex superscript", rdLatex, Latex("y^{%1}")},
    {"latex sum limits", rdLatex, Latex("\\sum_{%1}^{n}y")},
    {"latex matrix", rdLatex, Latex("\\begin{matrix}%1&y\\end{matrix}")},
    {"latex overline", rdLatex, Latex("\\overline{%1}")},
    {"latex underbrace", rdLatex, Latex("\\underbrace{%1}_{y}")},
    {"latex long run", rdLatex, [](int N) { return QString("x+").repeated(N * 100); }},
    {"latex macro chain", rdLatex, MacroChain},
    {"latex macro doubling", rdLatex, MacroDoubling},
    {"mathml mfrac", rdMathML, MathML("<mfrac><mrow>%1</mrow><mi>y</mi></mfrac>")},
    {"mathml mroot", rdMathML, MathML("<mroot><mi>y</mi><mrow>%1</mrow></mroot>")},
    {"mathml msup", rdMathML, MathML("<msup><mi>y</mi><mrow>%1</mrow></msup>")},
    {"mathml munderover", rdMathML, MathML("<munderover><mo>&#x2211;</mo><mrow>%1</mrow><mi>n</mi></munderover>")},
    {"mathml mtable", rdMathML, MathML("<mtable><mtr><mtd>%1</mtd><mtd><mi>y</mi></mtd></mtr></mtable>")},
    {"mathml fence", rdMathML, MathML("<mrow><mo>(</mo>%1<mo>)</mo></mrow>")},
    {"mathml long run", rdMathML,
     [](int N) { return "<math><mrow>" + QString("<mi>x</mi><mo>+</mo>").repeated(N * 100) + "</mrow></math>"; }},
    {"data division", rdData, Data("Division(EditArea(%1)EditArea(Simple(y)))")},
    {"data root", rdData, Data("Root(EditArea(%1))")},
    {"data brackets", rdData, Data("BracketsRound(EditArea(%1))")},
    {"data long run", rdData, [](int N) { return "EditArea(" + QString("Simple(x)").repeated(N * 100) + ")"; }},
};

void BM_AdversarialRead(benchmark::State& State) {
  const TShape& Shape = Shapes[State.range(0)];
  const QString Text = Shape.Text(static_cast<int>(State.range(1)));
  bool Ok = true;
  for (auto _ : State) {
    switch (Shape.Reader) {
      case rdLatex: {
        // A document's commands come first, read as the corpus test reads them.
        const qsizetype Body = Text.indexOf(BeginDocument);
        TLatexReadOptions Options;
        Options.PreferData = false;
        if (Body >= 0) Options.Macros = ReadLatexMacros(Text.left(Body));
        Ok = ReadLatex(Body >= 0 ? Text.mid(Body + BeginDocument.size()) : Text, Options).Ok();
        break;
      }
      case rdMathML: Ok = ReadMathML(Text, false).Ok(); break;
      case rdData: Ok = !ParseData(Text).Lines.empty(); break;
    }
  }
  State.SetLabel(std::string(Shape.Name) + (Ok ? "" : ", refused"));
  State.counters["bytes"] = Text.size();
}

void Sizes(benchmark::internal::Benchmark* Benchmark) {
  for (int Shape = 0; Shape < static_cast<int>(std::size(Shapes)); ++Shape)
    for (int Size : {3, 30}) Benchmark->Args({Shape, Size});
}
BENCHMARK(BM_AdversarialRead)->Apply(Sizes)->Unit(benchmark::kMillisecond);
}  // namespace
