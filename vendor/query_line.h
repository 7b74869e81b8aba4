// One line of the flash engine's inventory query: an adapter's model, its
// PCI identity and the firmware and boot code versions it runs.
#ifndef VENDOR_QUERY_LINE_H_
#define VENDOR_QUERY_LINE_H_

#include <optional>
#include <string>
#include <vector>

struct QueryLine {
  std::string hba;  // the model text, and whatever the engine printed up to PCI ID
  std::string pciId;
  std::string vid;
  std::string ssid;
  std::string svid;
  std::string firmware;
  std::string bootCode;
};

// The query output cut at each line feed. A last line without a line end
// counts; so do empty lines.
std::vector<std::string> SplitQueryOutput(const std::string& output);

// The fields of a line the query pattern matches as a whole, or nothing.
std::optional<QueryLine> ParseQueryLine(const std::string& line);

// Left-fills with "0" to four characters.
std::string PadHex4(std::string text);

// vendor.device.subvendor.subdevice, as the engine printed them. The line
// gives the subsystem device before the subsystem vendor.
std::string DeviceIdentity(const QueryLine& line);

// The installed versions without the two-character prefix the engine puts
// before them for most models. A field too short for its prefix gives an
// empty version.
std::string InstalledFirmware(const QueryLine& line);
std::string InstalledBootCode(const QueryLine& line);

#endif  // VENDOR_QUERY_LINE_H_
