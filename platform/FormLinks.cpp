#include "FormLinks.h"

#include <QMetaProperty>
#include <QVariant>
#include <QWidget>

namespace {
const QByteArray LinkSuffix = QByteArrayLiteral("Name");

// Assigns Object's property Name from the stored target name; true when assigned.
bool ResolveLink(QWidget* Form, QObject* Object, const QByteArray& StoredName) {
  const QByteArray PropertyName = StoredName.chopped(LinkSuffix.size());
  const QMetaObject* Meta = Object->metaObject();
  const int Index = Meta->indexOfProperty(PropertyName.constData());
  if (Index < 0) return false;
  const QMetaProperty Property = Meta->property(Index);
  const QMetaType Type = Property.metaType();
  const QMetaObject* TargetClass = Type.metaObject();
  if (!(Type.flags() & QMetaType::PointerToQObject) || !TargetClass || !Property.isWritable())
    return false;
  const QString TargetName = Object->property(StoredName.constData()).toString();
  if (TargetName.isEmpty()) return false;
  QObject* Target = Form->objectName() == TargetName ? Form : nullptr;
  if (!Target) Target = Form->findChild<QObject*>(TargetName);
  if (!Target || !TargetClass->cast(Target)) return false;
  // A QObject-derived pointer converts to the property's own pointer type as it is.
  return Property.write(Object, QVariant(Type, &Target));
}

int ResolveObject(QWidget* Form, QObject* Object) {
  int Count = 0;
  for (const QByteArray& Name : Object->dynamicPropertyNames())
    if (Name.size() > LinkSuffix.size() && Name.endsWith(LinkSuffix) && ResolveLink(Form, Object, Name))
      ++Count;
  return Count;
}
}  // namespace

int ResolveFormLinks(QWidget* Form) {
  if (!Form) return 0;
  int Count = ResolveObject(Form, Form);
  for (QObject* Child : Form->findChildren<QObject*>()) Count += ResolveObject(Form, Child);
  return Count;
}
