// Tests of the vendor attribute route: the vendor choice, the search of a
// vendor library with each of its result codes, and the two routes as an
// adapter takes them, checked through the calls the fake libraries record.

#include "fchba/vendor_route.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fchba/mra.h"
#include "fchba/registry.h"
#include "fchba/test_support.h"

// Found by argument-dependent lookup, so beside VendorIdentity.
bool operator==(const VendorIdentity& a, const VendorIdentity& b) {
  return a.identityWord == b.identityWord && a.pciBus == b.pciBus &&
         a.pciFunction == b.pciFunction && a.pciDomain == b.pciDomain;
}

std::ostream& operator<<(std::ostream& out, const VendorIdentity& identity) {
  return out << "{" << std::hex << identity.identityWord << ", " << int(identity.pciBus) << ", "
             << int(identity.pciFunction) << ", " << int(identity.pciDomain) << "}";
}

namespace {

using fchba_test::linesStartingWith;
using fchba_test::Stage;
using Lines = std::vector<std::string>;

const HBA_WWN kWwn = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}};
const char kWwnText[] = "123456789ABCDEF0";

// The identity the fixtures give the adapter with kWwn.
const VendorIdentity kFound = {0xBEEFc0de, 5, 1, 2};
const std::string kFoundSettings =
    std::string("wwn=") + kWwnText + " identity=0xBEEFc0de bus=5 function=1 domain=2";
// What an adapter holds before the route runs.
const VendorIdentity kBefore = {0x1234, 0, 0, 0};

TEST(VendorChoice, SubstringsSelectTheLibrary) {
  const struct {
    const char* name;
    const char* baseName;
  } cases[] = {
      {"qlogic QX2000", "libqlsdm"},     {"Dovane FC 0", "libdvsdm"},
      {"a Dovane qlogic", "libqlsdm"},    {"dovane fc", "bfahbaapi"},
      {"QLogic QX2000", "bfahbaapi"},    {"", "bfahbaapi"},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(c.baseName, chooseVendorLibrary(c.name).baseName) << c.name;
  EXPECT_STREQ("/usr/lib64/libqlsdm-x86_64.so", chooseVendorLibrary("qlogic").paths[1]);
  EXPECT_STREQ("unable to load dvsdm", chooseVendorLibrary("Dovane").unableToLoadText);
}

struct SearchCase {
  const char* description;
  const char* adapterName;
  const char* library;       // null: nothing staged
  const char* stagedPath;    // relative to the root
  std::string fixture;
  int result;
  std::string text;
  VendorIdentity identity;
  Lines calls;               // empty: not checked
};

TEST(VendorSearch, ResultCodesAndCallOrder) {
  const std::string other = "adapter other wwn=0102030405060708 identity=0x77\n";
  const std::string found = "adapter found " + kFoundSettings + "\n";
  const SearchCase cases[] = {
      {"found at the second adapter", "Dovane x", FAKE_VENDOR_LIBRARY, "usr/lib/libdvsdm.so",
       other + found, 0, "pass", kFound,
       {"v loaded", "v LBTFC_LoadLibrary", "v LBTFC_GetNumberOfAdapters",
        "v LBTFC_GetAdapterName 0", "v LBTFC_OpenAdapter other",
        "v LBTFC_GetAdapterAttributes2 0x100", "v LBTFC_CloseAdapter 0x100",
        "v LBTFC_GetAdapterName 1", "v LBTFC_OpenAdapter found",
        "v LBTFC_GetAdapterAttributes2 0x101", "v LBTFC_CloseAdapter 0x101",
        "v LBTFC_FreeLibrary", "v unloaded"}},
      {"only the third path exists", "Acme FC", FAKE_VENDOR_LIBRARY, "lib/cim/bfahbaapi.so", found,
       0, "pass", kFound, {}},
      {"the second qlogic path", "qlogic", FAKE_VENDOR_LIBRARY, "usr/lib64/libqlsdm-x86_64.so",
       found, 0, "pass", kFound, {}},
      {"no library", "qlogic", nullptr, "", "", -1, "unable to load qlsdm", kBefore, {}},
      {"no library for the third vendor", "x", nullptr, "", "", -1, "unable to load bfahbaapi",
       kBefore, {}},
      {"a library of another vendor does not count", "Dovane", FAKE_VENDOR_LIBRARY,
       "usr/lib/libqlsdm.so", found, -1, "unable to load dvsdm", kBefore, {}},
      {"the first missing function is named", "x", FAKE_VENDOR_WITHOUT_NAME_AND_CLOSE,
       "usr/lib/bfahbaapi.so", found, -2, "unable to dlsym for LBTFC_GetAdapterName", kBefore,
       {"v loaded", "v unloaded"}},
      {"a missing free function", "x", FAKE_VENDOR_WITHOUT_FREE, "usr/lib/bfahbaapi.so", found,
       -2, "unable to dlsym for LBTFC_FreeLibrary", kBefore, {"v loaded", "v unloaded"}},
      {"the library does not start", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so",
       "load 2\n" + found, -7, "fail to load library", kBefore,
       {"v loaded", "v LBTFC_LoadLibrary", "v unloaded"}},
      {"a name call fails", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so",
       "fail LBTFC_GetAdapterName 1\n" + found, -5, "fail to get adapter number", kBefore,
       {"v loaded", "v LBTFC_LoadLibrary", "v LBTFC_GetNumberOfAdapters",
        "v LBTFC_GetAdapterName 0", "v LBTFC_FreeLibrary", "v unloaded"}},
      {"an open fails", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so",
       "fail LBTFC_OpenAdapter 1\n" + found, -4, "fail to open adapter", kBefore,
       {"v loaded", "v LBTFC_LoadLibrary", "v LBTFC_GetNumberOfAdapters",
        "v LBTFC_GetAdapterName 0", "v LBTFC_OpenAdapter found", "v LBTFC_FreeLibrary",
        "v unloaded"}},
      {"the attributes call fails", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so",
       "handle-base 0x10200\nfail LBTFC_GetAdapterAttributes2 0x2a\n" + found, -3,
       "fail to read adapter attribs, adapterHandle 0x10200, retStatus 0x2a", kBefore,
       {"v loaded", "v LBTFC_LoadLibrary", "v LBTFC_GetNumberOfAdapters",
        "v LBTFC_GetAdapterName 0", "v LBTFC_OpenAdapter found",
        "v LBTFC_GetAdapterAttributes2 0x10200", "v LBTFC_CloseAdapter 0x10200",
        "v LBTFC_FreeLibrary", "v unloaded"}},
      {"no adapters", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so", "", -6,
       "could not find WWNN match", kBefore,
       {"v loaded", "v LBTFC_LoadLibrary", "v LBTFC_GetNumberOfAdapters", "v LBTFC_FreeLibrary",
        "v unloaded"}},
      {"a negative count", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so", "count -1\n" + found,
       -6, "could not find WWNN match", kBefore, {}},
      {"no adapter carries the WWN", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so", other, -6,
       "could not find WWNN match", kBefore, {}},
      // Bad input: 100,000 adapters are all searched without harm.
      {"100,000 adapters", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so", "count 100000\n",
       -6, "could not find WWNN match", kBefore, {}},
      // Bad input: names filling all 1024 bytes; the buffer is terminated
      // before the library is handed it again.
      {"unterminated names", "x", FAKE_VENDOR_LIBRARY, "usr/lib/bfahbaapi.so",
       "unterminated-names\n" + found, -4, "fail to open adapter", kBefore, {}},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.description);
    Stage stage;
    if (c.library)
      stage.library(c.library, c.stagedPath, "v", c.fixture);
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    FcHbaVendorRoute route(registry);

    char name[kVendorAdapterNameSize] = {};
    strcpy(name, c.adapterName);
    VendorIdentity identity = kBefore;
    FcHbaVendorRoute::Text text = {};
    EXPECT_EQ(c.result, route.findVendorIdentity(kWwn, name, identity, text));
    EXPECT_EQ(c.text, text);
    EXPECT_EQ(c.identity, identity);
    if (!c.calls.empty()) {
      EXPECT_EQ(c.calls, stage.calls());
    }
  }
}

// Stages a management library serving one adapter, the registry over it,
// and runs loadVendorIdentity for adapter 0 as the adapter walk would.
class VendorRoutes : public ::testing::Test {
 protected:
  void load(const char* library, const std::string& relative, const std::string& fixture) {
    std::string path = stage.library(library, relative, "m", fixture);
    stage.config("m " + path + "\n");
    ASSERT_EQ(1u, FcHbaMRA(registry).adapterCount());
  }
  VendorIdentity run(const std::string& name, const HBA_WWN& wwn = kWwn) {
    VendorIdentity identity = kBefore;
    route.loadVendorIdentity(0, name, wwn, identity);
    return identity;
  }
  // The calls after the registry was loaded.
  Lines routeCalls() const {
    Lines calls = stage.calls();
    auto first = std::find(calls.begin(), calls.end(), "m GetAdapterName 0");
    return Lines(first + 1, calls.end());
  }

  Stage stage;
  FcHbaRegistry registry{FcHbaPaths{stage.root()}};
  FcHbaVendorRoute route{registry};
};

TEST_F(VendorRoutes, RouteAReadsThroughTheRegistryHandle) {
  load(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/libqlsdm_fc.so",
       "handle-base 0x30100\nadapter qlogic0 " + kFoundSettings + "\n");
  EXPECT_EQ(kFound, run("qlogic0"));
  const Lines expected = {"m OpenAdapter qlogic0", "m LBTFC_GetAdapterAttributes2 0x100",
                          "m CloseAdapter 0x100"};
  EXPECT_EQ(expected, routeCalls()) << "the registry is never released";
}

TEST_F(VendorRoutes, RouteAWithAnotherWwnKeepsTheIdentityAndCloses) {
  load(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/libqlsdm.so",
       "adapter qlogic0 " + kFoundSettings + "\n");
  const HBA_WWN otherWwn = {{1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(kBefore, run("qlogic0", otherWwn));
  const Lines expected = {"m OpenAdapter qlogic0", "m LBTFC_GetAdapterAttributes2 0x100",
                          "m CloseAdapter 0x100"};
  EXPECT_EQ(expected, routeCalls());
}

TEST_F(VendorRoutes, RouteAWithAFailedReadStillCloses) {
  load(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/libqlsdm.so",
       "fail LBTFC_GetAdapterAttributes2 4\nadapter qlogic0 " + kFoundSettings + "\n");
  EXPECT_EQ(kBefore, run("qlogic0"));
  const Lines expected = {"m OpenAdapter qlogic0", "m LBTFC_GetAdapterAttributes2 0x100",
                          "m CloseAdapter 0x100"};
  EXPECT_EQ(expected, routeCalls());
}

TEST_F(VendorRoutes, RouteAWithoutTheEntryStopsBeforeOpening) {
  load(FAKE_MANAGEMENT_LIBRARY, "opt/libqlsdm.so", "adapter qlogic0 " + kFoundSettings + "\n");
  EXPECT_EQ(kBefore, run("qlogic0"));
  EXPECT_EQ(Lines(), routeCalls());
}

TEST_F(VendorRoutes, RouteBReleasesSearchesAndReloads) {
  load(FAKE_MANAGEMENT_LIBRARY, "opt/libfc.so", "adapter qlogic0 " + kFoundSettings + "\n");
  stage.library(FAKE_VENDOR_LIBRARY, "usr/lib/libqlsdm.so", "v",
                "adapter qlogic0 " + kFoundSettings + "\n");
  EXPECT_EQ(kFound, run("qlogic0"));
  const Lines expected = {
      "m FreeLibrary", "m unloaded", "v loaded", "v LBTFC_LoadLibrary",
      "v LBTFC_GetNumberOfAdapters", "v LBTFC_GetAdapterName 0", "v LBTFC_OpenAdapter qlogic0",
      "v LBTFC_GetAdapterAttributes2 0x100", "v LBTFC_CloseAdapter 0x100", "v LBTFC_FreeLibrary",
      "v unloaded", "m loaded", "m HBA_RegisterLibrary", "m GetVersion", "m LoadLibrary"};
  EXPECT_EQ(expected, routeCalls());
  EXPECT_EQ(SlotState::Loaded, registry.librarySlot(0).state);
}

TEST_F(VendorRoutes, RouteBReloadsEvenWhenTheSearchFails) {
  load(FAKE_MANAGEMENT_LIBRARY, "opt/libfc.so", "adapter Dovane0 " + kFoundSettings + "\n");
  EXPECT_EQ(kBefore, run("Dovane0"));
  const Lines expected = {"m FreeLibrary", "m unloaded", "m loaded", "m HBA_RegisterLibrary",
                          "m GetVersion", "m LoadLibrary"};
  EXPECT_EQ(expected, routeCalls());
  EXPECT_NE(0u, registry.openAdapter("Dovane0"));
}

TEST_F(VendorRoutes, MatchAndReadReportTheirSteps) {
  load(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/libqlsdm.so",
       "fail LBTFC_GetAdapterAttributes2 0x1f 1\nadapter qlogic0 " + kFoundSettings + "\n");
  char path[256];
  void* handle = registry.libraryOfAdapter(0, path);
  void* plain = dlopen(FAKE_MANAGEMENT_LIBRARY, RTLD_LAZY);
  ASSERT_NE(nullptr, plain);

  const struct {
    const char* path;
    void* handle;
    bool matched;
    int status;
    const char* text;
  } cases[] = {
      {"/opt/libfc.so", handle, false, -9, ""},
      {path, nullptr, true, 1, "libHandle is NULL; cannot dlsym"},
      {path, plain, true, 1, "unable to dlsym for LBTFC_GetAdapterAttributes2"},
      {path, handle, true, 0, "dlsym for LBTFC_GetAdapterAttributes2 success!"},
  };
  for (const auto& c : cases) {
    FcHbaVendorRoute::Text text = {};
    int status = -9;
    EXPECT_EQ(c.matched, route.matchVendorLibrary("qlogic0", c.path, c.handle, text, status));
    EXPECT_EQ(c.status, status);
    EXPECT_STREQ(c.text, text);
  }
  dlclose(plain);

  // The entry resolved last is used, with the low half of the handle.
  VendorIdentity identity = kBefore;
  FcHbaVendorRoute::Text text = {};
  EXPECT_EQ(0, route.readVendorIdentity(kWwn, identity, text, 0x00070100));
  EXPECT_STREQ("read adapter attribs Success! handle used is 0x100", text);
  EXPECT_EQ(kFound, identity);
  EXPECT_EQ(-3, route.readVendorIdentity(kWwn, identity, text, 0x00070101));
  EXPECT_STREQ("fail to read adapter attribs: handle used is 0x101: retStatus is 0x1f", text);
}

// Two adapters of two libraries, both taking route B, walked as the adapter
// model does: read the adapter, then its vendor identity.
TEST(VendorRouteWalk, TwoAdaptersBothTakingRouteB) {
  Stage stage;
  std::string first = stage.library(FAKE_MANAGEMENT_LIBRARY, "opt/liba.so", "a",
                                    "adapter hba0 " + kFoundSettings + "\n");
  std::string second = stage.library(FAKE_MANAGEMENT_LIBRARY, "opt/libb.so", "b",
                                     "adapter hba1 wwn=2000000000000002\n");
  stage.library(FAKE_VENDOR_LIBRARY, "lib/cim/bfahbaapi.so", "v",
                "adapter hba0 " + kFoundSettings +
                    "\nadapter hba1 wwn=2000000000000002 identity=0x0022c0de bus=9 function=0\n");
  stage.config("a " + first + "\nb " + second + "\n");
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  FcHbaVendorRoute route(registry);
  FcHbaMRA mra(registry);
  ASSERT_EQ(2u, mra.adapterCount());

  std::vector<VendorIdentity> identities;
  for (uint32_t index = 0; index < 2; ++index) {
    std::string name;
    ASSERT_EQ(HBA_STATUS_OK, registry.getAdapterName(index, name));
    uint32_t handle = registry.openAdapter(name);
    ASSERT_NE(0u, handle);
    HBA_ADAPTERATTRIBUTES attributes = {};
    ASSERT_EQ(HBA_STATUS_OK, registry.getAdapterAttributes(handle, &attributes));
    registry.closeAdapter(handle);
    VendorIdentity identity;
    route.loadVendorIdentity(static_cast<int32_t>(index), name, attributes.NodeWWN, identity);
    identities.push_back(identity);
  }
  const VendorIdentity secondIdentity = {0x0022c0de, 9, 0, 0};
  EXPECT_EQ(kFound, identities[0]);
  EXPECT_EQ(secondIdentity, identities[1]);

  // The second adapter is read through the libraries loaded again after the
  // first adapter's search, and its own search releases them once more.
  Lines calls = stage.calls();
  Lines b = linesStartingWith(calls, "b ");
  const Lines expectedB = {
      "b loaded", "b HBA_RegisterLibrary", "b GetVersion", "b LoadLibrary",
      "b GetNumberOfAdapters", "b GetAdapterName 0", "b FreeLibrary", "b unloaded",
      "b loaded", "b HBA_RegisterLibrary", "b GetVersion", "b LoadLibrary",
      "b OpenAdapter hba1", "b GetAdapterAttributes 0x100", "b CloseAdapter 0x100",
      "b FreeLibrary", "b unloaded", "b loaded", "b HBA_RegisterLibrary", "b GetVersion",
      "b LoadLibrary"};
  EXPECT_EQ(expectedB, b);
  EXPECT_EQ(2u, linesStartingWith(calls, "v LBTFC_LoadLibrary").size());
  EXPECT_EQ(2u, linesStartingWith(calls, "a FreeLibrary").size());
}

}  // namespace
