#!/usr/bin/python3
"""A formula editor in a PyQt6 window: the palette above the editor, and below them the
formula's LaTeX, updated as the formula changes.

    python3 examples/python/editor.py [LaTeX]

The package zelkequations comes with python3-zelkequations, or from a build tree with
PYTHONPATH=<build>/python.
"""

import sys

from PyQt6.QtCore import Qt
from PyQt6.QtGui import QFont
from PyQt6.QtWidgets import (QApplication, QComboBox, QHBoxLayout, QLabel, QMainWindow,
                             QVBoxLayout, QWidget)

import zelkequations as z


class EditorWindow(QMainWindow):
    def __init__(self, latex):
        super().__init__()
        self.setWindowTitle("ZelkEquations from Python")
        self.editor = z.Equation()
        self.editor.setTypesetting(z.Typesetting.Math)
        self.editor.setInputStyle(z.InputStyle.Modern)
        self.editor.SetWordShortcuts(True)
        self.palette = z.Palette()
        self.palette.setEquation(self.editor)
        self.palette.setLanguage(z.Language.lEnglish)
        self.editor.setLanguage(z.Language.lEnglish)

        self.typesetting = QComboBox()
        self.typesetting.addItems(["Math", "Classic"])
        self.typesetting.currentTextChanged.connect(
            lambda name: self.editor.setTypesetting(getattr(z.Typesetting, name)))
        bar = QHBoxLayout()
        bar.addWidget(QLabel("Typesetting:"))
        bar.addWidget(self.typesetting)
        bar.addStretch()

        self.latex = QLabel()
        self.latex.setFont(QFont("DejaVu Sans Mono", 10))
        self.latex.setWordWrap(True)
        self.latex.setTextInteractionFlags(Qt.TextInteractionFlag.TextSelectableByMouse)
        self.editor.dataChanged.connect(self.show_latex)

        layout = QVBoxLayout()
        layout.addLayout(bar)
        layout.addWidget(self.palette)
        layout.addWidget(self.editor, 1)
        layout.addWidget(QLabel("LaTeX:"))
        layout.addWidget(self.latex)
        central = QWidget()
        central.setLayout(layout)
        self.setCentralWidget(central)
        self.resize(720, 520)

        self.editor.setLatex(latex)
        self.show_latex(self.editor.data())
        self.editor.setFocus()

    def show_latex(self, data):
        # Without the line that carries the exact formula: what people read.
        self.latex.setText(z.dataToLatex(data, annotated=False))


def main():
    application = QApplication(sys.argv)
    latex = sys.argv[1] if len(sys.argv) > 1 else r"x = \frac{-b \pm \sqrt{b^{2} - 4ac}}{2a}"
    window = EditorWindow(latex)
    window.show()
    return application.exec()


if __name__ == "__main__":
    sys.exit(main())
