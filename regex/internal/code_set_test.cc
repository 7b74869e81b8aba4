// Set algebra of character classes, including the wide ranges that must not
// be enumerated one code at a time.
#include "regex/internal/code_set.h"

#include <gtest/gtest.h>

namespace regex_internal {
namespace {

TEST(CodeSet, WideRangesMergeAndIntersect) {
  CodeSet set;
  set.addRange(0x100, 0x1FF);
  set.addRange(0x300, 0x3FF);
  set.addRange(0x200, 0x2FF);  // bridges the two: one range remains
  set.addRange(0x7FFFFFF0, 0x7FFFFFFF);
  EXPECT_EQ(set.size(), 0x300 + 16);
  EXPECT_TRUE(set.contains(0x2AB));
  EXPECT_FALSE(set.contains(0x400));
  EXPECT_TRUE(set.contains(0x7FFFFFFF));

  CodeSet other;
  other.addRange(0x380, 0x7FFFFFF5);
  set.intersect(other);
  EXPECT_EQ(set.size(), 0x80 + 6);
  EXPECT_FALSE(set.contains(0x37F));
  EXPECT_TRUE(set.contains(0x380));
  EXPECT_FALSE(set.contains(0x7FFFFFF6));
}

TEST(CodeSet, RangeAcrossTheByteBoundary) {
  CodeSet set;
  set.addRange(250, 260);
  EXPECT_EQ(set.size(), 11);
  EXPECT_TRUE(set.contains(255));
  EXPECT_TRUE(set.contains(256));
  EXPECT_FALSE(set.contains(-1));
}

TEST(CodeSet, ComplementStaysWithinTheByteRange) {
  CodeSet set;
  set.add('a');
  set.addRange(0x100, 0xFFFF);
  set.complementWithinByte();
  EXPECT_EQ(set.size(), 255);
  EXPECT_FALSE(set.contains('a'));
  EXPECT_TRUE(set.contains(0));
  EXPECT_FALSE(set.contains(0x100));
}

TEST(CodeSet, CaseForms) {
  CodeSet set;
  set.add('A');
  set.add('z');
  set.add('1');
  CodeSet lower = set.lowered();
  EXPECT_TRUE(lower.contains('a'));
  EXPECT_FALSE(lower.contains('A'));
  EXPECT_TRUE(lower.contains('z'));
  set.addOtherCase();
  EXPECT_EQ(set.size(), 5);
  EXPECT_TRUE(set.contains('Z'));
}

}  // namespace
}  // namespace regex_internal
