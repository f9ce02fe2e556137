// Reads arbitrary bytes as MathML (UTF-8), with and without preferring the Data
// annotation; every reading must keep the promises of ReadingChecks.h, and no input may
// crash, hang or trip a sanitizer.

#include "ReadingChecks.h"
#include "interchange/MathML.h"

namespace {
const TReader MathML{[](const QString& Text, bool PreferData) { return ReadMathML(Text, PreferData); },
                     [](const TFormula& Formula, bool Annotated) { return WriteMathML(Formula, Annotated); }};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString Input = QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  CheckReading(MathML, Input, ReadMathML(Input, true), false);
  CheckReading(MathML, Input, ReadMathML(Input, false), true);
  return 0;
}
