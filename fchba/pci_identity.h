// Finding an adapter's PCI vendor and device ids in sysfs from what its
// vendor attribute library knows: the PCI domain, bus and function, and the
// subsystem vendor and device ids.
//
// The search runs the shell commands find, grep, cat and wc over the sysfs
// tree, once per call, with nothing cached.

#ifndef FCHBA_PCI_IDENTITY_H_
#define FCHBA_PCI_IDENTITY_H_

#include <cstdint>
#include <string>

// The sysfs tree the search starts from on a real system.
constexpr char kSysfsDir[] = "/sys";

// Eight lower-case hexadecimal digits, vendor id then device id, of the
// first device directory (in find's order) whose address matches the domain,
// bus and function and whose two subsystem id files both mention one of the
// two subsystem ids; "N/A" when there is none or its ids cannot be read.
// `sysfsDir` is searched instead of /sys (tests and benchmarks).
std::string probePciIdentity(uint8_t pciDomain, uint8_t pciBus, uint8_t pciFunction,
                             uint16_t subsystemVendorId, uint16_t subsystemDeviceId,
                             const std::string& sysfsDir = kSysfsDir);

#endif  // FCHBA_PCI_IDENTITY_H_
