// The editor's LaTeX and MathML properties.

#include <exception>

#include "editor/EditorCore.h"
#include "interchange/MathML.h"

namespace {
// The formula the editor holds, or none when its text cannot be taken apart (it can: the
// editor writes only what it reads).
TFormula Current(const TEditorCore& Editor) {
  try {
    return ParseData(Editor.GetData());
  } catch (const std::exception&) {
    return TFormula();
  }
}
}  // namespace

QString TEditorCore::GetLaTeX() const { return WriteLatex(Current(*this)); }

QString TEditorCore::GetMathML() const { return WriteMathML(Current(*this)); }

QString TEditorCore::GetPlainLaTeX() const { return WriteLatex(Current(*this), false); }

QString TEditorCore::GetPlainMathML() const { return WriteMathML(Current(*this), false); }

void TEditorCore::PutLaTeX(const QString& Text) { PutRead(ReadLatex(Text)); }

void TEditorCore::PutMathML(const QString& Text) { PutRead(ReadMathML(Text)); }

void TEditorCore::PutRead(const TReadResult& Read) {
  if (!Read.Ok()) {
    SetReadError(Read.Message());
    return;
  }
  PutData(Read.Data);
  if (!Read.Losses.isEmpty() && ReadError().isEmpty())
    SetReadError(QStringLiteral("read with a loss: ") + Read.Losses.join(QStringLiteral("; ")));
}
