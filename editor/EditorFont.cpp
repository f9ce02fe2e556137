#include "EditorFont.h"

QFont DefaultEditorFont() {
  QFont Font(QStringLiteral("Times New Roman"));
  Font.setPointSize(20);
  Font.setResolveMask(QFont::AllPropertiesResolved);
  return Font;
}

QFont EditorFont(const QFont& Requested) {
  QFont Own = Requested.resolve(DefaultEditorFont());
  Own.setResolveMask(QFont::AllPropertiesResolved);
  return Own;
}
