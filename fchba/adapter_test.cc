// Tests of the adapter and port model: the text forms and tidying as tables,
// the counters' unsupported mark, and the load and walk against fake
// management libraries, checked through their fields and the calls the
// libraries record.

#include "fchba/adapter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fchba/mra.h"
#include "fchba/port.h"
#include "fchba/registry.h"
#include "fchba/test_support.h"

namespace {

using fchba_test::linesStartingWith;
using fchba_test::Stage;
using Lines = std::vector<std::string>;

TEST(TidyText, TrimsTheEndAndFoldsSpaceRuns) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"AB  CD  \t", "AB CD"},
      {"ABC~", "ABC"},           // "~" counts as outside the kept range
      {"ABC}", "ABC}"},          // "}" is the last kept character
      {"ABC!", "ABC!"},
      {"   ", " "},              // a leading run of spaces becomes one space
      {"", ""},
      {"~", "~"},                // the first character is never examined
      {" ", " "},
      {"\t\t", "\t"},
      {"A\xe9", "A"},            // bytes of 128 and above are outside
      {"A\xe9" "B", "A\xe9" "B"},
      {"  lead  mid  ", " lead mid"},
      {"A\r\n", "A"},
      {"A \t B", "A \t B"},      // only spaces fold
  };
  for (const auto& c : cases) {
    std::string text = c.in;
    tidyText(text);
    EXPECT_EQ(c.out, text) << "input \"" << c.in << "\"";
  }
}

TEST(PortTexts, WwnSpeedStateAndType) {
  EXPECT_EQ("12:34:56:78:9A:BC:DE:F0",
            wwnText(HBA_WWN{{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}}));
  EXPECT_EQ("00:00:00:00:00:00:00:00", wwnText(HBA_WWN{}));

  const struct {
    uint32_t mask;
    const char* text;
  } speeds[] = {
      {0x18, "8 GB"}, {0x24, "16 GB"}, {0, "Unknown"}, {0x8001, "Not Negotiated"},
      {0x5, "10 GB"}, {0x3, "2 GB"},   {0x1, "1 GB"},  {0x40, "Unknown"},
  };
  for (const auto& c : speeds)
    EXPECT_EQ(c.text, FcHbaPort::speedText(c.mask)) << std::hex << c.mask;

  const struct {
    uint32_t value;
    const char* state;
    const char* type;
  } values[] = {
      {1, "Unknown", "Unknown"},
      {2, "Online", "Other"},
      {3, "Offline", "Not Present"},
      {4, "Bypassed", "Unknown"},
      {5, "Diagnostics Mode", "Fabric"},
      {6, "Link Down", "Public Loop"},
      {7, "Error", "FL Port"},
      {8, "Loopback", "Fabric Port"},
      {9, "Unknown", "Fabric expansion port"},
      {10, "Unknown", "Generic Fabric Port"},
      {11, "Unknown", "Unknown"},
      {20, "Unknown", "Private Loop"},
      {21, "Unknown", "Point to Point"},
      {0xFFFFFFFF, "Unknown", "Unknown"},
  };
  for (const auto& c : values) {
    FcHbaPort port;
    port.portState = c.value;
    port.portType = c.value;
    EXPECT_EQ(c.state, port.stateText()) << c.value;
    EXPECT_EQ(c.type, port.typeText()) << c.value;
  }
}

TEST(PortStatistics, AnAllBitsCounterKeepsItsPreviousValue) {
  FcHbaPort port;
  HBA_PORTSTATISTICS first = {};
  first.TxFrames = 7;
  first.InvalidCRCCount = 9;
  port.setStatistics(first);
  HBA_PORTSTATISTICS second = {};
  second.SecondsSinceLastReset = 100;
  second.TxFrames = -1;
  second.InvalidCRCCount = 10;
  port.setStatistics(second);
  EXPECT_EQ(100, port.statistics[0]);
  EXPECT_EQ(7, port.statistics[1]);
  EXPECT_EQ(10, port.statistics[14]);
}

// A registry over one fake management library ("m") whose fixture the test
// gives; the adapter loads are checked through the recorded calls.
class AdapterLoad : public ::testing::Test {
 protected:
  void stageLibrary(const std::string& fixture) {
    std::string path = stage.library(FAKE_MANAGEMENT_LIBRARY, "opt/libfc.so", "m", fixture);
    stage.config("m " + path + "\n");
  }
  // The calls since the registry counted its adapters.
  Lines loadCalls() const {
    Lines calls = stage.calls();
    size_t start = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].rfind("m GetAdapterName", 0) == 0)
        start = i + 1;
    }
    return Lines(calls.begin() + static_cast<long>(start), calls.end());
  }

  Stage stage;
  FcHbaRegistry registry{FcHbaPaths{stage.root()}};
};

TEST_F(AdapterLoad, ReadsAttributesPortsAndCounters) {
  stageLibrary(
      "adapter hba0 wwn=123456789ABCDEF0 ports=2 vendor-id=0xc0de unsupported-counter=3"
      " serial=AB%20%20CD%20%20%09 model=M1%20%20 manufacturer=Acme~ description=D%20%20x"
      " hardware=%20%20%20 option-rom= firmware=F}\n");
  FcHbaMRA mra(registry);
  FcHbaAdapter adapter(registry);
  EXPECT_EQ(0, adapter.loadAttributes());

  EXPECT_EQ("hba0", adapter.name);
  EXPECT_EQ("AB CD", adapter.serialNumber);
  EXPECT_EQ("M1  ", adapter.model) << "the model is taken as read";
  EXPECT_EQ("Acme", adapter.manufacturer);
  EXPECT_EQ("D x", adapter.modelDescription);
  EXPECT_EQ(" ", adapter.hardwareVersion);
  EXPECT_EQ("", adapter.optionRomVersion);
  EXPECT_EQ("F}", adapter.firmwareVersion);
  EXPECT_EQ("9.9.9", adapter.driverVersion);
  EXPECT_EQ("fakedrv", adapter.driverName);
  EXPECT_EQ("fake node", adapter.nodeSymbolicName);
  EXPECT_EQ("12:34:56:78:9A:BC:DE:F0", adapter.nodeWwnText());
  EXPECT_EQ(0xc0deu, adapter.identityWord);
  EXPECT_EQ(2u, adapter.numberOfPorts);

  ASSERT_EQ(2u, adapter.ports.size());
  const FcHbaPort& port = adapter.ports[1];
  EXPECT_EQ(1, port.portIndex);
  EXPECT_EQ("14:34:56:78:9A:BC:DE:F0", port.portWwnText());
  EXPECT_EQ("10:00:00:00:00:00:00:01", port.fabricNameText());
  EXPECT_EQ(0x010101u, port.portFcId);
  EXPECT_EQ("Online", port.stateText());
  EXPECT_EQ("Fabric", port.typeText());
  EXPECT_EQ("8 GB", FcHbaPort::speedText(port.speed));
  EXPECT_EQ(0x1Au, port.supportedSpeed);
  EXPECT_EQ(2048u, port.maxFrameSize);
  EXPECT_EQ("hba0 port 1", port.symbolicName);
  EXPECT_EQ("/dev/fake1", port.osDeviceName);
  EXPECT_EQ(1, port.activeFc4Types.bits[2]);
  EXPECT_EQ(1, port.supportedFc4Types.bits[2]);
  EXPECT_EQ(2000, port.statistics[0]);
  EXPECT_EQ(0, port.statistics[3]) << "an unsupported counter stays 0";
  EXPECT_EQ(2014, port.statistics[14]);

  const Lines expected = {"m OpenAdapter hba0",
                          "m GetAdapterAttributes 0x100",
                          "m GetAdapterPortAttributes 0x100 0",
                          "m GetPortStatistics 0x100 0",
                          "m GetAdapterPortAttributes 0x100 1",
                          "m GetPortStatistics 0x100 1",
                          "m CloseAdapter 0x100"};
  EXPECT_EQ(expected, loadCalls());
}

TEST_F(AdapterLoad, AFailedPortReadCostsThatPort) {
  stageLibrary("fail GetAdapterPortAttributes 1 1\nadapter hba0 ports=3\n");
  FcHbaMRA mra(registry);
  FcHbaAdapter adapter(registry);
  EXPECT_EQ(1, adapter.loadAttributes());
  ASSERT_EQ(2u, adapter.ports.size());
  EXPECT_EQ(0, adapter.ports[0].portIndex);
  EXPECT_EQ(2, adapter.ports[1].portIndex);
  EXPECT_EQ(Lines{"m CloseAdapter 0x100"}, linesStartingWith(loadCalls(), "m CloseAdapter"));
  EXPECT_TRUE(linesStartingWith(loadCalls(), "m GetPortStatistics 0x100 1").empty());
}

TEST_F(AdapterLoad, AFailedStatisticsReadKeepsThePortWithZeroCounters) {
  stageLibrary("fail GetPortStatistics 2 0\nadapter hba0 ports=2\n");
  FcHbaMRA mra(registry);
  FcHbaAdapter adapter(registry);
  EXPECT_EQ(1, adapter.loadAttributes());
  ASSERT_EQ(2u, adapter.ports.size());
  for (int64_t counter : adapter.ports[0].statistics)
    EXPECT_EQ(0, counter);
  EXPECT_EQ(2000, adapter.ports[1].statistics[0]);
  EXPECT_EQ("01:00:00:00:00:00:00:00", adapter.ports[0].portWwnText());
}

TEST_F(AdapterLoad, FailuresLeaveWhatWasNotReachedInitial) {
  const struct {
    const char* description;
    const char* fixture;
    int32_t index;
    const char* name;
    Lines calls;
  } cases[] = {
      {"no such index", "adapter hba0\n", 1, "Undefined", {}},
      {"open fails", "fail OpenAdapter 1 0\nadapter hba0\n", 0, "hba0", {"m OpenAdapter hba0"}},
      {"attributes fail", "fail GetAdapterAttributes 1 0\nadapter hba0\n", 0, "hba0",
       {"m OpenAdapter hba0", "m GetAdapterAttributes 0x100", "m CloseAdapter 0x100"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    Stage own;
    std::string path = own.library(FAKE_MANAGEMENT_LIBRARY, "opt/libfc.so", "m", c.fixture);
    own.config("m " + path + "\n");
    FcHbaRegistry ownRegistry(FcHbaPaths{own.root()});
    FcHbaMRA mra(ownRegistry);
    FcHbaAdapter adapter(ownRegistry);
    adapter.index = c.index;
    EXPECT_EQ(1, adapter.loadAttributes());
    EXPECT_EQ(c.name, adapter.name);
    EXPECT_EQ("Undefined", adapter.model);
    EXPECT_EQ("Undefined", adapter.firmwareVersion);
    EXPECT_EQ("00:00:00:00:00:00:00:00", adapter.nodeWwnText());
    EXPECT_EQ(0u, adapter.numberOfPorts);
    EXPECT_TRUE(adapter.ports.empty());
    Lines calls = own.calls();
    Lines after(std::find(calls.begin(), calls.end(), "m GetAdapterName 0") + 1, calls.end());
    EXPECT_EQ(c.calls, after);
  }
}

// Bad input: a library that fills every text field to its last byte, with no
// terminator, must not make the adapter read into the next field.
TEST_F(AdapterLoad, UnterminatedTextsAreReadNoFurtherThanTheirField) {
  stageLibrary("unterminated-texts\nadapter hba0 model=M serial=S manufacturer=A\n");
  FcHbaMRA mra(registry);
  FcHbaAdapter adapter(registry);
  EXPECT_EQ(0, adapter.loadAttributes());
  EXPECT_EQ(std::string(256, 'M'), adapter.model);
  EXPECT_EQ(std::string(64, 'S'), adapter.serialNumber);
  EXPECT_EQ(std::string(64, 'A'), adapter.manufacturer);
}

// Two libraries with one and two adapters; the walk hands them out in
// configuration order and ends after the last.
TEST(AdapterWalk, VisitsEveryAdapterInOrderAndEnds) {
  Stage stage;
  std::string a = stage.library(FAKE_MANAGEMENT_LIBRARY, "opt/liba.so", "a", "adapter a0\n");
  std::string b = stage.library(FAKE_MANAGEMENT_LIBRARY, "opt/libb.so", "b",
                                "fail GetAdapterAttributes 5 1\nadapter b0\nadapter b1\n");
  stage.config("a " + a + "\nb " + b + "\n");
  // An adapter held by no one releases the libraries when it goes; the
  // registry here is loaded again by every route B of the walk.
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  FcHbaMRA mra(registry);
  ASSERT_EQ(3u, mra.adapterCount());

  std::vector<std::unique_ptr<FcHbaAdapter>> walked;
  std::vector<uint32_t> statuses;
  uint32_t status = 99;
  for (auto adapter = mra.getFirstAdapter(status); adapter;
       adapter = mra.getNextAdapter(*walked.back(), status)) {
    statuses.push_back(status);
    walked.push_back(std::move(adapter));
  }
  ASSERT_EQ(3u, walked.size());
  EXPECT_EQ("a0", walked[0]->name);
  EXPECT_EQ("b0", walked[1]->name);
  EXPECT_EQ("b1", walked[2]->name);
  EXPECT_EQ(2, walked[2]->index);
  EXPECT_EQ((std::vector<uint32_t>{0, 0, 1}), statuses) << "a failed adapter is still returned";
  EXPECT_EQ(1u, status) << "the end of the walk leaves the status alone";

  EXPECT_TRUE(linesStartingWith(stage.calls(), "a FreeLibrary").size() == 3u)
      << "each route B released the libraries once";
  walked.clear();
  EXPECT_EQ(SlotState::Closed, registry.librarySlot(0).state) << "a destroyed adapter releases";
  EXPECT_EQ(SlotState::Closed, registry.librarySlot(1).state);
}

TEST(AdapterWalk, NoAdaptersGiveNothing) {
  Stage stage;  // no configuration file
  FcHbaRegistry registry(FcHbaPaths{stage.root()});
  FcHbaMRA mra(registry);
  uint32_t status = 99;
  EXPECT_EQ(nullptr, mra.getFirstAdapter(status));
  EXPECT_EQ(0u, status);
}

}  // namespace
