#pragma once
// The shortcuts the Modern input style converts as they are typed: digraphs of signs
// (->, <=, +-, ...) and words (alpha, sqrt, infty, ...). Each makes what a palette button
// makes, so that a shortcut and a click give the same element and code.

#include <QString>

struct TShortcut {
  QString Text;  // what is typed
  bool Word = false;
  // The palette button whose insertion it makes.
  int Group = 0;
  int Button = 0;
  // Letters the template's first slot takes (lim), the caret then going to the next slot.
  QString Base;
};

// The shortcut typed as Text, or none; Words: whether word shortcuts count.
const TShortcut* ShortcutFor(const QString& Text, bool Words);
// Whether a longer shortcut begins with Text, so that typing may go on into it.
bool ShortcutContinues(const QString& Text, bool Words);
