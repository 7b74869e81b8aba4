// FcHbaPort: one port of an adapter as its management library reported it,
// with its fifteen counters, and the text forms an administrator reads.

#ifndef FCHBA_PORT_H_
#define FCHBA_PORT_H_

#include <cstdint>
#include <string>

#include "fchba/hba_api.h"

// "%02X:%02X:...": eight upper-case hexadecimal pairs joined by colons.
std::string wwnText(const HBA_WWN& wwn);

class FcHbaPort {
 public:
  static constexpr int kCounters = 15;

  FcHbaPort() = default;
  virtual ~FcHbaPort() = default;
  FcHbaPort(const FcHbaPort&) = default;
  FcHbaPort& operator=(const FcHbaPort&) = default;

  // Copies the attributes the port keeps and records its index on the adapter.
  void setAttributes(const HBA_PORTATTRIBUTES& attributes, int32_t index);
  // Copies the counters; one with all bits set (unsupported) keeps its value.
  void setStatistics(const HBA_PORTSTATISTICS& statistics);

  std::string portWwnText() const { return wwnText(portWwn); }
  std::string fabricNameText() const { return wwnText(fabricName); }
  // The fastest speed of `mask` as a text ("8 GB"), "Unknown" when none.
  static std::string speedText(uint32_t mask);
  std::string stateText() const;
  std::string typeText() const;

  HBA_WWN portWwn = {};
  uint32_t portFcId = 0;
  uint32_t portType = HBA_PORTTYPE_UNKNOWN;
  uint32_t portState = HBA_PORTSTATE_UNKNOWN;
  std::string symbolicName = "Undefined";
  std::string osDeviceName = "Undefined";
  uint32_t supportedSpeed = 0;
  uint32_t speed = 0;
  uint32_t maxFrameSize = 0;
  HBA_WWN fabricName = {};
  int32_t portIndex = 0;
  HBA_FC4TYPES activeFc4Types = {};
  HBA_FC4TYPES supportedFc4Types = {};
  // In the order of HBA_PORTSTATISTICS, SecondsSinceLastReset first.
  int64_t statistics[kCounters] = {};
};

#endif  // FCHBA_PORT_H_
