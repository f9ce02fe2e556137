// FormulaView and FormulaEditor loaded from the module as a program loads them.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlProperty>
#include <QQuickItem>
#include <QQuickView>
// A Qt Quick program runs a QGuiApplication: QTest's key helpers must not take it for a
// QApplication because the widgets module is linked too.
#undef QT_WIDGETS_LIB
#include <QTest>
#include <memory>

#include "editor/EditorCore.h"

namespace {
const char* const Scene = R"(
import QtQuick
import ZelkEquations

Rectangle {
    width: 480; height: 300; color: "white"
    FormulaEditor { objectName: "editor"; width: 480; height: 150; focus: true }
    FormulaView {
        objectName: "view"; y: 160
        latex: "\\frac{a}{b}"
        color: "navy"
    }
    Text { objectName: "mirror"; y: 280; text: editorLatex }
    property string editorLatex: children[0].plainLatex
}
)";

class QuickItems : public ::testing::Test {
 protected:
  void SetUp() override {
    View.engine()->addImportPath(QStringLiteral(ZELK_QML_IMPORT_DIR));
    QQmlComponent Component(View.engine());
    Component.setData(Scene, QUrl::fromLocalFile(QStringLiteral(ZELK_QML_IMPORT_DIR "/Scene.qml")));
    ASSERT_TRUE(Component.isReady()) << Component.errorString().toStdString();
    QObject* Root = Component.create();
    ASSERT_TRUE(Root) << Component.errorString().toStdString();
    View.setContent(Component.url(), &Component, Root);
    View.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    Editor = View.rootObject()->findChild<QQuickItem*>(QStringLiteral("editor"));
    Formula = View.rootObject()->findChild<QQuickItem*>(QStringLiteral("view"));
    ASSERT_TRUE(Editor && Formula);
    Editor->forceActiveFocus();
  }

  // QTest types strings into widgets only.
  void Type(const char* Text) {
    for (const char* C = Text; *C; ++C) QTest::keyClick(&View, *C);
  }

  QString EditorData() const { return Editor->property("data").toString(); }

  // Pixels darker than mid grey in Area of the window.
  int DarkPixels(const QRect& Area) {
    const QImage Shot = View.grabWindow();
    int Count = 0;
    for (int Y = Area.top(); Y <= Area.bottom() && Y < Shot.height(); ++Y)
      for (int X = Area.left(); X <= Area.right() && X < Shot.width(); ++X)
        Count += qGray(Shot.pixel(X, Y)) < 128;
    return Count;
  }

  QQuickView View;
  QQuickItem* Editor = nullptr;
  QQuickItem* Formula = nullptr;
};
}  // namespace

TEST_F(QuickItems, LatexAssignedIsReadAsTheDataTheCoreReads) {
  TEditorCore Core;
  Core.PutLaTeX(QStringLiteral("x^{2}+\\sqrt{y}"));
  ASSERT_TRUE(Editor->setProperty("latex", QStringLiteral("x^{2}+\\sqrt{y}")));
  EXPECT_EQ(EditorData(), Core.GetData());
  EXPECT_TRUE(Editor->property("readError").toString().isEmpty());
  // A text the reader refuses keeps the formula and says why.
  Editor->setProperty("latex", QStringLiteral("\\frac{"));
  EXPECT_EQ(EditorData(), Core.GetData());
  EXPECT_FALSE(Editor->property("readError").toString().isEmpty());
}

TEST_F(QuickItems, TypedKeysBuildTheFormulaAndUndoTakesThemBack) {
  Type("a+b");
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea(Simple(a)Simple(+)Simple(b))"));
  EXPECT_TRUE(Editor->property("canUndo").toBool());
  QTest::keyClick(&View, Qt::Key_Left);
  QTest::keyClick(&View, Qt::Key_Backspace);
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea(Simple(a)Simple(b))"));
  QMetaObject::invokeMethod(Editor, "undo");
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea(Simple(a)Simple(+)Simple(b))"));
  QTest::keyClick(&View, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea()"));
  EXPECT_FALSE(Editor->property("canUndo").toBool());
  EXPECT_TRUE(Editor->property("canRedo").toBool());
  QMetaObject::invokeMethod(Editor, "redo");
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea(Simple(a)Simple(+)Simple(b))"));
}

TEST_F(QuickItems, InsertionsTakeThePalettesKeywordsAndBindingsFollow) {
  bool Done = false;
  QMetaObject::invokeMethod(Editor, "insertTemplate", Q_RETURN_ARG(bool, Done), Q_ARG(QString, "Division"));
  EXPECT_TRUE(Done);
  Type("1");
  QMetaObject::invokeMethod(Editor, "insertTemplate", Q_RETURN_ARG(bool, Done), Q_ARG(QString, "NoSuchThing"));
  EXPECT_FALSE(Done);
  QMetaObject::invokeMethod(Editor, "insertSymbol", Q_RETURN_ARG(bool, Done), Q_ARG(int, 0x221E));
  EXPECT_TRUE(Done);
  EXPECT_EQ(EditorData(), QStringLiteral("EditArea(Division(EditArea(Simple(1)ExtSymbol(8734))EditArea()))"));
  // The Text bound to plainLatex follows every edit.
  const auto* Mirror = View.rootObject()->findChild<QObject*>(QStringLiteral("mirror"));
  EXPECT_EQ(Mirror->property("text").toString(), Editor->property("plainLatex").toString());
  EXPECT_TRUE(Mirror->property("text").toString().startsWith(QStringLiteral("\\frac{1")));
}

TEST_F(QuickItems, TheFormulasArePaintedWhereTheyStand) {
  Editor->setProperty("latex", QStringLiteral("\\int_0^1 x\\,dx"));
  QTest::qWait(50);
  // Inside the editor's frame: the formula's ink, and nothing to the right of it.
  const QRect Where(2, 2, Editor->implicitWidth(), Editor->implicitHeight());
  EXPECT_GT(DarkPixels(Where), 100);
  EXPECT_EQ(DarkPixels(QRect(Where.right() + 4, 2, 474 - Where.right() - 4, 146)), 0);
  EXPECT_GT(DarkPixels(QRect(0, 0, 480, 1)), 400);  // the frame
  // The view: a fraction in navy, as big as it says it is, and nothing beside it.
  const QRect Fraction(0, 160, Formula->implicitWidth(), Formula->implicitHeight());
  EXPECT_GT(Fraction.width(), 10);
  EXPECT_GT(DarkPixels(Fraction), 20);
  EXPECT_EQ(DarkPixels(QRect(Fraction.right() + 2, 160, 100, Fraction.height())), 0);
  const double Before = Formula->implicitWidth();
  Formula->setProperty("fontSize", 40);
  EXPECT_GT(Formula->implicitWidth(), Before * 1.5);
}

// ctest runs this once more at a device pixel ratio of 2 (QT_SCALE_FACTOR).
TEST_F(QuickItems, TheViewIsDrawnAtTheWindowsPixelRatio) {
  const qreal Ratio = View.devicePixelRatio();
  const QImage Shot = View.grabWindow();
  TEditorCore Core;
  Core.PutLaTeX(QStringLiteral("\\frac{a}{b}"));
  Core.SetFontColor(QColor("navy"));
  TRenderOptions Options;
  Options.Scale = Ratio;
  const QImage Expected = Core.RenderImage(Options);
  ASSERT_EQ(QSizeF(Formula->implicitWidth(), Formula->implicitHeight()), QSizeF(Core.RenderSize()));
  // Drawn for the device pixels, not scaled up from a picture at 1: pixel for pixel what
  // the core draws at that scale.
  int Different = 0;
  const int Top = qRound(160 * Ratio);
  for (int Y = 0; Y < Expected.height(); ++Y)
    for (int X = 0; X < Expected.width(); ++X)
      Different += qAbs(qGray(Shot.pixel(X, Top + Y)) - qGray(Expected.pixel(X, Y))) > 48;
  EXPECT_LT(Different, Expected.width() * Expected.height() / 100) << "at ratio " << Ratio;
}

TEST_F(QuickItems, TheEditorIsNamedByItsFormulaReadAloud) {
  Editor->setProperty("language", 0);
  Editor->setProperty("latex", QStringLiteral("\\frac{1}{x}"));
  const QString Name = QQmlProperty::read(Editor, QStringLiteral("Accessible.name"), qmlContext(Editor)).toString();
  EXPECT_EQ(Name, Editor->property("spokenFormula").toString());
  EXPECT_TRUE(Name.contains(QStringLiteral("fraction"))) << Name.toStdString();
  EXPECT_EQ(QQmlProperty::read(Editor, QStringLiteral("Accessible.role"), qmlContext(Editor)).toInt(),
            int(QAccessible::EditableText));
}
