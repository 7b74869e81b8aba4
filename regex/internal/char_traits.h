// What differs between the narrow and the wide engine, in one place.
//
// The engine is written once as templates over the character type; these
// traits supply the few differences: how a character becomes a code, how
// many hexadecimal digits \x may take, node class names for the dump, and
// how the syntax-error report reaches standard error.
#ifndef REGEX_INTERNAL_CHAR_TRAITS_H_
#define REGEX_INTERNAL_CHAR_TRAITS_H_

#include <cstdint>
#include <string>

namespace regex_internal {

template <typename CharT> struct EngineTraits;

template <>
struct EngineTraits<char> {
  static constexpr bool kWide = false;
  // \x takes two hexadecimal digits.
  static constexpr bool kLongHex = false;
  static int32_t code(char c) { return static_cast<unsigned char>(c); }
  // Text for the dump and for reports.
  static std::string display(const std::string& text) { return text; }
  static void writeSyntaxReport(const std::string& text, int caretWidth, const char* message);
};

template <>
struct EngineTraits<wchar_t> {
  static constexpr bool kWide = true;
  // \x takes four hexadecimal digits when there are four, else two.
  static constexpr bool kLongHex = true;
  static int32_t code(wchar_t c) { return static_cast<int32_t>(c); }
  // UTF-8, independent of the process locale.
  static std::string display(const std::wstring& text);
  static void writeSyntaxReport(const std::wstring& text, int caretWidth, const char* message);
};

// ASCII-only case folding; the engine never consults the process locale.
template <typename CharT>
inline CharT lowerAscii(CharT c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<CharT>(c - 'A' + 'a') : c;
}

template <typename CharT>
inline bool isAsciiLetter(CharT c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <typename CharT>
inline bool isLineTerminator(CharT c) {
  return c == '\n' || c == '\r';
}

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_CHAR_TRAITS_H_
