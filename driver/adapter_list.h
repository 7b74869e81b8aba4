// The adapters found through the Fibre Channel management libraries: one
// fixed-size record of zero-terminated texts per adapter, in walk order.
#ifndef DRIVER_ADAPTER_LIST_H_
#define DRIVER_ADAPTER_LIST_H_

#include <cstddef>
#include <vector>

struct AdapterRecord {
  char nodeWwn[256] = {};
  char portWwn[256] = {};
  char pciId[256] = {};
  char subsystemId[256] = {};
  char driverVersion[512] = {};
  char firmwareVersion[256] = {};
  char optionRomVersion[256] = {};
  char spare[256] = {};
  char model[256] = {};
};

static_assert(sizeof(AdapterRecord) == 2560, "an adapter record is 2560 bytes");
static_assert(offsetof(AdapterRecord, driverVersion) == 1024, "record layout");
static_assert(offsetof(AdapterRecord, model) == 2304, "record layout");

using AdapterList = std::vector<AdapterRecord>;

// Frees every record and releases the list's storage.
inline void clearAdapterList(AdapterList& list) {
  AdapterList().swap(list);
}

#endif  // DRIVER_ADAPTER_LIST_H_
