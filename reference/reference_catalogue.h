// The package's reference catalogue, "reference.xml": the adapters the package
// serves, by PCI identity, with the firmware and boot code versions it carries.
//
// The loader reads the file once per run; lookups then find a device by its
// identity, ignoring letter case, and always give the first of equal entries.
#ifndef REFERENCE_REFERENCE_CATALOGUE_H_
#define REFERENCE_REFERENCE_CATALOGUE_H_

#include <string>
#include <unordered_map>
#include <vector>

struct ReferenceDevice {
  std::wstring type;
  std::wstring device_id;
  std::wstring model;
  std::wstring firmware;
  std::wstring bios;
  std::wstring boot;
  std::wstring duration;
  // Cleared by a bios element whose value is empty.
  bool has_boot_rom = true;
};

class ReferenceCatalogue {
 public:
  std::wstring discovery_app_path;
  std::wstring installer_app_path;
  std::vector<ReferenceDevice> referenceDevices;

  // Index of the first device whose device_id equals `deviceId` ignoring
  // letter case as wcscasecmp does, or -1.
  int FindDeviceIndex(const std::wstring& deviceId) const;

 private:
  // Built on the first lookup after devices were added, so that a run with
  // many adapters does not scan the whole catalogue for each of them.
  mutable std::unordered_map<std::wstring, int> firstIndexByFoldedId_;
  mutable size_t indexedDevices_ = 0;
};

constexpr const char* kReferenceCatalogueFile = "reference.xml";

// Reads the catalogue file (by default "reference.xml" in the working
// directory) and appends what it finds. False when the file is missing or is
// not well-formed XML, in which case the XML library has printed its
// diagnostics on standard error.
bool LoadReferenceCatalogue(ReferenceCatalogue& catalogue,
                            const char* path = kReferenceCatalogueFile);

#endif  // REFERENCE_REFERENCE_CATALOGUE_H_
