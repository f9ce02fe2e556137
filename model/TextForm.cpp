#include "TextForm.h"

#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Equation.h"
#include "platform/Exceptions.h"

namespace {
bool IsLetter(QChar C) {
  const char16_t U = C.unicode();
  return (U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z');
}
bool IsParen(QChar C) { return C == u'(' || C == u')'; }
}  // namespace

QString TrimText(const QString& Text) {
  qsizetype First = 0;
  qsizetype Last = Text.size();
  while (First < Last && Text[First].unicode() <= 32) ++First;
  while (Last > First && Text[Last - 1].unicode() <= 32) --Last;
  return Text.mid(First, Last - First);
}

TExprArray SplitItems(const QString& Text) {
  TExprArray Result;
  const qsizetype Length = Text.size();
  qsizetype Pos = 0;
  while (Pos < Length) {
    // Skip to a letter.
    while (Pos < Length - 1 && !IsLetter(Text[Pos])) ++Pos;
    if (!IsLetter(Text[Pos])) break;
    // The name.
    const qsizetype NameStart = Pos;
    while (Pos < Length && IsLetter(Text[Pos])) ++Pos;
    TExpression Item;
    Item.Name = Text.mid(NameStart, Pos - NameStart);
    // The first parenthesis after the name; without one the argument is empty.
    while (Pos < Length - 1 && !IsParen(Text[Pos])) ++Pos;
    if (Pos >= Length || !IsParen(Text[Pos])) {
      Result.push_back(std::move(Item));
      continue;
    }
    // The matching parenthesis, or the end of the text when there is none.
    const qsizetype Start = Pos;
    int Depth = Text[Pos] == u'(' ? 1 : -1;
    while (Depth != 0 && ++Pos < Length) {
      if (Text[Pos] == u'(')
        ++Depth;
      else if (Text[Pos] == u')')
        --Depth;
    }
    Item.Argument = TrimText(Text.mid(Start + 1, Pos - Start - 1));
    Result.push_back(std::move(Item));
  }
  return Result;
}

int StrToInt(const QString& Text) {
  const auto Fail = [&Text]() -> int {
    throw EConvertError("'" + Text.toStdString() + "' is not a valid integer value");
  };
  qsizetype Pos = 0;
  bool Negative = false;
  if (Pos < Text.size() && (Text[Pos] == u'-' || Text[Pos] == u'+')) Negative = Text[Pos++] == u'-';
  if (Pos >= Text.size()) return Fail();
  long long Value = 0;
  for (; Pos < Text.size(); ++Pos) {
    const char16_t U = Text[Pos].unicode();
    if (U < u'0' || U > u'9') return Fail();
    Value = Value * 10 + (U - u'0');
    if (Value > 2147483648LL) return Fail();
  }
  if (Negative) Value = -Value;
  if (Value > 2147483647LL) return Fail();
  return static_cast<int>(Value);
}

QString EditAreaItem(const TEditArea* Area) {
  return QStringLiteral("EditArea(") + Area->GetData() + QLatin1Char(')');
}

int NestingDepth(const TEditArea* Area) {
  int Depth = 0;
  for (auto* Element = dynamic_cast<const TEquation*>(Area->GetParent()); Element;
       Element = dynamic_cast<const TEquation*>(Element->GetParent()->GetParent()))
    ++Depth;
  return Depth;
}

TReadScope::TReadScope(TEditorCore* Editor) : FEditor(Editor) {
  if (FEditor && FEditor->FReadLevel++ == 0) {
    FEditor->FElementsRead = 0;
    FEditor->FReadGeneration = FEditor->FGeneration;
  }
}

TReadScope::~TReadScope() {
  if (FEditor) --FEditor->FReadLevel;
}

bool TReadScope::Interrupted() const { return FEditor && FEditor->FGeneration != FEditor->FReadGeneration; }

bool TReadScope::Limited() const { return !FEditor || !FEditor->FRestoring; }

void TReadScope::CountElements(int N) {
  if (!FEditor || !Limited()) return;
  if (N > MaxElements - FEditor->FElementsRead)
    throw ELimitError("the text holds more than " + std::to_string(MaxElements) + " elements");
  FEditor->FElementsRead += N;
}

// "#" followed by digits stands for a character code; anything else for its first
// character (a surrogate pair is one character). A code up to U+10FFFF is taken whole;
// a larger one keeps its low 16 bits, as 16-bit readers did.
char32_t SimpleCharacter(const QString& Argument) {
  if (Argument.size() > 1 && Argument[0] == u'#') {
    unsigned long long Code = 0;
    unsigned Low = 0;
    bool Digits = true;
    for (qsizetype I = 1; I < Argument.size() && Digits; ++I) {
      const char16_t U = Argument[I].unicode();
      Digits = U >= u'0' && U <= u'9';
      Low = (Low * 10 + (U - u'0')) & 0xFFFFu;
      Code = qMin(Code * 10 + (U - u'0'), 0x110000ULL);
    }
    if (Digits) return Code <= 0x10FFFF ? static_cast<char32_t>(Code) : Low;
  }
  if (Argument.size() > 1 && Argument[0].isHighSurrogate() && Argument[1].isLowSurrogate())
    return QChar::surrogateToUcs4(Argument[0], Argument[1]);
  return Argument[0].unicode();
}
