#pragma once
// How the formula editor shows itself to assistive technology (a screen reader over AT-SPI
// and the like). The editor is one editable text whose text is the formula read aloud in
// the editor's Language ("the integral from 0 to infinity of x d x"), its cursor the caret;
// its name is the host's accessible name, else "Formula" in that language. Below it stand
// the lines, and in them the templates, their slots and the characters, each named
// ("fraction", "numerator", "matrix 2 by 2, cell 1 2") and valued with its words, each with
// its rectangle on the screen. The caret is not in the tree.
//
// Every edit raises text removed/inserted and value changed events, every caret move a
// text cursor event; they go out once control is back in the event loop, so a command that
// changes the formula in many steps is announced once.
//
// The palette's buttons are push buttons named by their descriptions. The interfaces come
// from a factory that the library installs when it is loaded.

class TZelkEquation;

enum class TFormulaEvent { Edited, CaretMoved, LanguageChanged };

// Tells assistive technology about Event in Editor; nothing while none listens. Cheap.
void NotifyAccessibility(TZelkEquation* Editor, TFormulaEvent Event);
