// FcHbaRegistry: the table-driven module that loads the management libraries
// named in the configuration file, numbers the adapters they report, and
// routes each adapter operation to the library that serves it.
//
// The process uses one registry (`processRegistry`, fixed paths). Tests make
// their own with a different root, so no test depends on another's state.
// The registry has no lock: the system is single-threaded.

#ifndef FCHBA_REGISTRY_H_
#define FCHBA_REGISTRY_H_

#include <cstdint>
#include <string>

#include "fchba/fchba_paths.h"
#include "fchba/hba_api.h"

enum class SlotState : uint32_t { Empty = 0, Loaded = 1, Closed = 2 };

struct LibrarySlot {
  char name[64];
  char path[256];
  void* handle;
  HBA_ENTRYPOINTS entryPoints;
  SlotState state;
};

struct AdapterNameEntry {
  char name[64];
  int32_t libraryIndex;
};

class FcHbaRegistry {
 public:
  static constexpr int kLibrarySlots = 32;
  static constexpr uint32_t kAdapterEntries = 64;
  static constexpr size_t kConfigLineBuffer = 512;

  explicit FcHbaRegistry(FcHbaPaths paths = FcHbaPaths());
  FcHbaRegistry(const FcHbaRegistry&) = delete;
  FcHbaRegistry& operator=(const FcHbaRegistry&) = delete;
  // Libraries stay loaded: like the process registry, a registry lets go of
  // its libraries only through releaseLibraries.
  ~FcHbaRegistry() = default;

  // The registry of the running program, reading "/etc/hba.conf". It lives
  // until the process ends.
  static FcHbaRegistry& processRegistry();

  // Fills the library slots from index 0, one per accepted configuration
  // line, opening and registering each library. 0 when the file was read,
  // 1 when it could not be opened (then nothing changes).
  int loadConfiguration();
  // Frees and closes every loaded library; its slot becomes Closed. Returns 0.
  int releaseLibraries();
  // Numbers the adapters of all loaded libraries; returns their count.
  uint32_t buildAdapterTable();

  // HBA_STATUS_ERROR_ILLEGAL_INDEX when `index` is not below the adapter
  // count; otherwise HBA_STATUS_OK with `name` set.
  HBA_STATUS getAdapterName(uint32_t index, std::string& name) const;
  // The module handle of the library serving adapter `index`, with the
  // library's path copied to `path`. An unknown index gives null and "".
  void* libraryOfAdapter(uint32_t index, char (&path)[256]) const;

  // A combined handle (slot index in the high 16 bits, the library's handle
  // in the low 16), or 0 when the adapter cannot be opened.
  uint32_t openAdapter(const std::string& name);
  void closeAdapter(uint32_t handle);
  HBA_STATUS getAdapterAttributes(uint32_t handle, HBA_ADAPTERATTRIBUTES* attributes);
  HBA_STATUS getPortAttributes(uint32_t handle, uint32_t portIndex, HBA_PORTATTRIBUTES* attributes);
  HBA_STATUS getPortStatistics(uint32_t handle, uint32_t portIndex, HBA_PORTSTATISTICS* statistics);

  const FcHbaPaths& paths() const { return paths_; }
  uint32_t adapterCount() const { return adapterCount_; }
  const LibrarySlot& librarySlot(int index) const { return libraryTable_[index]; }
  const AdapterNameEntry& adapterEntry(uint32_t index) const { return adapterTable_[index]; }

 private:
  void acceptLibrary(int slotIndex, const std::string& name, const std::string& path);
  // The Loaded slot a combined handle names, or null with `status` set.
  LibrarySlot* routedSlot(uint32_t handle, HBA_STATUS& status);
  template <typename Handler, typename... Args>
  HBA_STATUS routeStatusCall(uint32_t handle, Handler HBA_ENTRYPOINTS::*handler, Args... args);

  FcHbaPaths paths_;
  LibrarySlot libraryTable_[kLibrarySlots];
  AdapterNameEntry adapterTable_[kAdapterEntries];
  uint32_t adapterCount_ = 0;
};

#endif  // FCHBA_REGISTRY_H_
