// Tests of the management library registry: the configuration line rules,
// registration and slot states, the adapter table, handle routing, and
// release and reload. Each test stages its own configuration and copies of
// the fake libraries in a scratch directory used as the registry's root.

#include "fchba/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fchba/mra.h"
#include "fchba/test_support.h"

namespace {

using fchba_test::linesStartingWith;
using fchba_test::Stage;
using Lines = std::vector<std::string>;
using Slot = std::pair<std::string, std::string>;  // name, path

struct ConfigCase {
  const char* description;
  std::string line;
  std::vector<Slot> slots;  // the slots the line fills, in order
};

// A marker line takes slot 0, so slot 1 onward shows what the case line
// yields and whether it consumed a slot.
TEST(RegistryConfiguration, EachLineFormYieldsItsSlotAndPath) {
  const std::string longName(100, 'n');
  const std::string longPath = "/" + std::string(300, 'p');
  const std::string padded = "a /lib/a.so" + std::string(500, ' ');  // 511 bytes are one read
  const ConfigCase cases[] = {
      {"a dash ends the path", "qla\t/usr/lib64/libqlsdm-x86_64.so\n",
       {{"qla", "/usr/lib64/libqlsdm"}}},
      {"blanks before the path and a trailing comment", "qla\t  /lib/x.so   # vendor\n",
       {{"qla", "/lib/x.so"}}},
      {"a tab wins over an earlier space", "my lib /opt/x.so\textra\n",
       {{"my lib /opt/x.so", "extra"}}},
      {"tabs and spaces after the split", "qla\t \t /lib/x.so\n", {{"qla", "/lib/x.so"}}},
      {"a carriage return ends the path", "qla /lib/x.so\r\n", {{"qla", "/lib/x.so"}}},
      {"no final newline", "qla /lib/x.so", {{"qla", "/lib/x.so"}}},
      {"a byte above 127 ends the path", "qla /lib/\xc3\xa9t.so\n", {{"qla", "/lib/"}}},
      {"sanitising may empty the path and still consumes a slot", "qla -x.so\n", {{"qla", ""}}},
      {"only a name", "qla\n", {}},
      {"a name and a blank", "qla \n", {}},
      {"leading blanks give an empty name", "  qla /lib/x.so\n", {}},
      {"a comment", "#qla /lib/x.so\n", {}},
      {"an empty line", "\n", {}},
      {"a zero byte ends the line early", std::string("\x01\x02\0qla /lib/x.so\n", 17), {}},
      {"a long name is cut to 63 bytes", longName + " /lib/x.so\n",
       {{std::string(63, 'n'), "/lib/x.so"}}},
      {"a long path is cut to 255 bytes", "qla " + longPath + "\n",
       {{"qla", longPath.substr(0, 255)}}},
      {"the rest of a long line is a line of its own", padded + "b /lib/b.so\n",
       {{"a", "/lib/a.so"}, {"b", "/lib/b.so"}}},
  };
  for (const ConfigCase& c : cases) {
    SCOPED_TRACE(c.description);
    Stage stage;
    stage.config("marker /nonexistent/marker.so\n" + c.line);
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    ASSERT_EQ(0, registry.loadConfiguration());
    EXPECT_STREQ("marker", registry.librarySlot(0).name);
    size_t i = 1;
    for (const Slot& slot : c.slots) {
      EXPECT_EQ(slot.first, registry.librarySlot(i).name);
      EXPECT_EQ(slot.second, registry.librarySlot(i).path);
      EXPECT_EQ(SlotState::Empty, registry.librarySlot(i).state);
      EXPECT_EQ(nullptr, registry.librarySlot(i).handle);
      ++i;
    }
    EXPECT_STREQ("", registry.librarySlot(i).name) << "no further slot is consumed";
  }
}

TEST(RegistryConfiguration, MissingFileChangesNothing) {
  Stage stage;
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  EXPECT_EQ(1, registry.loadConfiguration());
  EXPECT_STREQ("", registry.librarySlot(0).name);
  FcHbaMRA mra(registry);
  EXPECT_EQ(0u, mra.adapterCount());
}

// Bad input: none of these may write past a table or read past a buffer
// (the suite also runs under AddressSanitizer).
TEST(RegistryConfiguration, SurvivesHostileFiles) {
  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary += static_cast<char>((i * 7919 + 13) % 256);
  std::string thousandLines;
  for (int i = 0; i < 1000; ++i)
    thousandLines += "lib" + std::to_string(i) + " /nonexistent/lib" + std::to_string(i) + ".so\n";
  const std::string hugeLines = "x " + std::string(100 * 1024, '/') + "\n" +
                                std::string(100 * 1024, 'y') + "\n";

  for (const std::string& text : {binary, thousandLines, hugeLines}) {
    Stage stage;
    stage.config(text);
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    ASSERT_EQ(0, registry.loadConfiguration());
    for (int i = 0; i < FcHbaRegistry::kLibrarySlots; ++i) {
      EXPECT_LT(strnlen(registry.librarySlot(i).name, 64), 64u);
      EXPECT_LT(strnlen(registry.librarySlot(i).path, 256), 256u);
    }
  }

  // The first 32 accepted lines fill the table; the surplus is ignored.
  Stage stage;
  stage.config(thousandLines);
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  ASSERT_EQ(0, registry.loadConfiguration());
  EXPECT_STREQ("lib0", registry.librarySlot(0).name);
  EXPECT_STREQ("/nonexistent/lib31.so", registry.librarySlot(31).path);
}

struct RegistrationCase {
  const char* description;
  const char* library;
  std::string fixture;
  SlotState state;
  Lines calls;
};

TEST(RegistryRegistration, SlotStateFollowsEachStep) {
  const RegistrationCase cases[] = {
      {"a library that starts", FAKE_MANAGEMENT_LIBRARY, "", SlotState::Loaded,
       {"m loaded", "m HBA_RegisterLibrary", "m GetVersion", "m LoadLibrary"}},
      {"registration refused", FAKE_MANAGEMENT_LIBRARY, "register 1\n", SlotState::Closed,
       {"m loaded", "m HBA_RegisterLibrary"}},
      {"version 0", FAKE_MANAGEMENT_LIBRARY, "version 0\n", SlotState::Closed,
       {"m loaded", "m HBA_RegisterLibrary", "m GetVersion"}},
      {"a failed start", FAKE_MANAGEMENT_LIBRARY, "load 3\n", SlotState::Closed,
       {"m loaded", "m HBA_RegisterLibrary", "m GetVersion", "m LoadLibrary"}},
      {"no version handler", FAKE_MANAGEMENT_LIBRARY, "omit GetVersionHandler\n",
       SlotState::Empty, {"m loaded", "m HBA_RegisterLibrary"}},
      {"no start handler", FAKE_MANAGEMENT_LIBRARY, "omit LoadLibraryHandler\n", SlotState::Empty,
       {"m loaded", "m HBA_RegisterLibrary", "m GetVersion"}},
      {"no HBA_RegisterLibrary", FAKE_VENDOR_LIBRARY, "", SlotState::Empty, {"m loaded"}},
  };
  for (const RegistrationCase& c : cases) {
    SCOPED_TRACE(c.description);
    Stage stage;
    std::string path = stage.library(c.library, "lib/libm.so", "m", c.fixture);
    stage.config("m " + path + "\n");
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    ASSERT_EQ(0, registry.loadConfiguration());
    EXPECT_EQ(c.state, registry.librarySlot(0).state);
    EXPECT_NE(nullptr, registry.librarySlot(0).handle);
    EXPECT_EQ(c.calls, stage.calls());
  }
}

// A fixture line for an adapter named `name`.
std::string adapter(const std::string& name, const std::string& settings = "") {
  return "adapter " + name + " " + settings + "\n";
}

TEST(RegistryAdapterTable, FailedLibraryStillConsumesItsSlot) {
  Stage stage;
  std::string second =
      stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/libb.so", "b", adapter("b0") + adapter("b1"));
  std::string third = stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/libc.so", "c", adapter("c0"));
  stage.config("a /nonexistent/liba.so\nb " + second + "\nc " + third + "\n");
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  FcHbaMRA mra(registry);

  EXPECT_EQ(SlotState::Empty, registry.librarySlot(0).state);
  EXPECT_EQ(SlotState::Loaded, registry.librarySlot(1).state);
  ASSERT_EQ(3u, mra.adapterCount());
  const std::vector<std::pair<std::string, int>> expected = {{"b0", 1}, {"b1", 1}, {"c0", 2}};
  for (uint32_t i = 0; i < 3; ++i) {
    std::string name;
    EXPECT_EQ(HBA_STATUS_OK, registry.getAdapterName(i, name));
    EXPECT_EQ(expected[i].first, name);
    EXPECT_EQ(expected[i].second, registry.adapterEntry(i).libraryIndex);
  }

  char path[256];
  EXPECT_EQ(registry.librarySlot(2).handle, registry.libraryOfAdapter(2, path));
  EXPECT_EQ(third, path);

  std::string name = "unchanged";
  EXPECT_EQ(HBA_STATUS_ERROR_ILLEGAL_INDEX, registry.getAdapterName(3, name));
  EXPECT_EQ("unchanged", name);
  EXPECT_EQ(nullptr, registry.libraryOfAdapter(3, path));
  EXPECT_STREQ("", path);
}

// Bad input from a library: counts past the table, negative counts and
// names without a terminating zero.
TEST(RegistryAdapterTable, HostileCountsAndNames) {
  Stage stage;
  std::string many =
      stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/many.so", "many", "count 100000\n");
  std::string negative = stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/neg.so", "neg", "count -1\n");
  std::string unterminated = stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/raw.so", "raw",
                                           "unterminated-names\n" + adapter("r0"));
  {
    stage.config("neg " + negative + "\nraw " + unterminated + "\n");
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    FcHbaMRA mra(registry);
    ASSERT_EQ(1u, mra.adapterCount()) << "a negative count means no adapters";
    EXPECT_EQ(std::string(63, 'N'), registry.adapterEntry(0).name);
    EXPECT_EQ(1, registry.adapterEntry(0).libraryIndex);
  }
  {
    stage.config("raw " + unterminated + "\nmany " + many + "\n");
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    FcHbaMRA mra(registry);
    EXPECT_EQ(FcHbaRegistry::kAdapterEntries, mra.adapterCount());
    EXPECT_EQ("generated-62", std::string(registry.adapterEntry(63).name));
    EXPECT_EQ(63u, linesStartingWith(stage.calls(), "many GetAdapterName ").size())
        << "no name is asked for once the table is full";
  }
}

class RegistryRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string closed =
        stage.library(FAKE_MANAGEMENT_LIBRARY, "lib/closed.so", "c", "load 1\n");
    std::string bare = stage.library(
        FAKE_MANAGEMENT_LIBRARY, "lib/bare.so", "b",
        "omit GetAdapterAttributesHandler\nomit GetAdapterPortAttributesHandler\n"
        "omit GetPortStatisticsHandler\nomit CloseAdapterHandler\n" + adapter("bare0"));
    std::string full = stage.library(
        FAKE_MANAGEMENT_LIBRARY, "lib/full.so", "f",
        "handle-base 0xABCD0100\nfail GetAdapterPortAttributes 8 1\nfail OpenAdapter 1 1\n" +
            adapter("full0") + adapter("full1"));
    stage.config("c " + closed + "\nb " + bare + "\nf " + full + "\n");
    ASSERT_EQ(3u, FcHbaMRA(registry).adapterCount());
  }

  Stage stage;
  FcHbaRegistry registry{FcHbaPaths{stage.root()}};
};

TEST_F(RegistryRouting, OpenCombinesSlotAndLowHalfOfLibraryHandle) {
  EXPECT_EQ(0x00020100u, registry.openAdapter("full0"));
  EXPECT_EQ(0u, registry.openAdapter("full1")) << "the library refused";
  EXPECT_EQ(0u, registry.openAdapter("nonesuch"));
  EXPECT_EQ(0u, registry.openAdapter("FULL0")) << "names compare exactly";
  EXPECT_EQ(0x00010100u, registry.openAdapter("bare0"));
}

TEST_F(RegistryRouting, CallsReachTheSlotWithTheLibraryHandle) {
  uint32_t handle = registry.openAdapter("full0");
  HBA_ADAPTERATTRIBUTES attributes = {};
  HBA_PORTATTRIBUTES port = {};
  HBA_PORTSTATISTICS statistics = {};
  EXPECT_EQ(HBA_STATUS_OK, registry.getAdapterAttributes(handle, &attributes));
  EXPECT_STREQ("FAKE-1", attributes.Model);
  EXPECT_EQ(HBA_STATUS_OK, registry.getPortAttributes(handle, 0, &port));
  EXPECT_EQ(8u, registry.getPortAttributes(handle, 1, &port)) << "the library's status";
  EXPECT_EQ(HBA_STATUS_OK, registry.getPortStatistics(handle, 0, &statistics));
  registry.closeAdapter(handle);
  const Lines expected = {"f OpenAdapter full0", "f GetAdapterAttributes 0x100",
                          "f GetAdapterPortAttributes 0x100 0",
                          "f GetAdapterPortAttributes 0x100 1", "f GetPortStatistics 0x100 0",
                          "f CloseAdapter 0x100"};
  const Lines full = linesStartingWith(stage.calls(), "f ");
  ASSERT_GE(full.size(), expected.size());
  EXPECT_EQ(expected, Lines(full.end() - 6, full.end()));
}

TEST_F(RegistryRouting, StatusOfHandlesThatReachNoHandler) {
  HBA_ADAPTERATTRIBUTES attributes;
  memset(&attributes, 0x5A, sizeof(attributes));
  const HBA_ADAPTERATTRIBUTES before = attributes;
  HBA_PORTATTRIBUTES port = {};
  HBA_PORTSTATISTICS statistics = {};

  const struct {
    const char* description;
    uint32_t handle;
    HBA_STATUS status;
  } cases[] = {
      {"slot index 40", 40u << 16 | 1, HBA_STATUS_ERROR_INVALID_HANDLE},
      {"slot index 32", 32u << 16 | 1, HBA_STATUS_ERROR_INVALID_HANDLE},
      {"a Closed slot", 0u << 16 | 1, HBA_STATUS_ERROR},
      {"an Empty slot", 5u << 16 | 1, HBA_STATUS_ERROR},
      {"a slot without the handlers", 1u << 16 | 0x100, HBA_STATUS_OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(c.status, registry.getAdapterAttributes(c.handle, &attributes));
    EXPECT_EQ(c.status, registry.getPortAttributes(c.handle, 0, &port));
    EXPECT_EQ(c.status, registry.getPortStatistics(c.handle, 0, &statistics));
    registry.closeAdapter(c.handle);
    EXPECT_EQ(0, memcmp(&before, &attributes, sizeof(attributes))) << "output left as it was";
  }
  for (const char* call : {"b GetAdapterAttributes", "b GetAdapterPortAttributes",
                           "b GetPortStatistics", "c GetAdapterAttributes", "c CloseAdapter"})
    EXPECT_TRUE(linesStartingWith(stage.calls(), call).empty()) << call;
}

TEST_F(RegistryRouting, ReleaseFreesLoadedSlotsAndReloadKeepsThem) {
  EXPECT_EQ(0, registry.releaseLibraries());
  EXPECT_EQ(SlotState::Closed, registry.librarySlot(2).state);
  EXPECT_EQ(nullptr, registry.librarySlot(2).handle) << "a released module has no handle";
  EXPECT_EQ(0u, registry.openAdapter("full0"));
  char path[256];
  EXPECT_EQ(nullptr, registry.libraryOfAdapter(2, path));

  ASSERT_EQ(0, registry.loadConfiguration());
  EXPECT_EQ(SlotState::Loaded, registry.librarySlot(2).state);
  EXPECT_EQ(3u, registry.adapterCount()) << "the adapter table is kept";
  EXPECT_EQ(0x00020100u, registry.openAdapter("full0"));

  const Lines full = linesStartingWith(stage.calls(), "f ");
  const Lines expected = {"f loaded",         "f HBA_RegisterLibrary",    "f GetVersion",
                          "f LoadLibrary",    "f GetNumberOfAdapters",    "f GetAdapterName 0",
                          "f GetAdapterName 1", "f FreeLibrary",          "f unloaded",
                          "f loaded",         "f HBA_RegisterLibrary",    "f GetVersion",
                          "f LoadLibrary",    "f OpenAdapter full0"};
  EXPECT_EQ(expected, full);
  // The slot that refused to start was not released: no FreeLibrary.
  EXPECT_TRUE(linesStartingWith(stage.calls(), "c FreeLibrary").empty());
}

}  // namespace
