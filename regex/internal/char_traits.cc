// The syntax-error report and display conversions of the two variants.
//
// The wide report must not go through the wide stream functions: standard
// error is usually already narrow-oriented by the time a wide pattern fails
// (the narrow engine and other libraries write to it), and a narrow-oriented
// stream silently drops wide output. The wide report is therefore encoded as
// UTF-8 and written to the file descriptor directly, so it always arrives.
#include "regex/internal/char_traits.h"

#include <unistd.h>

#include <cstdio>

namespace regex_internal {
namespace {

void appendUtf8(std::string& out, int32_t c) {
  if (c < 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    out += '?';
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void EngineTraits<char>::writeSyntaxReport(const std::string& text, int caretWidth,
                                           const char* message) {
  fwrite(text.data(), 1, text.size(), stderr);
  fprintf(stderr, "\n%*c^\n%s", caretWidth, ' ', message);
}

std::string EngineTraits<wchar_t>::display(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) appendUtf8(out, static_cast<int32_t>(c));
  return out;
}

void EngineTraits<wchar_t>::writeSyntaxReport(const std::wstring& text, int caretWidth,
                                              const char* message) {
  std::string report = display(text);
  report += '\n';
  report.append(static_cast<size_t>(caretWidth), ' ');
  report += "^\n";
  report += message;
  // Whatever is buffered goes first, so reports keep their order.
  fflush(stderr);
  size_t done = 0;
  while (done < report.size()) {
    ssize_t n = write(STDERR_FILENO, report.data() + done, report.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace regex_internal
