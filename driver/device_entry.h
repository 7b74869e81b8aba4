// What discovery learns about one adapter, and what the report and the run
// sequence read back: the adapter's identity and its updatable images.
#ifndef DRIVER_DEVICE_ENTRY_H_
#define DRIVER_DEVICE_ENTRY_H_

#include <string>
#include <vector>

// One updatable image of an adapter. `version` is what the package carries,
// `active_version` what the adapter runs; `action` is "upgrade", "rewrite"
// or "downgrade".
struct FirmwareItem {
  std::wstring type;
  std::wstring firmware_id;
  std::wstring version;
  std::wstring active_version;
  std::wstring action;
  std::wstring duration;
  std::wstring message;
  std::wstring shared;
};

// One discovered adapter. `device_id` is vendor.device.subvendor.subdevice,
// four hexadecimal characters each.
struct DeviceEntry {
  std::wstring device_id;
  std::wstring product_id;
  std::wstring busnumber;
  std::wstring funcnumber;
  std::vector<FirmwareItem> fw_items;
};

#endif  // DRIVER_DEVICE_ENTRY_H_
