#include "EditorFont.h"

#include <QStringList>
#include <functional>

namespace {
struct TAttribute {
  QFont::ResolveProperties Bit;
  std::function<bool(const QFont&, const QFont&)> Same;
};

template <typename Value>
TAttribute Attribute(QFont::ResolveProperties Bit, Value (QFont::*Get)() const) {
  return {Bit, [Get](const QFont& A, const QFont& B) { return (A.*Get)() == (B.*Get)(); }};
}

const TAttribute Attributes[] = {
    {QFont::FamiliesResolved, [](const QFont& A, const QFont& B) { return A.families() == B.families(); }},
    {QFont::FamilyResolved, [](const QFont& A, const QFont& B) { return A.family() == B.family(); }},
    {QFont::SizeResolved, [](const QFont& A, const QFont& B) {
       return A.pointSizeF() == B.pointSizeF() && A.pixelSize() == B.pixelSize();
     }},
    Attribute(QFont::StyleResolved, &QFont::style),
    Attribute(QFont::WeightResolved, &QFont::weight),
    Attribute(QFont::UnderlineResolved, &QFont::underline),
    Attribute(QFont::OverlineResolved, &QFont::overline),
    Attribute(QFont::StrikeOutResolved, &QFont::strikeOut),
    Attribute(QFont::StretchResolved, &QFont::stretch),
    Attribute(QFont::CapitalizationResolved, &QFont::capitalization),
    Attribute(QFont::StyleNameResolved, &QFont::styleName),
};
}  // namespace

QFont DefaultEditorFont() {
  QFont Font(QStringLiteral("Times New Roman"));
  Font.setPointSize(20);
  Font.setResolveMask(QFont::AllPropertiesResolved);
  return Font;
}

QFont EditorFont(const QFont& Current, const QFont* Parent) {
  uint Own = Current.resolveMask();
  if (Parent) {
    const uint Shared = Own & Parent->resolveMask();
    // An attribute set on both with the same value came from the parent.
    Own &= ~Shared;
    for (const TAttribute& A : Attributes)
      if ((Shared & A.Bit) && !A.Same(Current, *Parent)) Own |= A.Bit;
  }
  QFont Given = Current;
  Given.setResolveMask(Own);
  QFont Result = Given.resolve(DefaultEditorFont());
  Result.setResolveMask(QFont::AllPropertiesResolved);
  return Result;
}
