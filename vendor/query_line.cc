#include "vendor/query_line.h"

#include "regex/regex.h"

namespace {

// Every field up to its comma is greedy: HBA takes everything up to the last
// comma that still lets the rest match, and so does Firmware before Boot Code.
// DOT_ALL lets the final ".*" take a carriage return left at the line's end.
const char kQueryPattern[] =
    "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
    ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*";

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

std::string WithoutPrefix(const std::string& field) {
  return field.size() < 2 ? std::string() : field.substr(2);
}

}  // namespace

std::vector<std::string> SplitQueryOutput(const std::string& output) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(output.substr(start, end - start));
  if (start < output.size())
    lines.push_back(output.substr(start));
  return lines;
}

std::optional<QueryLine> ParseQueryLine(const std::string& line) {
  std::unique_ptr<Pattern> pattern = Pattern::compile(kQueryPattern, Pattern::DOT_ALL);
  if (pattern == nullptr)
    return std::nullopt;
  std::unique_ptr<Matcher> matcher = pattern->newMatcher(line);
  if (!matcher->matchesEntire())
    return std::nullopt;
  std::vector<std::string> groups = matcher->groupTexts(false);
  if (groups.size() != 7)
    return std::nullopt;
  return QueryLine{groups[0], groups[1], groups[2], groups[3], groups[4], groups[5], groups[6]};
}

std::string PadHex4(std::string text) {
  if (text.size() < 4)
    text.insert(0, 4 - text.size(), '0');
  return text;
}

std::string DeviceIdentity(const QueryLine& line) {
  return PadHex4(line.vid) + "." + PadHex4(line.pciId) + "." + PadHex4(line.svid) + "." +
         PadHex4(line.ssid);
}

std::string InstalledFirmware(const QueryLine& line) {
  if (Contains(line.hba, "ZRa300") || Contains(line.hba, "Vyn"))
    return line.firmware;
  return WithoutPrefix(line.firmware);
}

std::string InstalledBootCode(const QueryLine& line) {
  if (Contains(line.hba, "Vyn"))
    return line.bootCode;
  return WithoutPrefix(line.bootCode);
}
