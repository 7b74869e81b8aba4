// A set of character codes, the member set of a character class.
//
// Codes 0 to 255 live in a bitmap; codes above 255 (wide patterns only) live
// as sorted, disjoint ranges, so a wide range such as [\x0100-\xFFFF] costs one
// entry instead of tens of thousands. Negation works within 0 to 255 only,
// which is the rule for bracket expressions in both variants.
#ifndef REGEX_INTERNAL_CODE_SET_H_
#define REGEX_INTERNAL_CODE_SET_H_

#include <bitset>
#include <cstdint>
#include <utility>
#include <vector>

namespace regex_internal {

class CodeSet {
 public:
  void add(int32_t code) { addRange(code, code); }
  // Adds lo..hi; the caller orders the bounds.
  void addRange(int32_t lo, int32_t hi);
  void unite(const CodeSet& other);
  void intersect(const CodeSet& other);
  // Becomes every code from 0 to 255 that is not a member.
  void complementWithinByte();
  // Adds the other-case form of every ASCII letter in the set.
  void addOtherCase();
  // The set of lower-case forms (ASCII A-Z become a-z).
  CodeSet lowered() const;

  bool contains(int32_t code) const {
    if (code >= 0 && code < 256) return low_[code];
    return code > 255 && !high_.empty() && containsHigh(code);
  }
  // Number of members, for the dump.
  int64_t size() const;

 private:
  bool containsHigh(int32_t code) const;
  void addHigh(int32_t lo, int32_t hi);

  std::bitset<256> low_;
  // Sorted, disjoint, non-adjacent ranges, all above 255.
  std::vector<std::pair<int32_t, int32_t>> high_;
};

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_CODE_SET_H_
