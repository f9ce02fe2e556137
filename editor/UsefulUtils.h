#pragma once
// Small helpers shared by the editor and the palette.

#include <QString>

// The string resource with the decimal number Id, or the empty string when there is none.
// Throws EConvertError when Id is not a decimal number.
// The strings come from the resource ":/ZelkEquations/Strings.tsv": UTF-8, one string a
// line, "number<TAB>text".
QString GetString(const QString& Id);

// The decimal text of Value with "0" put in front until it is at least Width long.
QString IntToStrZero(int Value, int Width);
