// The Designer plugin as its hosts use it: the collection's entries, and a form file with
// both widgets loaded through QUiLoader.
#include <gtest/gtest.h>

#include <QFile>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>

#include "editor/ZelkEquation.h"
#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

using enum TLanguages::TLanguage;

namespace {
QDesignerCustomWidgetCollectionInterface* Collection() {
  static QPluginLoader Loader(ZELK_PLUGIN_DIR "/designer/libZelkEquationsDesigner.so");
  return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(Loader.instance());
}
}  // namespace

TEST(DesignerPlugin, OffersBothWidgetsOnOnePageWithIconsAndDefaults) {
  auto* Plugins = Collection();
  ASSERT_NE(Plugins, nullptr);
  const auto Widgets = Plugins->customWidgets();
  ASSERT_EQ(Widgets.size(), 2);
  const QStringList Names{"TZelkEquation", "TSelectEquation"};
  const QStringList Headers{"ZelkEquations/Equation.h", "ZelkEquations/Palette.h"};
  for (int I = 0; I < 2; ++I) {
    QDesignerCustomWidgetInterface* W = Widgets[I];
    EXPECT_EQ(W->name(), Names[I]);
    EXPECT_EQ(W->group(), "Zelk Equations");
    EXPECT_EQ(W->includeFile(), Headers[I]);
    EXPECT_FALSE(W->toolTip().isEmpty());
    EXPECT_FALSE(W->isContainer());
    EXPECT_EQ(W->icon().pixmap(24, 24).size(), QSize(24, 24)) << W->name().toStdString();
    EXPECT_TRUE(W->domXml().contains("class=\"" + Names[I] + "\""));
    std::unique_ptr<QWidget> Made(W->createWidget(nullptr));
    ASSERT_NE(Made, nullptr);
    EXPECT_EQ(Made->metaObject()->className(), Names[I]);
  }
}

TEST(DesignerPlugin, AFormFileWithBothWidgetsLoadsLinkedAndWorks) {
  QUiLoader Loader;
  Loader.clearPluginPaths();
  Loader.addPluginPath(ZELK_PLUGIN_DIR "/designer");
  for (const char* Name : {"TZelkEquation", "TSelectEquation"}) {
    std::unique_ptr<QWidget> Made(Loader.createWidget(Name));
    ASSERT_NE(Made, nullptr) << Name;
    EXPECT_EQ(Made->metaObject()->className(), QString(Name));
  }

  QFile File(ZELK_TEST_SOURCE_DIR "/designer/EquationForm.ui");
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  std::unique_ptr<QWidget> Form(Loader.load(&File));
  ASSERT_NE(Form, nullptr) << Loader.errorString().toStdString();
  auto* Editor = Form->findChild<TZelkEquation*>("Editor");
  auto* Palette = Form->findChild<TSelectEquation*>("SelectEquation1");
  ASSERT_NE(Editor, nullptr);
  ASSERT_NE(Palette, nullptr);
  EXPECT_EQ(Editor->GetData(), "EditArea(Simple(a))");
  EXPECT_EQ(Editor->BkColor(), QColor(255, 255, 224));
  EXPECT_EQ(Palette->Language(), lDeutsche);
  EXPECT_EQ(Editor->Typesetting(), TTypesettings::Math);
  EXPECT_EQ(Editor->InputStyle(), TInputStyles::Modern);

  Form->show();  // the stored link is resolved once the whole form exists
  EXPECT_EQ(Palette->Equation(), Editor);
  Palette->GroupBar(1)->Buttons(0)->click();
  EXPECT_NE(Editor->GetData(), "EditArea(Simple(a))");
  EXPECT_TRUE(Editor->GetData().startsWith("EditArea(Simple(a)"));
}
