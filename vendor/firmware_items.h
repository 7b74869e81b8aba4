// Turning one adapter of the inventory query and its catalogue entry into a
// discovered device: its firmware item, its boot ROM item when the catalogue
// gives it one, and what an update would do with each.
#ifndef VENDOR_FIRMWARE_ITEMS_H_
#define VENDOR_FIRMWARE_ITEMS_H_

#include "driver/device_entry.h"
#include "reference/reference_catalogue.h"
#include "vendor/query_line.h"

// "upgrade", "rewrite" or "downgrade" for a comparison result 1, 0 or -1.
const wchar_t* ActionOfComparison(int comparison);

DeviceEntry MakeDeviceEntry(const QueryLine& line, const ReferenceDevice& reference);

#endif  // VENDOR_FIRMWARE_ITEMS_H_
