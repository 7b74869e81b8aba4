// Version comparison for firmware items: is the version the package carries
// newer than, equal to or older than the installed one?
//
// CompareVersions compares dotted versions piece by piece, numerically where
// both pieces are runs of ASCII digits (of any length) and as wide texts
// otherwise. CompareSplitVersions cuts each version at its first character
// that is not a digit and compares the leading number, then the rest, each
// with CompareVersions; the cut character itself never counts.
#ifndef VENDOR_VERSION_COMPARE_H_
#define VENDOR_VERSION_COMPARE_H_

#include <string>
#include <vector>

namespace DovaneComp {

// The pieces of text between separators, in order. Empty pieces between
// separators are kept; the text after the last separator is a piece only
// when it is not empty. An empty separator gives the whole text (if any) as
// the only piece.
std::vector<std::wstring> SplitVersion(const std::wstring& text, const std::wstring& separator);

// 1 when a is newer (greater), 0 when equal, -1 when older.
int CompareVersions(const std::wstring& a, const std::wstring& b);
int CompareSplitVersions(const std::wstring& a, const std::wstring& b);

}  // namespace DovaneComp

#endif  // VENDOR_VERSION_COMPARE_H_
