# Whether the PyQt6 bindings (python/) can be built here: Debian's python3 with PyQt6 and
# its .sip files (python3-pyqt6, pyqt6-dev), sip-build and PyQt-builder (sip-tools,
# python3-pyqtbuild). Sets ZELK_PYTHON_AVAILABLE. A sanitized build leaves them out: the
# interpreter does not load the sanitizers' runtime.

set(ZELK_PYTHON_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python interpreter that has PyQt6")
find_program(ZELK_SIP_BUILD sip-build)
execute_process(
  COMMAND ${ZELK_PYTHON_EXECUTABLE} -c "import os, PyQt6, pyqtbuild; print(os.path.dirname(PyQt6.__file__))"
  RESULT_VARIABLE Failed OUTPUT_VARIABLE PyQt6Dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(ZELK_PYTHON_AVAILABLE OFF)
if(ZELK_SIP_BUILD AND NOT Failed AND EXISTS ${PyQt6Dir}/bindings/QtWidgets/QtWidgetsmod.sip
   AND NOT ZELK_SANITIZE AND NOT ZELK_FUZZ)
  set(ZELK_PYTHON_AVAILABLE ON)
endif()
