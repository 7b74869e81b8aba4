// The staged behaviour of a fake management or vendor attribute library, and
// the record of the calls it received.
//
// A fake library reads its fixture when it is loaded, from the file next to
// it: the library's own path (as given to dlopen) followed by ".fixture".
// Each copy of a fake library in a scratch directory is therefore a separate
// module with its own fixture. One directive a line, "#" starts a comment:
//
//   label NAME              prefix of every line this library records
//   log PATH                file the calls are appended to, one a line
//   register STATUS         result of HBA_RegisterLibrary (default 0)
//   version N               result of GetVersion (default 1)
//   load STATUS             result of LoadLibrary / LBTFC_LoadLibrary (default 0)
//   omit HANDLER            leave this handler out of the registered table
//                           (e.g. GetVersionHandler)
//   fail CALL STATUS [I]    CALL (e.g. GetAdapterAttributes, LBTFC_OpenAdapter)
//                           returns STATUS (an open returns 0), for adapter or
//                           port index I only when given
//   count N                 reported adapter count instead of the number of
//                           adapter lines; indexes past them are adapters
//                           named "generated-<index>" with a zero WWN
//   unterminated-names      the name calls fill the whole buffer, no zero
//   unterminated-texts      every text of the adapter attributes fills its
//                           whole field (its text repeated), no zero
//   handle-base N           an adapter's handle is N + its index (default 0x100)
//   adapter NAME KEY=VALUE...
//       wwn=16 hex digits, identity=N, bus=N, function=N, domain=N, ports=N,
//       vendor-id=N, unsupported-counter=K (statistics counter K all bits
//       set), and the texts manufacturer, serial, model, description,
//       symbolic, hardware, driver-version, option-rom, firmware, driver-name
//       (a text may spell bytes as %XX, e.g. %20 for a space)
//
// Recorded lines are "<label> <call> [arguments]"; loading and unloading the
// module record "<label> loaded" and "<label> unloaded".

#ifndef FCHBA_TESTLIBS_FAKE_FIXTURE_H_
#define FCHBA_TESTLIBS_FAKE_FIXTURE_H_

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fchba/hba_api.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace fake {

struct Adapter {
  std::string name;
  HBA_WWN nodeWwn = {};
  uint32_t identityWord = 0;
  uint8_t bus = 0;
  uint8_t function = 0;
  uint8_t domain = 0;
  uint32_t ports = 1;
  uint32_t vendorSpecificId = 0;
  int unsupportedCounter = -1;
  std::string manufacturer = "Fake Maker";
  std::string serialNumber = "SN0001";
  std::string model = "FAKE-1";
  std::string modelDescription = "Fake adapter";
  std::string nodeSymbolicName = "fake node";
  std::string hardwareVersion = "1.0";
  std::string driverVersion = "9.9.9";
  std::string optionRomVersion = "2.0";
  std::string firmwareVersion = "3.0";
  std::string driverName = "fakedrv";
};

struct Failure {
  std::string call;
  uint32_t status;
  int64_t index;  // -1: every call
};

class Fixture {
 public:
  Fixture();
  ~Fixture();

  void record(const std::string& line) const;
  // The status CALL is staged to fail with for `index`, or 0.
  uint32_t failure(const char* call, int64_t index) const;

  int32_t adapterCount() const;
  Adapter adapterAt(int64_t index) const;
  // -1 when no adapter has that name.
  int64_t indexOfName(const char* name) const;
  int64_t indexOfHandle(uint32_t handle) const;
  uint32_t handleOf(int64_t index) const { return handleBase_ + static_cast<uint32_t>(index); }

  // Writes `name` into `buffer` of `size` bytes, or fills it when names are
  // staged unterminated.
  void writeName(const std::string& name, char* buffer, size_t size) const;
  void fillAttributes(const Adapter& adapter, HBA_ADAPTERATTRIBUTES* attributes) const;
  void fillPortAttributes(const Adapter& adapter, uint32_t port,
                          HBA_PORTATTRIBUTES* attributes) const;
  void fillStatistics(const Adapter& adapter, uint32_t port, HBA_PORTSTATISTICS* statistics) const;
  // The whole LBTFC_GetAdapterAttributes2 call, recorded, for any library
  // that exports it.
  HBA_STATUS getAdapterAttributes2(HBA_UINT32 handle, LBTFC_ADAPTERATTRIBUTES2* out) const;

  uint32_t registerStatus = 0;
  uint32_t version = 1;
  uint32_t loadStatus = 0;
  std::set<std::string> omitted;

 private:
  void load(const std::string& path);

  std::string label_ = "fake";
  int logFd_ = -1;
  std::vector<Failure> failures_;
  bool hasCount_ = false;
  int64_t count_ = 0;
  bool unterminatedNames_ = false;
  bool unterminatedTexts_ = false;
  uint32_t handleBase_ = 0x100;
  std::vector<Adapter> adapters_;
};

const Fixture& fixture();

std::string hex(uint32_t value);

}  // namespace fake

#endif  // FCHBA_TESTLIBS_FAKE_FIXTURE_H_
