// Tests of the matcher: its state between operations (fresh, after a failed
// or a finished search, after a whole match), replacement templates, and
// the limits that keep hostile subjects from crashing or hanging the caller.
#include "regex/regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(Matcher, FreshMatcherReportsEmptyGroupsAtZero) {
  auto p = Pattern::compile("(a)(b)", 0);
  auto m = p->newMatcher("ab");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m->groupStart(i), 0);
    EXPECT_EQ(m->groupEnd(i), 0);
    EXPECT_EQ(m->groupText(i), "");
  }
  EXPECT_EQ(m->groupStart(-1), -1);
  EXPECT_EQ(m->groupStart(3), -1);
  EXPECT_EQ(m->groupEnd(3), -1);
  EXPECT_EQ(m->groupText(3), "");
}

TEST(Matcher, InventoryLineGivesSevenGroups) {
  auto p = Pattern::compile(
      "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
      ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*",
      Pattern::DOT_ALL);
  ASSERT_NE(p, nullptr);
  auto m = p->newMatcher(
      "HBA=ZRa200-X NIC,Port=0,PCI ID=e1,VID=d07a,SSID=e2,SVID=d07a,Firmware=2.82A4,"
      "Boot Code=5.02a1\r");
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupTexts(false),
            (Strings{"ZRa200-X NIC,Port=0", "e1", "d07a", "e2", "d07a", "2.82A4", "5.02a1"}));
  EXPECT_EQ(m->groupTexts(true).size(), 8u);
  EXPECT_FALSE(p->newMatcher("HBA=x,PCI ID=e1")->matchesEntire());
}

TEST(Matcher, FailedSearchLeavesEveryGroupUnset) {
  auto p = Pattern::compile("(a)(b)?c", 0);
  auto m = p->newMatcher("abxab");
  EXPECT_FALSE(m->findFirst());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m->groupStart(i), -1) << i;
    EXPECT_EQ(m->groupEnd(i), -1) << i;
  }
}

TEST(Matcher, SearchAfterFailedSearchStartsAgain) {
  auto p = Pattern::compile("a", 0);
  auto m = p->newMatcher("ab");
  ASSERT_TRUE(m->findNext());
  EXPECT_EQ(m->groupStart(0), 0);
  // No 'a' after position 1: the search fails, and the next one starts over.
  EXPECT_FALSE(m->findNext());
  EXPECT_TRUE(m->findNext());
  EXPECT_EQ(m->groupStart(0), 0);
}

TEST(Matcher, SearchThatReachedTheEndStaysFinished) {
  auto p = Pattern::compile("b", 0);
  auto m = p->newMatcher("ab");
  ASSERT_TRUE(m->findFirst());
  EXPECT_EQ(m->groupEnd(0), 2);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(m->findNext());
  m->rewind();
  EXPECT_TRUE(m->findNext());
}

TEST(Matcher, WholeMatchAfterSearchAndNewText) {
  auto p = Pattern::compile("(\\d+)", 0);
  auto m = p->newMatcher("a12");
  ASSERT_TRUE(m->findFirst());
  EXPECT_EQ(m->groupText(1), "12");
  EXPECT_FALSE(m->matchesEntire());
  m->setText("345");
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupText(0), "345");
  // A whole match resets the search: findNext begins at position 0 again.
  ASSERT_TRUE(m->findNext());
  EXPECT_EQ(m->groupStart(0), 0);
}

TEST(Matcher, ExpandReplacement) {
  auto p = Pattern::compile("(x)", 0);
  auto m = p->newMatcher("x");
  ASSERT_TRUE(m->matchesEntire());
  struct Case {
    const char* replacement;
    const char* expanded;
  } cases[] = {
      {"\\1n", "x"
               "n"},
      {"\\1\\n", "xn"},
      {"end\\", "end\\"},
      {"\\\\1", "\\1"},
      {"<\\0>", "<x>"},
      {"<\\2><\\01>", "<><x>"},
      {"\\99999999999", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(m->expandReplacement(c.replacement), c.expanded);
}

TEST(Matcher, MatchersOverOnePatternAreIndependent) {
  auto p = Pattern::compile("(\\w)", 0);
  auto first = p->newMatcher("ab");
  auto second = p->newMatcher("xy");
  ASSERT_TRUE(first->findFirst());
  ASSERT_TRUE(second->findFirst());
  ASSERT_TRUE(second->findNext());
  EXPECT_EQ(first->groupText(1), "a");
  EXPECT_EQ(second->groupText(1), "y");
  EXPECT_TRUE(p->matchesEntire("q"));  // the internal matcher is a third one
  EXPECT_EQ(first->groupText(1), "a");
}

// Subjects of the size a hostile tool line could have.
class LongSubject : public testing::Test {
 protected:
  static constexpr size_t kSize = 16 * 1024 * 1024;
};

TEST_F(LongSubject, RepetitionsOfOneCharacterStayCorrect) {
  std::string text(kSize, 'x');
  EXPECT_TRUE(Pattern::matchesEntire(".*", text, 0));
  auto p = Pattern::compile("(.+)", 0);
  auto m = p->newMatcher(text);
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupEnd(1), static_cast<int>(kSize));
  text.back() = '\n';
  EXPECT_FALSE(Pattern::matchesEntire(".*", text, 0));
}

TEST_F(LongSubject, DeepGroupLoopDoesNotCrash) {
  std::string text;
  text.reserve(kSize);
  while (text.size() < kSize) text += "ab";
  // Far beyond any real line: the result may be "no match", but the process
  // survives.
  Pattern::matchesEntire("(a|b)*", text, 0);
  // Deep enough to leave the caller's stack, short enough to stay within the
  // engine's own: the result is still correct.
  std::string medium = text.substr(0, 200000);
  auto p = Pattern::compile("(a|b)*", 0);
  auto m = p->newMatcher(medium);
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupStart(1), 199999);
}

TEST_F(LongSubject, InventoryPattern) {
  auto p = Pattern::compile(
      "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
      ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*",
      Pattern::DOT_ALL);
  // A query line with an enormous model field still matches correctly.
  std::string model(kSize, 'x');
  auto m = p->newMatcher("HBA=" + model +
                         ",PCI ID=e1,VID=d07a,SSID=e2,SVID=d07a,Firmware=2.82A4,Boot Code=5.02a1\r");
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupEnd(1), static_cast<int>(kSize) + 4);
  EXPECT_EQ(m->groupText(7), "5.02a1");
  // A hostile line that makes the pattern backtrack without end: it ends
  // as no match (a shorter one keeps the test quick).
  std::string text = "HBA=";
  while (text.size() < kSize / 8) text += ",PCI ID=1,";
  EXPECT_FALSE(p->newMatcher(text)->matchesEntire());
}

TEST_F(LongSubject, SearchWithManyGroupsFindsTheLastPosition) {
  // Every start position tried clears all groups; the budget allows for it.
  std::string pattern;
  for (int i = 0; i < 40; ++i) pattern += "(z)?";
  pattern += "(end)";
  const size_t size = kSize / 8;
  std::string text(size, 'x');
  text += "end";
  auto p = Pattern::compile(pattern, 0);
  auto m = p->newMatcher(text);
  ASSERT_TRUE(m->findFirst());
  EXPECT_EQ(m->groupStart(41), static_cast<int>(size));
}

TEST(StepBudget, RunawayBacktrackingEndsAsNoMatch) {
  std::string text(40, 'a');
  auto p = Pattern::compile("(a*)*b", 0);
  auto m = p->newMatcher(text);
  EXPECT_FALSE(m->findFirst());
  EXPECT_EQ(m->groupStart(0), -1);
  // Ordinary work on the same matcher is unaffected afterwards.
  m->setText("aab");
  EXPECT_TRUE(m->findFirst());
}

}  // namespace
