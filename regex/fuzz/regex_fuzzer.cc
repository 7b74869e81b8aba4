// libFuzzer target: compiles random patterns under random flags and runs a
// whole-text match, a search loop, a split and a replace over random
// subjects, narrow and wide. Crashes, sanitizer reports, leaks and hangs are
// the findings; results themselves are not checked here.
//
// Input layout: byte 0 holds the flags, byte 1 the split limit and options;
// the rest is PATTERN '\0' SUBJECT '\0' TEMPLATE (missing parts are empty).
#include <cstddef>
#include <cstdint>
#include <string>

#include "regex/regex.h"

namespace {

template <typename CharT>
void exercise(const std::basic_string<CharT>& pattern, const std::basic_string<CharT>& subject,
              const std::basic_string<CharT>& replacement, uint64_t flags, int limit,
              bool keepEmpty) {
  auto compiled = BasicPattern<CharT>::compile(pattern, flags);
  if (compiled == nullptr) return;
  auto m = compiled->newMatcher(subject);
  m->matchesEntire();
  m->groupTexts(true);
  if (m->findFirst()) {
    // Every successful search moves forward, so this ends; the bound is a
    // guard against a fault that would make it loop.
    for (size_t i = 0; i <= subject.size() + 1 && m->findNext(); ++i) m->groupTexts(true);
  }
  compiled->splitText(subject, keepEmpty, limit);
  compiled->replaceAll(subject, replacement);
  compiled->collectMatches(subject);
}

std::wstring widen(const std::string& text) {
  // Pairs of bytes make wide characters, so codes above 255 occur too.
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0xFF && i + 1 < text.size()) {
      out += static_cast<wchar_t>(0x100 + static_cast<unsigned char>(text[++i]) * 7);
    } else {
      out += static_cast<wchar_t>(c);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  uint64_t flags = data[0] & 31;
  int limit = data[1] & 7;
  bool keepEmpty = (data[1] & 8) != 0;
  bool wide = (data[1] & 16) != 0;
  std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  size_t a = rest.find('\0');
  std::string pattern = rest.substr(0, a);
  std::string subject;
  std::string replacement;
  if (a != std::string::npos) {
    size_t b = rest.find('\0', a + 1);
    subject = rest.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
    if (b != std::string::npos) replacement = rest.substr(b + 1);
  }
  if (wide) {
    exercise<wchar_t>(widen(pattern), widen(subject), widen(replacement), flags, limit, keepEmpty);
  } else {
    exercise<char>(pattern, subject, replacement, flags, limit, keepEmpty);
  }
  return 0;
}
