// Declarations of the Fibre Channel HBA management interface (version 1 of
// the common HBA API) as seen from the side that calls a vendor's library:
// the status values, the world-wide name, the three attribute and statistics
// records, and the table of 24 handlers a library fills when it registers.
//
// The layouts are fixed by the libraries we load, not by us, so every offset
// and size the adapter layer relies on is pinned by a static assertion below.
// Handlers the system never calls keep their place in the table with an
// opaque pointer type; only their position matters.
//
// The vendor attribute libraries add a second record, the extended adapter
// attributes (2208 bytes), and the LBTFC_ functions that fill it.

#ifndef FCHBA_HBA_API_H_
#define FCHBA_HBA_API_H_

#include <cstddef>
#include <cstdint>

extern "C" {

typedef uint8_t HBA_UINT8;
typedef uint32_t HBA_UINT32;
typedef int64_t HBA_INT64;

typedef HBA_UINT32 HBA_HANDLE;
typedef HBA_UINT32 HBA_STATUS;
typedef HBA_UINT32 HBA_PORTTYPE;
typedef HBA_UINT32 HBA_PORTSTATE;
typedef HBA_UINT32 HBA_PORTSPEED;
typedef HBA_UINT32 HBA_COS;

enum : HBA_STATUS {
  HBA_STATUS_OK = 0,
  HBA_STATUS_ERROR = 1,
  HBA_STATUS_ERROR_NOT_SUPPORTED = 2,
  HBA_STATUS_ERROR_INVALID_HANDLE = 3,
  HBA_STATUS_ERROR_ARG = 4,
  HBA_STATUS_ERROR_ILLEGAL_WWN = 5,
  HBA_STATUS_ERROR_ILLEGAL_INDEX = 6,
  HBA_STATUS_ERROR_MORE_DATA = 7,
  HBA_STATUS_ERROR_STALE_DATA = 8,
  HBA_STATUS_SCSI_CHECK_CONDITION = 9,
  HBA_STATUS_ERROR_BUSY = 10,
  HBA_STATUS_ERROR_TRY_AGAIN = 11,
  HBA_STATUS_ERROR_UNAVAILABLE = 12,
};

enum : HBA_PORTTYPE {
  HBA_PORTTYPE_UNKNOWN = 1,
  HBA_PORTTYPE_OTHER = 2,
  HBA_PORTTYPE_NOTPRESENT = 3,
  HBA_PORTTYPE_NPORT = 5,
  HBA_PORTTYPE_NLPORT = 6,
  HBA_PORTTYPE_FLPORT = 7,
  HBA_PORTTYPE_FPORT = 8,
  HBA_PORTTYPE_EPORT = 9,
  HBA_PORTTYPE_GPORT = 10,
  HBA_PORTTYPE_LPORT = 20,
  HBA_PORTTYPE_PTP = 21,
};

enum : HBA_PORTSTATE {
  HBA_PORTSTATE_UNKNOWN = 1,
  HBA_PORTSTATE_ONLINE = 2,
  HBA_PORTSTATE_OFFLINE = 3,
  HBA_PORTSTATE_BYPASSED = 4,
  HBA_PORTSTATE_DIAGNOSTICS = 5,
  HBA_PORTSTATE_LINKDOWN = 6,
  HBA_PORTSTATE_ERROR = 7,
  HBA_PORTSTATE_LOOPBACK = 8,
};

enum : HBA_PORTSPEED {
  HBA_PORTSPEED_UNKNOWN = 0,
  HBA_PORTSPEED_1GBIT = 0x1,
  HBA_PORTSPEED_2GBIT = 0x2,
  HBA_PORTSPEED_10GBIT = 0x4,
  HBA_PORTSPEED_4GBIT = 0x8,
  HBA_PORTSPEED_8GBIT = 0x10,
  HBA_PORTSPEED_16GBIT = 0x20,
  HBA_PORTSPEED_NOT_NEGOTIATED = 0x8000,
};

typedef struct HBA_wwn {
  HBA_UINT8 wwn[8];
} HBA_WWN;

typedef struct HBA_fc4types {
  HBA_UINT8 bits[32];
} HBA_FC4TYPES;

typedef struct HBA_AdapterAttributes {
  char Manufacturer[64];
  char SerialNumber[64];
  char Model[256];
  char ModelDescription[256];
  HBA_WWN NodeWWN;
  char NodeSymbolicName[256];
  char HardwareVersion[256];
  char DriverVersion[256];
  char OptionROMVersion[256];
  char FirmwareVersion[256];
  HBA_UINT32 VendorSpecificID;
  HBA_UINT32 NumberOfPorts;
  char DriverName[256];
} HBA_ADAPTERATTRIBUTES;

typedef struct HBA_PortAttributes {
  HBA_WWN NodeWWN;
  HBA_WWN PortWWN;
  HBA_UINT32 PortFcId;
  HBA_PORTTYPE PortType;
  HBA_PORTSTATE PortState;
  HBA_COS PortSupportedClassofService;
  HBA_FC4TYPES PortSupportedFc4Types;
  HBA_FC4TYPES PortActiveFc4Types;
  char PortSymbolicName[256];
  char OSDeviceName[256];
  HBA_PORTSPEED PortSupportedSpeed;
  HBA_PORTSPEED PortSpeed;
  HBA_UINT32 PortMaxFrameSize;
  HBA_WWN FabricName;
  HBA_UINT32 NumberofDiscoveredPorts;
} HBA_PORTATTRIBUTES;

// A counter with all bits set means the library does not support it.
typedef struct HBA_PortStatistics {
  HBA_INT64 SecondsSinceLastReset;
  HBA_INT64 TxFrames;
  HBA_INT64 TxWords;
  HBA_INT64 RxFrames;
  HBA_INT64 RxWords;
  HBA_INT64 LIPCount;
  HBA_INT64 NOSCount;
  HBA_INT64 ErrorFrames;
  HBA_INT64 DumpedFrames;
  HBA_INT64 LinkFailureCount;
  HBA_INT64 LossOfSyncCount;
  HBA_INT64 LossOfSignalCount;
  HBA_INT64 PrimitiveSeqProtocolErrCount;
  HBA_INT64 InvalidTxWordCount;
  HBA_INT64 InvalidCRCCount;
} HBA_PORTSTATISTICS;

typedef HBA_UINT32 (*HBA_GetVersionFunc)(void);
typedef HBA_STATUS (*HBA_LoadLibraryFunc)(void);
typedef HBA_STATUS (*HBA_FreeLibraryFunc)(void);
typedef HBA_UINT32 (*HBA_GetNumberOfAdaptersFunc)(void);
typedef HBA_STATUS (*HBA_GetAdapterNameFunc)(HBA_UINT32 adapterIndex, char* adapterName);
typedef HBA_HANDLE (*HBA_OpenAdapterFunc)(char* adapterName);
typedef void (*HBA_CloseAdapterFunc)(HBA_HANDLE handle);
typedef HBA_STATUS (*HBA_GetAdapterAttributesFunc)(HBA_HANDLE handle,
                                                   HBA_ADAPTERATTRIBUTES* attributes);
typedef HBA_STATUS (*HBA_GetAdapterPortAttributesFunc)(HBA_HANDLE handle, HBA_UINT32 portIndex,
                                                       HBA_PORTATTRIBUTES* attributes);
typedef HBA_STATUS (*HBA_GetPortStatisticsFunc)(HBA_HANDLE handle, HBA_UINT32 portIndex,
                                                HBA_PORTSTATISTICS* statistics);
// A handler the system never calls; its slot in the table is all that counts.
typedef void (*HBA_UnusedFunc)(void);

typedef struct HBA_EntryPoints {
  HBA_GetVersionFunc GetVersionHandler;
  HBA_LoadLibraryFunc LoadLibraryHandler;
  HBA_FreeLibraryFunc FreeLibraryHandler;
  HBA_GetNumberOfAdaptersFunc GetNumberOfAdaptersHandler;
  HBA_GetAdapterNameFunc GetAdapterNameHandler;
  HBA_OpenAdapterFunc OpenAdapterHandler;
  HBA_CloseAdapterFunc CloseAdapterHandler;
  HBA_GetAdapterAttributesFunc GetAdapterAttributesHandler;
  HBA_GetAdapterPortAttributesFunc GetAdapterPortAttributesHandler;
  HBA_GetPortStatisticsFunc GetPortStatisticsHandler;
  HBA_UnusedFunc GetDiscoveredPortAttributesHandler;
  HBA_UnusedFunc GetPortAttributesByWWNHandler;
  HBA_UnusedFunc SendCTPassThruHandler;
  HBA_UnusedFunc RefreshInformationHandler;
  HBA_UnusedFunc ResetStatisticsHandler;
  HBA_UnusedFunc GetFcpTargetMappingHandler;
  HBA_UnusedFunc GetFcpPersistentBindingHandler;
  HBA_UnusedFunc GetEventBufferHandler;
  HBA_UnusedFunc SetRNIDMgmtInfoHandler;
  HBA_UnusedFunc GetRNIDMgmtInfoHandler;
  HBA_UnusedFunc SendRNIDHandler;
  HBA_UnusedFunc ScsiInquiryHandler;
  HBA_UnusedFunc ReportLUNsHandler;
  HBA_UnusedFunc ReadCapacityHandler;
} HBA_ENTRYPOINTS;

// Exported by name from every management library.
typedef HBA_STATUS (*HBA_RegisterLibraryFunc)(HBA_ENTRYPOINTS* entryPoints);

// The extended adapter attributes a vendor attribute library fills: the
// standard attributes followed by the PCI identity of the adapter.
typedef struct LBTFC_AdapterAttributes2 {
  HBA_ADAPTERATTRIBUTES attributes;
  // Low 16 bits: subsystem vendor id; high 16 bits: subsystem device id.
  HBA_UINT32 identityWord;
  HBA_UINT8 pciBus;
  HBA_UINT8 pciFunction;
  HBA_UINT8 pciDomain;
  HBA_UINT8 reserved[9];
} LBTFC_ADAPTERATTRIBUTES2;

typedef HBA_STATUS (*LBTFC_LoadLibraryFunc)(void);
typedef int32_t (*LBTFC_GetNumberOfAdaptersFunc)(void);
typedef HBA_STATUS (*LBTFC_GetAdapterNameFunc)(HBA_UINT32 adapterIndex, char* adapterName);
typedef HBA_UINT32 (*LBTFC_OpenAdapterFunc)(char* adapterName);
typedef HBA_STATUS (*LBTFC_GetAdapterAttributes2Func)(HBA_UINT32 handle,
                                                      LBTFC_ADAPTERATTRIBUTES2* record);
typedef void (*LBTFC_CloseAdapterFunc)(HBA_UINT32 handle);
typedef HBA_STATUS (*LBTFC_FreeLibraryFunc)(void);

}  // extern "C"

// The buffer sizes the libraries write into.
constexpr size_t kHbaAdapterNameSize = 256;
constexpr size_t kVendorAdapterNameSize = 1024;

static_assert(sizeof(HBA_WWN) == 8, "a world-wide name is 8 bytes");
static_assert(sizeof(HBA_FC4TYPES) == 32, "FC-4 type bits are 32 bytes");

static_assert(offsetof(HBA_ADAPTERATTRIBUTES, Manufacturer) == 0, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, SerialNumber) == 64, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, Model) == 128, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, ModelDescription) == 384, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, NodeWWN) == 640, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, NodeSymbolicName) == 648, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, HardwareVersion) == 904, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, DriverVersion) == 1160, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, OptionROMVersion) == 1416, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, FirmwareVersion) == 1672, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, VendorSpecificID) == 1928, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, NumberOfPorts) == 1932, "");
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, DriverName) == 1936, "");
static_assert(sizeof(HBA_ADAPTERATTRIBUTES) == 2192, "");

static_assert(offsetof(HBA_PORTATTRIBUTES, NodeWWN) == 0, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortWWN) == 8, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortFcId) == 16, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortType) == 20, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortState) == 24, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortSupportedClassofService) == 28, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortSupportedFc4Types) == 32, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortActiveFc4Types) == 64, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortSymbolicName) == 96, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, OSDeviceName) == 352, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortSupportedSpeed) == 608, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortSpeed) == 612, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, PortMaxFrameSize) == 616, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, FabricName) == 620, "");
static_assert(offsetof(HBA_PORTATTRIBUTES, NumberofDiscoveredPorts) == 628, "");
static_assert(sizeof(HBA_PORTATTRIBUTES) == 632, "");

static_assert(offsetof(HBA_PORTSTATISTICS, SecondsSinceLastReset) == 0, "");
static_assert(offsetof(HBA_PORTSTATISTICS, InvalidCRCCount) == 112, "");
static_assert(sizeof(HBA_PORTSTATISTICS) == 15 * sizeof(HBA_INT64), "fifteen counters");

static_assert(offsetof(HBA_ENTRYPOINTS, GetVersionHandler) == 0 * sizeof(void*), "");
static_assert(offsetof(HBA_ENTRYPOINTS, GetNumberOfAdaptersHandler) == 3 * sizeof(void*), "");
static_assert(offsetof(HBA_ENTRYPOINTS, GetPortStatisticsHandler) == 9 * sizeof(void*), "");
static_assert(offsetof(HBA_ENTRYPOINTS, ReadCapacityHandler) == 23 * sizeof(void*), "");
static_assert(sizeof(HBA_ENTRYPOINTS) == 24 * sizeof(void*), "24 handlers");

static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, attributes) == 0, "");
static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, attributes.NodeWWN) == 640, "");
static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, identityWord) == 2192, "");
static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, pciBus) == 2196, "");
static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, pciFunction) == 2197, "");
static_assert(offsetof(LBTFC_ADAPTERATTRIBUTES2, pciDomain) == 2198, "");
static_assert(sizeof(LBTFC_ADAPTERATTRIBUTES2) == 2208, "");

#endif  // FCHBA_HBA_API_H_
