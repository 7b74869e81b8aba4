// The registry's tables and the calls routed through them.
//
// Every write into a fixed-size field is cut to the field's size, and the
// tables stop filling when full (32 libraries, 64 adapters): a longer
// configuration or a library reporting more adapters loses only the surplus.

#include "fchba/registry.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "fchba/hba_conf.h"

namespace {

// Copies at most `size - 1` bytes of `source` and always terminates.
template <size_t size>
void copyText(char (&field)[size], const char* source, size_t sourceLength) {
  size_t length = sourceLength < size - 1 ? sourceLength : size - 1;
  memcpy(field, source, length);
  memset(field + length, 0, size - length);
}

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};

}  // namespace

FcHbaRegistry::FcHbaRegistry(FcHbaPaths paths) : paths_(std::move(paths)) {
  memset(libraryTable_, 0, sizeof(libraryTable_));
  memset(adapterTable_, 0, sizeof(adapterTable_));
}

FcHbaRegistry& FcHbaRegistry::processRegistry() {
  // Never destroyed: the libraries it holds stay loaded until the process ends.
  static FcHbaRegistry* registry = new FcHbaRegistry();
  return *registry;
}

int FcHbaRegistry::loadConfiguration() {
  std::unique_ptr<FILE, FileCloser> file(fopen(paths_.configFile().c_str(), "r"));
  if (!file)
    return 1;

  char line[kConfigLineBuffer];
  int nextSlot = 0;
  std::string name;
  std::string path;
  while (nextSlot < kLibrarySlots && fgets(line, sizeof(line), file.get())) {
    if (!parseHbaConfLine(line, name, path))
      continue;
    acceptLibrary(nextSlot, name, path);
    ++nextSlot;
  }
  return 0;
}

void FcHbaRegistry::acceptLibrary(int slotIndex, const std::string& name, const std::string& path) {
  LibrarySlot& slot = libraryTable_[slotIndex];
  copyText(slot.name, name.data(), name.size());
  copyText(slot.path, path.data(), path.size());
  // An empty path would open the program itself rather than a library.
  slot.handle = slot.path[0] ? dlopen(slot.path, RTLD_LAZY) : nullptr;
  if (!slot.handle)
    return;
  auto registerLibrary =
      reinterpret_cast<HBA_RegisterLibraryFunc>(dlsym(slot.handle, "HBA_RegisterLibrary"));
  if (!registerLibrary)
    return;

  // A library that fills only some handlers must not inherit the pointers of
  // the library that held this slot before.
  memset(&slot.entryPoints, 0, sizeof(slot.entryPoints));
  if (registerLibrary(&slot.entryPoints) != HBA_STATUS_OK) {
    slot.state = SlotState::Closed;
    return;
  }
  if (!slot.entryPoints.GetVersionHandler)
    return;
  if (slot.entryPoints.GetVersionHandler() == 0) {
    slot.state = SlotState::Closed;
    return;
  }
  if (!slot.entryPoints.LoadLibraryHandler)
    return;
  slot.state = slot.entryPoints.LoadLibraryHandler() == HBA_STATUS_OK ? SlotState::Loaded
                                                                      : SlotState::Closed;
}

int FcHbaRegistry::releaseLibraries() {
  for (LibrarySlot& slot : libraryTable_) {
    if (slot.state != SlotState::Loaded)
      continue;
    if (slot.entryPoints.FreeLibraryHandler)
      slot.entryPoints.FreeLibraryHandler();
    dlclose(slot.handle);
    // The module is gone; nobody may look symbols up in it any more.
    slot.handle = nullptr;
    slot.state = SlotState::Closed;
  }
  return 0;
}

uint32_t FcHbaRegistry::buildAdapterTable() {
  adapterCount_ = 0;
  for (int slotIndex = 0; slotIndex < kLibrarySlots; ++slotIndex) {
    const LibrarySlot& slot = libraryTable_[slotIndex];
    if (slot.state != SlotState::Loaded || !slot.entryPoints.GetNumberOfAdaptersHandler)
      continue;
    // The count is read as signed: a negative count means no adapters.
    int32_t count = static_cast<int32_t>(slot.entryPoints.GetNumberOfAdaptersHandler());
    if (!slot.entryPoints.GetAdapterNameHandler)
      continue;
    for (int32_t i = 0; i < count && adapterCount_ < kAdapterEntries; ++i) {
      char name[kHbaAdapterNameSize] = {};
      slot.entryPoints.GetAdapterNameHandler(static_cast<HBA_UINT32>(i), name);
      AdapterNameEntry& entry = adapterTable_[adapterCount_];
      copyText(entry.name, name, strnlen(name, sizeof(name)));
      entry.libraryIndex = slotIndex;
      ++adapterCount_;
    }
  }
  return adapterCount_;
}

HBA_STATUS FcHbaRegistry::getAdapterName(uint32_t index, std::string& name) const {
  if (index >= adapterCount_)
    return HBA_STATUS_ERROR_ILLEGAL_INDEX;
  name = adapterTable_[index].name;
  return HBA_STATUS_OK;
}

void* FcHbaRegistry::libraryOfAdapter(uint32_t index, char (&path)[256]) const {
  if (index >= adapterCount_) {
    memset(path, 0, sizeof(path));
    return nullptr;
  }
  const LibrarySlot& slot = libraryTable_[adapterTable_[index].libraryIndex];
  memcpy(path, slot.path, sizeof(path));
  return slot.handle;
}

uint32_t FcHbaRegistry::openAdapter(const std::string& name) {
  for (uint32_t i = 0; i < adapterCount_; ++i) {
    const AdapterNameEntry& entry = adapterTable_[i];
    if (name != entry.name)
      continue;
    LibrarySlot& slot = libraryTable_[entry.libraryIndex];
    if (slot.state != SlotState::Loaded || !slot.entryPoints.OpenAdapterHandler)
      return 0;
    // The library may write into the name it is given; hand it a copy.
    char nameCopy[sizeof(entry.name)];
    memcpy(nameCopy, entry.name, sizeof(nameCopy));
    HBA_HANDLE libraryHandle = slot.entryPoints.OpenAdapterHandler(nameCopy);
    if (libraryHandle == 0)
      return 0;
    return static_cast<uint32_t>(entry.libraryIndex) << 16 | (libraryHandle & 0xFFFF);
  }
  return 0;
}

LibrarySlot* FcHbaRegistry::routedSlot(uint32_t handle, HBA_STATUS& status) {
  uint32_t slotIndex = handle >> 16;
  if (slotIndex >= static_cast<uint32_t>(kLibrarySlots)) {
    status = HBA_STATUS_ERROR_INVALID_HANDLE;
    return nullptr;
  }
  LibrarySlot& slot = libraryTable_[slotIndex];
  if (slot.state != SlotState::Loaded) {
    status = HBA_STATUS_ERROR;
    return nullptr;
  }
  status = HBA_STATUS_OK;
  return &slot;
}

void FcHbaRegistry::closeAdapter(uint32_t handle) {
  HBA_STATUS status;
  LibrarySlot* slot = routedSlot(handle, status);
  if (slot && slot->entryPoints.CloseAdapterHandler)
    slot->entryPoints.CloseAdapterHandler(handle & 0xFFFF);
}

// Calls the slot's handler with the library's own handle and returns its
// status; the routing status when there is no usable slot, and 0 with the
// output left alone when the slot lacks the handler.
template <typename Handler, typename... Args>
HBA_STATUS FcHbaRegistry::routeStatusCall(uint32_t handle, Handler HBA_ENTRYPOINTS::*handler,
                                          Args... args) {
  HBA_STATUS status;
  LibrarySlot* slot = routedSlot(handle, status);
  if (!slot || !(slot->entryPoints.*handler))
    return status;
  return (slot->entryPoints.*handler)(handle & 0xFFFF, args...);
}

HBA_STATUS FcHbaRegistry::getAdapterAttributes(uint32_t handle, HBA_ADAPTERATTRIBUTES* attributes) {
  return routeStatusCall(handle, &HBA_ENTRYPOINTS::GetAdapterAttributesHandler, attributes);
}

HBA_STATUS FcHbaRegistry::getPortAttributes(uint32_t handle, uint32_t portIndex,
                                            HBA_PORTATTRIBUTES* attributes) {
  return routeStatusCall(handle, &HBA_ENTRYPOINTS::GetAdapterPortAttributesHandler, portIndex,
                         attributes);
}

HBA_STATUS FcHbaRegistry::getPortStatistics(uint32_t handle, uint32_t portIndex,
                                            HBA_PORTSTATISTICS* statistics) {
  return routeStatusCall(handle, &HBA_ENTRYPOINTS::GetPortStatisticsHandler, portIndex,
                         statistics);
}
