// Reading a fake library's fixture, recording its calls, and filling the
// records it hands out.

#include "fchba/testlibs/fake_fixture.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace fake {
namespace {

std::string decode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
      continue;
    }
    out += text[i];
  }
  return out;
}

int64_t number(const std::string& text) { return strtoll(text.c_str(), nullptr, 0); }

HBA_WWN wwnOf(const std::string& hexDigits) {
  HBA_WWN wwn = {};
  for (size_t i = 0; i < 8 && 2 * i + 1 < hexDigits.size(); ++i)
    wwn.wwn[i] = static_cast<uint8_t>(strtoul(hexDigits.substr(2 * i, 2).c_str(), nullptr, 16));
  return wwn;
}

template <size_t size>
void putText(char (&field)[size], const std::string& text) {
  snprintf(field, size, "%s", text.c_str());
}

// The text repeated over the whole field, with no terminator.
template <size_t size>
void fillText(char (&field)[size], const std::string& text) {
  for (size_t i = 0; i < size; ++i)
    field[i] = text.empty() ? 'X' : text[i % text.size()];
}

Adapter parseAdapter(std::istringstream& words) {
  Adapter adapter;
  words >> adapter.name;
  adapter.name = decode(adapter.name);
  std::string setting;
  while (words >> setting) {
    size_t equals = setting.find('=');
    std::string key = setting.substr(0, equals);
    std::string value = equals == std::string::npos ? "" : decode(setting.substr(equals + 1));
    if (key == "wwn")
      adapter.nodeWwn = wwnOf(value);
    else if (key == "identity")
      adapter.identityWord = static_cast<uint32_t>(number(value));
    else if (key == "bus")
      adapter.bus = static_cast<uint8_t>(number(value));
    else if (key == "function")
      adapter.function = static_cast<uint8_t>(number(value));
    else if (key == "domain")
      adapter.domain = static_cast<uint8_t>(number(value));
    else if (key == "ports")
      adapter.ports = static_cast<uint32_t>(number(value));
    else if (key == "vendor-id")
      adapter.vendorSpecificId = static_cast<uint32_t>(number(value));
    else if (key == "unsupported-counter")
      adapter.unsupportedCounter = static_cast<int>(number(value));
    else if (key == "manufacturer")
      adapter.manufacturer = value;
    else if (key == "serial")
      adapter.serialNumber = value;
    else if (key == "model")
      adapter.model = value;
    else if (key == "description")
      adapter.modelDescription = value;
    else if (key == "symbolic")
      adapter.nodeSymbolicName = value;
    else if (key == "hardware")
      adapter.hardwareVersion = value;
    else if (key == "driver-version")
      adapter.driverVersion = value;
    else if (key == "option-rom")
      adapter.optionRomVersion = value;
    else if (key == "firmware")
      adapter.firmwareVersion = value;
    else if (key == "driver-name")
      adapter.driverName = value;
  }
  return adapter;
}

// The path this module was loaded by.
std::string modulePath() {
  Dl_info info = {};
  if (dladdr(reinterpret_cast<void*>(&modulePath), &info) == 0 || !info.dli_fname)
    return "";
  return info.dli_fname;
}

Fixture theFixture;

}  // namespace

Fixture::Fixture() {
  load(modulePath() + ".fixture");
  record("loaded");
}

Fixture::~Fixture() {
  record("unloaded");
  if (logFd_ >= 0)
    close(logFd_);
}

void Fixture::load(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string directive;
    if (!(words >> directive) || directive[0] == '#')
      continue;
    std::string a, b, c;
    if (directive == "adapter") {
      adapters_.push_back(parseAdapter(words));
      continue;
    }
    words >> a >> b >> c;
    if (directive == "label")
      label_ = a;
    else if (directive == "log")
      logFd_ = open(a.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    else if (directive == "register")
      registerStatus = static_cast<uint32_t>(number(a));
    else if (directive == "version")
      version = static_cast<uint32_t>(number(a));
    else if (directive == "load")
      loadStatus = static_cast<uint32_t>(number(a));
    else if (directive == "omit")
      omitted.insert(a);
    else if (directive == "fail")
      failures_.push_back({a, static_cast<uint32_t>(number(b)), c.empty() ? -1 : number(c)});
    else if (directive == "count") {
      hasCount_ = true;
      count_ = number(a);
    } else if (directive == "unterminated-names")
      unterminatedNames_ = true;
    else if (directive == "unterminated-texts")
      unterminatedTexts_ = true;
    else if (directive == "handle-base")
      handleBase_ = static_cast<uint32_t>(number(a));
  }
}

void Fixture::record(const std::string& line) const {
  if (logFd_ < 0)
    return;
  std::string text = label_ + " " + line + "\n";
  if (write(logFd_, text.data(), text.size()) < 0)
    return;
}

uint32_t Fixture::failure(const char* call, int64_t index) const {
  for (const Failure& failure : failures_) {
    if (failure.call == call && (failure.index < 0 || failure.index == index))
      return failure.status;
  }
  return 0;
}

int32_t Fixture::adapterCount() const {
  return static_cast<int32_t>(hasCount_ ? count_ : static_cast<int64_t>(adapters_.size()));
}

Adapter Fixture::adapterAt(int64_t index) const {
  if (index >= 0 && index < static_cast<int64_t>(adapters_.size()))
    return adapters_[static_cast<size_t>(index)];
  Adapter generated;
  generated.name = "generated-" + std::to_string(index);
  return generated;
}

int64_t Fixture::indexOfName(const char* name) const {
  for (size_t i = 0; i < adapters_.size(); ++i) {
    if (adapters_[i].name == name)
      return static_cast<int64_t>(i);
  }
  if (strncmp(name, "generated-", 10) == 0)
    return number(name + 10);
  return -1;
}

int64_t Fixture::indexOfHandle(uint32_t handle) const {
  // The registry passes only the low 16 bits of a handle on.
  return static_cast<int64_t>((handle - handleBase_) & 0xFFFF);
}

void Fixture::writeName(const std::string& name, char* buffer, size_t size) const {
  if (unterminatedNames_) {
    memset(buffer, 'N', size);
    return;
  }
  snprintf(buffer, size, "%s", name.c_str());
}

void Fixture::fillAttributes(const Adapter& adapter, HBA_ADAPTERATTRIBUTES* attributes) const {
  memset(attributes, 0, sizeof(*attributes));
  putText(attributes->Manufacturer, adapter.manufacturer);
  putText(attributes->SerialNumber, adapter.serialNumber);
  putText(attributes->Model, adapter.model);
  putText(attributes->ModelDescription, adapter.modelDescription);
  attributes->NodeWWN = adapter.nodeWwn;
  putText(attributes->NodeSymbolicName, adapter.nodeSymbolicName);
  putText(attributes->HardwareVersion, adapter.hardwareVersion);
  putText(attributes->DriverVersion, adapter.driverVersion);
  putText(attributes->OptionROMVersion, adapter.optionRomVersion);
  putText(attributes->FirmwareVersion, adapter.firmwareVersion);
  attributes->VendorSpecificID = adapter.vendorSpecificId;
  attributes->NumberOfPorts = adapter.ports;
  putText(attributes->DriverName, adapter.driverName);
  if (unterminatedTexts_) {
    fillText(attributes->Manufacturer, adapter.manufacturer);
    fillText(attributes->SerialNumber, adapter.serialNumber);
    fillText(attributes->Model, adapter.model);
    fillText(attributes->ModelDescription, adapter.modelDescription);
    fillText(attributes->NodeSymbolicName, adapter.nodeSymbolicName);
    fillText(attributes->HardwareVersion, adapter.hardwareVersion);
    fillText(attributes->DriverVersion, adapter.driverVersion);
    fillText(attributes->OptionROMVersion, adapter.optionRomVersion);
    fillText(attributes->FirmwareVersion, adapter.firmwareVersion);
    fillText(attributes->DriverName, adapter.driverName);
  }
}

// Port `port` of an adapter: its WWN is the node WWN with the first byte
// raised by port + 1; the other values are fixed and named below.
void Fixture::fillPortAttributes(const Adapter& adapter, uint32_t port,
                                 HBA_PORTATTRIBUTES* attributes) const {
  memset(attributes, 0, sizeof(*attributes));
  attributes->NodeWWN = adapter.nodeWwn;
  attributes->PortWWN = adapter.nodeWwn;
  attributes->PortWWN.wwn[0] = static_cast<uint8_t>(attributes->PortWWN.wwn[0] + port + 1);
  attributes->PortFcId = 0x010100 + port;
  attributes->PortType = HBA_PORTTYPE_NPORT;
  attributes->PortState = HBA_PORTSTATE_ONLINE;
  attributes->PortSupportedFc4Types.bits[2] = 1;
  attributes->PortActiveFc4Types.bits[2] = 1;
  putText(attributes->PortSymbolicName, adapter.name + " port " + std::to_string(port));
  putText(attributes->OSDeviceName, "/dev/fake" + std::to_string(port));
  attributes->PortSupportedSpeed = HBA_PORTSPEED_2GBIT | HBA_PORTSPEED_4GBIT | HBA_PORTSPEED_8GBIT;
  attributes->PortSpeed = HBA_PORTSPEED_8GBIT;
  attributes->PortMaxFrameSize = 2048;
  attributes->FabricName = HBA_WWN{{0x10, 0, 0, 0, 0, 0, 0, 0x01}};
}

// Counter k of port p holds (p + 1) * 1000 + k.
void Fixture::fillStatistics(const Adapter& adapter, uint32_t port,
                             HBA_PORTSTATISTICS* statistics) const {
  HBA_INT64 counters[15];
  for (int k = 0; k < 15; ++k)
    counters[k] = k == adapter.unsupportedCounter ? HBA_INT64{-1}
                                                  : static_cast<HBA_INT64>((port + 1) * 1000 + k);
  memcpy(statistics, counters, sizeof(counters));
}

const Fixture& fixture() { return theFixture; }

std::string hex(uint32_t value) {
  char text[16];
  snprintf(text, sizeof(text), "0x%x", value);
  return text;
}

HBA_STATUS Fixture::getAdapterAttributes2(HBA_UINT32 handle, LBTFC_ADAPTERATTRIBUTES2* out) const {
  record("LBTFC_GetAdapterAttributes2 " + hex(handle));
  int64_t index = indexOfHandle(handle);
  if (HBA_STATUS status = failure("LBTFC_GetAdapterAttributes2", index))
    return status;
  Adapter adapter = adapterAt(index);
  fillAttributes(adapter, &out->attributes);
  out->identityWord = adapter.identityWord;
  out->pciBus = adapter.bus;
  out->pciFunction = adapter.function;
  out->pciDomain = adapter.domain;
  return HBA_STATUS_OK;
}

}  // namespace fake
