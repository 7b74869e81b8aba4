// The walk of all adapters and the records made from them.
//
// The walk's adapters are kept until every record is made and destroyed
// after: destroying one releases the registry's libraries, which nothing
// needs once the records exist.

#include "fchba/enumerate.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "fchba/adapter.h"
#include "fchba/mra.h"
#include "fchba/pci_identity.h"
#include "fchba/registry.h"

namespace {

// Copies at most `size - 1` bytes; the rest of the field stays zero.
template <size_t size>
void putField(char (&field)[size], const std::string& text) {
  size_t length = text.size() < size - 1 ? text.size() : size - 1;
  memcpy(field, text.data(), length);
  memset(field + length, 0, size - length);
}

}  // namespace

AdapterRecord makeAdapterRecord(const FcHbaAdapter& adapter, const std::string& sysfsDir) {
  AdapterRecord record;
  putField(record.nodeWwn, adapter.nodeWwnText());
  if (!adapter.ports.empty())
    putField(record.portWwn, adapter.ports.front().portWwnText());
  putField(record.driverVersion, adapter.driverVersion);
  putField(record.optionRomVersion, adapter.optionRomVersion);
  putField(record.firmwareVersion, adapter.firmwareVersion);
  putField(record.model, adapter.model);

  uint16_t subsystemVendorId = static_cast<uint16_t>(adapter.identityWord & 0xFFFF);
  uint16_t subsystemDeviceId = static_cast<uint16_t>(adapter.identityWord >> 16);
  putField(record.pciId, probePciIdentity(adapter.pciDomain, adapter.pciBus, adapter.pciFunction,
                                          subsystemVendorId, subsystemDeviceId, sysfsDir));
  char subsystemId[16];
  snprintf(subsystemId, sizeof(subsystemId), "%.4x%.4x", subsystemVendorId, subsystemDeviceId);
  putField(record.subsystemId, subsystemId);
  return record;
}

int enumerateAdapters(AdapterList& list) {
  return enumerateAdapters(list, FcHbaRegistry::processRegistry(), kSysfsDir);
}

int enumerateAdapters(AdapterList& list, FcHbaRegistry& registry, const std::string& sysfsDir) {
  FcHbaMRA mra(registry);
  std::vector<std::unique_ptr<FcHbaAdapter>> walked;
  uint32_t status = 0;
  for (std::unique_ptr<FcHbaAdapter> adapter = mra.getFirstAdapter(status); adapter;
       adapter = mra.getNextAdapter(*walked.back(), status)) {
    if (status != 0) {
      fputs("MRA get returned failed status!\n", stdout);
      fflush(stdout);
    }
    walked.push_back(std::move(adapter));
  }
  for (const std::unique_ptr<FcHbaAdapter>& adapter : walked)
    list.push_back(makeAdapterRecord(*adapter, sysfsDir));
  return 1;
}
