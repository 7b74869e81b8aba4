// The two routes to an adapter's PCI identity and their diagnostic texts.
// Every diagnostic fits the caller's 256-byte text buffer (snprintf cuts it),
// and the adapter name buffer handed to the vendor library is terminated
// after each call, so a library that fills it to the last byte cannot make
// the next call read past it.

#include "fchba/vendor_route.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "fchba/registry.h"

namespace {

const VendorLibraryChoice kQlogic = {
    "libqlsdm",
    {"/usr/lib/libqlsdm.so", "/usr/lib64/libqlsdm-x86_64.so", "/lib/cim/libqlsdm.so"},
    "unable to load qlsdm"};
const VendorLibraryChoice kDovane = {
    "libdvsdm",
    {"/usr/lib/libdvsdm.so", "/usr/lib64/libdvsdm.so", "/lib/cim/libdvsdm.so"},
    "unable to load dvsdm"};
const VendorLibraryChoice kOther = {
    "bfahbaapi",
    {"/usr/lib/bfahbaapi.so", "/usr/lib64/bfahbaapi.so", "/lib/cim/bfahbaapi.so"},
    "unable to load bfahbaapi"};

void setText(FcHbaVendorRoute::Text& text, const char* message) {
  snprintf(text, sizeof(text), "%s", message);
}

bool sameWwn(const HBA_WWN& a, const HBA_WWN& b) { return memcmp(a.wwn, b.wwn, 8) == 0; }

void copyIdentity(const LBTFC_ADAPTERATTRIBUTES2& record, VendorIdentity& identity) {
  identity.identityWord = record.identityWord;
  identity.pciBus = record.pciBus;
  identity.pciFunction = record.pciFunction;
  identity.pciDomain = record.pciDomain;
}

// The vendor library's functions, resolved in the order they are looked up.
struct VendorFunctions {
  LBTFC_LoadLibraryFunc loadLibrary;
  LBTFC_GetNumberOfAdaptersFunc getNumberOfAdapters;
  LBTFC_GetAdapterNameFunc getAdapterName;
  LBTFC_OpenAdapterFunc openAdapter;
  LBTFC_GetAdapterAttributes2Func getAdapterAttributes2;
  LBTFC_CloseAdapterFunc closeAdapter;
  LBTFC_FreeLibraryFunc freeLibrary;
};

// Resolves every function; the name of the first missing one, or null.
const char* resolveVendorFunctions(void* module, VendorFunctions& functions) {
  static const char* const kNames[] = {
      "LBTFC_LoadLibrary", "LBTFC_GetNumberOfAdapters",   "LBTFC_GetAdapterName",
      "LBTFC_OpenAdapter", "LBTFC_GetAdapterAttributes2", "LBTFC_CloseAdapter",
      "LBTFC_FreeLibrary",
  };
  void* symbols[7];
  for (size_t i = 0; i < 7; ++i) {
    symbols[i] = dlsym(module, kNames[i]);
    if (!symbols[i])
      return kNames[i];
  }
  functions.loadLibrary = reinterpret_cast<LBTFC_LoadLibraryFunc>(symbols[0]);
  functions.getNumberOfAdapters = reinterpret_cast<LBTFC_GetNumberOfAdaptersFunc>(symbols[1]);
  functions.getAdapterName = reinterpret_cast<LBTFC_GetAdapterNameFunc>(symbols[2]);
  functions.openAdapter = reinterpret_cast<LBTFC_OpenAdapterFunc>(symbols[3]);
  functions.getAdapterAttributes2 = reinterpret_cast<LBTFC_GetAdapterAttributes2Func>(symbols[4]);
  functions.closeAdapter = reinterpret_cast<LBTFC_CloseAdapterFunc>(symbols[5]);
  functions.freeLibrary = reinterpret_cast<LBTFC_FreeLibraryFunc>(symbols[6]);
  return nullptr;
}

}  // namespace

const VendorLibraryChoice& chooseVendorLibrary(const char* adapterName) {
  if (strstr(adapterName, "qlogic"))
    return kQlogic;
  if (strstr(adapterName, "Dovane"))
    return kDovane;
  return kOther;
}

void FcHbaVendorRoute::loadVendorIdentity(int32_t index, const std::string& name,
                                          const HBA_WWN& nodeWwn, VendorIdentity& identity) {
  char adapterName[kVendorAdapterNameSize] = {};
  strncpy(adapterName, name.c_str(), sizeof(adapterName) - 1);

  char libraryPath[256];
  void* libraryHandle = registry_.libraryOfAdapter(static_cast<uint32_t>(index), libraryPath);

  Text text = {};
  int status = 0;
  if (matchVendorLibrary(adapterName, libraryPath, libraryHandle, text, status)) {
    if (status != 0)
      return;
    uint32_t handle = registry_.openAdapter(name);
    if (handle == 0)
      return;
    readVendorIdentity(nodeWwn, identity, text, handle);
    registry_.closeAdapter(handle);
    return;
  }

  registry_.releaseLibraries();
  findVendorIdentity(nodeWwn, adapterName, identity, text);
  registry_.loadConfiguration();
}

bool FcHbaVendorRoute::matchVendorLibrary(const char* adapterName, const char* libraryPath,
                                          void* libraryHandle, Text& text, int& status) {
  if (!strstr(libraryPath, chooseVendorLibrary(adapterName).baseName))
    return false;
  // An entry left from an earlier adapter must never be used for this one.
  vendorAttributesEntry_ = nullptr;
  if (!libraryHandle) {
    status = 1;
    setText(text, "libHandle is NULL; cannot dlsym");
    return true;
  }
  vendorAttributesEntry_ = reinterpret_cast<LBTFC_GetAdapterAttributes2Func>(
      dlsym(libraryHandle, "LBTFC_GetAdapterAttributes2"));
  if (!vendorAttributesEntry_) {
    status = 1;
    setText(text, "unable to dlsym for LBTFC_GetAdapterAttributes2");
    return true;
  }
  status = 0;
  setText(text, "dlsym for LBTFC_GetAdapterAttributes2 success!");
  return true;
}

int FcHbaVendorRoute::readVendorIdentity(const HBA_WWN& nodeWwn, VendorIdentity& identity,
                                         Text& text, uint32_t combinedHandle) {
  uint32_t handle = combinedHandle & 0xFFFF;
  if (!vendorAttributesEntry_) {
    setText(text, "unable to dlsym for LBTFC_GetAdapterAttributes2");
    return -3;
  }
  LBTFC_ADAPTERATTRIBUTES2 record = {};
  HBA_STATUS status = vendorAttributesEntry_(handle, &record);
  if (status != HBA_STATUS_OK) {
    snprintf(text, sizeof(text),
             "fail to read adapter attribs: handle used is 0x%x: retStatus is 0x%x", handle,
             status);
    return -3;
  }
  if (sameWwn(record.attributes.NodeWWN, nodeWwn)) {
    copyIdentity(record, identity);
    snprintf(text, sizeof(text), "read adapter attribs Success! handle used is 0x%x", handle);
  }
  return 0;
}

int FcHbaVendorRoute::findVendorIdentity(const HBA_WWN& nodeWwn,
                                         char (&adapterName)[kVendorAdapterNameSize],
                                         VendorIdentity& identity, Text& text) {
  setText(text, "pass");
  const VendorLibraryChoice& choice = chooseVendorLibrary(adapterName);
  void* module = nullptr;
  for (const char* path : choice.paths) {
    module = dlopen(registry_.paths().under(path).c_str(), RTLD_LAZY);
    if (module)
      break;
  }
  if (!module) {
    setText(text, choice.unableToLoadText);
    return -1;
  }

  VendorFunctions vendor = {};
  if (const char* missing = resolveVendorFunctions(module, vendor)) {
    snprintf(text, sizeof(text), "unable to dlsym for %s", missing);
    dlclose(module);
    return -2;
  }
  if (vendor.loadLibrary() != HBA_STATUS_OK) {
    dlclose(module);
    setText(text, "fail to load library");
    return -7;
  }

  auto release = [&] {
    vendor.freeLibrary();
    dlclose(module);
  };
  int32_t count = vendor.getNumberOfAdapters();
  for (int32_t index = 0; index < count; ++index) {
    HBA_STATUS nameStatus = vendor.getAdapterName(static_cast<HBA_UINT32>(index), adapterName);
    adapterName[sizeof(adapterName) - 1] = '\0';
    if (nameStatus != HBA_STATUS_OK) {
      release();
      setText(text, "fail to get adapter number");
      return -5;
    }
    HBA_UINT32 handle = vendor.openAdapter(adapterName);
    if (handle == 0) {
      release();
      setText(text, "fail to open adapter");
      return -4;
    }
    LBTFC_ADAPTERATTRIBUTES2 record = {};
    HBA_STATUS status = vendor.getAdapterAttributes2(handle, &record);
    if (status != HBA_STATUS_OK) {
      vendor.closeAdapter(handle);
      release();
      snprintf(text, sizeof(text),
               "fail to read adapter attribs, adapterHandle 0x%x, retStatus 0x%x", handle, status);
      return -3;
    }
    if (sameWwn(record.attributes.NodeWWN, nodeWwn)) {
      copyIdentity(record, identity);
      vendor.closeAdapter(handle);
      release();
      return 0;
    }
    vendor.closeAdapter(handle);
  }
  release();
  setText(text, "could not find WWNN match");
  return -6;
}
