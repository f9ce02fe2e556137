#pragma once
// Element keywords: the names under which the elements of a run are written in the text
// form. The insertion commands compose them from their parameters; the reader accepts
// exactly the keywords of the parameter combinations the palette uses.

#include <QString>
#include <functional>
#include <vector>

#include "Types.h"

class TEditArea;

QString IndexKeyword(TGroupOptions Options);
QString IntegralKeyword(TGroupOptions Options, int Size, bool Ring);
// Prefix ("Sum", "Multiply", ...) followed by the options word.
QString GroupOpKeyword(const QString& Prefix, TGroupOptions Options);
QString BracketsKeyword(TKindBracket Kind);
QString ArrowKeyword(TKindArrow Kind, TAlignEA Align);
QString VectorKeyword(TKindArrow Kind, TAlignEA Align);
// Columns counts for a grid only (2..MaxMatrixColumns): "MatrixkmGridThree" has three.
QString MatrixKeyword(TKindMatrix Kind, int Columns = 0);
// Fractions, radicals and long division: "Division" with a variant word, "Root",
// "RootDegree", "LongDivision", "LongDivisionQuotient".
QString DivisionKeyword(bool Small);
QString ContinuedFractionKeyword(TContinued Kind);
QString SlashDivisionKeyword();
QString RootKeyword(bool Degree);
QString LongDivisionKeyword(bool Quotient);
QString AccentKeyword(TKindAccent Kind);

// Fences, scripts to the left, scripted bases and horizontal braces.
QString FenceKeyword(TFenceKind Kind);
// Every fence the reader accepts, in palette order.
const std::vector<TFenceKind>& AcceptedFences();
QString LeftIndexKeyword(TGroupOptions Options);
// A base with scripts above and below (Limits) or beside it (Indices); Operator marks the
// base as an operator.
QString ScriptedKeyword(TGroupOptions Options, bool Operator);
// The brace over its body (aeTop, the label above it) or under it (aeBottom).
QString BraceKeyword(TAlignEA Align);
// The binomial coefficient: "Binomial", "BinomialSmall".
QString BinomialKeyword(bool Small);
// Words set as text: "Text".
QString TextKeyword();
// The alignment mark, "AlignMark": a leaf without argument, read beside "Simple" and
// "ExtSymbol", not a template.
QString AlignMarkKeyword();

// The insertion that an accepted template keyword stands for, or an empty function for
// a name the reader does not accept. "Simple" and "ExtSymbol" carry a value instead and
// are not in this table.
using TInsertion = std::function<void(TEditArea&)>;
TInsertion InsertionForKeyword(const QString& Name);

// Every template keyword the reader accepts.
QStringList AcceptedTemplateKeywords();
