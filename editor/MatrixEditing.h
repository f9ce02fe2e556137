#pragma once
// Rows and columns of a matrix, edited around the cell that holds the caret (the innermost
// matrix when matrices nest). Keys: Alt+Shift+Up and Alt+Shift+Down insert an empty row
// above or below, Alt+Shift+Left and Alt+Shift+Right an empty column; Ctrl+Shift+Backspace
// deletes the caret's row, Ctrl+Shift+Delete its column (never the last one; Alt+Shift+
// Backspace is Redo on some desktops). The editor's
// context menu offers the same. A matrix of one row or one column becomes (or stays) that
// kind; any other becomes a grid. Each edit is one undo step.

class QKeyEvent;
class TEditArea;
class TEqMatrix;

enum class TMatrixEdit { RowAbove, RowBelow, ColumnLeft, ColumnRight, DeleteRow, DeleteColumn };

// The edit a key stands for; false for any other key.
bool MatrixEditOfKey(const QKeyEvent& Event, TMatrixEdit& Edit);

// The innermost matrix whose cell holds Area (or an area inside that cell), and the cell's
// index; null when there is none.
TEqMatrix* MatrixAround(TEditArea* Area, int* Cell = nullptr);
