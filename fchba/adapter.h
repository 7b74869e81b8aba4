// FcHbaAdapter: what the system knows of one adapter: its standard
// attributes as its management library reports them, its ports, and its PCI
// identity from the vendor attribute route. The walk of FcHbaMRA makes and
// loads one per entry of the registry's adapter table.

#ifndef FCHBA_ADAPTER_H_
#define FCHBA_ADAPTER_H_

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "fchba/hba_api.h"
#include "fchba/port.h"

class FcHbaRegistry;

// Trims a text read from a library in place: everything after its last
// character in "!" .. "}" goes, except that the first character is never
// looked at, and each run of spaces becomes one space.
void tidyText(std::string& text);

class FcHbaAdapter {
 public:
  // Works on the process registry.
  FcHbaAdapter();
  // Works on `registry`, which must outlive the adapter.
  explicit FcHbaAdapter(FcHbaRegistry& registry);
  // Releases every library of the registry: no adapter may be destroyed
  // while the registry is still needed.
  virtual ~FcHbaAdapter();
  FcHbaAdapter(const FcHbaAdapter&) = delete;
  FcHbaAdapter& operator=(const FcHbaAdapter&) = delete;

  // Reads the name, attributes, ports and counters of adapter `index`. 0
  // when every read succeeded, 1 when any failed; what was not reached keeps
  // its initial value.
  int loadAttributes();
  // Replaces the identity fields with those of the vendor attribute library,
  // when it knows the adapter's node WWN; otherwise leaves them.
  void loadVendorIdentity();

  std::string nodeWwnText() const { return wwnText(nodeWwn); }

  int32_t index = 0;
  std::vector<FcHbaPort> ports;
  std::string name = "Undefined";
  std::string manufacturer = "Undefined";
  std::string serialNumber = "Undefined";
  std::string model = "Undefined";
  std::string modelDescription = "Undefined";
  HBA_WWN nodeWwn = {};
  std::string nodeSymbolicName = "Undefined";
  std::string hardwareVersion = "Undefined";
  std::string driverVersion = "Undefined";
  std::string optionRomVersion = "Undefined";
  std::string firmwareVersion = "Undefined";
  uint32_t numberOfPorts = 0;
  std::string driverName = "Undefined";
  // Low 16 bits: subsystem vendor id; high 16 bits: subsystem device id.
  uint32_t identityWord = 0;
  uint8_t pciBus = 0;
  uint8_t pciFunction = 0;
  uint8_t pciDomain = 0;

 private:
  // Steps 2 on of the load, with the lock already held.
  int loadLocked();
  void readPorts(uint32_t handle, int& result);

  FcHbaRegistry& registry_;
  // Guards a load against a second loader of the same adapter.
  std::mutex lock_;
};

#endif  // FCHBA_ADAPTER_H_
