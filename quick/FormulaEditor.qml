// The formula editor (FormulaEditorItem.h) with its accessible role: an editable text
// named by the formula read aloud.
import QtQuick
import ZelkEquations

FormulaEditorItem {
    Accessible.role: Accessible.EditableText
    Accessible.name: spokenFormula
    Accessible.description: qsTr("Formula editor")
    Accessible.editable: true
    Accessible.focusable: true
}
