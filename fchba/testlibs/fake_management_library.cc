// A fake management library: registers the HBA handlers and serves the
// adapters of its fixture. Built a second time with FAKE_EXPORT_ATTRIBUTES2,
// it also exports LBTFC_GetAdapterAttributes2, like a management library
// that is at once its vendor's attribute library.

#include <string>

#include "fchba/testlibs/fake_fixture.h"

using fake::fixture;
using fake::hex;

namespace {

HBA_UINT32 getVersion() {
  fixture().record("GetVersion");
  return fixture().version;
}

HBA_STATUS loadLibrary() {
  fixture().record("LoadLibrary");
  return fixture().loadStatus;
}

HBA_STATUS freeLibrary() {
  fixture().record("FreeLibrary");
  return HBA_STATUS_OK;
}

HBA_UINT32 getNumberOfAdapters() {
  fixture().record("GetNumberOfAdapters");
  return static_cast<HBA_UINT32>(fixture().adapterCount());
}

HBA_STATUS getAdapterName(HBA_UINT32 index, char* name) {
  fixture().record("GetAdapterName " + std::to_string(index));
  fixture().writeName(fixture().adapterAt(index).name, name, kHbaAdapterNameSize);
  return fixture().failure("GetAdapterName", index);
}

HBA_HANDLE openAdapter(char* name) {
  fixture().record(std::string("OpenAdapter ") + name);
  int64_t index = fixture().indexOfName(name);
  if (index < 0 || fixture().failure("OpenAdapter", index) != 0)
    return 0;
  return fixture().handleOf(index);
}

void closeAdapter(HBA_HANDLE handle) { fixture().record("CloseAdapter " + hex(handle)); }

HBA_STATUS getAdapterAttributes(HBA_HANDLE handle, HBA_ADAPTERATTRIBUTES* attributes) {
  fixture().record("GetAdapterAttributes " + hex(handle));
  int64_t index = fixture().indexOfHandle(handle);
  if (HBA_STATUS status = fixture().failure("GetAdapterAttributes", index))
    return status;
  fixture().fillAttributes(fixture().adapterAt(index), attributes);
  return HBA_STATUS_OK;
}

HBA_STATUS getPortAttributes(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTATTRIBUTES* attributes) {
  fixture().record("GetAdapterPortAttributes " + hex(handle) + " " + std::to_string(port));
  if (HBA_STATUS status = fixture().failure("GetAdapterPortAttributes", port))
    return status;
  fixture().fillPortAttributes(fixture().adapterAt(fixture().indexOfHandle(handle)), port,
                               attributes);
  return HBA_STATUS_OK;
}

HBA_STATUS getPortStatistics(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTSTATISTICS* statistics) {
  fixture().record("GetPortStatistics " + hex(handle) + " " + std::to_string(port));
  if (HBA_STATUS status = fixture().failure("GetPortStatistics", port))
    return status;
  fixture().fillStatistics(fixture().adapterAt(fixture().indexOfHandle(handle)), port, statistics);
  return HBA_STATUS_OK;
}

template <typename Handler>
void offer(HBA_ENTRYPOINTS* entryPoints, Handler HBA_ENTRYPOINTS::*field, const char* name,
           Handler handler) {
  if (!fixture().omitted.count(name))
    entryPoints->*field = handler;
}

}  // namespace

FAKE_EXPORT HBA_STATUS HBA_RegisterLibrary(HBA_ENTRYPOINTS* entryPoints) {
  fixture().record("HBA_RegisterLibrary");
  offer(entryPoints, &HBA_ENTRYPOINTS::GetVersionHandler, "GetVersionHandler", &getVersion);
  offer(entryPoints, &HBA_ENTRYPOINTS::LoadLibraryHandler, "LoadLibraryHandler", &loadLibrary);
  offer(entryPoints, &HBA_ENTRYPOINTS::FreeLibraryHandler, "FreeLibraryHandler", &freeLibrary);
  offer(entryPoints, &HBA_ENTRYPOINTS::GetNumberOfAdaptersHandler, "GetNumberOfAdaptersHandler",
        &getNumberOfAdapters);
  offer(entryPoints, &HBA_ENTRYPOINTS::GetAdapterNameHandler, "GetAdapterNameHandler",
        &getAdapterName);
  offer(entryPoints, &HBA_ENTRYPOINTS::OpenAdapterHandler, "OpenAdapterHandler", &openAdapter);
  offer(entryPoints, &HBA_ENTRYPOINTS::CloseAdapterHandler, "CloseAdapterHandler", &closeAdapter);
  offer(entryPoints, &HBA_ENTRYPOINTS::GetAdapterAttributesHandler, "GetAdapterAttributesHandler",
        &getAdapterAttributes);
  offer(entryPoints, &HBA_ENTRYPOINTS::GetAdapterPortAttributesHandler,
        "GetAdapterPortAttributesHandler", &getPortAttributes);
  offer(entryPoints, &HBA_ENTRYPOINTS::GetPortStatisticsHandler, "GetPortStatisticsHandler",
        &getPortStatistics);
  return fixture().registerStatus;
}

#ifdef FAKE_EXPORT_ATTRIBUTES2
FAKE_EXPORT HBA_STATUS LBTFC_GetAdapterAttributes2(HBA_UINT32 handle,
                                                   LBTFC_ADAPTERATTRIBUTES2* record) {
  return fixture().getAdapterAttributes2(handle, record);
}
#endif
