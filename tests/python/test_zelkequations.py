#!/usr/bin/python3
"""The PyQt6 bindings as a Python program uses them: both widgets offscreen, Data and LaTeX
set under both names, signals received in Python, keys typed with QTest, pictures rendered
and checked, a palette click, the converters and the line commands.

Run with Debian's /usr/bin/python3, the package zelkequations on PYTHONPATH (ctest sets it
to the build tree; tools/package-check.sh runs it against the installed package). Prints
"N passed, N failed" and exits 1 when any test failed.
"""

import os
import sys
import tempfile
import traceback

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

from PyQt6 import sip  # noqa: E402
from PyQt6.QtCore import QBuffer, QByteArray, QIODevice, Qt  # noqa: E402
from PyQt6.QtGui import QImage  # noqa: E402
from PyQt6.QtTest import QTest  # noqa: E402
from PyQt6.QtWidgets import QApplication, QToolButton, QVBoxLayout, QWidget  # noqa: E402

import zelkequations as z  # noqa: E402

FRACTION = "EditArea(Division(EditArea(Simple(a))EditArea(Simple(b))))"
TESTS = []


def test(function):
    TESTS.append(function)
    return function


def check(condition, what):
    if not condition:
        raise AssertionError(what)


@test
def both_names_reach_the_same_properties():
    editor = z.Equation()
    check(isinstance(editor, QWidget), "the editor is a QWidget")
    check(z.TZelkEquation is z.Equation and z.TSelectEquation is z.Palette, "the original class names")
    editor.setData(FRACTION)
    check(editor.data() == editor.GetData() == FRACTION, "data() and GetData()")
    check(editor.property("data") == editor.property("Data") == FRACTION, "the Qt properties")
    editor.PutLaTeX(r"x^{2}")
    check("IndexTop" in editor.data(), "PutLaTeX: " + editor.data())
    editor.setLatex(r"\frac{a}{b}")
    check(editor.data() == FRACTION, "setLatex: " + editor.data())
    check(r"\frac{a}{b}" in editor.latex() and editor.latex() == editor.GetLaTeX(), editor.latex())
    check(editor.mathML().startswith("<math") and editor.mathML() == editor.GetMathML(), "mathML()")
    check(editor.plainLatex() == editor.GetPlainLaTeX() == r"\frac{a}{b}", "plainLatex(): " + editor.plainLatex())
    check("<semantics>" not in editor.plainMathML(), "plainMathML(): " + editor.plainMathML())
    editor.setTypesetting(z.Typesetting.Math)
    check(editor.Typesetting() == z.TTypesettings.TTypesetting.Math, "typesetting")
    editor.SetInputStyle(z.InputStyle.Modern)
    check(editor.inputStyle() == z.InputStyle.Modern, "input style")
    editor.setZoom(150)
    check(editor.Zoom() == 150 and editor.zoom() == 150, "zoom")
    editor.SetLanguage(z.Language.lDeutsche)
    check(editor.language() == z.TLanguages.TLanguage.lDeutsche, "language")
    check(editor.Version() == z.__version__, editor.Version())


@test
def signals_reach_python_callables():
    editor = z.Equation()
    data, latex, changes, zooms, styles, inputs, languages = [], [], [], [], [], [], []
    editor.dataChanged.connect(data.append)
    editor.latexChanged.connect(latex.append)
    plain = []
    editor.plainLatexChanged.connect(plain.append)
    editor.OnChange.connect(lambda: changes.append(1))
    editor.zoomChanged.connect(zooms.append)
    editor.typesettingChanged.connect(styles.append)
    editor.inputStyleChanged.connect(inputs.append)
    editor.languageChanged.connect(languages.append)
    editor.setData("EditArea(Simple(x)Simple(y)Simple(z))")
    check(data == ["EditArea(Simple(x)Simple(y)Simple(z))"], "dataChanged once a read is done: %r" % data)
    check(len(changes) > 1, "OnChange at every step of the read")
    check(len(latex) == 1 and latex[0] == editor.latex(), "latexChanged")
    check(plain == ["xyz"], "plainLatexChanged: %r" % plain)
    editor.setZoom(200)
    editor.setZoom(200)
    check(zooms == [200], "zoomChanged: %r" % zooms)
    editor.setTypesetting(z.Typesetting.Math)
    check(styles == [z.Typesetting.Math], "typesettingChanged: %r" % styles)
    editor.setInputStyle(z.InputStyle.Modern)
    check(inputs == [z.InputStyle.Modern], "inputStyleChanged: %r" % inputs)
    editor.setLanguage(z.Language.lDeutsche)
    check(languages == [z.Language.lDeutsche], "languageChanged: %r" % languages)


@test
def keys_typed_with_qtest_edit_the_formula():
    editor = z.Equation()
    data = []
    editor.dataChanged.connect(data.append)
    QTest.keyClicks(editor, "a+b")
    check(editor.data() == "EditArea(Simple(a)Simple(+)Simple(b))", editor.data())
    check(data[-1] == editor.data() and len(data) == 3, "dataChanged at every key: %r" % data)
    editor.UndoStack().undo()
    check(editor.data() == "EditArea()", "undo: " + editor.data())


@test
def faulty_texts_raise_only_where_the_original_call_throws():
    editor = z.Equation()
    bad = "EditArea(Simple(a)ExtSymbol(oops))"
    editor.setData(bad)
    check(editor.ReadError() != "" and editor.data() == "EditArea(Simple(a))", "setData keeps what was read")
    try:
        editor.SetData(bad)
    except ValueError as error:
        check(str(error) != "", "the message")
    else:
        raise AssertionError("SetData did not raise")
    check(editor.data() == "EditArea(Simple(a))", "SetData keeps what was read")
    editor.setLatex(r"\begin{unknown}")
    check("line 1" in editor.ReadError() and editor.data() == "EditArea(Simple(a))", editor.ReadError())


@test
def pictures_have_the_render_size_at_their_scale():
    editor = z.Equation()
    editor.setData(FRACTION)
    size = editor.RenderSize()
    check(size.width() > 0 and size.height() > 0, "RenderSize")
    image = editor.RenderImage(z.RenderOptions(scale=2, transparent=True))
    check(image.width() == 2 * size.width() and image.height() == 2 * size.height(), "RenderImage size")
    check(image.hasAlphaChannel(), "transparent")
    data = QByteArray()
    device = QBuffer(data)
    device.open(QIODevice.OpenModeFlag.WriteOnly)
    written, error = z.writeImage(editor, z.ImageFormat.Png, device, z.RenderOptions())
    device.close()
    check(written and error == "", "writeImage: " + error)
    with tempfile.TemporaryDirectory() as folder:
        name = os.path.join(folder, "formula.png")
        with open(name, "wb") as file:
            file.write(bytes(data))
        png = QImage(name)
    check(png.size() == size, "the PNG is %dx%d" % (png.width(), png.height()))
    check(z.imageFormatOfFile("formula.SVG") == (True, z.ImageFormat.Svg), "imageFormatOfFile")
    check(z.imageFormatOfFile("formula.txt")[0] is False, "no format of .txt")


@test
def a_palette_click_inserts_into_the_linked_editor():
    window = QWidget()
    layout = QVBoxLayout(window)
    editor = z.Equation()
    palette = z.Palette()
    layout.addWidget(palette)
    layout.addWidget(editor)
    palette.setEquation(editor)
    check(palette.equation() is editor and palette.Equation() is editor, "equation()")
    languages = []
    palette.languageChanged.connect(languages.append)
    palette.setLanguage(z.Language.lEnglish)
    check(languages == [z.Language.lEnglish], "languageChanged: %r" % languages)
    window.show()  # the palette builds its buttons with its window
    QApplication.processEvents()
    buttons = palette.PageControl().currentWidget().findChildren(QToolButton)
    check(len(buttons) > 1, "the buttons of the first group")
    data = []
    editor.dataChanged.connect(data.append)
    QTest.mouseClick(buttons[0], Qt.MouseButton.LeftButton)
    check(editor.data() != "EditArea()" and data == [editor.data()], "the click inserted: " + editor.data())
    check(z.Palette.Description(z.Language.lEnglish, 1, 0) != "", "Description")
    sip.delete(editor)
    check(palette.equation() is None, "the link ends with the editor")
    window.close()


@test
def converters_read_and_write_data():
    result = z.readLatex(r"\frac{a}{b}")
    check(result.ok() and result.data == FRACTION and result.losses == [], "readLatex")
    refused = z.readLatex(r"x \begin{unknown}")
    check(not refused.ok() and refused.data == "" and refused.line == 1 and refused.column > 1, "refused")
    check(refused.message().startswith("line 1, column"), refused.message())
    latex = z.dataToLatex(FRACTION)
    check(r"\frac{a}{b}" in latex and "%zelk-data:" in latex, latex)
    check("%zelk-data:" not in z.dataToLatex(FRACTION, annotated=False), "unannotated")
    check(z.readMathML(z.dataToMathML(FRACTION)).data == FRACTION, "MathML round trip")
    check(z.readMathML("<math><mi>x</mi></math>", preferData=False).ok(), "readMathML")
    try:
        z.dataToLatex("EditArea(ExtSymbol(oops))")
    except ValueError:
        pass
    else:
        raise AssertionError("dataToLatex took a faulty text")


@test
def line_and_insertion_commands():
    editor = z.Equation()
    editor.setData("EditArea(Simple(a))")
    editor.AddEditArea()
    check(editor.LineCount() == 2 and editor.EditAreaIndex() == 1, "AddEditArea")
    check(editor.insertFormula("EditArea(Simple(b))"), "insertFormula")
    check(editor.data() == "EditArea(Simple(a))EditArea(Simple(b))", editor.data())
    editor.EditAreaUp()
    editor.InsertEditArea()
    check(editor.data() == "EditArea()EditArea(Simple(a))EditArea(Simple(b))", editor.data())
    editor.DeleteEditArea()
    check(editor.LineCount() == 2, "DeleteEditArea")
    check(not editor.insertFormula("EditArea(ExtSymbol(oops))"), "a faulty insertion")


def main():
    application = QApplication(sys.argv[:1])  # noqa: F841
    failed = 0
    for function in TESTS:
        try:
            function()
        except Exception:  # noqa: BLE001 - every failure is reported, then the next test runs
            failed += 1
            print("FAILED %s" % function.__name__)
            traceback.print_exc()
    print("%d passed, %d failed" % (len(TESTS) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
