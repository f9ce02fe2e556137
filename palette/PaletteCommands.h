#pragma once
// The command of every palette button: one insertion into an edit area, chosen by the
// button's group and index.

#include <QSize>
#include <QString>
#include <optional>
#include <utility>

class TEditArea;

// Runs the command of button Button of group Group on Area; false, with nothing done, for
// a button without a command.
bool RunPaletteCommand(TEditArea& Area, int Group, int Button);

// Whether button Button of group Group has a command RunPaletteCommand runs.
bool HasPaletteCommand(int Group, int Button);

// The buttons of matrices of a size the user chooses: what they ask for, if anything.
enum class TMatrixAsk { Columns, Rows, Both };
std::optional<TMatrixAsk> MatrixSizeAsked(int Group, int Button);
// Inserts the matrix of such a button, Size.width() columns by Size.height() rows (one row
// or one column as that kind, else a grid), with the caret in its first cell; false for
// another button.
bool RunSizedMatrixCommand(TEditArea& Area, int Group, int Button, QSize Size);
// The button that takes the accent off the element before the caret (TEditing::
// RemoveOrnament) instead of inserting anything.
bool RemovesOrnament(int Group, int Button);

// The first button (group, index) that inserts the symbol with code Code, if any.
std::optional<std::pair<int, int>> SymbolButton(int Code);
// The button (group, index) of a fence, brace, left index or scripted base keyword, if any:
// its description names the template.
std::optional<std::pair<int, int>> TemplateButton(const QString& Keyword);
// The button (group, index) that inserts the alignment mark.
std::pair<int, int> AlignMarkButton();
