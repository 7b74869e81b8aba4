// Dotted and split version comparison; see version_compare.h.
#include "vendor/version_compare.h"

#include <memory>

#include "regex/regex.h"

namespace DovaneComp {
namespace {

// Whether a piece is a run of ASCII digits: the wide whole-text match of
// "\d+" without flags. The one-shot match would compile the pattern on every
// call, which costs far more than the match; the pattern is compiled once per
// thread instead, with the same result.
bool IsNumber(const std::wstring& piece) {
  thread_local const std::unique_ptr<UPattern> digits = UPattern::compile(L"\\d+", 0);
  return digits->matchesEntire(piece);
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Compares two runs of digits as the numbers they are, however long: by
// length once leading zeros are dropped, then digit by digit.
int CompareNumbers(const std::wstring& a, const std::wstring& b) {
  size_t za = a.find_first_not_of(L'0');
  size_t zb = b.find_first_not_of(L'0');
  std::wstring da = za == std::wstring::npos ? std::wstring() : a.substr(za);
  std::wstring db = zb == std::wstring::npos ? std::wstring() : b.substr(zb);
  if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
  return Sign(da.compare(db));
}

}  // namespace

std::vector<std::wstring> SplitVersion(const std::wstring& text, const std::wstring& separator) {
  std::vector<std::wstring> pieces;
  if (separator.empty()) {
    if (!text.empty()) pieces.push_back(text);
    return pieces;
  }
  size_t from = 0;
  for (size_t at = text.find(separator); at != std::wstring::npos;
       at = text.find(separator, from)) {
    pieces.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  if (from < text.size()) pieces.push_back(text.substr(from));
  return pieces;
}

int CompareVersions(const std::wstring& a, const std::wstring& b) {
  std::vector<std::wstring> pa = SplitVersion(a, L".");
  std::vector<std::wstring> pb = SplitVersion(b, L".");
  for (size_t i = 0;; ++i) {
    if (i == pa.size()) return pb.size() > pa.size() ? -1 : 0;
    if (i == pb.size()) return 1;
    int r = IsNumber(pa[i]) && IsNumber(pb[i]) ? CompareNumbers(pa[i], pb[i])
                                               : Sign(pa[i].compare(pb[i]));
    if (r != 0) return r;
  }
}

int CompareSplitVersions(const std::wstring& a, const std::wstring& b) {
  // Lead and rest of a version cut at its first non-digit; both empty when
  // the version is all digits.
  auto cut = [](const std::wstring& v, std::wstring& lead, std::wstring& rest) {
    size_t p = v.find_first_not_of(L"0123456789");
    if (p == std::wstring::npos) return;
    lead = v.substr(0, p);
    rest = v.substr(p + 1);
  };
  std::wstring leadA, restA, leadB, restB;
  cut(a, leadA, restA);
  cut(b, leadB, restB);
  int r = CompareVersions(leadA, leadB);
  if (r == 0) r = CompareVersions(restA, restB);
  return r;
}

}  // namespace DovaneComp
