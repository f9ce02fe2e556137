#pragma once
// The Qt Designer plugin of the component package: one collection holding the editor and
// the palette, both on the widget box page "Zelk Equations". Designer, uic (through the
// include files) and QUiLoader create the widgets through it.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "platform/Registration.h"

// One registered component as Designer sees it.
class TDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  // DomXml: the widget as it is first dropped on a form, with its default properties.
  TDesignerWidget(TComponentInfo Info, QString DomXml, QObject* Parent);

  QString name() const override { return FInfo.ClassName; }
  QString group() const override { return FInfo.Page; }
  QIcon icon() const override;
  QString toolTip() const override { return FInfo.ToolTip; }
  QString whatsThis() const override { return FInfo.ToolTip; }
  bool isContainer() const override { return false; }
  QString includeFile() const override { return FInfo.IncludeFile; }
  QString domXml() const override { return FDomXml; }
  // The widget's links to other widgets of the form are resolved once the form is shown.
  QWidget* createWidget(QWidget* Parent) override;
  bool isInitialized() const override { return FInitialized; }
  void initialize(QDesignerFormEditorInterface*) override { FInitialized = true; }

 private:
  TComponentInfo FInfo;
  QString FDomXml;
  bool FInitialized = false;
};

class TZelkEquationsCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  // Calls the Register procedures of the editor and of the palette.
  explicit TZelkEquationsCollection(QObject* Parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

 private:
  QList<QDesignerCustomWidgetInterface*> FWidgets;
};
