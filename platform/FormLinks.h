#pragma once
// Links between the widgets of a loaded form. A form file cannot hold a pointer to another
// widget, so a widget whose property P points to a widget stores the target's object name
// in a dynamic string property named P + "Name" (for example "EquationName" beside
// "Equation"). Once every widget of the form exists, ResolveFormLinks assigns each such
// pointer property, as a form loader fixes up its component references.

class QWidget;

// Resolves the links of Form and of every widget below it. A name that matches no widget
// of a fitting class below Form, or an empty name, leaves the pointer property as it is.
// Returns the number of links assigned.
int ResolveFormLinks(QWidget* Form);
