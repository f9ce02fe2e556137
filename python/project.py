# The SIP project of the bindings. CMake runs sip-build --no-compile on it (python/
# CMakeLists.txt) and compiles what it generates; nothing here builds.

import os

import PyQt6
from pyqtbuild import PyQtBindings, PyQtProject


class ZelkEquationsProject(PyQtProject):
    def __init__(self):
        super().__init__()
        self.bindings_factories = [ZelkEquationsBindings]

    def apply_user_defaults(self, tool):
        # Debian's PyQt6 keeps its .sip files beside its package, not under the target
        # folder (/usr/local/...) sip looks in by default.
        self.sip_include_dirs.append(os.path.join(os.path.dirname(PyQt6.__file__), 'bindings'))
        super().apply_user_defaults(tool)


class ZelkEquationsBindings(PyQtBindings):
    def __init__(self, project):
        super().__init__(project, '_zelkequations', sip_file='zelkequationsmod.sip',
                         qmake_QT=['widgets'])
