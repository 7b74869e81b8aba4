// regex-probe: runs regular-expression cases read from standard input, one
// per line, and prints one result line per case. It is the engine's stable
// test interface (the case files under testdata/ run through it) and a tool
// for debugging a pattern by hand.
//
// Input, fields separated by one tab:
//   VARIANT MODE FLAGS PATTERN SUBJECT [EXTRA]
// VARIANT is n (narrow) or w (wide). MODE is whole, find, all, split (EXTRA
// is keepEmpty,limit), replace (EXTRA is the template) or nth (EXTRA is n).
// FLAGS is decimal. PATTERN is raw (UTF-8 for w); SUBJECT and EXTRA take the
// escapes \\ \t \n \r \xHH and \u{H...}. Empty lines are skipped.
//
// Output: "error" when the pattern does not compile (its report goes to
// standard error); whole: "nomatch" or "match" and " i=start,end" for every
// group; find: every successful search that way, joined by " | "; all and
// split: the number of pieces and the pieces, tab-separated; replace: the
// result; nth: start, tab, text. Texts are escaped like the input.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "regex/regex.h"

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t from = 0;
  for (;;) {
    size_t tab = line.find('\t', from);
    fields.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
    if (tab == std::string::npos) return fields;
    from = tab + 1;
  }
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes one UTF-8 sequence at text[i]; a stray byte stands for itself.
long decodeUtf8(const std::string& text, size_t& i) {
  unsigned char b = static_cast<unsigned char>(text[i++]);
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  if (extra == 0 || i + extra > text.size()) return b;
  long code = b & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    unsigned char c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) return b;
    code = (code << 6) | (c & 0x3F);
  }
  i += extra;
  return code;
}

// Codes of a field. Escaped fields take \\ \t \n \r \xHH \u{H...}; raw
// fields are taken as they are. Nothing when an escape is malformed.
std::optional<std::vector<long>> codesOf(const std::string& field, bool escaped, bool utf8) {
  std::vector<long> codes;
  size_t i = 0;
  while (i < field.size()) {
    if (!escaped || field[i] != '\\') {
      codes.push_back(utf8 ? decodeUtf8(field, i) : static_cast<unsigned char>(field[i++]));
      continue;
    }
    if (i + 1 >= field.size()) return std::nullopt;
    char e = field[i + 1];
    i += 2;
    if (e == '\\') {
      codes.push_back('\\');
    } else if (e == 't') {
      codes.push_back('\t');
    } else if (e == 'n') {
      codes.push_back('\n');
    } else if (e == 'r') {
      codes.push_back('\r');
    } else if (e == 'x') {
      if (i + 2 > field.size() || hexDigit(field[i]) < 0 || hexDigit(field[i + 1]) < 0) {
        return std::nullopt;
      }
      codes.push_back(hexDigit(field[i]) * 16 + hexDigit(field[i + 1]));
      i += 2;
    } else if (e == 'u') {
      if (i >= field.size() || field[i] != '{') return std::nullopt;
      size_t close = field.find('}', i);
      if (close == std::string::npos || close == i + 1 || close - i > 9) return std::nullopt;
      long code = 0;
      for (size_t k = i + 1; k < close; ++k) {
        if (hexDigit(field[k]) < 0) return std::nullopt;
        code = code * 16 + hexDigit(field[k]);
      }
      codes.push_back(code);
      i = close + 1;
    } else {
      return std::nullopt;
    }
  }
  return codes;
}

template <typename CharT>
struct Variant;

template <>
struct Variant<char> {
  static constexpr bool kUtf8 = false;
  static std::optional<std::string> make(const std::vector<long>& codes) {
    std::string s;
    for (long c : codes) {
      if (c < 0 || c > 255) return std::nullopt;
      s += static_cast<char>(c);
    }
    return s;
  }
  static long code(char c) { return static_cast<unsigned char>(c); }
};

template <>
struct Variant<wchar_t> {
  static constexpr bool kUtf8 = true;
  static std::optional<std::wstring> make(const std::vector<long>& codes) {
    std::wstring s;
    for (long c : codes) s += static_cast<wchar_t>(c);
    return s;
  }
  static long code(wchar_t c) { return static_cast<long>(c); }
};

template <typename CharT>
std::string escapeText(const std::basic_string<CharT>& text) {
  std::string out;
  char buf[16];
  for (CharT ch : text) {
    long c = Variant<CharT>::code(ch);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 32 || c == 127 || (c >= 128 && !Variant<CharT>::kUtf8)) {
      snprintf(buf, sizeof buf, "\\x%02lx", c & 0xFF);
      out += buf;
    } else if (c >= 128 || c < 0) {
      snprintf(buf, sizeof buf, "\\u{%lx}", static_cast<unsigned long>(c) & 0xFFFFFFFFUL);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

template <typename CharT>
std::string groupsLine(const BasicMatcher<CharT>& m) {
  std::string out = "match";
  for (int i = 0; i < m.groupCount(); ++i) {
    out += " " + std::to_string(i) + "=" + std::to_string(m.groupStart(i)) + "," +
           std::to_string(m.groupEnd(i));
  }
  return out;
}

template <typename CharT>
std::string piecesLine(const std::vector<std::basic_string<CharT>>& pieces) {
  std::string out = std::to_string(pieces.size());
  for (const auto& piece : pieces) out += "\t" + escapeText(piece);
  return out;
}

bool parseInt(const std::string& text, long& value) {
  if (text.empty()) return false;
  size_t used = 0;
  try {
    value = std::stol(text, &used);
  } catch (...) {
    return false;
  }
  return used == text.size();
}

template <typename CharT>
std::string runCase(const std::vector<std::string>& f) {
  using String = std::basic_string<CharT>;
  const std::string& mode = f[1];
  long flags = 0;
  if (!parseInt(f[2], flags) || flags < 0) return "badcase";
  auto patternCodes = codesOf(f[3], false, Variant<CharT>::kUtf8);
  auto subjectCodes = codesOf(f[4], true, Variant<CharT>::kUtf8);
  auto extraCodes = codesOf(f.size() > 5 ? f[5] : std::string(), true, Variant<CharT>::kUtf8);
  if (!patternCodes || !subjectCodes || !extraCodes) return "badcase";
  std::optional<String> pattern = Variant<CharT>::make(*patternCodes);
  std::optional<String> subject = Variant<CharT>::make(*subjectCodes);
  std::optional<String> extra = Variant<CharT>::make(*extraCodes);
  if (!pattern || !subject || !extra) return "badcase";

  auto compiled = BasicPattern<CharT>::compile(*pattern, static_cast<uint64_t>(flags));
  if (compiled == nullptr) return "error";

  if (mode == "whole") {
    auto m = compiled->newMatcher(*subject);
    return m->matchesEntire() ? groupsLine(*m) : "nomatch";
  }
  if (mode == "find") {
    auto m = compiled->newMatcher(*subject);
    if (!m->findFirst()) return "nomatch";
    std::string out = groupsLine(*m);
    while (m->findNext()) out += " | " + groupsLine(*m);
    return out;
  }
  if (mode == "all") return piecesLine(compiled->collectMatches(*subject));
  if (mode == "split") {
    const std::string& splitFields = f.size() > 5 ? f[5] : std::string();
    size_t comma = splitFields.find(',');
    long keepEmpty = 0;
    long limit = 0;
    if (comma == std::string::npos || !parseInt(splitFields.substr(0, comma), keepEmpty) ||
        !parseInt(splitFields.substr(comma + 1), limit)) {
      return "badcase";
    }
    return piecesLine(compiled->splitText(*subject, keepEmpty != 0, static_cast<int>(limit)));
  }
  if (mode == "replace") return escapeText(compiled->replaceAll(*subject, *extra));
  if (mode == "nth") {
    long n = 0;
    if (f.size() < 6 || !parseInt(f[5], n)) return "badcase";
    auto found = BasicPattern<CharT>::findNth(*pattern, *subject, static_cast<int>(n),
                                              static_cast<uint64_t>(flags));
    return std::to_string(found.second) + "\t" + escapeText(found.first);
  }
  return "badcase";
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields = splitTabs(line);
    std::string result;
    if (fields.size() < 5 || fields.size() > 6) {
      result = "badcase";
    } else if (fields[0] == "n") {
      result = runCase<char>(fields);
    } else if (fields[0] == "w") {
      result = runCase<wchar_t>(fields);
    } else {
      result = "badcase";
    }
    // Reports on stderr and results on stdout stay in order when both go
    // to one terminal.
    fflush(stderr);
    std::cout << result << std::endl;
  }
  return 0;
}
