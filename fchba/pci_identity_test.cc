// Tests of the sysfs search for an adapter's PCI ids, run for real (find,
// grep, cat, wc) over fake sysfs trees in scratch directories. The same
// search over a tree mounted at /sys runs in the end-to-end tests.

#include "fchba/pci_identity.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fchba/test_support.h"

namespace {

using fchba_test::addPciDevice;
using fchba_test::FakePciDevice;
using fchba_test::ScratchDir;

struct ProbeCase {
  const char* description;
  std::vector<FakePciDevice> devices;
  uint8_t domain, bus, function;
  uint16_t subsystemVendor, subsystemDevice;
  const char* pciId;
};

FakePciDevice at(const char* address) {
  FakePciDevice device;
  device.address = address;
  return device;
}

FakePciDevice with(FakePciDevice device, const char* FakePciDevice::*file, const char* value) {
  device.*file = value;
  return device;
}

TEST(ProbePciIdentity, ChoosesTheDeviceByAddressAndSubsystemIds) {
  const FakePciDevice device = at("0000:05:00.1");
  const ProbeCase cases[] = {
      {"domain 0, bus 5, function 1", {device}, 0, 5, 1, 0xd07a, 0x0301, "d07a0300"},
      {"any slot", {at("0000:05:1f.1")}, 0, 5, 1, 0xd07a, 0x0301, "d07a0300"},
      {"another function", {at("0000:05:00.2")}, 0, 5, 1, 0xd07a, 0x0301, "N/A"},
      {"another bus", {at("0000:15:00.1")}, 0, 5, 1, 0xd07a, 0x0301, "N/A"},
      {"domain, bus and function in hex", {at("001a:e5:00.c")}, 0x1a, 0xe5, 0xc, 0xd07a, 0x0301,
       "d07a0300"},
      {"the address is matched ignoring case", {at("001A:E5:00.C")}, 0x1a, 0xe5, 0xc, 0xd07a,
       0x0301, "d07a0300"},
      {"0x10 and 0xab", {with(with(device, &FakePciDevice::vendor, "0x10"),
                              &FakePciDevice::device, "0xab")},
       0, 5, 1, 0xd07a, 0x0301, "001000ab"},
      {"ids without 0x", {with(with(device, &FakePciDevice::vendor, "D07A"),
                               &FakePciDevice::device, "0300")},
       0, 5, 1, 0xd07a, 0x0301, "d07a0300"},
      {"subsystem ids ignoring case", {with(device, &FakePciDevice::subsystemVendor, "0xD07A")},
       0, 5, 1, 0xd07a, 0x0301, "d07a0300"},
      {"either file may hold either id", {with(with(device, &FakePciDevice::subsystemVendor,
                                                    "0x0301"),
                                               &FakePciDevice::subsystemDevice, "0xd07a")},
       0, 5, 1, 0xd07a, 0x0301, "d07a0300"},
      {"a count of 1 passes the device over",
       {with(device, &FakePciDevice::subsystemDevice, "0x0001")}, 0, 5, 1, 0xd07a, 0x0301, "N/A"},
      {"an identity word of 0 looks for 0000",
       {with(with(device, &FakePciDevice::subsystemVendor, "0x0000"),
             &FakePciDevice::subsystemDevice, "0x0000")},
       0, 5, 1, 0, 0, "d07a0300"},
      {"without a vendor file the device is passed over",
       {with(device, &FakePciDevice::vendor, nullptr)}, 0, 5, 1, 0xd07a, 0x0301, "N/A"},
      {"without a subsystem_device file", {with(device, &FakePciDevice::subsystemDevice, nullptr)},
       0, 5, 1, 0xd07a, 0x0301, "N/A"},
      {"without a device file", {with(device, &FakePciDevice::device, nullptr)}, 0, 5, 1, 0xd07a,
       0x0301, "N/A"},
      {"a passed-over candidate does not stop the search",
       {with(at("/devices/a/0000:05:00.1"), &FakePciDevice::vendor, nullptr),
        with(at("/devices/b/0000:05:00.1"), &FakePciDevice::vendor, "0xc0de")},
       0, 5, 1, 0xd07a, 0x0301, "c0de0300"},
      {"an empty device file", {with(device, &FakePciDevice::device, "")}, 0, 5, 1, 0xd07a,
       0x0301, "N/A"},
      {"a vendor file that is no number", {with(device, &FakePciDevice::vendor, "none")}, 0, 5, 1,
       0xd07a, 0x0301, "N/A"},
      {"no device at all", {}, 0, 5, 1, 0xd07a, 0x0301, "N/A"},
  };
  for (const ProbeCase& c : cases) {
    SCOPED_TRACE(c.description);
    ScratchDir scratch;
    std::string sysfs = scratch / "sys";
    for (const FakePciDevice& device : c.devices)
      addPciDevice(sysfs, device);
    EXPECT_EQ(c.pciId, probePciIdentity(c.domain, c.bus, c.function, c.subsystemVendor,
                                        c.subsystemDevice, sysfs));
  }
}

TEST(ProbePciIdentity, AMissingTreeGivesNotAvailable) {
  ScratchDir scratch;
  testing::internal::CaptureStderr();
  EXPECT_EQ("N/A", probePciIdentity(0, 5, 1, 0xd07a, 0x0301, scratch / "nothing"));
  testing::internal::GetCapturedStderr();
}

// Bad input: directory names are the tree's, not ours. Whatever they hold,
// they reach the shell as one word and run nothing.
TEST(ProbePciIdentity, DirectoryNamesNeverRunAsCommands) {
  const char* const names[] = {
      "0000:05:00.1;touch pwned-semicolon",
      "0000:05:00.1$(touch pwned-substitution)",
      "0000:05:00.1'$(touch pwned-quote)'",
      "0000:05:00.1`touch pwned-backquote`",
      "0000:05:00.1 && touch pwned-and",
  };
  for (const char* name : names) {
    SCOPED_TRACE(name);
    ScratchDir scratch;
    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(0, chdir(scratch.path().c_str()));
    addPciDevice(scratch / "sys", at(name));
    std::string pciId = probePciIdentity(0, 5, 1, 0xd07a, 0x0301, scratch / "sys");
    ASSERT_EQ(0, chdir(previous));
    free(previous);
    EXPECT_EQ("d07a0300", pciId);
    std::vector<std::string> left;
    for (const char* file : {"pwned-semicolon", "pwned-substitution", "pwned-quote",
                             "pwned-backquote", "pwned-and"}) {
      if (access((scratch / file).c_str(), F_OK) == 0)
        left.push_back(file);
    }
    EXPECT_TRUE(left.empty()) << "a name ran a command: " << left.front();
  }
}

}  // namespace
