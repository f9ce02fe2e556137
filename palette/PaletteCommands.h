#pragma once
// The command of every palette button: one insertion into an edit area, chosen by the
// button's group and index.

#include <QString>
#include <optional>
#include <utility>

class TEditArea;

// Runs the command of button Button of group Group on Area; false, with nothing done, for
// a button without a command.
bool RunPaletteCommand(TEditArea& Area, int Group, int Button);

// The first button (group, index) that inserts the special symbol with code Code, if any.
std::optional<std::pair<int, int>> SymbolButton(int Code);
// The button (group, index) of a fence, brace, left index or scripted base keyword, if any:
// its description names the template.
std::optional<std::pair<int, int>> TemplateButton(const QString& Keyword);
