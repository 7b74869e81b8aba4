#include "driver/wide_text.h"

#include <cstdlib>
#include <vector>

std::wstring Widen(const std::string& text) {
  std::vector<wchar_t> buffer(text.size() + 1, L'\0');
  // On an undecodable sequence the buffer keeps what was converted before it.
  std::mbstowcs(buffer.data(), text.c_str(), text.size());
  return std::wstring(buffer.data());
}

std::wstring WidenBytes(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (unsigned char byte : text)
    wide.push_back(static_cast<wchar_t>(byte));
  return wide;
}

std::string NarrowLowBytes(const std::wstring& text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (wchar_t c : text)
    narrow.push_back(static_cast<char>(static_cast<unsigned>(c) & 0xFFu));
  return narrow;
}
