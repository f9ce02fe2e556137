# The headers a program includes: <ZelkEquations/Equation.h>, <ZelkEquations/Palette.h> and
# <ZelkEquations/Interchange.h> stand for the headers that declare each part, and every
# header is reachable by its folder, <ZelkEquations/editor/ZelkEquation.h>. The headers
# include one another by relative paths, so a host's own editor/ or model/ folder never
# stands in for ours. In the build tree the three point into the sources; installed, they
# lie beside the folders.
#
# Deprecated, kept for this release: the include paths of earlier releases
# ("editor/ZelkEquation.h" with include/ZelkEquations on the include path) and the
# language names at global scope (lEnglish, lRussian, lDeutsche) they brought. The
# installed folder include/ZelkEquations/legacy holds one header for each old path, which
# includes the real one and those names.

set(ZELK_PUBLIC_FOLDERS platform model layout editor palette interchange accessibility)
set(ZELK_INSTALLED_INCLUDE ${PROJECT_BINARY_DIR}/installed-include)

# Writes <ZelkEquations/Name>: Summary, then the headers given.
function(zelk_forward_header Name Summary)
  set(Build "#pragma once\n// ${Summary}\n")
  set(Installed "${Build}")
  foreach(Header IN LISTS ARGN)
    string(APPEND Build "#include \"${PROJECT_SOURCE_DIR}/${Header}\"\n")
    string(APPEND Installed "#include \"${Header}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/include/ZelkEquations/${Name} CONTENT "${Build}" @ONLY)
  file(CONFIGURE OUTPUT ${ZELK_INSTALLED_INCLUDE}/ZelkEquations/${Name} CONTENT "${Installed}" @ONLY)
endfunction()

zelk_forward_header(Equation.h "Zelk::Equation (TZelkEquation), the formula editor widget."
  editor/ZelkEquation.h)
zelk_forward_header(Palette.h "Zelk::Palette (TSelectEquation), the palette of symbols and templates."
  palette/SelectEquation.h)
zelk_forward_header(Interchange.h "The formula as LaTeX, MathML, Typst, from AsciiMath, and pictures (PNG, SVG, PDF)."
  interchange/Latex.h interchange/MathML.h interchange/Typst.h interchange/AsciiMath.h interchange/ImageExport.h)

file(CONFIGURE OUTPUT ${ZELK_INSTALLED_INCLUDE}/ZelkEquations/legacy/LanguageNames.h CONTENT [[
#pragma once
// Deprecated: the language names at global scope, brought only by the include paths of
// earlier releases. Write TLanguages::lRussian, TSelectEquation::lRussian or Zelk::lRussian.
#include "../editor/Language.h"
using enum TLanguages::TLanguage;
]] @ONLY)
foreach(Folder IN LISTS ZELK_PUBLIC_FOLDERS)
  file(GLOB Headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${Folder}/*.h)
  foreach(Header IN LISTS Headers)
    file(CONFIGURE OUTPUT ${ZELK_INSTALLED_INCLUDE}/ZelkEquations/legacy/${Header} CONTENT "#pragma once
// Deprecated include path, kept for this release: include <ZelkEquations/${Header}>.
#include \"../../${Header}\"
#include \"../LanguageNames.h\"
" @ONLY)
  endforeach()
endforeach()

install(DIRECTORY ${ZELK_PUBLIC_FOLDERS}
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ZelkEquations COMPONENT Development
  FILES_MATCHING PATTERN "*.h" PATTERN glyphs EXCLUDE PATTERN icons EXCLUDE)
install(DIRECTORY ${ZELK_INSTALLED_INCLUDE}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT Development)
