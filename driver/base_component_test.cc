#include "driver/base_component.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

const std::string kBanner = std::string(51, '-') + "\n";
const char kCatalogue[] =
    "<pelmo_fchba_reference><devices><device><type value=\"FC\"/></device></devices>"
    "</pelmo_fchba_reference>";

// A component whose discovery and flash are scripted, and which records the
// order of the virtual calls the run sequence makes.
class ScriptedComponent : public CBaseCmp {
 public:
  using CBaseCmp::CBaseCmp;

  bool DiscoverDevices() override {
    calls.push_back("discover");
    deviceList = devices;
    return discoverResult;
  }
  int FlashAdapters() override {
    calls.push_back("flash");
    return flashResult;
  }
  bool WriteDiscoveryReport() override {
    calls.push_back("report");
    return reportResult;
  }

  std::vector<DeviceEntry> devices;
  bool discoverResult = true;
  bool reportResult = true;
  int flashResult = 0;
  std::vector<std::string> calls;
};

DeviceEntry Device(std::vector<const wchar_t*> actions) {
  DeviceEntry device;
  device.device_id = L"d07a.e200.d07a.e202";
  for (const wchar_t* action : actions) {
    FirmwareItem item;
    item.action = action;
    device.fw_items.push_back(item);
  }
  return device;
}

// Runs every test in a package directory of its own, with the log beside it.
class RunSequenceTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(package_.path().c_str()), 0);
    WriteFile(package_.file("reference.xml"), kCatalogue);
  }
  void TearDown() override {
    EXPECT_EQ(chdir(previous_), 0);
    free(previous_);
  }

  std::string Log() { return ReadFile(package_.file("lbt/Component.log")).value_or("<none>"); }

  TempDir package_;
  char* previous_ = nullptr;
};

struct FlashCase {
  const char* name;
  std::vector<DeviceEntry> devices;
  bool force;
  int flashResult;
  int exitCode;
  const char* tail;  // what the log holds after "Performing discovery...\n"
  bool flashed;
};

TEST_F(RunSequenceTest, UpdateModeDecidesWhetherToFlash) {
  const FlashCase kCases[] = {
      {"no device", {}, false, 0, 3, "NOTICE : No operation was done.\n", false},
      {"no device, forced", {}, true, 0, 3, "ERROR! : No supported hardware was found.\n", false},
      {"all rewrite", {Device({L"rewrite"}), Device({L"rewrite", L"rewrite"})}, false, 0, 3,
       "NOTICE : No operation was done.\n", false},
      {"all rewrite, forced", {Device({L"rewrite", L"rewrite"})}, true, 1, 1,
       "Performing flash -- DO NOT INTERRUPT!\nFlash complete [1]\n", true},
      {"downgrade only", {Device({L"downgrade"})}, false, 0, 3,
       "NOTICE : No operation was done.\n", false},
      {"downgrade and upgrade on two devices", {Device({L"downgrade"}), Device({L"upgrade"})}, false,
       1, 1, "Performing flash -- DO NOT INTERRUPT!\nFlash complete [1]\n", true},
      {"flash fails", {Device({L"upgrade"})}, false, 7, 7,
       "Performing flash -- DO NOT INTERRUPT!\nFlash complete [7]\n", true},
      {"engine code passed through", {Device({L"upgrade"})}, false, 8, 8,
       "Performing flash -- DO NOT INTERRUPT!\nFlash complete [8]\n", true},
      {"action text in another case", {Device({L"Upgrade"})}, false, 0, 3,
       "NOTICE : No operation was done.\n", false},
  };
  for (const FlashCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::remove(package_.file("lbt/Component.log").c_str());
    ScriptedComponent component(package_.file("lbt"));
    component.log.quiet = true;
    component.devices = c.devices;
    component.force = c.force;
    component.flashResult = c.flashResult;

    EXPECT_EQ(component.RunSequence(), c.exitCode);
    EXPECT_EQ(Log(), kBanner + "Loading references...done.\nPerforming discovery...\n" + c.tail);
    std::vector<std::string> calls = {"discover"};
    if (c.flashed)
      calls.push_back("flash");
    EXPECT_EQ(component.calls, calls);
  }
}

TEST_F(RunSequenceTest, DiscoveryModeWritesTheReportAndNeverFlashes) {
  for (bool force : {false, true}) {
    for (bool written : {true, false}) {
      SCOPED_TRACE(testing::Message() << "force " << force << ", report written " << written);
      std::remove(package_.file("lbt/Component.log").c_str());
      ScriptedComponent component(package_.file("lbt"));
      component.log.quiet = true;
      component.discovery = true;
      component.force = force;
      component.devices = {Device({L"upgrade"})};
      component.reportResult = written;

      EXPECT_EQ(component.RunSequence(), 3);
      EXPECT_EQ(Log(), kBanner +
                           "Loading references...done.\nPerforming discovery...\n"
                           "Generating self-discovery XML..." +
                           (written ? "done.\n" : "FAILED!\n"));
      EXPECT_EQ(component.calls, (std::vector<std::string>{"discover", "report"}));
    }
  }
}

TEST_F(RunSequenceTest, MissingOrBrokenCatalogueEndsTheRunBeforeDiscovery) {
  for (const char* content : {static_cast<const char*>(nullptr), "", "<unclosed>"}) {
    SCOPED_TRACE(content == nullptr ? "missing" : content);
    std::remove(package_.file("reference.xml").c_str());
    if (content != nullptr)
      WriteFile(package_.file("reference.xml"), content);
    std::remove(package_.file("lbt/Component.log").c_str());
    ScriptedComponent component(package_.file("lbt"));
    component.log.quiet = true;

    EXPECT_EQ(component.RunSequence(), 7);
    EXPECT_EQ(Log(), kBanner + "Loading references...FAILED!\n");
    EXPECT_TRUE(component.calls.empty());
  }
}

TEST_F(RunSequenceTest, FailedDiscoveryEndsWithoutAFurtherLine) {
  ScriptedComponent component(package_.file("lbt"));
  component.log.quiet = true;
  component.discovery = true;
  component.discoverResult = false;
  EXPECT_EQ(component.RunSequence(), 7);
  EXPECT_EQ(Log(), kBanner + "Loading references...done.\nPerforming discovery...\n");
}

TEST_F(RunSequenceTest, EchoedTextIsTheLogText) {
  ScriptedComponent component(package_.file("lbt"));
  testing::internal::CaptureStdout();
  component.RunSequence();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), Log());
}

// The default discovery walks the libraries of the machine's /etc/hba.conf;
// these two tests assume a machine without one (the sandboxed end-to-end
// tests stage their own).
bool MachineHasManagementLibraries() {
  return access("/etc/hba.conf", F_OK) == 0;
}

TEST_F(RunSequenceTest, DefaultDiscoveryWithoutAdaptersWarnsAndFails) {
  if (MachineHasManagementLibraries())
    GTEST_SKIP() << "this machine has /etc/hba.conf";
  CBaseCmp component(package_.file("lbt"));
  component.log.quiet = true;
  EXPECT_EQ(component.RunSequence(), 7);
  EXPECT_EQ(Log(), kBanner +
                       "Loading references...done.\nPerforming discovery...\n"
                       "WARNING! : No supported adapters found.\n");
}

TEST_F(RunSequenceTest, DefaultDiscoveryWithAnAdapterSetsTheReportTexts) {
  if (MachineHasManagementLibraries())
    GTEST_SKIP() << "this machine has /etc/hba.conf";
  CBaseCmp component(package_.file("lbt"));
  component.log.quiet = true;
  ASSERT_TRUE(LoadReferenceCatalogue(component.catalogue));
  component.adapters.emplace_back();
  component.version = L"stale";
  EXPECT_TRUE(component.DiscoverDevices());
  EXPECT_EQ(component.type, L"FC");
  EXPECT_EQ(component.version, L"");
  EXPECT_TRUE(component.deviceList.empty());
}

TEST(OverallActionTest, OneUpgradeOutweighsEverythingAndDowngradeOutweighsRewrite) {
  const struct {
    std::vector<std::vector<const wchar_t*>> devices;
    int expected;
  } kCases[] = {
      {{}, kActionNone},
      {{{}}, kActionNone},
      {{{L"rewrite"}}, kActionRewrite},
      {{{L"rewrite", L"downgrade"}}, kActionDowngrade},
      {{{L"downgrade"}, {L"rewrite"}, {L"upgrade"}}, kActionUpgrade},
      {{{L"upgrade", L"downgrade"}}, kActionUpgrade},
      {{{L"UPGRADE"}, {L"upgrade "}, {L""}, {L"flash"}}, kActionNone},
  };
  TempDir dir;
  for (const auto& c : kCases) {
    CBaseCmp component(dir.path());
    for (const auto& actions : c.devices)
      component.deviceList.push_back(Device(actions));
    EXPECT_EQ(component.OverallAction(), c.expected);
  }
}

}  // namespace
