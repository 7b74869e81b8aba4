// A fake vendor attribute library exporting the LBTFC_ functions over the
// adapters of its fixture. Variants built with FAKE_WITHOUT_<FUNCTION> leave
// that function out, to stage a library with missing symbols.

#include <string>

#include "fchba/testlibs/fake_fixture.h"

using fake::fixture;
using fake::hex;

FAKE_EXPORT HBA_STATUS LBTFC_LoadLibrary() {
  fixture().record("LBTFC_LoadLibrary");
  return fixture().loadStatus;
}

FAKE_EXPORT int32_t LBTFC_GetNumberOfAdapters() {
  fixture().record("LBTFC_GetNumberOfAdapters");
  return fixture().adapterCount();
}

#ifndef FAKE_WITHOUT_GET_ADAPTER_NAME
FAKE_EXPORT HBA_STATUS LBTFC_GetAdapterName(HBA_UINT32 index, char* name) {
  fixture().record("LBTFC_GetAdapterName " + std::to_string(index));
  if (HBA_STATUS status = fixture().failure("LBTFC_GetAdapterName", index))
    return status;
  fixture().writeName(fixture().adapterAt(index).name, name, kVendorAdapterNameSize);
  return HBA_STATUS_OK;
}
#endif

FAKE_EXPORT HBA_UINT32 LBTFC_OpenAdapter(char* name) {
  fixture().record(std::string("LBTFC_OpenAdapter ") + name);
  int64_t index = fixture().indexOfName(name);
  if (index < 0 || fixture().failure("LBTFC_OpenAdapter", index) != 0)
    return 0;
  return fixture().handleOf(index);
}

FAKE_EXPORT HBA_STATUS LBTFC_GetAdapterAttributes2(HBA_UINT32 handle,
                                                   LBTFC_ADAPTERATTRIBUTES2* record) {
  return fixture().getAdapterAttributes2(handle, record);
}

#ifndef FAKE_WITHOUT_CLOSE_ADAPTER
FAKE_EXPORT void LBTFC_CloseAdapter(HBA_UINT32 handle) {
  fixture().record("LBTFC_CloseAdapter " + hex(handle));
}
#endif

#ifndef FAKE_WITHOUT_FREE_LIBRARY
FAKE_EXPORT HBA_STATUS LBTFC_FreeLibrary() {
  fixture().record("LBTFC_FreeLibrary");
  return HBA_STATUS_OK;
}
#endif
