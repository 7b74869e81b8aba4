// The component base: everything one run of the program knows, and the run
// sequence that takes the run from the log banner to the exit code.
//
// The steps that depend on the adapter maker are virtual; the vendor
// component overrides discovery, kit preparation and flash.
#ifndef DRIVER_BASE_COMPONENT_H_
#define DRIVER_BASE_COMPONENT_H_

#include <string>
#include <vector>

#include "driver/adapter_list.h"
#include "driver/component_log.h"
#include "driver/device_entry.h"
#include "reference/reference_catalogue.h"

// Exit codes of the program.
constexpr int kExitUpdatedRebootNeeded = 1;
constexpr int kExitNothingChanged = 3;
constexpr int kExitFailure = 7;

// Values of OverallAction(); bit values, of which the reduction keeps one.
constexpr int kActionNone = 0;
constexpr int kActionUpgrade = 1;
constexpr int kActionRewrite = 2;
constexpr int kActionDowngrade = 4;

class CBaseCmp {
 public:
  // Making a component creates its log directory and file; tests give a log
  // directory of their own.
  explicit CBaseCmp(const std::string& logDirectory = ComponentLog::kDirectory);
  virtual ~CBaseCmp();

  CBaseCmp(const CBaseCmp&) = delete;
  CBaseCmp& operator=(const CBaseCmp&) = delete;

  virtual bool DiscoverDevices();
  virtual std::wstring NormalizeModel(const std::wstring& model);
  virtual void OnDevicesDiscovered();
  virtual int PrepareFlashKit();
  virtual int FlashAdapters();
  virtual bool WriteDiscoveryReport();
  virtual int FindReferenceDevice(const std::wstring& deviceId);

  // Runs once, after the command line was parsed; returns the exit code.
  int RunSequence();
  // Reduces every firmware item's action to one of the kAction values.
  int OverallAction() const;
  // Records the distribution the component runs on in `osTag`; always 0.
  int IdentifyOperatingSystem();

  ComponentLog log;
  bool discovery = false;
  bool force = false;
  AdapterList adapters;
  ReferenceCatalogue catalogue;
  std::wstring osTag;
  std::wstring type;
  std::wstring alt_name;
  std::wstring version;
  std::wstring takes_effect;
  std::vector<DeviceEntry> deviceList;
  std::string reportPath;
};

#endif  // DRIVER_BASE_COMPONENT_H_
