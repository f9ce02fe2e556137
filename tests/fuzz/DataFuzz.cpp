// Assigns arbitrary bytes as Data to an editor, read as UTF-8 (and painted) and as UTF-16
// code units. Beyond what the sanitizers catch, every input must give a text that is a
// fixed point: written, read again and written again it is unchanged, and the tree read
// from it has exactly the lines and elements that the text holds. Read once more with an
// OnChange receiver that reads Data and looks at the layout, it gives the same text and
// the same geometry.

#include <QImage>
#include <array>
#include <cstring>
#include <exception>
#include <vector>

#include "FuzzSupport.h"
#include "editor/Equations.h"
#include "model/TextForm.h"
#include "platform/Exceptions.h"

namespace {
struct TCounts {
  int Lines = 0;
  int Elements = 0;
  bool operator==(const TCounts&) const = default;
};

void CountRun(const TEditArea* Area, TCounts& Counts) {
  Counts.Elements += Area->Count();
  for (int I = 0; I < Area->Count(); ++I)
    if (const auto* Template = dynamic_cast<const TEqParent*>(Area->Item(I)))
      for (int S = 0; S < Template->EditAreaCount(); ++S) CountRun(Template->Slot(S), Counts);
}

TCounts CountTree(const TZelkEquation& Editor) {
  TCounts Counts;
  Counts.Lines = Editor.LineCount();
  for (int J = 0; J < Editor.LineCount(); ++J) CountRun(Editor.Line(J), Counts);
  return Counts;
}

// Counts by splitting a written run: every item is an element; a template's argument holds
// one EditArea item per slot.
void CountRunText(const QString& Run, TCounts& Counts) {
  for (const TExpression& Item : SplitItems(Run)) {
    ++Counts.Elements;
    if (Item.Name == QLatin1String("Simple") || Item.Name == QLatin1String("ExtSymbol")) continue;
    for (const TExpression& Slot : SplitItems(Item.Argument)) CountRunText(Slot.Argument, Counts);
  }
}

TCounts CountText(const QString& Text) {
  TCounts Counts;
  for (const TExpression& Line : SplitItems(Text)) {
    ++Counts.Lines;
    CountRunText(Line.Argument, Counts);
  }
  return Counts;
}

using TGeometry = std::vector<std::array<int, 5>>;

void CollectGeometry(const TCustomControl* Node, TGeometry& Out) {
  for (const TCustomControl* Child : Node->Children()) {
    Out.push_back({Child->Left(), Child->Top(), Child->Width(), Child->Height(), Child->Visible()});
    CollectGeometry(Child, Out);
  }
}

TGeometry Geometry(const TZelkEquation& Editor) {
  TGeometry Out;
  CollectGeometry(&Editor, Out);
  return Out;
}

[[noreturn]] void Fail(const char* What, const QString& Input, const QString& First, const QString& Second) {
  ::Fail(What, {{"input", Input}, {"first", First}, {"second", Second}});
}

// Reads Text, tolerating the reader's own errors; what was read stays.
void Read(TZelkEquation& Editor, const QString& Text) {
  try {
    Editor.SetData(Text);
  } catch (const EConvertError&) {
  } catch (const ELimitError&) {
  }
  // What the event loop does after an assignment; without it the events posted to every
  // new node pile up and make each later deletion scan them all.
  QCoreApplication::sendPostedEvents();
}

// Reads Input with a receiver that copies Data on every notification and looks at the
// layout now and then (looking lays out the tree, so every time would be slow).
void CheckWithReceiver(const QString& Input, const QString& First, const TGeometry& Expected) {
  TZelkEquation Editor;
  QString Copy;
  long Seen = 0;
  int CaretLeft = 0;
  QObject::connect(&Editor, &TZelkEquation::OnChange, [&] {
    Copy = Editor.GetData();
    ++Seen;
    if ((Seen & (Seen - 1)) == 0 && Editor.ActiveEditArea())
      CaretLeft = Editor.ActiveEditArea()->Caret()->Left();
  });
  Read(Editor, Input);
  if (Editor.GetData() != First) Fail("a receiver changed what was read", Input, First, Editor.GetData());
  if (Geometry(Editor) != Expected) Fail("a receiver changed the layout", Input, First, Copy);
  (void)CaretLeft;
}

void Check(const QString& Input, bool Paint) {
  QString First;
  {
    TZelkEquation Editor;
    Read(Editor, Input);
    First = Editor.GetData();
    // Whatever was read must also paint.
    if (Paint) {
      QImage Image(Editor.size(), QImage::Format_ARGB32_Premultiplied);
      Editor.render(&Image);
      CheckWithReceiver(Input, First, Geometry(Editor));
    }
  }
  TZelkEquation Editor;
  // A written text reads whole: any error here is a finding.
  Editor.SetData(First);
  QCoreApplication::sendPostedEvents();
  const QString Second = Editor.GetData();
  if (Second != First) Fail("the written text is no fixed point", Input, First, Second);
  if (!(CountTree(Editor) == CountText(First)))
    Fail("the tree and the written text differ in lines or elements", Input, First, Second);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const auto* Bytes = reinterpret_cast<const char*>(Data);
  Check(QString::fromUtf8(Bytes, static_cast<qsizetype>(Size)), true);
  // Lone surrogates and every other code unit, which UTF-8 decoding never yields.
  QString Units(static_cast<qsizetype>(Size / 2), Qt::Uninitialized);
  std::memcpy(Units.data(), Bytes, Size / 2 * sizeof(QChar));
  Check(Units, false);
  return 0;
}
