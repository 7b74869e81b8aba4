// Compiled patterns: compile, the convenience and one-shot operations, the
// shared-pattern cache and the named-pattern registry. Each instantiation
// (narrow and wide) has its own cache and registry.
#include <cstdio>
#include <map>
#include <memory>

#include "regex/internal/compiler.h"
#include "regex/internal/nodes.h"
#include "regex/regex.h"

namespace {

template <typename CharT>
regex_internal::NamedPatternMap<CharT>& namedPatterns() {
  static regex_internal::NamedPatternMap<CharT> map;
  return map;
}

template <typename CharT>
std::map<std::basic_string<CharT>, std::unique_ptr<BasicPattern<CharT>>>& sharedPatterns() {
  static std::map<std::basic_string<CharT>, std::unique_ptr<BasicPattern<CharT>>> map;
  return map;
}

}  // namespace

template <typename CharT>
BasicPattern<CharT>::BasicPattern(const String& text, Flags flags) : text_(text), flags_(flags) {}

template <typename CharT>
BasicPattern<CharT>::~BasicPattern() = default;

template <typename CharT>
std::unique_ptr<BasicPattern<CharT>> BasicPattern<CharT>::compile(const String& text,
                                                                  Flags flags) {
  std::unique_ptr<BasicPattern> pattern(new BasicPattern(text, flags));
  regex_internal::Compiler<CharT> compiler(*pattern, namedPatterns<CharT>());
  if (!compiler.run()) return nullptr;
  pattern->ownMatcher_ = pattern->newMatcher(String());
  return pattern;
}

template <typename CharT>
std::unique_ptr<BasicMatcher<CharT>> BasicPattern<CharT>::newMatcher(const String& text) const {
  return std::unique_ptr<Matcher>(new Matcher(this, text));
}

template <typename CharT>
bool BasicPattern<CharT>::matchesEntire(const String& text) {
  ownMatcher_->setText(text);
  return ownMatcher_->matchesEntire();
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::collectMatches(const String& text) {
  ownMatcher_->setText(text);
  return ownMatcher_->collectMatches();
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::splitText(const String& text,
                                                                     bool keepEmpty, int limit) {
  if (limit == 0) limit = regex_internal::kUnbounded;
  std::vector<String> pieces;
  Matcher& m = *ownMatcher_;
  m.setText(text);
  int last = 0;
  while (static_cast<int64_t>(pieces.size()) < limit && m.findNext()) {
    int start = m.groupStart(0);
    int end = m.groupEnd(0);
    if (start == 0 && keepEmpty) pieces.emplace_back();
    if (start != end || keepEmpty) {
      if (start != last || keepEmpty) pieces.push_back(text.substr(last, start - last));
      last = end;
    }
  }
  if (last < static_cast<int64_t>(text.size())) pieces.push_back(text.substr(last));
  return pieces;
}

template <typename CharT>
std::basic_string<CharT> BasicPattern<CharT>::replaceAll(const String& text,
                                                         const String& replacement) {
  String result;
  Matcher& m = *ownMatcher_;
  m.setText(text);
  int last = 0;
  while (m.findNext()) {
    result.append(text, last, m.groupStart(0) - last);
    result += m.expandReplacement(replacement);
    last = m.groupEnd(0);
  }
  result.append(text, last, String::npos);
  return result;
}

template <typename CharT>
bool BasicPattern<CharT>::matchesEntire(const String& pattern, const String& text, Flags flags) {
  std::unique_ptr<BasicPattern> p = compile(pattern, flags);
  return p != nullptr && p->matchesEntire(text);
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::collectMatches(const String& pattern,
                                                                          const String& text,
                                                                          Flags flags) {
  std::unique_ptr<BasicPattern> p = compile(pattern, flags);
  if (p == nullptr) return {};
  return p->collectMatches(text);
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::splitText(const String& pattern,
                                                                     const String& text,
                                                                     bool keepEmpty, int limit,
                                                                     Flags flags) {
  std::unique_ptr<BasicPattern> p = compile(pattern, flags);
  if (p == nullptr) return {};
  return p->splitText(text, keepEmpty, limit);
}

template <typename CharT>
std::basic_string<CharT> BasicPattern<CharT>::replaceAll(const String& pattern,
                                                         const String& text,
                                                         const String& replacement, Flags flags) {
  std::unique_ptr<BasicPattern> p = compile(pattern, flags);
  if (p == nullptr) return String();
  return p->replaceAll(text, replacement);
}

template <typename CharT>
std::pair<std::basic_string<CharT>, int> BasicPattern<CharT>::findNth(const String& pattern,
                                                                      const String& text, int n,
                                                                      Flags flags) {
  std::unique_ptr<BasicPattern> p = compile(pattern, flags);
  if (p == nullptr || n < 0) return {String(), -1};
  Matcher& m = *p->ownMatcher_;
  m.setText(text);
  for (int i = 0; i <= n; ++i) {
    if (!m.findNext()) return {String(), -1};
  }
  return {m.groupText(0), m.groupStart(0)};
}

template <typename CharT>
BasicPattern<CharT>* BasicPattern<CharT>::compileShared(const String& pattern, Flags flags) {
  auto& cache = sharedPatterns<CharT>();
  auto found = cache.find(pattern);
  if (found != cache.end()) return found->second.get();
  BasicPattern* compiled = compile(pattern, flags).release();
  cache[pattern].reset(compiled);
  return compiled;
}

template <typename CharT>
void BasicPattern<CharT>::releaseSharedPatterns() {
  sharedPatterns<CharT>().clear();
}

template <typename CharT>
bool BasicPattern<CharT>::defineNamedPattern(const String& name, const String& pattern,
                                             Flags flags) {
  if (compile(pattern, flags) == nullptr) return false;
  namedPatterns<CharT>()[name] = {pattern, flags};
  return true;
}

template <typename CharT>
void BasicPattern<CharT>::clearNamedPatterns() {
  namedPatterns<CharT>().clear();
}

template <typename CharT>
void BasicPattern<CharT>::dump() const {
  printf("Pattern(%s):\n", regex_internal::EngineTraits<CharT>::display(text_).c_str());
  if (head_ != nullptr) head_->print(1);
}

template class BasicPattern<char>;
template class BasicPattern<wchar_t>;
