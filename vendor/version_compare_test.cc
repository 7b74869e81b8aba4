// Version comparison: the documented examples, numbers beyond 32 bits, and
// the splitting rules.
#include "vendor/version_compare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace DovaneComp {
namespace {

struct Comparison {
  const wchar_t* a;
  const wchar_t* b;
  int expected;
};

// Results must also be antisymmetric: swapping the arguments flips them.
void ExpectComparisons(int (*compare)(const std::wstring&, const std::wstring&),
                       const std::vector<Comparison>& cases) {
  for (const Comparison& c : cases) {
    EXPECT_EQ(compare(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(compare(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(CompareVersions, Table) {
  ExpectComparisons(CompareVersions, {
                                         {L"11.1.183.21", L"11.1.179.6", 1},
                                         {L"2.10", L"2.9", 1},
                                         {L"2.10a", L"2.9", -1},  // text: '1' before '9'
                                         {L"01.2", L"1.2", 0},
                                         {L"1.0", L"1", 1},
                                         {L"5.02A1", L"5.02a1", -1},
                                         {L"", L"", 0},
                                         // digits against digits and letters: text
                                         {L"10", L"9a", -1},
                                         {L"1..2", L"1.0.2", -1},  // empty piece is text
                                     });
}

TEST(CompareVersions, NumbersBeyondThirtyTwoBits) {
  ExpectComparisons(CompareVersions,
                    {
                        {L"4294967296", L"1", 1},
                        {L"2147483648", L"2147483647", 1},
                        {L"1.4294967297", L"1.4294967296", 1},
                        {L"0000000000000000000000000000000000000042", L"42", 0},
                        {L"1234567890123456789012345678901234567890",
                         L"1234567890123456789012345678901234567891", -1},
                        {L"1234567890123456789012345678901234567890", L"99999999999", 1},
                    });
}

TEST(CompareSplitVersions, Table) {
  ExpectComparisons(CompareSplitVersions, {
                                              {L"2.82A4", L"2.72A2", 1},
                                              {L"5.02a1", L"5.02a1", 0},
                                              {L"5.02a1", L"4.03a1", 1},
                                              {L"2.82a4", L"2.82x4", -1},
                                              {L"282", L"2.82a4", -1},
                                              // the separator character never counts
                                              {L"2.82a4", L"2a82a4", 0},
                                              // An all-digit version has neither lead nor rest.
                                              {L"282", L"999", 0},
                                              {L"4294967296.1", L"1.1", 1},
                                          });
}

TEST(SplitVersion, Pieces) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> pieces;
  } cases[] = {
      {L"1.2.3", {L"1", L"2", L"3"}}, {L"1..2", {L"1", L"", L"2"}}, {L".5", {L"", L"5"}},
      {L"1.2.", {L"1", L"2"}},         {L".", {L""}},                {L"", {}},
      {L"abc", {L"abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitVersion(c.text, L"."), c.pieces) << c.text;
  EXPECT_EQ(SplitVersion(L"1::2", L"::"), (std::vector<std::wstring>{L"1", L"2"}));
  EXPECT_EQ(SplitVersion(L"1.2", L""), (std::vector<std::wstring>{L"1.2"}));
}

}  // namespace
}  // namespace DovaneComp
