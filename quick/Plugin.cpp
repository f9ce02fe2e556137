// The plugin of the QML module ZelkEquations: the items, and the enumerations of the core
// under QML names (Typesetting.Math, InputStyle.Modern). The items take the language as a
// number: QML takes no enumerator in lower case (lEnglish).

#include <QQmlEngineExtensionPlugin>
#include <QtQml/qqml.h>

#include "editor/InputStyle.h"
#include "editor/Typesetting.h"

extern void qml_register_types_ZelkEquations();
Q_GHS_KEEP_REFERENCE(qml_register_types_ZelkEquations)

class TZelkEquationsPlugin : public QQmlEngineExtensionPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QQmlEngineExtensionInterface_iid)

 public:
  TZelkEquationsPlugin() {
    volatile auto Registration = &qml_register_types_ZelkEquations;
    Q_UNUSED(Registration)
    const char* Uri = "ZelkEquations";
    const QString Why = QStringLiteral("an enumeration");
    qmlRegisterUncreatableMetaObject(TTypesettings::staticMetaObject, Uri, 1, 0, "Typesetting", Why);
    qmlRegisterUncreatableMetaObject(TInputStyles::staticMetaObject, Uri, 1, 0, "InputStyle", Why);
  }
};

#include "Plugin.moc"
