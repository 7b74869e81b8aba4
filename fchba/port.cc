// Port attributes, counters and their text forms.

#include "fchba/port.h"

#include <cstdio>
#include <cstring>

namespace {

// A library's fixed-size text, which it may have filled to the last byte
// without a terminator: read no further than the field.
template <size_t size>
std::string fieldText(const char (&field)[size]) {
  return std::string(field, strnlen(field, size));
}

}  // namespace

std::string wwnText(const HBA_WWN& wwn) {
  char text[24];
  const HBA_UINT8* b = wwn.wwn;
  snprintf(text, sizeof(text), "%02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3],
           b[4], b[5], b[6], b[7]);
  return text;
}

void FcHbaPort::setAttributes(const HBA_PORTATTRIBUTES& attributes, int32_t index) {
  portWwn = attributes.PortWWN;
  fabricName = attributes.FabricName;
  portFcId = attributes.PortFcId;
  portType = attributes.PortType;
  portState = attributes.PortState;
  symbolicName = fieldText(attributes.PortSymbolicName);
  osDeviceName = fieldText(attributes.OSDeviceName);
  supportedSpeed = attributes.PortSupportedSpeed;
  speed = attributes.PortSpeed;
  maxFrameSize = attributes.PortMaxFrameSize;
  activeFc4Types = attributes.PortActiveFc4Types;
  supportedFc4Types = attributes.PortSupportedFc4Types;
  portIndex = index;
}

void FcHbaPort::setStatistics(const HBA_PORTSTATISTICS& counters) {
  HBA_INT64 read[kCounters];
  static_assert(sizeof(read) == sizeof(counters), "the counters are read in order");
  memcpy(read, &counters, sizeof(read));
  for (int k = 0; k < kCounters; ++k) {
    if (read[k] != -1)
      statistics[k] = read[k];
  }
}

std::string FcHbaPort::speedText(uint32_t mask) {
  // Tested in this order, so a mask of several speeds names one of them.
  static const struct {
    uint32_t bit;
    const char* text;
  } kSpeeds[] = {
      {HBA_PORTSPEED_NOT_NEGOTIATED, "Not Negotiated"}, {HBA_PORTSPEED_16GBIT, "16 GB"},
      {HBA_PORTSPEED_10GBIT, "10 GB"}, {HBA_PORTSPEED_8GBIT, "8 GB"},
      {HBA_PORTSPEED_4GBIT, "4 GB"},   {HBA_PORTSPEED_2GBIT, "2 GB"},
      {HBA_PORTSPEED_1GBIT, "1 GB"},
  };
  for (const auto& speed : kSpeeds) {
    if (mask & speed.bit)
      return speed.text;
  }
  return "Unknown";
}

std::string FcHbaPort::stateText() const {
  switch (portState) {
    case HBA_PORTSTATE_ONLINE: return "Online";
    case HBA_PORTSTATE_OFFLINE: return "Offline";
    case HBA_PORTSTATE_BYPASSED: return "Bypassed";
    case HBA_PORTSTATE_DIAGNOSTICS: return "Diagnostics Mode";
    case HBA_PORTSTATE_LINKDOWN: return "Link Down";
    case HBA_PORTSTATE_ERROR: return "Error";
    case HBA_PORTSTATE_LOOPBACK: return "Loopback";
    default: return "Unknown";
  }
}

std::string FcHbaPort::typeText() const {
  switch (portType) {
    case HBA_PORTTYPE_OTHER: return "Other";
    case HBA_PORTTYPE_NOTPRESENT: return "Not Present";
    case HBA_PORTTYPE_NPORT: return "Fabric";
    case HBA_PORTTYPE_NLPORT: return "Public Loop";
    case HBA_PORTTYPE_FLPORT: return "FL Port";
    case HBA_PORTTYPE_FPORT: return "Fabric Port";
    case HBA_PORTTYPE_EPORT: return "Fabric expansion port";
    case HBA_PORTTYPE_GPORT: return "Generic Fabric Port";
    case HBA_PORTTYPE_LPORT: return "Private Loop";
    case HBA_PORTTYPE_PTP: return "Point to Point";
    default: return "Unknown";
  }
}
