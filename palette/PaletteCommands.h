#pragma once
// The command of every palette button: one insertion into an edit area, chosen by the
// button's group and index.

class TEditArea;

// Runs the command of button Button of group Group on Area; false, with nothing done, for
// a button without a command.
bool RunPaletteCommand(TEditArea& Area, int Group, int Button);
