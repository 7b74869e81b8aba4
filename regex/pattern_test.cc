// Tests of compiled patterns through the public interface: the syntax-error
// reports, group counting, the one-shot operations, the shared-pattern cache
// and the named-pattern registry, the dump, and the wide variant's own rules.
// Matching semantics are covered by the case files under testdata/.
#include "regex/regex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::string compileErrors(const std::string& pattern) {
  testing::internal::CaptureStderr();
  auto p = Pattern::compile(pattern, 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(p, nullptr) << pattern;
  return err;
}

const char kPlain[] = "Syntax Error near here. \n";
const char kMeta[] = "Syntax Error near here. Possible unescaped meta character.\n";

TEST(SyntaxErrorReport, ExactText) {
  struct Case {
    std::string pattern;
    std::string report;
  } cases[] = {
      {"a**", std::string("a**\n  ^\n") + kMeta},
      // The group's own report, then the enclosing level's for the failed group.
      {"(a", std::string("(a\n ^\n") + kPlain + "(a\n ^\n" + kPlain},
      {"a)", std::string("a)\n ^\n") + kMeta},
      // The caret line has at least one space.
      {"*", std::string("*\n ^\n") + kMeta},
      // A bad bracket item, then the bracket's missing ']'.
      {"[abc&&]", std::string("[abc&&]\n     ^\n") + kPlain + "[abc&&]\n      ^\n" + kMeta},
      {"ab\\", std::string("ab\\\n  ^\n") + kPlain},
      // A bad group, then the enclosing level's report for it.
      {"(?x)", std::string("(?x)\n  ^\n") + kPlain + "(?x)\n  ^\n" + kPlain},
      {"\\08", std::string("\\08\n ^\n") + kPlain},
      {"x{ab}", std::string("x{ab}\n    ^\n") + kMeta},
  };
  for (const Case& c : cases) EXPECT_EQ(compileErrors(c.pattern), c.report) << c.pattern;
}

TEST(SyntaxErrorReport, OneReportPerEnclosingGroup) {
  std::string report = compileErrors("((a");
  size_t count = 0;
  for (size_t at = report.find("Syntax Error"); at != std::string::npos;
       at = report.find("Syntax Error", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 3u) << report;
}

TEST(Compile, GroupCount) {
  struct Case {
    const char* pattern;
    int groups;
  } cases[] = {
      {"", 1}, {"(a)(?:b)(x)", 3}, {"(a|(b))(?=(c))", 4}, {"(?i:a)(?>b)(?<=c)", 1}, {"a.b", 1},
  };
  for (const Case& c : cases) {
    auto p = Pattern::compile(c.pattern, 0);
    ASSERT_NE(p, nullptr) << c.pattern;
    EXPECT_EQ(p->groupCount(), c.groups) << c.pattern;
    EXPECT_EQ(p->newMatcher("")->groupCount(), c.groups) << c.pattern;
  }
  auto verbatim = Pattern::compile("(a)(b)", Pattern::VERBATIM);
  EXPECT_EQ(verbatim->groupCount(), 1);
  EXPECT_EQ(verbatim->flags(), Pattern::VERBATIM);
}

TEST(OneShot, OperationsOnGoodPatterns) {
  EXPECT_TRUE(Pattern::matchesEntire("\\d+", "123", 0));
  EXPECT_FALSE(Pattern::matchesEntire("\\d+", "12a", 0));
  EXPECT_EQ(Pattern::collectMatches("a", "banana", 0), (Strings{"a", "a", "a"}));
  EXPECT_EQ(Pattern::splitText(",", "a,b,,c", true, 0, 0), (Strings{"a", "b", "", "c"}));
  EXPECT_EQ(Pattern::replaceAll("(\\w)", "ab", "\\1\\1", 0), "aabb");
  EXPECT_EQ(Pattern::findNth("a", "banana", 2, 0), std::make_pair(std::string("a"), 5));
  EXPECT_EQ(Pattern::findNth("A", "banana", 0, Pattern::FOLD_CASE),
            std::make_pair(std::string("a"), 1));
}

TEST(OneShot, PatternThatDoesNotCompile) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Pattern::matchesEntire("(", "(", 0));
  EXPECT_TRUE(Pattern::collectMatches("(", "(", 0).empty());
  EXPECT_TRUE(Pattern::splitText("(", "a(b", false, 0, 0).empty());
  EXPECT_EQ(Pattern::replaceAll("(", "text", "x", 0), "");
  EXPECT_EQ(Pattern::findNth("(", "(", 0, 0), std::make_pair(std::string(), -1));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Syntax Error"), std::string::npos);
}

TEST(SharedPatterns, CachedByTextWhateverTheFlags) {
  Pattern* first = Pattern::compileShared("a", Pattern::FOLD_CASE);
  ASSERT_NE(first, nullptr);
  // The cache is keyed by text only: the later flags are not applied.
  EXPECT_EQ(Pattern::compileShared("a", 0), first);
  EXPECT_TRUE(first->matchesEntire("A"));
  testing::internal::CaptureStderr();
  EXPECT_EQ(Pattern::compileShared("(", 0), nullptr);
  EXPECT_EQ(Pattern::compileShared("(", 0), nullptr);
  std::string err = testing::internal::GetCapturedStderr();
  // A pattern that does not compile is cached too: only the first call
  // compiles it and reports (the group's report and the top level's).
  EXPECT_EQ(err, std::string("(\n ^\n") + kPlain + "(\n ^\n" + kPlain);
  Pattern::releaseSharedPatterns();
  Pattern* again = Pattern::compileShared("a", 0);
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(again->matchesEntire("A"));
  Pattern::releaseSharedPatterns();
}

TEST(NamedPatterns, SplicedWithContinuedGroupNumbers) {
  ASSERT_TRUE(Pattern::defineNamedPattern("pair", "(\\d)-(\\d)", 0));
  auto p = Pattern::compile("(x){pair}(y)", 0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->groupCount(), 5);
  auto m = p->newMatcher("x1-2y");
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupTexts(false), (Strings{"x", "1", "2", "y"}));
  Pattern::clearNamedPatterns();
  testing::internal::CaptureStderr();
  EXPECT_EQ(Pattern::compile("{pair}", 0), nullptr);
  testing::internal::GetCapturedStderr();
}

TEST(NamedPatterns, RegisteredFlagsApplyInsideTheSplice) {
  ASSERT_TRUE(Pattern::defineNamedPattern("word", "ab", Pattern::FOLD_CASE));
  EXPECT_TRUE(Pattern::matchesEntire("{word}c", "ABc", 0));
  EXPECT_FALSE(Pattern::matchesEntire("{word}c", "ABC", 0));
  Pattern::clearNamedPatterns();
}

TEST(NamedPatterns, RejectedDefinitionsAndNames) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Pattern::defineNamedPattern("bad", "(", 0));
  EXPECT_EQ(Pattern::compile("{bad}", 0), nullptr);
  ASSERT_TRUE(Pattern::defineNamedPattern("x", "a", 0));
  EXPECT_EQ(Pattern::compile("{x}", 0), nullptr);  // names need two characters
  ASSERT_TRUE(Pattern::defineNamedPattern("9a", "a", 0));
  EXPECT_EQ(Pattern::compile("{9a}", 0), nullptr);
  // Redefining a name in terms of itself must not recurse without end.
  ASSERT_TRUE(Pattern::defineNamedPattern("me", "a", 0));
  ASSERT_TRUE(Pattern::defineNamedPattern("me", "{me}b", 0));
  EXPECT_EQ(Pattern::compile("{me}", 0), nullptr);
  // A quantifier after a splice is rejected.
  ASSERT_TRUE(Pattern::defineNamedPattern("ab", "ab", 0));
  EXPECT_EQ(Pattern::compile("{ab}*", 0), nullptr);
  testing::internal::GetCapturedStderr();
  Pattern::clearNamedPatterns();
}

TEST(Compile, DeeplyNestedBracketsDoNotCrash) {
  const int depth = 200000;
  std::string pattern = std::string(depth, '[') + "ab" + std::string(depth, ']');
  auto p = Pattern::compile(pattern, 0);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->matchesEntire("b"));
  EXPECT_FALSE(p->matchesEntire("c"));
}

TEST(Compile, DeeplyNestedPatternDoesNotCrash) {
  const int depth = 200000;
  std::string pattern(depth, '(');
  pattern += 'a';
  pattern += std::string(depth, ')');
  auto p = Pattern::compile(pattern, 0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->groupCount(), depth + 1);
  auto m = p->newMatcher("a");
  ASSERT_TRUE(m->matchesEntire());
  EXPECT_EQ(m->groupEnd(depth), 1);
}

TEST(Dump, PrintsTheGraph) {
  auto p = Pattern::compile("a+|[bc]", 0);
  testing::internal::CaptureStdout();
  p->dump();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "Pattern(a+|[bc]):\n"
            "  12NFAStartNode\n"
            "  9NFAOrNode\n"
            "    one\n"
            "      15NFASubStartNode\n"
            "      23NFAGreedyQuantifierNode(min=1, max=2147483647)\n"
            "        inner\n"
            "          11NFACharNode(0x61)\n"
            "          13NFAAcceptNode\n"
            "      13NFAAcceptNode\n"
            "      13NFAAcceptNode\n"
            "      10NFAEndNode\n"
            "    two\n"
            "      15NFASubStartNode\n"
            "      12NFAClassNode(2 vals, inv=false)\n"
            "      13NFAAcceptNode\n"
            "      13NFAAcceptNode\n"
            "      10NFAEndNode\n");
}

TEST(Wide, StaticWholeMatchOfDigits) {
  struct Case {
    const wchar_t* text;
    bool digits;
  } cases[] = {
      {L"0042", true}, {L"4294967296", true}, {L"4.2", false},
      {L"42a", false}, {L"", false},          {L"4\u0663", false},  // Arabic-Indic three
  };
  for (const Case& c : cases) EXPECT_EQ(UPattern::matchesEntire(L"\\d+", c.text, 0), c.digits);
}

TEST(Wide, SyntaxReportReachesStderrAfterNarrowUse) {
  testing::internal::CaptureStderr();
  // Standard error is narrow-oriented from here on, as in the component.
  fprintf(stderr, "narrow first\n");
  EXPECT_EQ(UPattern::compile(L"\u00e9a**", 0), nullptr);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, std::string("narrow first\n\xc3\xa9" "a**\n   ^\n") + kMeta);
}

TEST(Wide, ReversedRangeIsASyntaxError) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(UPattern::compile(L"[z-a]", 0), nullptr);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, std::string("[z-a]\n   ^\n") + kPlain);
  // The narrow engine wraps the same range past 255 instead.
  EXPECT_TRUE(Pattern::matchesEntire("[z-a]", "\xff", 0));
}

TEST(Wide, OwnCacheAndRegistry) {
  ASSERT_TRUE(Pattern::defineNamedPattern("num", "\\d", 0));
  testing::internal::CaptureStderr();
  EXPECT_EQ(UPattern::compile(L"{num}", 0), nullptr);
  testing::internal::GetCapturedStderr();
  ASSERT_TRUE(UPattern::defineNamedPattern(L"num", L"[a-z]", 0));
  EXPECT_TRUE(UPattern::matchesEntire(L"{num}", L"q", 0));
  EXPECT_TRUE(Pattern::matchesEntire("{num}", "7", 0));
  Pattern::clearNamedPatterns();
  UPattern::clearNamedPatterns();

  Pattern* narrow = Pattern::compileShared("x", 0);
  UPattern* wide = UPattern::compileShared(L"x", Pattern::FOLD_CASE);
  ASSERT_NE(narrow, nullptr);
  ASSERT_NE(wide, nullptr);
  EXPECT_TRUE(wide->matchesEntire(L"X"));
  EXPECT_FALSE(narrow->matchesEntire("X"));
  UPattern::releaseSharedPatterns();
  EXPECT_EQ(Pattern::compileShared("x", Pattern::FOLD_CASE), narrow);
  Pattern::releaseSharedPatterns();
}

TEST(Wide, OperationsAndGroups) {
  auto p = UPattern::compile(L"(\\w+)=(\\d+)", 0);
  ASSERT_NE(p, nullptr);
  auto m = p->newMatcher(L"\u00e9 a=1, bb=22");
  ASSERT_TRUE(m->findFirst());
  EXPECT_EQ(m->groupTexts(true), (std::vector<std::wstring>{L"a=1", L"a", L"1"}));
  ASSERT_TRUE(m->findNext());
  EXPECT_EQ(m->groupStart(1), 7);
  EXPECT_EQ(UPattern::replaceAll(L"\u00e9", L"a\u00e9b", L"[\\0]", 0), L"a[\u00e9]b");
  EXPECT_EQ(UPattern::findNth(L"b", L"abcb", 1, 0), std::make_pair(std::wstring(L"b"), 3));
  EXPECT_EQ(UPattern::splitText(L"-", L"a-b", false, 0, 0), (std::vector<std::wstring>{L"a", L"b"}));
}

}  // namespace
