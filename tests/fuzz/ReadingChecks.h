#pragma once
// The promises of a reader of LaTeX or MathML, checked on one reading: what it reads is
// Data the editor reads whole and writes back the same, and writing it and reading again
// gives it back, through the exact copy always and through the presentation alone for
// what was read from the presentation alone.

#include <functional>

#include "FuzzSupport.h"
#include "interchange/Formula.h"
#include "interchange/Latex.h"

struct TReader {
  // The reading of a text, with or without preferring the exact copy in it.
  std::function<TReadResult(const QString& Text, bool PreferData)> Read;
  std::function<QString(const TFormula& Formula, bool Annotated)> Write;
};

// Checks the reading of Input; Presentation: it was read without the exact copy.
inline void CheckReading(const TReader& Reader, const QString& Input, const TReadResult& Reading, bool Presentation) {
  if (!Reading.Ok()) {
    if (Reading.Line < 1 || Reading.Column < 1) Fail("a refusal without its place", {{"input", Input}, {"error", Reading.Message()}});
    if (!Reading.Data.isEmpty()) Fail("a refusal with Data", {{"input", Input}, {"data", Reading.Data}});
    return;
  }
  TFormula Formula;
  try {
    Formula = ParseData(Reading.Data);
  } catch (const std::exception& Error) {
    Fail("a reading the editor cannot read", {{"input", Input}, {"data", Reading.Data}, {"error", QString::fromUtf8(Error.what())}});
  }
  if (WriteData(Formula) != Reading.Data) Fail("a reading not in written form", {{"input", Input}, {"data", Reading.Data}});
  if (!LimitProblem(Formula).isEmpty()) Fail("a reading beyond the limits", {{"input", Input}, {"data", Reading.Data}});
  const QString Exact = Reader.Write(Formula, true);
  const TReadResult Back = Reader.Read(Exact, true);
  if (Back.Data != Reading.Data)
    Fail("the exact copy reads back otherwise", {{"input", Input}, {"data", Reading.Data}, {"written", Exact}, {"read", Back.Data}, {"error", Back.Message()}});
  if (!Presentation) return;
  const QString Plain = Reader.Write(Formula, false);
  const TReadResult Again = Reader.Read(Plain, false);
  if (Again.Data != Reading.Data)
    Fail("the presentation reads back otherwise", {{"input", Input}, {"data", Reading.Data}, {"written", Plain}, {"read", Again.Data}, {"error", Again.Message()}});
}
