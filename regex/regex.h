// The component's own backtracking regular-expression engine.
//
// A pattern text compiles into a Pattern (narrow texts, std::string) or a
// UPattern (wide texts, std::wstring); both are the same engine instantiated
// over two character types and share no state. A Matcher runs one pattern over
// its own copy of one subject text.
//
// Typical calls:
//
//   // Whole-text match of one line, then the captured groups from group 1 on.
//   std::unique_ptr<Pattern> query = Pattern::compile(kQuery, Pattern::DOT_ALL);
//   std::unique_ptr<Matcher> m = query->newMatcher(line);
//   if (m->matchesEntire()) fields = m->groupTexts(false);
//
//   // One-shot whole-text match: compiles, matches, frees.
//   Pattern::matchesEntire(kRelease, text, Pattern::DOT_ALL | Pattern::MULTI_LINE);
//   UPattern::matchesEntire(L"\\d+", piece, 0);
//
// Syntax. The usual backtracking syntax with these particular rules:
//  - word characters for \b and \B are ASCII letters only (\w also has digits
//    and '_'); \e is a carriage return; [^] matches every character and [] none;
//    {,m} and {} are quantifiers; classes and folding are ASCII only.
//  - A back reference to a group that has not taken part matches the empty
//    string.
//  - Groups are numbered 1, 2, ... by their opening parentheses; group 0 is the
//    whole match; a group that took no part reports -1 and the empty text.
//  - Once a search has succeeded, the empty tail of the text is not searched
//    again by findNext.
//
// Errors. compile() returns null for a pattern with a syntax error after
// writing a report to standard error: the pattern text, a caret line under
// the offending character, and a message. Nothing throws.
//
// Limits. Matching never overflows the stack: deep recursion continues on
// stack segments of the engine's own, up to a total of about 1 GiB, and a
// match that would need more ends as no match. A match also ends as no match
// after a step budget of 10,000,000 steps plus, per subject character, 16
// and one per node and group of the pattern (a search may pass through the
// whole pattern at every position), so runaway backtracking cannot hang the
// caller. Subjects longer than 2^31 - 2 characters never match.
//
// Threads. A pattern's convenience operations share one internal matcher, and
// the shared-pattern cache and named-pattern registry are process-wide and
// unlocked: use the engine from one thread, or give each thread its own
// patterns and matchers and leave the cache and registry alone.
#ifndef REGEX_REGEX_H_
#define REGEX_REGEX_H_

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace regex_internal {
template <typename CharT> class NFANodeT;
template <typename CharT> struct MatchState;
template <typename CharT> class Compiler;
}  // namespace regex_internal

// Mode flags; combine them with |.
struct PatternFlags {
  using Flags = uint64_t;
  // Letters compare without regard to ASCII case. Inline: (?i)
  static constexpr Flags FOLD_CASE = 1;
  // The whole pattern text is one literal string.
  static constexpr Flags VERBATIM = 2;
  // '.' also matches line feed and carriage return. Inline: (?s)
  static constexpr Flags DOT_ALL = 4;
  // '^' and '$' also match at the start and end of each line. Inline: (?m)
  static constexpr Flags MULTI_LINE = 8;
  // '.' excludes only line feed. DOT_ALL wins over it. Inline: (?d)
  static constexpr Flags NEWLINE_ONLY = 16;
};

template <typename CharT> class BasicPattern;

// One pattern run over one copy of a subject text. Made by
// BasicPattern::newMatcher; must be destroyed before its pattern.
template <typename CharT>
class BasicMatcher {
 public:
  using String = std::basic_string<CharT>;

  ~BasicMatcher();
  BasicMatcher(const BasicMatcher&) = delete;
  BasicMatcher& operator=(const BasicMatcher&) = delete;

  // Replaces the subject text and rewinds.
  void setText(const String& text);
  // Forgets the last match; the next findNext() searches from the start.
  void rewind();
  // Sets every group of index 0 and up to "took no part".
  void clearGroups();

  // True when the pattern matches the whole subject text.
  bool matchesEntire();
  // Searches from position 0.
  bool findFirst();
  // Searches after the previous match (from position 0 when there was none,
  // or when the previous search failed). Returns false for good once a match
  // reached the end of the text.
  bool findNext();

  // Group queries about the last match. Out-of-range indices give -1 and
  // the empty text. Before the first operation every group reads 0..0.
  int groupCount() const;
  int groupStart(int index) const;
  int groupEnd(int index) const;
  String groupText(int index) const;
  // The texts of groups 0 (includeWhole) or 1 up to groupCount() - 1.
  std::vector<String> groupTexts(bool includeWhole) const;

  // Rewinds, then the text of every match of successive findNext() calls.
  std::vector<String> collectMatches();
  // The template with \N (any number of digits) replaced by group N's text;
  // a backslash before anything else stands for that character, and a final
  // backslash for itself.
  String expandReplacement(const String& replacement) const;

 private:
  friend class BasicPattern<CharT>;
  BasicMatcher(const BasicPattern<CharT>* pattern, const String& text);
  bool runSearch(int from);

  const BasicPattern<CharT>* pattern_;
  std::unique_ptr<regex_internal::MatchState<CharT>> state_;
  // The previous match ended at the end of the text: findNext stays false.
  bool exhausted_ = false;
};

// A compiled pattern. Owns its node graph and one internal matcher used by
// the convenience operations, so a pattern serves one of those at a time.
template <typename CharT>
class BasicPattern : public PatternFlags {
 public:
  using String = std::basic_string<CharT>;
  using Matcher = BasicMatcher<CharT>;

  // Compiles a pattern; null after a syntax error (reported on stderr).
  static std::unique_ptr<BasicPattern> compile(const String& text, Flags flags = 0);

  ~BasicPattern();
  BasicPattern(const BasicPattern&) = delete;
  BasicPattern& operator=(const BasicPattern&) = delete;

  // A new matcher over a copy of text; destroy it before this pattern.
  std::unique_ptr<Matcher> newMatcher(const String& text) const;

  // Convenience operations on the internal matcher.
  bool matchesEntire(const String& text);
  std::vector<String> collectMatches(const String& text);
  // Pieces between matches. limit 0 is unlimited, otherwise at most limit
  // pieces are cut off before the rest (so limit + 1 pieces at most; a
  // negative limit cuts nothing). Empty pieces and empty matches are kept
  // only with keepEmpty; a trailing separator gives no trailing piece.
  std::vector<String> splitText(const String& text, bool keepEmpty, int limit);
  // Every match replaced by the expanded template (see expandReplacement).
  String replaceAll(const String& text, const String& replacement);

  // One-shot operations: compile, run the operation above, free the
  // pattern. A pattern that does not compile gives false, an empty vector,
  // the empty string (not the input), or ("", -1).
  static bool matchesEntire(const String& pattern, const String& text, Flags flags);
  static std::vector<String> collectMatches(const String& pattern, const String& text,
                                            Flags flags);
  static std::vector<String> splitText(const String& pattern, const String& text,
                                       bool keepEmpty, int limit, Flags flags);
  static String replaceAll(const String& pattern, const String& text,
                           const String& replacement, Flags flags);
  // Text and start of match n (from 0), or ("", -1) when there are fewer.
  static std::pair<String, int> findNth(const String& pattern, const String& text, int n,
                                        Flags flags);

  // A process-wide cache keyed by pattern text only: a text compiled once
  // is returned again whatever flags are passed later. May return null (a
  // pattern that does not compile is cached as null). The cache owns the
  // patterns until releaseSharedPatterns() or the end of the process.
  static BasicPattern* compileShared(const String& pattern, Flags flags);
  static void releaseSharedPatterns();

  // Registers a pattern text under a name for {name} in later patterns.
  // False, and nothing registered, when the text does not compile.
  static bool defineNamedPattern(const String& name, const String& pattern, Flags flags);
  static void clearNamedPatterns();

  const String& text() const { return text_; }
  Flags flags() const { return flags_; }
  // 1 + the number of capturing groups.
  int groupCount() const { return groupCount_; }
  // Writes the node graph to standard output; a debugging aid.
  void dump() const;

 private:
  friend class BasicMatcher<CharT>;
  friend class regex_internal::Compiler<CharT>;
  using Node = regex_internal::NFANodeT<CharT>;
  BasicPattern(const String& text, Flags flags);

  String text_;
  Flags flags_;
  Node* head_ = nullptr;
  std::vector<std::unique_ptr<Node>> nodes_;
  std::unique_ptr<Matcher> ownMatcher_;
  int groupCount_ = 0;
  int hiddenGroupCount_ = 0;
};

extern template class BasicMatcher<char>;
extern template class BasicMatcher<wchar_t>;
extern template class BasicPattern<char>;
extern template class BasicPattern<wchar_t>;

using Pattern = BasicPattern<char>;
using Matcher = BasicMatcher<char>;
using UPattern = BasicPattern<wchar_t>;
using UMatcher = BasicMatcher<wchar_t>;

#endif  // REGEX_REGEX_H_
