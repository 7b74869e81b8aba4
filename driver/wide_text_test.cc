#include "driver/wide_text.h"

#include <gtest/gtest.h>

namespace {

TEST(WideTextTest, WidenBytesKeepsEveryByteAsOneCharacter) {
  const std::string utf8 = "caf\xC3\xA9 \x01\x7F\xFF";
  const std::wstring wide = WidenBytes(utf8);
  EXPECT_EQ(wide, (std::wstring{L'c', L'a', L'f', 0xC3, 0xA9, L' ', 0x01, 0x7F, 0xFF}));
  EXPECT_EQ(NarrowLowBytes(wide), utf8);
}

TEST(WideTextTest, NarrowLowBytesKeepsTheLowEightBits) {
  EXPECT_EQ(NarrowLowBytes(std::wstring{0x141, L'b', 0x2026}), "Ab&");
  EXPECT_EQ(NarrowLowBytes(L""), "");
}

TEST(WideTextTest, WidenDecodesPlainText) {
  EXPECT_EQ(Widen("d07a.e200.d07a.e202"), L"d07a.e200.d07a.e202");
  EXPECT_EQ(Widen(""), L"");
}

}  // namespace
