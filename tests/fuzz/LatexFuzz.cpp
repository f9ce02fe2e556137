// Reads arbitrary bytes as LaTeX (UTF-8) with a few document macros, displayed and
// inline, with and without preferring the exact copy; every reading must keep the
// promises of ReadingChecks.h, and no input may crash, hang or trip a sanitizer.

#include "ReadingChecks.h"

namespace {
TLatexReadOptions Options(bool PreferData, bool Display) {
  TLatexReadOptions Result;
  Result.PreferData = PreferData;
  Result.Display = Display;
  // A renaming, a repeating and a two-argument macro, as documents define them.
  Result.Macros.insert(QStringLiteral("wh"), {0, QStringLiteral("\\widehat")});
  Result.Macros.insert(QStringLiteral("twice"), {1, QStringLiteral("#1#1")});
  Result.Macros.insert(QStringLiteral("pair"), {2, QStringLiteral("\\left(#1,#2\\right)")});
  return Result;
}

const TReader Latex{[](const QString& Text, bool PreferData) { return ReadLatex(Text, Options(PreferData, true)); },
                    [](const TFormula& Formula, bool Annotated) { return WriteLatex(Formula, Annotated); }};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString Input = QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  CheckReading(Latex, Input, ReadLatex(Input, Options(true, true)), false);
  CheckReading(Latex, Input, ReadLatex(Input, Options(false, true)), true);
  // Inline, big operators read other limits; the reading still writes and reads back.
  CheckReading(Latex, Input, ReadLatex(Input, Options(false, false)), true);
  return 0;
}
