// Qt key events as virtual-key codes, and the translation of the key being handled.

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "editor/UsefulUtils.h"
#include "platform/VirtualKeys.h"

namespace {
quint16 Code(int Key, const QString& Text = QString(), Qt::KeyboardModifiers M = Qt::NoModifier) {
  return VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Key, M, Text));
}
}  // namespace

TEST(VirtualKeys, QtKeysMapToTheWindowsCodes) {
  EXPECT_EQ(Code(Qt::Key_A, "a"), 0x41);
  EXPECT_EQ(Code(Qt::Key_A, QString(QChar(1)), Qt::ControlModifier), 0x41);
  EXPECT_EQ(Code(Qt::Key_7, "7"), 0x37);
  EXPECT_EQ(Code(Qt::Key_7, "7", Qt::KeypadModifier), 0x67);
  EXPECT_EQ(Code(Qt::Key_Plus, "+", Qt::KeypadModifier), vkAdd);
  EXPECT_EQ(Code(Qt::Key_Comma, ",", Qt::KeypadModifier), vkSeparator);
  EXPECT_EQ(Code(Qt::Key_Home, "", Qt::KeypadModifier), vkHome);  // Num Lock off
  EXPECT_EQ(Code(Qt::Key_Enter, "\r", Qt::KeypadModifier), vkReturn);
  EXPECT_EQ(Code(Qt::Key_Exclam, "!", Qt::ShiftModifier), '1');
  EXPECT_EQ(Code(Qt::Key_Plus, "+", Qt::ShiftModifier), vkOemPlus);
  EXPECT_EQ(Code(Qt::Key_Semicolon, ";"), vkOem1);
  EXPECT_EQ(Code(Qt::Key_QuoteDbl, "\""), vkOem7);
  EXPECT_EQ(Code(Qt::Key_Space, " "), vkSpace);
  EXPECT_EQ(Code(Qt::Key_Backtab, "", Qt::ShiftModifier), vkTab);
  EXPECT_EQ(Code(Qt::Key_F12), 0x7B);
  EXPECT_EQ(Code(Qt::Key_VolumeUp), 0xAF);
  // Keys of other layouts are character keys when they type one printable character.
  EXPECT_EQ(Code(0x42F, QString::fromUtf8("я")), vkOem8);
  EXPECT_EQ(Code(0x42F, QString::fromUtf8("я"), Qt::ControlModifier), vkOem8);
  EXPECT_EQ(Code(Qt::Key_Dead_Acute), vkNone);
  EXPECT_EQ(Code(0x1D465, QString::fromUtf8("𝑥")), vkOem8);  // beyond 16 bits, one character too
  EXPECT_EQ(Code(Qt::Key_unknown, QString(QChar(27))), vkNone);
}

TEST(VirtualKeys, ShiftStateNamesTheModifiers) {
  EXPECT_TRUE(ShiftStateOf(Qt::NoModifier).IsEmpty());
  EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier),
            (TShiftState{ssShift, ssCtrl}));
  EXPECT_EQ(ShiftStateOf(Qt::AltModifier), (TShiftState{ssAlt}));
}

TEST(VirtualKeys, TranslationReadsTheKeyEventBeingHandled) {
  EXPECT_EQ(GetCharFromVirtualKey('A'), "");
  const QKeyEvent Shifted(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
  {
    const TKeyEventScope Outer(Shifted);
    EXPECT_EQ(GetCharFromVirtualKey('A'), "A");
    EXPECT_EQ(GetCharFromVirtualKey2('A'), QChar('A'));
    EXPECT_EQ(GetCharFromVirtualKey('B'), "");  // not the key being handled
    EXPECT_EQ(GetCharFromVirtualKey2('B'), QChar(0));
    const QKeyEvent Command(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, "b");
    {
      const TKeyEventScope Inner(Command);
      EXPECT_EQ(GetCharFromVirtualKey('B'), "");
    }
    EXPECT_EQ(GetCharFromVirtualKey('A'), "A");
  }
  EXPECT_EQ(GetCharFromVirtualKey('A'), "");
  // A dead key followed by a letter it does not combine with types both; longer
  // texts (an input method's) are not one key's translation.
  const QKeyEvent Two(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, QString::fromUtf8("´e"));
  const QKeyEvent Three(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "abc");
  {
    const TKeyEventScope Scope(Two);
    EXPECT_EQ(GetCharFromVirtualKey('E'), QString::fromUtf8("´e"));
  }
  {
    const TKeyEventScope Scope(Three);
    EXPECT_EQ(GetCharFromVirtualKey('E'), "");
    EXPECT_EQ(GetCharFromVirtualKey2('E'), QChar(0));
  }
}
