#include "vendor/firmware_items.h"

#include <algorithm>

#include "driver/wide_text.h"
#include "vendor/version_compare.h"

namespace {

using DovaneComp::CompareSplitVersions;
using DovaneComp::CompareVersions;

// ZRa300 adapters always get this firmware, whatever the catalogue says.
const wchar_t kZRa300Firmware[] = L"11.1.183.21";

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

FirmwareItem FirmwareItemOf(const QueryLine& line, const ReferenceDevice& reference) {
  FirmwareItem item;
  item.type = L"Firmware";
  item.version = reference.firmware;
  item.active_version = Widen(InstalledFirmware(line));
  if (Contains(line.hba, "ZRa300")) {
    item.version = kZRa300Firmware;
  } else if (item.version.find(L'.') == std::wstring::npos) {
    // A dotless catalogue version is compared with a dotless installed one.
    item.active_version.erase(
        std::remove(item.active_version.begin(), item.active_version.end(), L'.'),
        item.active_version.end());
  }
  const bool splitCompare = Contains(line.hba, "ZRa200") || Contains(line.hba, "ZRa70");
  item.action = ActionOfComparison(splitCompare
                                       ? CompareSplitVersions(item.version, item.active_version)
                                       : CompareVersions(item.version, item.active_version));
  item.duration = reference.duration;
  item.shared = L"no";
  return item;
}

FirmwareItem BootRomItemOf(const QueryLine& line, const ReferenceDevice& reference) {
  FirmwareItem item;
  item.type = L"Boot BIOS ROM";
  item.version = reference.bios;
  item.active_version = Widen(InstalledBootCode(line));
  item.action = ActionOfComparison(CompareSplitVersions(item.version, item.active_version));
  item.duration = reference.duration;
  return item;
}

}  // namespace

const wchar_t* ActionOfComparison(int comparison) {
  if (comparison > 0)
    return L"upgrade";
  if (comparison < 0)
    return L"downgrade";
  return L"rewrite";
}

DeviceEntry MakeDeviceEntry(const QueryLine& line, const ReferenceDevice& reference) {
  DeviceEntry entry;
  entry.device_id = Widen(DeviceIdentity(line));
  entry.product_id = reference.model;
  entry.fw_items.push_back(FirmwareItemOf(line, reference));
  if (reference.has_boot_rom)
    entry.fw_items.push_back(BootRomItemOf(line, reference));
  return entry;
}
