#include "driver/base_component.h"

#include "fchba/enumerate.h"
#include "reference/os_identification.h"
#include "vendor/discovery_report.h"

CBaseCmp::CBaseCmp(const std::string& logDirectory) : log(logDirectory) {}

CBaseCmp::~CBaseCmp() {
  clearAdapterList(adapters);
}

bool CBaseCmp::DiscoverDevices() {
  enumerateAdapters(adapters);
  if (adapters.empty()) {
    log.Write("WARNING! : No supported adapters found.\n");
    return false;
  }
  type = catalogue.referenceDevices.empty() ? std::wstring()
                                            : catalogue.referenceDevices.front().type;
  alt_name.clear();
  version.clear();
  takes_effect.clear();
  OnDevicesDiscovered();
  return true;
}

std::wstring CBaseCmp::NormalizeModel(const std::wstring& model) {
  return model;
}

void CBaseCmp::OnDevicesDiscovered() {}

int CBaseCmp::PrepareFlashKit() {
  return 0;
}

int CBaseCmp::FlashAdapters() {
  return 0;
}

bool CBaseCmp::WriteDiscoveryReport() {
  return SaveDiscoveryReport(reportPath, ReportTexts{type, alt_name, version, takes_effect},
                             deviceList);
}

int CBaseCmp::FindReferenceDevice(const std::wstring& deviceId) {
  return catalogue.FindDeviceIndex(deviceId);
}

int CBaseCmp::IdentifyOperatingSystem() {
  osTag = IdentifyDistribution();
  return 0;
}

int CBaseCmp::RunSequence() {
  log.Write("---------------------------------------------------\n");
  log.Write("Loading references...");
  if (!LoadReferenceCatalogue(catalogue)) {
    log.Write("FAILED!\n");
    return kExitFailure;
  }
  log.Write("done.\n").Write("Performing discovery...\n");

  IdentifyOperatingSystem();
  if (!DiscoverDevices())
    return kExitFailure;

  if (discovery) {
    log.Write("Generating self-discovery XML...");
    log.Write(WriteDiscoveryReport() ? "done.\n" : "FAILED!\n");
    return kExitNothingChanged;
  }

  if (OverallAction() != kActionUpgrade && !force) {
    log.Write("NOTICE : No operation was done.\n");
    return kExitNothingChanged;
  }
  if (deviceList.empty()) {
    log.Write("ERROR! : No supported hardware was found.\n");
    return kExitNothingChanged;
  }

  log.Write("Performing flash -- DO NOT INTERRUPT!\n");
  int exitCode = FlashAdapters();
  log.Write("Flash complete [").Write(exitCode).Write("]\n");
  return exitCode;
}

int CBaseCmp::OverallAction() const {
  int found = kActionNone;
  for (const DeviceEntry& device : deviceList) {
    for (const FirmwareItem& item : device.fw_items) {
      if (item.action == L"downgrade")
        found |= kActionDowngrade;
      else if (item.action == L"rewrite")
        found |= kActionRewrite;
      else if (item.action == L"upgrade")
        found |= kActionUpgrade;
    }
  }
  if (found & kActionUpgrade)
    return kActionUpgrade;
  if (found & kActionDowngrade)
    return kActionDowngrade;
  if (found & kActionRewrite)
    return kActionRewrite;
  return kActionNone;
}
