// The vendor attribute route: reading an adapter's PCI identity (subsystem
// ids, bus, function, domain) from the extended attributes record of the
// vendor's attribute library, recognising the adapter by its node WWN.
//
// Route A: the management library serving the adapter is the vendor's
// attribute library; its LBTFC_GetAdapterAttributes2 is called with the
// registry's handle. Route B: every registry library is released, the vendor
// library is loaded from its fixed paths and searched, and the registry is
// loaded again from its configuration.

#ifndef FCHBA_VENDOR_ROUTE_H_
#define FCHBA_VENDOR_ROUTE_H_

#include <cstdint>
#include <string>

#include "fchba/hba_api.h"

class FcHbaRegistry;

// The four identity fields of an adapter that the route may fill.
struct VendorIdentity {
  uint32_t identityWord = 0;
  uint8_t pciBus = 0;
  uint8_t pciFunction = 0;
  uint8_t pciDomain = 0;
};

// The vendor attribute library an adapter name selects.
struct VendorLibraryChoice {
  const char* baseName;
  const char* paths[3];
  const char* unableToLoadText;
};

// Case-sensitive substring tests: "qlogic" first, then "Dovane", otherwise
// the third vendor.
const VendorLibraryChoice& chooseVendorLibrary(const char* adapterName);

class FcHbaVendorRoute {
 public:
  using Text = char[256];

  // Uses the registry for route A and for the release and reload of route B,
  // and the registry's paths for the vendor libraries.
  explicit FcHbaVendorRoute(FcHbaRegistry& registry) : registry_(registry) {}

  // Fills `identity` for adapter `index` of the registry, named `name`, whose
  // node WWN is `nodeWwn`. Any failure leaves `identity` as it was; the
  // outcome is not reported.
  void loadVendorIdentity(int32_t index, const std::string& name, const HBA_WWN& nodeWwn,
                          VendorIdentity& identity);

  // True when `libraryPath` holds the base name of the vendor library that
  // `adapterName` selects; then `status` is 0 when LBTFC_GetAdapterAttributes2
  // was resolved in `libraryHandle`, 1 when not, with `text` saying why.
  bool matchVendorLibrary(const char* adapterName, const char* libraryPath, void* libraryHandle,
                          Text& text, int& status);
  // Reads the record through the entry matchVendorLibrary resolved, with the
  // low 16 bits of `combinedHandle`. 0, or -3 when the call failed.
  int readVendorIdentity(const HBA_WWN& nodeWwn, VendorIdentity& identity, Text& text,
                         uint32_t combinedHandle);
  // Loads the vendor library from its fixed paths and searches its adapters
  // for `nodeWwn`. `adapterName` holds the adapter's name on entry and is
  // reused as the name buffer. 0 when found, -1 .. -7 otherwise.
  int findVendorIdentity(const HBA_WWN& nodeWwn, char (&adapterName)[kVendorAdapterNameSize],
                         VendorIdentity& identity, Text& text);

 private:
  FcHbaRegistry& registry_;
  // Resolved again before every use: a release may unload its module.
  LBTFC_GetAdapterAttributes2Func vendorAttributesEntry_ = nullptr;
};

#endif  // FCHBA_VENDOR_ROUTE_H_
