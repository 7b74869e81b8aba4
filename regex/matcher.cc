// The matcher: whole-text match, searches, and group queries over one
// compiled pattern and one copy of a subject text.
#include <memory>

#include "regex/internal/nodes.h"
#include "regex/regex.h"

template <typename CharT>
BasicMatcher<CharT>::BasicMatcher(const BasicPattern<CharT>* pattern, const String& text)
    : pattern_(pattern),
      state_(std::make_unique<regex_internal::MatchState<CharT>>(
          pattern->groupCount_, -pattern->hiddenGroupCount_,
          static_cast<int64_t>(pattern->nodes_.size()))) {
  state_->setText(text);
}

template <typename CharT>
BasicMatcher<CharT>::~BasicMatcher() = default;

template <typename CharT>
void BasicMatcher<CharT>::setText(const String& text) {
  state_->setText(text);
  rewind();
}

template <typename CharT>
void BasicMatcher<CharT>::rewind() {
  state_->searchAnchor = 0;
  state_->clearGroups();
  state_->searched = false;
  exhausted_ = false;
}

template <typename CharT>
void BasicMatcher<CharT>::clearGroups() {
  state_->clearGroups();
}

template <typename CharT>
bool BasicMatcher<CharT>::matchesEntire() {
  auto& m = *state_;
  m.wholeMode = true;
  m.searched = false;
  exhausted_ = false;
  m.clearGroups();
  m.searchAnchor = 0;
  if (m.length < 0) return false;
  m.beginOperation();
  int r = m.go(pattern_->head_, 0);
  if (m.aborted()) {
    m.clearGroups();
    return false;
  }
  return r == m.length;
}

template <typename CharT>
bool BasicMatcher<CharT>::runSearch(int from) {
  auto& m = *state_;
  m.searchAnchor = from;
  if (m.length < 0) {
    m.ends[0] = -1;
    return false;
  }
  m.beginOperation();
  m.ends[0] = m.go(pattern_->head_, from);
  if (m.aborted()) {
    // A search given up counts as a failed search.
    m.clearGroups();
    return false;
  }
  return m.ends[0] >= 0;
}

template <typename CharT>
bool BasicMatcher<CharT>::findFirst() {
  auto& m = *state_;
  m.starts[0] = 0;
  m.wholeMode = false;
  exhausted_ = false;
  m.clearGroups();
  if (!runSearch(0)) return false;
  m.searched = true;
  return true;
}

template <typename CharT>
bool BasicMatcher<CharT>::findNext() {
  auto& m = *state_;
  if (!m.searched) return findFirst();
  // Once a match reached the end of the text, the search is over for good.
  if (exhausted_) return false;
  int from = m.ends[0] + (m.starts[0] == m.ends[0] ? 1 : 0);
  m.wholeMode = false;
  m.clearGroups();
  m.starts[0] = from;
  if (from >= m.length) {
    exhausted_ = true;
    return false;
  }
  return runSearch(from);
}

template <typename CharT>
int BasicMatcher<CharT>::groupCount() const {
  return state_->groupCount;
}

template <typename CharT>
int BasicMatcher<CharT>::groupStart(int index) const {
  if (index < 0 || index >= state_->groupCount) return -1;
  return state_->starts[index];
}

template <typename CharT>
int BasicMatcher<CharT>::groupEnd(int index) const {
  if (index < 0 || index >= state_->groupCount) return -1;
  return state_->ends[index];
}

template <typename CharT>
std::basic_string<CharT> BasicMatcher<CharT>::groupText(int index) const {
  if (index < 0 || index >= state_->groupCount) return String();
  int start = state_->starts[index];
  int end = state_->ends[index];
  if (start < 0 || end < start || end > static_cast<int64_t>(state_->text.size())) {
    return String();
  }
  return state_->text.substr(start, end - start);
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicMatcher<CharT>::groupTexts(bool includeWhole) const {
  std::vector<String> texts;
  for (int i = includeWhole ? 0 : 1; i < state_->groupCount; ++i) texts.push_back(groupText(i));
  return texts;
}

template <typename CharT>
std::vector<std::basic_string<CharT>> BasicMatcher<CharT>::collectMatches() {
  rewind();
  std::vector<String> matches;
  while (findNext()) matches.push_back(groupText(0));
  return matches;
}

template <typename CharT>
std::basic_string<CharT> BasicMatcher<CharT>::expandReplacement(const String& replacement) const {
  String out;
  size_t i = 0;
  while (i < replacement.size()) {
    CharT c = replacement[i++];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i == replacement.size()) {
      out += c;  // a final backslash stands for itself
      break;
    }
    CharT d = replacement[i];
    if (d < '0' || d > '9') {
      out += d;
      ++i;
      continue;
    }
    int64_t group = 0;
    while (i < replacement.size() && replacement[i] >= '0' && replacement[i] <= '9') {
      group = group * 10 + (replacement[i] - '0');
      if (group > regex_internal::kUnbounded) group = regex_internal::kUnbounded;
      ++i;
    }
    out += groupText(static_cast<int>(group));
  }
  return out;
}

template class BasicMatcher<char>;
template class BasicMatcher<wchar_t>;
