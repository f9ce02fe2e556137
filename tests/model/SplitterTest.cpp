#include <gtest/gtest.h>

#include "model/TextForm.h"
#include "model/ZelkGraphic.h"
#include "platform/Exceptions.h"

namespace {
std::vector<std::pair<QString, QString>> Split(const QString& Text) {
  std::vector<std::pair<QString, QString>> Result;
  for (const TExpression& E : TZelkGraphic::GetExprData(Text)) Result.emplace_back(E.Name, E.Argument);
  return Result;
}
using Items = std::vector<std::pair<QString, QString>>;
}  // namespace

TEST(Splitter, ItemsInTextOrderWithNestedArguments) {
  EXPECT_EQ(Split("EditArea(Simple(a))EditArea(Division(EditArea(Simple(1))EditArea()))"),
            (Items{{"EditArea", "Simple(a)"}, {"EditArea", "Division(EditArea(Simple(1))EditArea())"}}));
}

TEST(Splitter, IgnoresNonLettersBetweenItemsAndTrimsArguments) {
  EXPECT_EQ(Split(" Simple ( x ) , Simple(y) "), (Items{{"Simple", "x"}, {"Simple", "y"}}));
  EXPECT_EQ(Split("12 Foo 3(\t bar \n)"), (Items{{"Foo", "bar"}}));
}

TEST(Splitter, EmptyAndLetterlessTexts) {
  EXPECT_TRUE(Split("").empty());
  EXPECT_TRUE(Split("   ").empty());
  EXPECT_TRUE(Split("(())").empty());
  EXPECT_TRUE(Split("123").empty());
}

TEST(Splitter, NameWithoutParenthesesHasEmptyArgument) {
  EXPECT_EQ(Split("a"), (Items{{"a", ""}}));
  EXPECT_EQ(Split("a b"), (Items{{"a", ""}, {"b", ""}}));
  EXPECT_EQ(Split("EditArea(a)"), (Items{{"EditArea", "a"}}));
}

TEST(Splitter, UnbalancedItemTakesTheRestOfTheText) {
  EXPECT_EQ(Split("A(x(y"), (Items{{"A", "x(y"}}));
  EXPECT_EQ(Split("A(b)C(d(e)"), (Items{{"A", "b"}, {"C", "d(e)"}}));
  // A closing parenthesis first never balances either.
  EXPECT_EQ(Split("a)b"), (Items{{"a", "b"}}));
  EXPECT_EQ(Split("a)"), (Items{{"a", ""}}));
}

TEST(Splitter, HugeUnbalancedTextsFinish) {
  const QString Opens(1000000, QChar(u'('));
  EXPECT_EQ(Split("A" + Opens).size(), 1u);
  EXPECT_EQ(Split(Opens + "A").size(), 1u);
  EXPECT_TRUE(Split(QString(1000000, QChar(u')'))).empty());
}

TEST(TextForm, TrimRemovesControlCharactersAndSpaces) {
  EXPECT_EQ(TrimText(QString("\x01 a b\t\n")), QString("a b"));
  EXPECT_EQ(TrimText(" \x1f "), QString());
}

TEST(TextForm, StrToIntAcceptsSignedDecimalsIn32Bits) {
  EXPECT_EQ(StrToInt("70000"), 70000);
  EXPECT_EQ(StrToInt("-1"), -1);
  EXPECT_EQ(StrToInt("+8"), 8);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* Bad : {"", "-", "x", "12a", "2147483648", "99999999999999999999999", "0x10", " 1"})
    EXPECT_THROW(StrToInt(Bad), EConvertError) << Bad;
}
