// The module from QML itself, as qmltestrunner loads it: from the build tree in ctest,
// from Qt's import path in tools/package-check.sh.
import QtQuick
import QtTest
import ZelkEquations

Item {
    width: 400; height: 200

    FormulaEditor { id: editor; width: 400; height: 120; focus: true; language: 0 }
    FormulaView { id: view; y: 130; latex: "\\sqrt{x}" }
    TextInput { id: next; x: 200; y: 130; width: 100; height: 20; activeFocusOnTab: true }
    // data is the formula: items declared inside are children, as in any Item.
    FormulaView { id: marked; y: 170; data: "EditArea(Simple(y))"; Rectangle { width: 4; height: 4 } }

    TestCase {
        name: "Formula"
        when: windowShown

        function test_latexInDataOut() {
            editor.latex = "\\frac{1}{2}"
            compare(editor.data, "EditArea(Division(EditArea(Simple(1))EditArea(Simple(2))))")
            compare(editor.readError, "")
        }

        function test_typingAndUndo() {
            editor.data = "EditArea()"
            editor.forceActiveFocus()
            keyClick(Qt.Key_Y)
            compare(editor.data, "EditArea(Simple(y))")
            verify(editor.canUndo)
            editor.undo()
            compare(editor.data, "EditArea()")
        }

        function test_tabGoesFromSlotToSlotThenOn() {
            editor.inputStyle = InputStyle.Modern
            editor.data = "EditArea()"
            editor.forceActiveFocus()
            verify(editor.insertTemplate("Division"))
            keyClick(Qt.Key_A)
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_B)
            compare(editor.data, "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))")
            keyClick(Qt.Key_Tab)  // out of the fraction, still in the line
            verify(editor.activeFocus)
            keyClick(Qt.Key_Tab)  // nowhere left: the next item in the focus chain
            verify(next.activeFocus)
            editor.inputStyle = InputStyle.Classic
        }

        function test_childItemsBesideTheData() {
            compare(marked.children.length, 1)
            compare(marked.data, "EditArea(Simple(y))")
        }

        function test_viewSizeAndSpokenName() {
            verify(view.implicitWidth > 10 && view.implicitHeight > 10)
            editor.latex = "x^{2}"
            compare(editor.Accessible.name, editor.spokenFormula)
            verify(editor.spokenFormula.indexOf("2") >= 0)
        }
    }
}
