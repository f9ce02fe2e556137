# Debian packages, one an install component:
#   libzelkequations0      Runtime      the shared library
#   libzelkequations-dev   Development  headers, the .so link, CMake package, pkg-config file
#   zelkequations-designer Designer     the Qt Designer plugin in Qt's plugin folder
#   zelkequations-tools    Tools        zelk-convert
#   python3-zelkequations  Python       the PyQt6 bindings (with ZELK_PYTHON)
#   qml6-module-zelkequations Quick     the QML module in Qt's QML import path (with ZELK_QUICK)
# Build them with `cpack` in the build folder (after a build); tools/package-check.sh
# installs them into a throwaway root and builds against them.

# The pkg-config file names the prefix the files are installed under, known only when they
# are (cmake --install --prefix, or /usr when cpack stages a package).
install(CODE "
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/cmake/zelkequations.pc.in\"
                 \"${PROJECT_BINARY_DIR}/zelkequations.pc\" @ONLY)"
  COMPONENT Development)
install(FILES ${PROJECT_BINARY_DIR}/zelkequations.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkequations)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZelkEquations developers <zelkequations@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# dpkg-shlibdeps finds our own library in the staged Runtime package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  ${PROJECT_BINARY_DIR}/_CPack_Packages/Linux/DEB/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-Linux/Runtime/usr/${CMAKE_INSTALL_LIBDIR})
set(CPACK_COMPONENTS_ALL Runtime Development Designer Tools)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libzelkequations${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# A shlibs file for the packages built against this one, and the ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "formula editor widgets for Qt 6 - library
The formula editor and palette widgets, LaTeX and MathML interchange and image
export (PNG, SVG, PDF).")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libzelkequations-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# Headers only: nothing to look up, but what the CMake package and the .pc file ask for.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev, qt6-svg-dev")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "formula editor widgets for Qt 6 - development files
The headers (C++20), the CMake package for find_package(ZelkEquations) and the
pkg-config file zelkequations.pc.")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME zelkequations-designer)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DEPENDS Runtime)
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION "formula editor widgets for Qt 6 - Qt Designer plugin
Offers the formula editor and the palette in the widget box of Qt Designer, and
to uic and QUiLoader.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME zelkequations-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION math)
set(CPACK_COMPONENT_TOOLS_DEPENDS Runtime)
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "formula editor widgets for Qt 6 - command-line converter
zelk-convert converts formulas between Data, LaTeX and MathML and draws them as
SVG, PNG or PDF.")

if(ZELK_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL Python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-zelkequations)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # The bindings are generated against PyQt6 6.4's .sip files and its sip module, ABI 13.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= 3.7), python3-pyqt6 (>= 6.4), python3-pyqt6.sip (>= 13.4), python3-pyqt6.sip (<< 14)")
  set(CPACK_COMPONENT_PYTHON_DEPENDS Runtime)
  set(CPACK_COMPONENT_PYTHON_DESCRIPTION "formula editor widgets for Qt 6 - Python bindings
The package zelkequations for PyQt6: the formula editor (Equation), the palette
(Palette) and the converters between Data, LaTeX, MathML and pictures.")
endif()

if(ZELK_QUICK)
  list(APPEND CPACK_COMPONENTS_ALL Quick)
  set(CPACK_DEBIAN_QUICK_PACKAGE_NAME qml6-module-zelkequations)
  set(CPACK_DEBIAN_QUICK_PACKAGE_SECTION libs)
  # Qt 6.4's QtQml module imports these two, though its package does not depend on them.
  set(CPACK_DEBIAN_QUICK_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtqml-workerscript, qml6-module-qtqml-models")
  set(CPACK_COMPONENT_QUICK_DEPENDS Runtime)
  set(CPACK_COMPONENT_QUICK_DESCRIPTION "formula editor widgets for Qt 6 - QML module
The QML module ZelkEquations: FormulaView shows a formula from Data, LaTeX or
MathML, FormulaEditor edits it (keys, mouse, input methods, undo).")
endif()

include(CPack)
