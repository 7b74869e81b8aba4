// Tests of the default adapter discovery: the records made from the walked
// adapters of fake management libraries, with their PCI ids found in a fake
// sysfs tree in the scratch directory.

#include "fchba/enumerate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fchba/registry.h"
#include "fchba/test_support.h"

namespace {

using fchba_test::addPciDevice;
using fchba_test::FakePciDevice;
using fchba_test::linesStartingWith;
using fchba_test::Stage;

class Enumerate : public ::testing::Test {
 protected:
  // Stages a management library that is its vendor's attribute library (its
  // path holds "libdvsdm"), so adapters named "Dovane..." read their
  // identity through it.
  std::string library(const std::string& label, const std::string& fixture) {
    return stage.library(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/" + label + "/libdvsdm.so", label,
                         fixture);
  }
  std::string enumerate(AdapterList& list) {
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    testing::internal::CaptureStdout();
    EXPECT_EQ(1, enumerateAdapters(list, registry, sysfs()));
    return testing::internal::GetCapturedStdout();
  }
  std::string sysfs() const { return stage.scratch / "sys"; }

  Stage stage;
};

TEST_F(Enumerate, TwoAdaptersInTwoLibrariesInConfigurationOrder) {
  std::string a = library("a", "adapter Dovane-A wwn=1000000000000001 identity=0x0301d07a bus=5"
                               " function=1 firmware=11.1%20%20x~ option-rom=5.02a1 model=ZRa300"
                               " driver-version=8.3.7\n");
  std::string b = library("b", "adapter Dovane-B wwn=2000000000000002 identity=0x0201c0de bus=6"
                               " domain=1 firmware=2.01a12 model=Vyn%20\n");
  stage.config("a " + a + "\nb " + b + "\n");
  FakePciDevice first;
  first.address = "0000:05:00.1";
  addPciDevice(sysfs(), first);
  FakePciDevice second;
  second.address = "0001:06:03.0";
  second.vendor = "0xc0de";
  second.device = "0x0250";
  second.subsystemVendor = "0xc0de";
  second.subsystemDevice = "0x0201";
  addPciDevice(sysfs(), second);

  AdapterList list(1);  // the discovery appends
  EXPECT_EQ("", enumerate(list));
  ASSERT_EQ(3u, list.size());
  EXPECT_STREQ("", list[0].nodeWwn);

  const AdapterRecord& ra = list[1];
  EXPECT_STREQ("10:00:00:00:00:00:00:01", ra.nodeWwn);
  EXPECT_STREQ("11:00:00:00:00:00:00:01", ra.portWwn);
  EXPECT_STREQ("d07a0300", ra.pciId);
  EXPECT_STREQ("d07a0301", ra.subsystemId);
  EXPECT_STREQ("8.3.7", ra.driverVersion);
  EXPECT_STREQ("11.1 x", ra.firmwareVersion);
  EXPECT_STREQ("5.02a1", ra.optionRomVersion);
  EXPECT_STREQ("", ra.spare);
  EXPECT_STREQ("ZRa300", ra.model);

  const AdapterRecord& rb = list[2];
  EXPECT_STREQ("20:00:00:00:00:00:00:02", rb.nodeWwn);
  EXPECT_STREQ("c0de0250", rb.pciId);
  EXPECT_STREQ("c0de0201", rb.subsystemId);
  EXPECT_STREQ("2.01a12", rb.firmwareVersion);
  EXPECT_STREQ("Vyn ", rb.model);

  // Both took their own library's attribute call, and no library was
  // released during the walk.
  std::vector<std::string> calls = stage.calls();
  EXPECT_EQ(1u, linesStartingWith(calls, "a LBTFC_GetAdapterAttributes2").size());
  EXPECT_EQ(1u, linesStartingWith(calls, "b LBTFC_GetAdapterAttributes2").size());
  EXPECT_EQ(1u, linesStartingWith(calls, "a FreeLibrary").size())
      << "released once, when the walk's adapters went";
}

TEST_F(Enumerate, AFailedAdapterIsRecordedAfterOneMessage) {
  std::string a = library("a", "fail GetAdapterAttributes 1 1\n"
                               "adapter Dovane-0 wwn=1000000000000001\n"
                               "adapter Dovane-1 wwn=1000000000000002\n"
                               "adapter Dovane-2 wwn=1000000000000003 ports=0\n");
  stage.config("a " + a + "\n");
  AdapterList list;
  EXPECT_EQ("MRA get returned failed status!\n", enumerate(list));
  ASSERT_EQ(3u, list.size());

  const AdapterRecord& failed = list[1];
  EXPECT_STREQ("00:00:00:00:00:00:00:00", failed.nodeWwn);
  EXPECT_STREQ("", failed.portWwn) << "an adapter without ports has no port WWN";
  EXPECT_STREQ("Undefined", failed.firmwareVersion);
  EXPECT_STREQ("Undefined", failed.model);
  EXPECT_STREQ("Undefined", failed.driverVersion);
  EXPECT_STREQ("00000000", failed.subsystemId);
  EXPECT_STREQ("N/A", failed.pciId);

  EXPECT_STREQ("10:00:00:00:00:00:00:03", list[2].nodeWwn);
  EXPECT_STREQ("", list[2].portWwn) << "no ports reported";
  EXPECT_STREQ("FAKE-1", list[2].model);
}

TEST_F(Enumerate, LongTextsAreCutAtTheirField) {
  std::string a = library("a", "unterminated-texts\n"
                               "adapter Dovane-0 model=M driver-version=D firmware=F\n");
  stage.config("a " + a + "\n");
  AdapterList list;
  enumerate(list);
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(std::string(255, 'M'), list[0].model);
  EXPECT_EQ(std::string(256, 'D'), list[0].driverVersion);
  EXPECT_EQ(std::string(255, 'F'), list[0].firmwareVersion);
}

TEST_F(Enumerate, NothingConfiguredAddsNothing) {
  AdapterList list;
  EXPECT_EQ("", enumerate(list));
  EXPECT_TRUE(list.empty());
}

}  // namespace
