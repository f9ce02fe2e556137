#include "DesignerPlugin.h"

#include <QEvent>
#include <QIcon>
#include <QWidget>
#include <exception>

#include "editor/Equations.h"
#include "palette/SelectEquation.h"
#include "platform/FormLinks.h"

namespace {
// A loader sets a widget's stored link names while the rest of the form may not exist yet;
// the links are resolved against the whole form when the widget is first shown.
class TLinkOnShow : public QObject {
 public:
  explicit TLinkOnShow(QWidget* Widget) : QObject(Widget) { Widget->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Show) ResolveFormLinks(static_cast<QWidget*>(Watched)->window());
    return false;
  }
};

const char* const EditorXml = R"(<ui language="c++" displayname="TZelkEquation">
 <widget class="TZelkEquation" name="ZelkEquation1">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>120</height></rect></property>
  <property name="BkColor" stdset="0"><color><red>255</red><green>255</green><blue>255</blue></color></property>
  <property name="Data" stdset="0"><string notr="true">EditArea()</string></property>
 </widget>
</ui>)";

const char* const PaletteXml = R"(<ui language="c++" displayname="TSelectEquation">
 <widget class="TSelectEquation" name="SelectEquation1">
  <property name="geometry"><rect><x>0</x><y>0</y><width>613</width><height>121</height></rect></property>
  <property name="Language" stdset="0"><enum>TSelectEquation::lRussian</enum></property>
  <property name="EquationName" stdset="0"><string notr="true">ZelkEquation1</string></property>
 </widget>
</ui>)";
}  // namespace

TDesignerWidget::TDesignerWidget(TComponentInfo Info, QString DomXml, QObject* Parent)
    : QObject(Parent), FInfo(std::move(Info)), FDomXml(std::move(DomXml)) {}

QIcon TDesignerWidget::icon() const { return QIcon(FInfo.IconResource); }

QWidget* TDesignerWidget::createWidget(QWidget* Parent) {
  try {
    QWidget* Widget = FInfo.Create(Parent);
    new TLinkOnShow(Widget);
    return Widget;
  } catch (const std::exception&) {
    return nullptr;  // the host shows its own placeholder
  }
}

TZelkEquationsCollection::TZelkEquationsCollection(QObject* Parent) : QObject(Parent) {
  FWidgets = {new TDesignerWidget(Equations::Register(), QString::fromUtf8(EditorXml), this),
              new TDesignerWidget(SelectEquation::Register(), QString::fromUtf8(PaletteXml), this)};
}
