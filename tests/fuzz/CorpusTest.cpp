// The seed corpus of the Data fuzz target, run as ordinary tests: every accepted name has
// its seed, which reads back exactly, and every seed reads to a fixed point.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TestSupport.h"
#include "model/Keywords.h"
#include "platform/Exceptions.h"

namespace {
QString Seed(const QString& Name) {
  QFile File(QStringLiteral(ZELK_FUZZ_CORPUS "/") + Name);
  return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}
}  // namespace

TEST(FuzzCorpus, EveryAcceptedNameHasASeedThatReadsBackExactly) {
  QStringList Names = AcceptedTemplateKeywords();
  Names << "Simple" << "ExtSymbol";
  for (const QString& Name : Names) {
    SCOPED_TRACE(Name.toStdString());
    const QString Text = Seed(Name);
    ASSERT_FALSE(Text.isEmpty());
    TZelkEquation Editor;
    Editor.SetData(Text);
    // The ExtSymbol seed holds a code beyond 16 bits, written back reduced.
    if (Name != "ExtSymbol") {
      EXPECT_EQ(Editor.GetData(), Text);
    }
  }
}

TEST(FuzzCorpus, EverySeedReadsToAFixedPoint) {
  const QDir Corpus(QStringLiteral(ZELK_FUZZ_CORPUS));
  const QStringList Files = Corpus.entryList(QDir::Files);
  ASSERT_GT(Files.size(), 76);
  for (const QString& Name : Files) {
    SCOPED_TRACE(Name.toStdString());
    TZelkEquation Editor;
    try {
      Editor.SetData(Seed(Name));
    } catch (const EConvertError&) {
    } catch (const ELimitError&) {
    }
    const QString Written = Editor.GetData();
    TZelkEquation Again;
    Again.SetData(Written);
    EXPECT_EQ(Again.GetData(), Written);
  }
}
