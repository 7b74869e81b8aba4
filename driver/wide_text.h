// Conversions from the narrow texts of commands and files to the wide texts
// that hold catalogue, device and report data.
#ifndef DRIVER_WIDE_TEXT_H_
#define DRIVER_WIDE_TEXT_H_

#include <string>

// Decodes with the C library's multibyte conversion in the process locale,
// which the component never changes. An undecodable byte ends the text.
std::wstring Widen(const std::string& text);

// One wide character per byte, without decoding: the texts of the XML
// library keep their UTF-8 bytes, and the report writes them back unchanged.
std::wstring WidenBytes(const std::string& text);

// The report's way back: each wide character becomes its low 8 bits.
std::string NarrowLowBytes(const std::wstring& text);

#endif  // DRIVER_WIDE_TEXT_H_
