#pragma once
// The command of every palette button: one insertion into an edit area, chosen by the
// button's group and index.

#include <optional>
#include <utility>

class TEditArea;

// Runs the command of button Button of group Group on Area; false, with nothing done, for
// a button without a command.
bool RunPaletteCommand(TEditArea& Area, int Group, int Button);

// The button that takes the accent off the element before the caret (TEditing::
// RemoveOrnament) instead of inserting anything.
bool RemovesOrnament(int Group, int Button);

// The first button (group, index) that inserts the special symbol with code Code, if any.
std::optional<std::pair<int, int>> SymbolButton(int Code);
