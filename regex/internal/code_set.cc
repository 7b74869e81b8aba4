// Set algebra for character classes; see code_set.h.
#include "regex/internal/code_set.h"

#include <algorithm>

namespace regex_internal {

void CodeSet::addRange(int32_t lo, int32_t hi) {
  if (hi < lo) return;
  for (int32_t c = std::max(lo, 0); c <= std::min(hi, 255); ++c) low_.set(c);
  if (hi > 255) addHigh(std::max(lo, 256), hi);
}

void CodeSet::addHigh(int32_t lo, int32_t hi) {
  std::vector<std::pair<int32_t, int32_t>> merged;
  merged.reserve(high_.size() + 1);
  bool placed = false;
  for (const auto& r : high_) {
    // Ranges that touch or overlap the new one fold into it.
    if (static_cast<int64_t>(r.second) + 1 < lo) {
      merged.push_back(r);
    } else if (static_cast<int64_t>(hi) + 1 < r.first) {
      if (!placed) merged.emplace_back(lo, hi);
      placed = true;
      merged.push_back(r);
    } else {
      lo = std::min(lo, r.first);
      hi = std::max(hi, r.second);
    }
  }
  if (!placed) merged.emplace_back(lo, hi);
  high_ = std::move(merged);
}

void CodeSet::unite(const CodeSet& other) {
  low_ |= other.low_;
  for (const auto& r : other.high_) addHigh(r.first, r.second);
}

void CodeSet::intersect(const CodeSet& other) {
  low_ &= other.low_;
  std::vector<std::pair<int32_t, int32_t>> result;
  size_t i = 0;
  size_t j = 0;
  while (i < high_.size() && j < other.high_.size()) {
    int32_t lo = std::max(high_[i].first, other.high_[j].first);
    int32_t hi = std::min(high_[i].second, other.high_[j].second);
    if (lo <= hi) result.emplace_back(lo, hi);
    if (high_[i].second < other.high_[j].second) {
      ++i;
    } else {
      ++j;
    }
  }
  high_ = std::move(result);
}

void CodeSet::complementWithinByte() {
  low_.flip();
  high_.clear();
}

void CodeSet::addOtherCase() {
  for (int c = 'a'; c <= 'z'; ++c) {
    if (low_[c]) low_.set(c - 'a' + 'A');
  }
  for (int c = 'A'; c <= 'Z'; ++c) {
    if (low_[c]) low_.set(c - 'A' + 'a');
  }
}

CodeSet CodeSet::lowered() const {
  CodeSet result = *this;
  for (int c = 'A'; c <= 'Z'; ++c) {
    if (!low_[c]) continue;
    result.low_.reset(c);
    result.low_.set(c - 'A' + 'a');
  }
  return result;
}

int64_t CodeSet::size() const {
  int64_t n = static_cast<int64_t>(low_.count());
  for (const auto& r : high_) n += static_cast<int64_t>(r.second) - r.first + 1;
  return n;
}

bool CodeSet::containsHigh(int32_t code) const {
  auto it = std::upper_bound(high_.begin(), high_.end(), code,
                             [](int32_t c, const std::pair<int32_t, int32_t>& r) {
                               return c < r.first;
                             });
  if (it == high_.begin()) return false;
  --it;
  return code <= it->second;
}

}  // namespace regex_internal
