// The discovery report: the XML file through which the update manager learns,
// without anything being flashed, which supported adapters are present, what
// they run, what the package carries and what an update would do.
#ifndef VENDOR_DISCOVERY_REPORT_H_
#define VENDOR_DISCOVERY_REPORT_H_

#include <string>
#include <vector>

#include "driver/device_entry.h"

// The component-level texts of the report.
struct ReportTexts {
  std::wstring type;
  std::wstring alt_name;
  std::wstring version;
  std::wstring takes_effect;
};

// Builds the report document and saves it, formatted, to `path` taken
// literally (relative to the working directory; missing directories are not
// created; an existing file is replaced). False when the document could not
// be built or the file could not be written completely.
bool SaveDiscoveryReport(const std::string& path, const ReportTexts& texts,
                         const std::vector<DeviceEntry>& devices);

#endif  // VENDOR_DISCOVERY_REPORT_H_
