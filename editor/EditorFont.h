#pragma once
// The editor's font policy. A formula keeps its own look whatever surrounds it: the
// attributes a font given to the editor leaves unset (a .ui file that sets only the size,
// say) come from the editor's default font, Times New Roman at 20 points, not from the
// parent widget; so the parent's italic or family never reaches the formula.

#include <QFont>

// The default font, every attribute set.
QFont DefaultEditorFont();

// The font the editor takes when asked for Requested (as QWidget::font() reports it after
// setFont: the attributes set on the editor itself are Requested.resolveMask()). Every
// attribute is set in the result, so that nothing follows the parent later.
QFont EditorFont(const QFont& Requested);
