// Loading an adapter through the registry, and tidying the texts its library
// reports.
//
// The library's texts are fixed-size fields that a library may fill to the
// last byte without a terminator; each is read no further than its field.

#include "fchba/adapter.h"

#include <cstring>

#include "fchba/registry.h"
#include "fchba/vendor_route.h"

namespace {

template <size_t size>
std::string fieldText(const char (&field)[size]) {
  return std::string(field, strnlen(field, size));
}

template <size_t size>
std::string tidiedFieldText(const char (&field)[size]) {
  std::string text = fieldText(field);
  tidyText(text);
  return text;
}

bool isKept(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= '!' && byte <= '}';
}

}  // namespace

void tidyText(std::string& text) {
  // Scan back from the terminator; the first character is never examined.
  size_t position = text.size();
  while (position > 0 && (position == text.size() || !isKept(text[position])))
    --position;
  if (position + 1 < text.size())
    text.resize(position + 1);

  std::string tidied;
  tidied.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && text[i] == ' ' && text[i - 1] == ' ')
      continue;
    tidied += text[i];
  }
  text = std::move(tidied);
}

FcHbaAdapter::FcHbaAdapter() : FcHbaAdapter(FcHbaRegistry::processRegistry()) {}

FcHbaAdapter::FcHbaAdapter(FcHbaRegistry& registry) : registry_(registry) {}

FcHbaAdapter::~FcHbaAdapter() { registry_.releaseLibraries(); }

int FcHbaAdapter::loadAttributes() {
  std::lock_guard<std::mutex> held(lock_);
  return loadLocked();
}

int FcHbaAdapter::loadLocked() {
  std::string registeredName;
  if (registry_.getAdapterName(static_cast<uint32_t>(index), registeredName) != HBA_STATUS_OK)
    return 1;
  name = registeredName;

  uint32_t handle = registry_.openAdapter(name);
  if (handle == 0)
    return 1;

  // A library without the attributes handler reports success and fills
  // nothing; the adapter then holds empty texts and zeros.
  HBA_ADAPTERATTRIBUTES attributes = {};
  if (registry_.getAdapterAttributes(handle, &attributes) != HBA_STATUS_OK) {
    registry_.closeAdapter(handle);
    return 1;
  }

  ports.clear();
  manufacturer = tidiedFieldText(attributes.Manufacturer);
  serialNumber = tidiedFieldText(attributes.SerialNumber);
  model = fieldText(attributes.Model);
  modelDescription = tidiedFieldText(attributes.ModelDescription);
  nodeWwn = attributes.NodeWWN;
  nodeSymbolicName = fieldText(attributes.NodeSymbolicName);
  hardwareVersion = tidiedFieldText(attributes.HardwareVersion);
  driverVersion = fieldText(attributes.DriverVersion);
  optionRomVersion = tidiedFieldText(attributes.OptionROMVersion);
  firmwareVersion = tidiedFieldText(attributes.FirmwareVersion);
  numberOfPorts = attributes.NumberOfPorts;
  driverName = fieldText(attributes.DriverName);
  identityWord = attributes.VendorSpecificID;

  int result = 0;
  readPorts(handle, result);
  registry_.closeAdapter(handle);
  return result;
}

void FcHbaAdapter::readPorts(uint32_t handle, int& result) {
  for (uint32_t portIndex = 0; portIndex < numberOfPorts; ++portIndex) {
    HBA_PORTATTRIBUTES attributes = {};
    if (registry_.getPortAttributes(handle, portIndex, &attributes) != HBA_STATUS_OK) {
      result = 1;
      continue;
    }
    FcHbaPort port;
    port.setAttributes(attributes, static_cast<int32_t>(portIndex));
    HBA_PORTSTATISTICS statistics = {};
    if (registry_.getPortStatistics(handle, portIndex, &statistics) == HBA_STATUS_OK)
      port.setStatistics(statistics);
    else
      result = 1;
    ports.push_back(std::move(port));
  }
}

void FcHbaAdapter::loadVendorIdentity() {
  VendorIdentity identity;
  identity.identityWord = identityWord;
  identity.pciBus = pciBus;
  identity.pciFunction = pciFunction;
  identity.pciDomain = pciDomain;
  FcHbaVendorRoute(registry_).loadVendorIdentity(index, name, nodeWwn, identity);
  identityWord = identity.identityWord;
  pciBus = identity.pciBus;
  pciFunction = identity.pciFunction;
  pciDomain = identity.pciDomain;
}
