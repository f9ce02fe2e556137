#include "UsefulUtils.h"

#include <QFile>
#include <QHash>

#include "model/TextForm.h"
#include "platform/VirtualKeys.h"

namespace {
QHash<int, QString> LoadStrings() {
  QHash<int, QString> Strings;
  QFile File(QStringLiteral(":/ZelkEquations/Strings.tsv"));
  if (!File.open(QIODevice::ReadOnly)) return Strings;
  for (const QString& Line : QString::fromUtf8(File.readAll()).split(u'\n')) {
    const qsizetype Tab = Line.indexOf(u'\t');
    bool Ok = false;
    const int Number = Tab > 0 ? Line.left(Tab).toInt(&Ok) : 0;
    if (Ok) Strings.insert(Number, Line.mid(Tab + 1).remove(u'\r'));
  }
  return Strings;
}
}  // namespace

QString GetCharFromVirtualKey(quint16 Key) {
  const QString Text = TranslateVirtualKey(Key);
  return Text.size() <= 2 ? Text : QString();
}

QChar GetCharFromVirtualKey2(quint16 Key) {
  const QString Text = GetCharFromVirtualKey(Key);
  return Text.isEmpty() ? QChar() : Text[0];
}

QString GetString(const QString& Id) {
  static const QHash<int, QString> Strings = LoadStrings();
  return Strings.value(StrToInt(Id));
}

QString IntToStrZero(int Value, int Width) {
  QString Text = QString::number(Value);
  if (Text.size() < Width) Text.prepend(QString(Width - Text.size(), u'0'));
  return Text;
}
