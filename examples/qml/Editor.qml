// A formula editor in Qt Quick: the editor, a row of buttons that insert templates (each
// showing its template with a FormulaView), undo and redo, and the formula as LaTeX.
// Run it with the launcher: <build>/examples/qml/ZelkQmlEditor.
import QtQuick
import ZelkEquations

Window {
    width: 720; height: 420
    visible: true
    title: "ZelkEquations in Qt Quick"
    color: "#f4f4f4"

    component PaletteButton: Rectangle {
        id: button
        property alias latex: face.latex
        property string label
        signal clicked
        width: Math.max(face.visible ? face.implicitWidth : 0, caption.implicitWidth) + 20
        height: Math.max(56, face.implicitHeight + 8)
        radius: 6
        color: area.pressed ? "#d0d8e8" : area.containsMouse ? "#e4e9f2" : "white"
        border.color: "#a0a8b8"
        FormulaView {
            id: face
            anchors.centerIn: parent
            fontSize: 16
            typesetting: Typesetting.Math
            visible: button.label === ""
        }
        Text { id: caption; anchors.centerIn: parent; text: button.label }
        // The editor keeps the keyboard focus: a MouseArea takes none.
        MouseArea { id: area; anchors.fill: parent; hoverEnabled: true; onClicked: button.clicked() }
    }

    Column {
        anchors.fill: parent
        anchors.margins: 12
        spacing: 10

        Row {
            spacing: 8
            PaletteButton { latex: "\\frac{a}{b}"; onClicked: editor.insertTemplate("Division") }
            PaletteButton { latex: "\\sqrt{x}"; onClicked: editor.insertTemplate("Root") }
            PaletteButton { latex: "\\sum_{i}^{n}"; onClicked: editor.insertTemplate("SumLimitBottomTop") }
            PaletteButton { latex: "\\int_{a}^{b}"; onClicked: editor.insertTemplate("IntLimitBottomTopOne") }
            PaletteButton { latex: "\\infty"; onClicked: editor.insertSymbol(0x221E) }
            PaletteButton { label: "Undo"; opacity: editor.canUndo ? 1 : 0.4; onClicked: editor.undo() }
            PaletteButton { label: "Redo"; opacity: editor.canRedo ? 1 : 0.4; onClicked: editor.redo() }
        }

        FormulaEditor {
            id: editor
            width: parent.width
            height: 220
            focus: true
            typesetting: Typesetting.Math
            inputStyle: InputStyle.Modern
            language: 0  // English, for the spoken formula
            latex: "E = mc^{2}"
        }

        Text {
            width: parent.width
            wrapMode: Text.WrapAnywhere
            font.family: "monospace"
            text: "LaTeX: " + editor.plainLatex
        }
        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            color: "#555"
            text: "Read aloud: " + editor.spokenFormula
        }
    }
}
