#pragma once
// Small helpers shared by the editor and the palette.

#include <QChar>
#include <QString>
#include <QtGlobal>

// The characters (one or two) that the virtual key Key types in the current keyboard
// state, while a key event for it is being handled; otherwise, and when the key types
// nothing or more than two characters, the empty string.
QString GetCharFromVirtualKey(quint16 Key);

// The first character of GetCharFromVirtualKey(Key), or the character with code 0.
QChar GetCharFromVirtualKey2(quint16 Key);

// The string resource with the decimal number Id, or the empty string when there is none.
// Throws EConvertError when Id is not a decimal number.
// The strings come from the resource ":/ZelkEquations/Strings.tsv": UTF-8, one string a
// line, "number<TAB>text".
QString GetString(const QString& Id);

// The decimal text of Value with "0" put in front until it is at least Width long.
QString IntToStrZero(int Value, int Width);
