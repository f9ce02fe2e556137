// Links stored by object name are resolved against the whole form.
#include <gtest/gtest.h>

#include <QLabel>

#include "editor/ZelkEquation.h"
#include "palette/SelectEquation.h"
#include "platform/FormLinks.h"

namespace {
struct Form {
  QWidget Window;
  TSelectEquation* Palette = new TSelectEquation(&Window);
  QWidget* Panel = new QWidget(&Window);
  TZelkEquation* Editor = new TZelkEquation(Panel);
  Form() { Editor->setObjectName("ZelkEquation1"); }
};
}  // namespace

TEST(FormLinks, ANameResolvesToTheWidgetAnywhereInTheForm) {
  Form F;
  F.Palette->setProperty("EquationName", "ZelkEquation1");
  EXPECT_EQ(ResolveFormLinks(&F.Window), 1);
  EXPECT_EQ(F.Palette->Equation(), F.Editor);
}

TEST(FormLinks, UnknownEmptyOrMisfittingNamesLeaveTheLinkAlone) {
  Form F;
  (new QLabel("not an editor", F.Panel))->setObjectName("Label1");
  F.Palette->SetZelkEquation(F.Editor);
  for (const char* Name : {"", "ZelkEquation2", "Label1"}) {
    F.Palette->setProperty("EquationName", Name);
    EXPECT_EQ(ResolveFormLinks(&F.Window), 0) << Name;
    EXPECT_EQ(F.Palette->Equation(), F.Editor) << Name;
  }
}

TEST(FormLinks, OnlyNamesBesideWritableWidgetPointersCount) {
  Form F;
  F.Palette->setProperty("Name", "ZelkEquation1");          // no property before the suffix
  F.Palette->setProperty("LanguageName", "ZelkEquation1");  // not a widget pointer
  F.Palette->setProperty("ParentName", "ZelkEquation1");    // no such property
  EXPECT_EQ(ResolveFormLinks(&F.Window), 0);
  EXPECT_EQ(F.Palette->Equation(), nullptr);
  EXPECT_EQ(ResolveFormLinks(nullptr), 0);
}
