// platform: the shared text helpers.
#include "platform/text.h"

#include <gtest/gtest.h>

namespace talpora {
namespace {

TEST(Text, TrimLowerIequals) {
  struct Row {
    const char* in;
    const char* trimmed;
  };
  for (const Row& r : {Row{"", ""}, Row{"   ", ""}, Row{" a b ", "a b"}, Row{"\tx\r\n", "x"},
                       Row{"no blanks", "no blanks"}, Row{"\xE9t\xE9 ", "\xE9t\xE9"}})
    EXPECT_EQ(trim(r.in), r.trimmed) << '"' << r.in << '"';

  EXPECT_EQ(lower("Tropical ZODIAC 12"), "tropical zodiac 12");
  EXPECT_EQ(lower("\xC9T\xC9"), "\xC9t\xC9");  // CP1252 letters above 127 are left alone

  EXPECT_TRUE(iequals("Courier New", "courier new"));
  EXPECT_TRUE(iequals("", ""));
  EXPECT_FALSE(iequals("Courier", "Courier New"));
  EXPECT_FALSE(iequals("abc", "abd"));
}

}  // namespace
}  // namespace talpora
