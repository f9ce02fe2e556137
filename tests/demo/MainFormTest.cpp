// The demonstration window end to end: start-up, the text box and the formula in step,
// the language selector, the dialogs and the panel's arrangement.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <QTimer>

#include "demo/main.h"
#include "editor/UsefulUtils.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"
#include "palette/SelectEquation.h"
#include "palette/ToolBar.h"

using enum TLanguages::TLanguage;

namespace {
struct MainForm {
  TfrmMain Form;
  TZelkEquation* Editor = Form.findChild<TZelkEquation*>("ZelkEquation1");
  TSelectEquation* Palette = Form.findChild<TSelectEquation*>("SelectEquation1");
  QPlainTextEdit* Memo = Form.findChild<QPlainTextEdit*>("Memo1");
  QComboBox* Combo = Form.findChild<QComboBox*>("ComboBox1");
  int Changes = 0;

  MainForm() {
    Form.show();
    QObject::connect(Editor, &TZelkEquation::OnChange, [this] { ++Changes; });
  }
  // The text box takes the focus, as when the user clicks into it.
  void FocusMemo() {
    QApplication::setActiveWindow(&Form);
    Memo->setFocus();
    ASSERT_TRUE(Memo->hasFocus());
  }
  // The description of the first category button in the palette's language.
  QString FirstDescription() const { return Palette->EqData()[0].Descriptions.value(0); }
  static QString StoredDescription(TLanguage Language) {
    return GetString(QString::number(LanguageDigit(Language)) + "0000");
  }
};
}  // namespace

TEST(MainForm, StartsWithTheFormulaItsTextAndARussianPaletteLinkedToTheEditor) {
  MainForm F;
  EXPECT_EQ(F.Form.windowTitle(), "Zelk Eqations v" + F.Editor->Version());
  EXPECT_EQ(F.Editor->GetData(), TfrmMain::InitialFormula);
  EXPECT_EQ(F.Memo->toPlainText(), TfrmMain::InitialFormula);
  EXPECT_EQ(F.Palette->Language(), lRussian);
  EXPECT_EQ(F.FirstDescription(), MainForm::StoredDescription(lRussian));
  EXPECT_EQ(F.Palette->Equation(), F.Editor);
  EXPECT_TRUE(F.Form.ReadError()->text().isEmpty());
}

TEST(MainForm, APaletteClickRewritesTheTextBoxOnceTheEventLoopRuns) {
  MainForm F;
  const QString Before = F.Editor->GetData();
  F.Palette->GroupBar(1)->Buttons(0)->click();
  EXPECT_NE(F.Editor->GetData(), Before);
  QCoreApplication::processEvents();
  EXPECT_EQ(F.Memo->toPlainText(), F.Editor->GetData());
}

TEST(MainForm, ManyChangesInOneTurnRewriteTheTextBoxOnce) {
  MainForm F;
  int Rewrites = 0;
  QObject::connect(F.Memo, &QPlainTextEdit::textChanged, [&] { ++Rewrites; });
  for (const char* Text : {"a", "b", "c"}) QTest::keyClicks(F.Editor, Text);
  F.Editor->AddEditArea();
  EXPECT_EQ(Rewrites, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(Rewrites, 1);
  EXPECT_EQ(F.Memo->toPlainText(), F.Editor->GetData());
}

TEST(MainForm, WhatAReadDropsShowsInTheBottomPanel) {
  MainForm F;
  F.Editor->setProperty("Data", "EditArea(Simple(a)ExtSymbol(q))");
  EXPECT_FALSE(F.Form.ReadError()->text().isEmpty());
  F.Editor->setProperty("Data", "EditArea(Simple(a))");
  EXPECT_TRUE(F.Form.ReadError()->text().isEmpty());
}

TEST(MainForm, TheTextItAlreadyShowsRebuildsNothing) {
  MainForm F;
  TEditArea* Line = F.Editor->Line(0);
  F.Memo->setPlainText(F.Memo->toPlainText());
  EXPECT_EQ(F.Changes, 0);
  EXPECT_EQ(F.Editor->Line(0), Line);
}

TEST(MainForm, AnAssignedTextRebuildsTheFormulaAndShowsItsSerialisation) {
  MainForm F;
  F.Memo->setPlainText("EditArea(Simple(a))EditArea(Simple(b)");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a))EditArea(Simple(b))");
  EXPECT_EQ(F.Memo->toPlainText(), F.Editor->GetData());
}

TEST(MainForm, TypedTextStaysUntilTheTextBoxLosesTheFocus) {
  MainForm F;
  F.FocusMemo();
  F.Memo->selectAll();
  QTest::keyClicks(F.Memo, "EditArea(Simple(a)Simple(b");
  // Every keystroke rebuilt the formula, yet nothing the user typed was replaced.
  EXPECT_EQ(F.Memo->toPlainText(), "EditArea(Simple(a)Simple(b");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)Simple(b))");
  QTest::keyClick(F.Memo, Qt::Key_Return);
  QTest::keyClick(F.Memo, Qt::Key_Enter);
  EXPECT_EQ(F.Memo->toPlainText(), "EditArea(Simple(a)Simple(b");
  F.Combo->setFocus();
  EXPECT_EQ(F.Memo->toPlainText(), "EditArea(Simple(a)Simple(b))");
}

TEST(MainForm, ARejectedTextKeepsThePartReadAndShowsWhyUntilTheNextGoodRead) {
  MainForm F;
  F.FocusMemo();
  F.Memo->selectAll();
  QTest::keyClicks(F.Memo, "EditArea(Simple(a)ExtSymbol(x))");
  EXPECT_EQ(F.Memo->toPlainText(), "EditArea(Simple(a)ExtSymbol(x))");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a))");
  EXPECT_FALSE(F.Form.ReadError()->text().isEmpty());
  EXPECT_TRUE(F.Form.isVisible());
  // Correcting the text clears the message.
  for (int I = 0; I < 3; ++I) QTest::keyClick(F.Memo, Qt::Key_Backspace);
  QTest::keyClicks(F.Memo, "1))");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a)ExtSymbol(1))");
  EXPECT_TRUE(F.Form.ReadError()->text().isEmpty());
}

TEST(MainForm, ARejectedTextAssignedFromOutsideIsShownAsRead) {
  MainForm F;
  F.Memo->setPlainText("EditArea(Simple(a)ExtSymbol(8734z))");
  EXPECT_EQ(F.Editor->GetData(), "EditArea(Simple(a))");
  EXPECT_EQ(F.Memo->toPlainText(), "EditArea(Simple(a))");
  EXPECT_FALSE(F.Form.ReadError()->text().isEmpty());
}

TEST(MainForm, TheLanguageComboSwitchesThePaletteDescriptions) {
  MainForm F;
  F.Combo->setCurrentIndex(1);
  EXPECT_EQ(F.Palette->Language(), lDeutsche);
  EXPECT_EQ(F.FirstDescription(), MainForm::StoredDescription(lDeutsche));
  F.Combo->setCurrentIndex(2);
  EXPECT_EQ(F.Palette->Language(), lEnglish);
  EXPECT_EQ(F.FirstDescription(), MainForm::StoredDescription(lEnglish));
  F.Combo->setCurrentIndex(-1);
  EXPECT_EQ(F.Palette->Language(), lEnglish);
  F.Combo->setCurrentIndex(0);
  EXPECT_EQ(F.FirstDescription(), MainForm::StoredDescription(lRussian));
}

TEST(MainForm, TheStyleCombosSwitchTheEditorAndKeepTheFormula) {
  MainForm F;
  auto* Style = F.Form.findChild<QComboBox*>("ComboTypesetting");
  auto* Input = F.Form.findChild<QComboBox*>("ComboInputStyle");
  ASSERT_NE(Style, nullptr);
  ASSERT_NE(Input, nullptr);
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Math);
  EXPECT_EQ(F.Editor->InputStyle(), TInputStyles::Modern);
  EXPECT_TRUE(F.Editor->WordShortcuts());
  const QString Text = F.Memo->toPlainText();
  Style->setCurrentIndex(0);
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Classic);
  Style->setCurrentIndex(1);
  EXPECT_EQ(F.Editor->Typesetting(), TTypesettings::Math);
  Input->setCurrentIndex(0);
  EXPECT_EQ(F.Editor->InputStyle(), TInputStyles::Classic);
  EXPECT_EQ(F.Memo->toPlainText(), Text);
  EXPECT_EQ(F.Changes, 0);
}

TEST(MainForm, TheStyleChoicesAreRememberedBetweenRuns) {
  QTemporaryDir Folder;
  QSettings Settings(Folder.filePath("demo.ini"), QSettings::IniFormat);
  {
    MainForm F;
    F.Form.UseSettings(&Settings);
    EXPECT_EQ(F.Editor->InputStyle(), TInputStyles::Modern);  // nothing stored yet
    F.Form.findChild<QComboBox*>("ComboTypesetting")->setCurrentIndex(0);
    F.Form.findChild<QComboBox*>("ComboInputStyle")->setCurrentIndex(0);
  }
  MainForm Again;
  Again.Form.UseSettings(&Settings);
  EXPECT_EQ(Again.Editor->Typesetting(), TTypesettings::Classic);
  EXPECT_EQ(Again.Editor->InputStyle(), TInputStyles::Classic);
}

TEST(MainForm, TheFontDialogStartsFromTheEditorsFontAndCancelChangesNothing) {
  MainForm F;
  const QFont Before = F.Editor->Font();
  QFont Preselected;
  QTimer::singleShot(0, [&] {
    Preselected = F.Form.FontDialog1()->currentFont();
    F.Form.FontDialog1()->reject();
  });
  F.Form.findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(Preselected.family(), QFontInfo(Before).family());
  EXPECT_EQ(Preselected.pointSize(), Before.pointSize());
  EXPECT_EQ(F.Editor->Font(), Before);
  EXPECT_EQ(F.Changes, 0);

  QFont Chosen = Before;
  Chosen.setPointSize(30);
  QTimer::singleShot(0, [&] {
    F.Form.FontDialog1()->setCurrentFont(Chosen);
    F.Form.FontDialog1()->accept();
  });
  F.Form.findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(F.Editor->Font().Size(), 30);
}

TEST(MainForm, TheColourDialogStartsFromTheBackgroundAndCancelChangesNothing) {
  MainForm F;
  F.Editor->SetBkColor(QColor(250, 240, 200));
  QColor Preselected;
  QTimer::singleShot(0, [&] {
    Preselected = F.Form.ColorDialog1()->currentColor();
    F.Form.ColorDialog1()->reject();
  });
  F.Form.findChild<QPushButton*>("Button2")->click();
  EXPECT_EQ(Preselected, QColor(250, 240, 200));
  EXPECT_EQ(F.Editor->BkColor(), QColor(250, 240, 200));

  QTimer::singleShot(0, [&] {
    F.Form.ColorDialog1()->setCurrentColor(Qt::yellow);
    F.Form.ColorDialog1()->accept();
  });
  F.Form.findChild<QPushButton*>("Button2")->click();
  EXPECT_EQ(F.Editor->BkColor(), QColor(Qt::yellow));
  EXPECT_EQ(F.Editor->Line(0)->BkColor(), QColor(Qt::yellow));
}

TEST(MainForm, TheBottomPanelKeepsItsDistancesToTheRightAndBottomEdges) {
  MainForm F;
  auto* Panel = F.Form.findChild<QWidget*>("Panel1");
  auto* Button2 = F.Form.findChild<QWidget*>("Button2");
  auto* Label1 = F.Form.findChild<QWidget*>("Label1");
  ASSERT_EQ(Panel->width(), 613);
  EXPECT_EQ(Button2->geometry(), QRect(530, 13, 75, 25));
  EXPECT_EQ(F.Memo->geometry(), QRect(1, 40, 611, 80));
  EXPECT_EQ(F.Combo->geometry(), QRect(284, 14, 127, 24));

  F.Form.resize(813, 537);
  EXPECT_EQ(Panel->geometry(), QRect(0, 416, 813, 121));
  EXPECT_EQ(Button2->geometry(), QRect(730, 13, 75, 25));
  EXPECT_EQ(F.Combo->geometry(), QRect(484, 14, 127, 24));
  EXPECT_EQ(F.Memo->geometry(), QRect(1, 40, 811, 80));
  EXPECT_EQ(Label1->pos(), QPoint(8, 20));
}

TEST(MainForm, UndoAndRedoButtonsFollowTheEditorAndItScrolls) {
  MainForm F;
  auto* Undo = F.Form.findChild<QToolButton*>("ButtonUndo");
  auto* Redo = F.Form.findChild<QToolButton*>("ButtonRedo");
  ASSERT_TRUE(Undo && Redo);
  EXPECT_FALSE(Undo->isEnabled());  // the starting formula is no step
  F.Editor->setFocus();
  QTest::keyClicks(F.Editor, "ab");
  EXPECT_TRUE(Undo->isEnabled());
  Undo->click();
  EXPECT_EQ(F.Editor->GetData(), TfrmMain::InitialFormula);
  EXPECT_FALSE(Undo->isEnabled());
  EXPECT_TRUE(Redo->isEnabled());
  Redo->click();
  EXPECT_NE(F.Editor->GetData(), TfrmMain::InitialFormula);
  auto* Scroll = F.Form.findChild<QScrollArea*>("ScrollBox1");
  ASSERT_NE(Scroll, nullptr);
  EXPECT_EQ(Scroll->widget(), F.Editor);
}
