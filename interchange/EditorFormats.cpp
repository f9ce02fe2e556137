// The editor's LaTeX and MathML properties.

#include <exception>

#include "editor/ZelkEquation.h"
#include "interchange/MathML.h"

namespace {
// The formula the editor holds, or none when its text cannot be taken apart (it can: the
// editor writes only what it reads).
TFormula Current(const TZelkEquation& Editor) {
  try {
    return ParseData(Editor.GetData());
  } catch (const std::exception&) {
    return TFormula();
  }
}
}  // namespace

QString TZelkEquation::GetLaTeX() const { return WriteLatex(Current(*this)); }

QString TZelkEquation::GetMathML() const { return WriteMathML(Current(*this)); }

QString TZelkEquation::GetPlainLaTeX() const { return WriteLatex(Current(*this), false); }

QString TZelkEquation::GetPlainMathML() const { return WriteMathML(Current(*this), false); }

void TZelkEquation::PutLaTeX(const QString& Text) { PutRead(ReadLatex(Text)); }

void TZelkEquation::PutMathML(const QString& Text) { PutRead(ReadMathML(Text)); }

void TZelkEquation::PutRead(const TReadResult& Read) {
  if (!Read.Ok()) {
    SetReadError(Read.Message());
    return;
  }
  PutData(Read.Data);
  if (!Read.Losses.isEmpty() && ReadError().isEmpty())
    SetReadError(QStringLiteral("read with a loss: ") + Read.Losses.join(QStringLiteral("; ")));
}
