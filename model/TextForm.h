#pragma once
// Pieces of the Data text form shared by every level of reader and writer.

#include <QString>

#include "model/Types.h"

// Removes leading and trailing characters whose code is 32 or less.
QString TrimText(const QString& Text);

// Splits a text into items Name(Argument): names are runs of ASCII letters, arguments
// the trimmed text between the matching parentheses. Runs in time linear in the text.
TExprArray SplitItems(const QString& Text);

// Parses a decimal whole number with an optional sign that fits in 32 bits; throws
// EConvertError for anything else.
int StrToInt(const QString& Text);

// The text form of each slot in turn, as EditArea(...) items.
class TEditArea;
QString EditAreaItem(const TEditArea* Area);
