// The factory that gives the editor and the palette buttons their accessible interfaces,
// installed when the library is loaded.

#include "AccessibleInterfaces.h"
#include "editor/ZelkEquation.h"
#include "palette/ToolBar.h"

namespace {
QAccessibleInterface* AccessibleFactory(const QString& ClassName, QObject* Object) {
  if (ClassName == QLatin1String("TZelkEquation"))
    if (auto* Editor = qobject_cast<TZelkEquation*>(Object)) return new TAccessibleEquation(Editor);
  if (ClassName == QLatin1String("TToolButton"))
    if (auto* Button = qobject_cast<TToolButton*>(Object)) return new TAccessibleToolButton(Button);
  return nullptr;
}

// Never removed: Qt's list of factories may be gone before this library's statics are, and
// a host keeps the library loaded until it exits.
struct TFactoryInstaller {
  TFactoryInstaller() { QAccessible::installFactory(AccessibleFactory); }
};
const TFactoryInstaller Installer;
}  // namespace
