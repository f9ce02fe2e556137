// Speed and memory of reading, editing and painting large formulas.
//
//   bash tools/bench.sh            (Release build, every benchmark)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <memory>

#include "FormulaGenerator.h"
#include "Shapes.h"
#include "demo/main.h"
#include "editor/Equations.h"

namespace {
constexpr int KeystrokeElements = 2000;
constexpr int KeystrokeLines = 50;

void ReportElements(benchmark::State& State, int Elements) {
  State.counters["elements"] = Elements;
  State.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(Elements) * State.iterations(), benchmark::Counter::kIsRate);
}

// Every new node posts itself a polish request. A host's event loop handles those between
// two edits; here no loop runs, and a queue left to grow would make deleting each node
// (which searches the queue) slower from one iteration to the next.
void HandlePostedEvents() { QCoreApplication::sendPostedEvents(); }

// An editor as a user meets it: shown, and with an OnChange receiver when Receiver says so.
// rcCount only counts; rcCopy copies Data, as a host showing the text does.
enum TReceiver { rcNone, rcCount, rcCopy };
const char* ReceiverName(int Receiver) {
  static const char* const Names[] = {"no receiver", "counting receiver", "receiver copying Data"};
  return Names[Receiver];
}
void Connect(TZelkEquation& Editor, int Receiver, QString& Copy, long& Count) {
  if (Receiver == rcCount) QObject::connect(&Editor, &TZelkEquation::OnChange, [&Count] { ++Count; });
  if (Receiver == rcCopy)
    QObject::connect(&Editor, &TZelkEquation::OnChange, [&Editor, &Copy] { Copy = Editor.GetData(); });
}

// The typesetting style of the last argument, named in the label.
TTypesetting Style(const benchmark::State& State, int Argument) {
  return State.range(Argument) == 1 ? TTypesettings::Math : TTypesettings::Classic;
}

void BM_ReadData(benchmark::State& State) {
  const TGeneratedFormula Formula = GenerateFormula(static_cast<int>(State.range(0)), 50);
  TZelkEquation Editor;
  Editor.SetTypesetting(Style(State, 2));
  QString Copy;
  long Count = 0;
  Connect(Editor, static_cast<int>(State.range(1)), Copy, Count);
  Editor.show();
  HandlePostedEvents();
  for (auto _ : State) {
    Editor.SetData(Formula.Data);
    State.PauseTiming();
    HandlePostedEvents();
    State.ResumeTiming();
  }
  State.SetLabel(State.range(2) == 1 ? "math" : "classic");
  ReportElements(State, Formula.Elements);
}
BENCHMARK(BM_ReadData)
    ->ArgsProduct({{200, 2000, 20000}, {rcNone}, {0, 1}})
    ->Args({2000, rcCount, 0})
    ->Args({2000, rcCopy, 0})
    ->Args({20000, rcCount, 0})
    ->Args({2000, rcCount, 1})
    ->Unit(benchmark::kMillisecond);

// Reading one shape of Args(shape, elements, receiver).
void BM_ReadShape(benchmark::State& State) {
  const auto Shape = static_cast<TShape>(State.range(0));
  const QString Data = ShapeData(Shape, static_cast<int>(State.range(1)));
  TZelkEquation Editor;
  QString Copy;
  long Count = 0;
  Connect(Editor, static_cast<int>(State.range(2)), Copy, Count);
  Editor.show();
  HandlePostedEvents();
  for (auto _ : State) {
    Editor.SetData(Data);
    State.PauseTiming();
    HandlePostedEvents();
    State.ResumeTiming();
  }
  State.SetLabel(std::string(ShapeName(Shape)) + ", " + ReceiverName(static_cast<int>(State.range(2))));
  ReportElements(State, static_cast<int>(State.range(1)));
}
BENCHMARK(BM_ReadShape)
    ->ArgsProduct({{shLine, shSlotRun, shMatrix, shLines, shNesting}, {2000, 20000}, {rcNone, rcCount}})
    ->Args({shMatrix, 50000, rcNone})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_WriteData(benchmark::State& State) {
  const TGeneratedFormula Formula = GenerateFormula(static_cast<int>(State.range(0)), 50);
  TZelkEquation Editor;
  Editor.SetData(Formula.Data);
  HandlePostedEvents();
  // The text is kept until something changes: write it after a change in one line, as a
  // host showing the text does after each edit.
  TEditArea* Edited = Editor.Line(Editor.LineCount() / 2);
  for (auto _ : State) {
    Edited->LayoutChanged();
    benchmark::DoNotOptimize(Editor.GetData());
  }
  ReportElements(State, Formula.Elements);
}
BENCHMARK(BM_WriteData)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The 50-line formula of the editing benchmarks, with the caret in the middle of its first
// (Which 0) or last (Which 1) line.
struct TEditedFormula {
  TZelkEquation Editor;
  TEditArea* Line = nullptr;
  long Changes = 0;

  explicit TEditedFormula(int Which, TTypesetting Typesetting = TTypesettings::Classic) {
    Editor.SetTypesetting(Typesetting);
    Editor.SetData(GenerateFormula(KeystrokeElements, KeystrokeLines).Data);
    QObject::connect(&Editor, &TZelkEquation::OnChange, [this] { ++Changes; });
    Editor.show();
    HandlePostedEvents();
    Line = Editor.Line(Which == 0 ? 0 : Editor.LineCount() - 1);
    Line->SetActive(true);
    Line->SetEquationIndex(Line->Count() / 2);
  }
  // What the key map does for a typed character and for Backspace.
  void Type() {
    Line->AddEqSimple(QLatin1Char('k'));
    Line->SetEquationIndex(Line->EquationIndex() + 1);
  }
  void Backspace() {
    Line->SetEquationIndex(Line->EquationIndex() - 1);
    Line->DelEquation(Line->EquationIndex());
  }
};

const char* LineLabel(const benchmark::State& State) {
  return State.range(0) == 0 ? "first line" : "last line";
}

void BM_Keystroke(benchmark::State& State) {
  TEditedFormula Formula(static_cast<int>(State.range(0)), Style(State, 1));
  for (auto _ : State) {
    Formula.Type();
    State.PauseTiming();
    Formula.Backspace();
    HandlePostedEvents();
    State.ResumeTiming();
  }
  State.SetLabel(std::string(LineLabel(State)) + (State.range(1) == 1 ? ", math" : ", classic"));
}
BENCHMARK(BM_Keystroke)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

// A keystroke in the first line when every line wraps at 600 pixels (0), or holds an
// alignment mark, so that a change of one line may move all the others (1).
void BM_KeystrokeLongFormulas(benchmark::State& State) {
  TEditedFormula Formula(0);
  if (State.range(0) == 0) {
    Formula.Editor.SetWrapWidth(600);
  } else {
    for (int J = 0; J < Formula.Editor.LineCount(); ++J) {
      TEditArea* Line = Formula.Editor.Line(J);
      Line->SetEquationIndex(Line->Count() / 2);
      Line->AddEqAlignMark();
    }
    Formula.Line->SetActive(true);
  }
  HandlePostedEvents();
  for (auto _ : State) {
    Formula.Type();
    State.PauseTiming();
    Formula.Backspace();
    HandlePostedEvents();
    State.ResumeTiming();
  }
  State.SetLabel(State.range(0) == 0 ? "wrapped lines" : "aligned lines");
}
BENCHMARK(BM_KeystrokeLongFormulas)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Backspace(benchmark::State& State) {
  TEditedFormula Formula(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    State.PauseTiming();
    Formula.Type();
    HandlePostedEvents();
    State.ResumeTiming();
    Formula.Backspace();
  }
  State.SetLabel(LineLabel(State));
}
BENCHMARK(BM_Backspace)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Repaint(benchmark::State& State) {
  const TGeneratedFormula Formula = GenerateFormula(static_cast<int>(State.range(0)), KeystrokeLines);
  TZelkEquation Editor;
  Editor.SetData(Formula.Data);
  Editor.show();
  HandlePostedEvents();
  Editor.resize(Editor.CalcWidth() + 40, Editor.CalcHeight(Editor.LineCount()));
  QImage Image(Editor.size(), QImage::Format_ARGB32_Premultiplied);
  // The first painting also fills the font's glyph cache; a repaint finds it filled.
  Editor.render(&Image);
  for (auto _ : State) {
    Editor.render(&Image);
    benchmark::DoNotOptimize(Image.bits());
  }
  ReportElements(State, Formula.Elements);
}
BENCHMARK(BM_Repaint)->Arg(2000)->Unit(benchmark::kMillisecond);

// The demonstration program started with a large formula, up to its first painting.
void BM_DemoStart(benchmark::State& State) {
  const TGeneratedFormula Formula = GenerateFormula(static_cast<int>(State.range(0)), KeystrokeLines);
  for (auto _ : State) {
    TfrmMain Form;
    auto* Editor = Form.findChild<TZelkEquation*>(QStringLiteral("ZelkEquation1"));
    Editor->PutData(Formula.Data);
    Form.show();
    Editor->repaint();
    State.PauseTiming();
    Form.hide();
    HandlePostedEvents();
    State.ResumeTiming();
  }
  ReportElements(State, Formula.Elements);
}
BENCHMARK(BM_DemoStart)->Arg(2000)->Unit(benchmark::kMillisecond);

long ResidentKiB() {
  // /proc files report size 0, so readAll() gives nothing: read them line by line.
  QFile Status(QStringLiteral("/proc/self/status"));
  if (!Status.open(QIODevice::ReadOnly | QIODevice::Text)) return 0;
  for (QByteArray Line = Status.readLine(); !Line.isEmpty(); Line = Status.readLine())
    if (Line.startsWith("VmRSS:")) return Line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

void BM_MemoryPerElement(benchmark::State& State) {
  const TGeneratedFormula Formula = GenerateFormula(static_cast<int>(State.range(0)), KeystrokeLines);
  double BytesPerElement = 0;
  for (auto _ : State) {
    // Shown in a window of a screen's size and painted once, as a user meets it; the
    // window's own pixels are there before the formula is.
    auto Editor = std::make_unique<TZelkEquation>();
    Editor->resize(1600, 1000);
    Editor->show();
    Editor->repaint();
    HandlePostedEvents();
    const long Before = ResidentKiB();
    Editor->SetData(Formula.Data);
    Editor->repaint();
    HandlePostedEvents();
    BytesPerElement = (ResidentKiB() - Before) * 1024.0 / Formula.Elements;
  }
  State.counters["bytes/element"] = BytesPerElement;
  State.counters["elements"] = Formula.Elements;
}
BENCHMARK(BM_MemoryPerElement)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
