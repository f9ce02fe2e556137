#pragma once
// The editor's font policy. A formula keeps its own look whatever surrounds it: the
// attributes of the editor's font that it was not given itself come from the editor's
// default font, Times New Roman at 20 points, not from the parent widget. So a parent's
// italic or family never reaches the formula, and a .ui file that sets only the size
// keeps the family. Qt does not tell which attributes were set on a widget itself: one
// that is also set on the parent, to the same value, counts as the parent's.

#include <QFont>

// The default font, every attribute set.
QFont DefaultEditorFont();

// The font the editor takes when its widget font is Current and its parent's is Parent
// (nullptr for a window). Every attribute is set in the result, so that nothing follows
// the parent later.
QFont EditorFont(const QFont& Current, const QFont* Parent);
