// The default adapter discovery end to end, inside the test sandbox: a staged
// /etc/hba.conf names fake management libraries staged under /usr/lib, and a
// fake sysfs tree is mounted over /sys, so the shipped paths and the real
// find, grep, cat and wc commands are used. Two programs are run: the
// administrators' listing (fchba-adapters) and the component base with its
// default discovery, through its run sequence.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "fchba/test_support.h"
#include "testing/sandbox.h"
#include "testing/temp_dir.h"

namespace {

using fchba_test::addPciDevice;
using fchba_test::FakePciDevice;

const std::string kBanner = std::string(51, '-') + "\n";
const std::string kDiscovering =
    kBanner + "Loading references...done.\nPerforming discovery...\n";
const char kLogPath[] = "/var/lbt/Component.log";
const char kCatalogue[] =
    "<?xml version=\"1.0\"?>\n"
    "<pelmo_fchba_reference><devices><device>"
    "<type value=\"CNA\"/><device_id value=\"D07A.0300.D07A.0301\"/><model value=\"ZRa300\"/>"
    "</device></devices></pelmo_fchba_reference>\n";

// Two libraries, each at once its vendor's attribute library (its path holds
// "libdvsdm"), with adapters at PCI addresses 0000:05:00.1 and 0001:06:03.0;
// the second library's second adapter fails to load.
const char kLibraryA[] =
    "adapter Dovane-A wwn=1000000000000001 identity=0x0301d07a bus=5 function=1"
    " firmware=11.1.183.21 option-rom=5.02a1 model=ZRa300 driver-version=8.3.7\n";
const char kLibraryB[] =
    "fail GetAdapterAttributes 1 1\n"
    "adapter Dovane-B wwn=2000000000000002 identity=0x0201c0de bus=6 domain=1"
    " firmware=2.01a12 model=Vyn\n"
    "adapter Dovane-F wwn=2000000000000003\n";

// Each line of a text with its runs of blanks made one space.
std::vector<std::string> Rows(const std::string& text) {
  std::vector<std::string> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string word, row;
    while (words >> word)
      row += (row.empty() ? "" : " ") + word;
    rows.push_back(row);
  }
  return rows;
}

class DiscoveryProgram : public testing::Test {
 protected:
  DiscoveryProgram() : sandbox_({"etc", "var", "usr/lib"}) {}

  void StageLibrary(const std::string& path, const std::string& label,
                    const std::string& fixture) {
    sandbox_.plantFile(path, ReadFile(FAKE_MANAGEMENT_VENDOR_LIBRARY).value());
    sandbox_.plantFile(path + ".fixture", "label " + label + "\nlog " +
                                              sandbox_.packagePath("calls.log") + "\n" + fixture);
  }
  // The two libraries, named in /etc/hba.conf, and the sysfs tree with their
  // adapters' devices among others, mounted over /sys.
  void StageAdapters() {
    StageLibrary("/usr/lib/fc_a/libdvsdm.so", "a", kLibraryA);
    StageLibrary("/usr/lib/fc_b/libdvsdm_b.so", "b", kLibraryB);
    sandbox_.plantFile("/etc/hba.conf",
                       "# management libraries\n"
                       "a\t/usr/lib/fc_a/libdvsdm.so\n"
                       "b /usr/lib/fc_b/libdvsdm_b.so\n");
    std::string sysfs = sysfs_.file("sys");
    FakePciDevice a;
    a.address = "0000:05:00.1";
    addPciDevice(sysfs, a);
    FakePciDevice aTwin = a;  // same address and vendor, other subsystem
    aTwin.address = "/devices/pci0000:01/0000:05:00.1";
    aTwin.subsystemDevice = "0xe299";
    aTwin.device = "0xdead";
    addPciDevice(sysfs, aTwin);
    FakePciDevice b;
    b.address = "0001:06:03.0";
    b.vendor = "0xc0de";
    b.device = "0x0250";
    b.subsystemVendor = "0xc0de";
    b.subsystemDevice = "0x0201";
    addPciDevice(sysfs, b);
    MountSysfs();
  }
  void MountSysfs() {
    std::string sysfs = sysfs_.file("sys");
    addPciDevice(sysfs, FakePciDevice{"0000:00:1f.0", "0x8086", "0x7000", "0x8086", "0x0000"});
    sandbox_.prepare("mount --bind " + sysfs + " /sys");
  }

  SandboxRun Run(const std::string& program, const std::vector<std::string>& args = {}) {
    SandboxRun run = sandbox_.run(program, args);
    EXPECT_TRUE(run.started) << "the sandbox could not be set up: " << run.err;
    return run;
  }
  std::string Log() { return sandbox_.writtenFile(kLogPath).value_or("<no log>"); }

  TempDir sysfs_;
  Sandbox sandbox_;
};

TEST_F(DiscoveryProgram, ListsEveryAdapterInConfigurationOrder) {
  StageAdapters();
  SandboxRun run = Run(ADAPTERS_PROGRAM);
  EXPECT_EQ(0, run.exitCode) << run.err;
  const std::vector<std::string> expected = {
      "MRA get returned failed status!",
      "NODE WWN PORT WWN PCI ID SUBSYSTEM DRIVER FIRMWARE BOOT ROM MODEL",
      "10:00:00:00:00:00:00:01 11:00:00:00:00:00:00:01 d07a0300 d07a0301 8.3.7 11.1.183.21 "
      "5.02a1 ZRa300",
      "20:00:00:00:00:00:00:02 21:00:00:00:00:00:00:02 c0de0250 c0de0201 9.9.9 2.01a12 2.0 Vyn",
      "00:00:00:00:00:00:00:00 - N/A 00000000 Undefined Undefined Undefined Undefined",
  };
  EXPECT_EQ(expected, Rows(run.out));
  EXPECT_EQ("", run.err);
}

TEST_F(DiscoveryProgram, SaysSoWhenNoAdapterIsFound) {
  MountSysfs();
  SandboxRun run = Run(ADAPTERS_PROGRAM);
  EXPECT_EQ(1, run.exitCode);
  EXPECT_EQ("No adapters found: no library listed in /etc/hba.conf reported one.\n", run.out);
}

TEST_F(DiscoveryProgram, BaseComponentFindsTheAdaptersAndHasNothingToFlash) {
  StageAdapters();
  sandbox_.writePackageFile("reference.xml", kCatalogue);
  SandboxRun run = Run(BASE_COMPONENT_PROGRAM);
  EXPECT_EQ(3, run.exitCode) << run.err;
  EXPECT_EQ(kDiscovering + "NOTICE : No operation was done.\n", Log());
  EXPECT_EQ(kDiscovering + "MRA get returned failed status!\nNOTICE : No operation was done.\n",
            run.out);

  // In discovery mode the report carries the catalogue's first device type.
  sandbox_.removePath(kLogPath);
  run = Run(BASE_COMPONENT_PROGRAM, {"/s", "/d", "report.xml"});
  EXPECT_EQ(3, run.exitCode);
  EXPECT_EQ("MRA get returned failed status!\n", run.out);
  EXPECT_EQ(kDiscovering + "Generating self-discovery XML...done.\n", Log());
  std::string report = ReadFile(sandbox_.packagePath("report.xml")).value_or("");
  EXPECT_NE(std::string::npos, report.find("<type value=\"CNA\"/>")) << report;
}

TEST_F(DiscoveryProgram, BaseComponentWithoutAdaptersWarnsAndFails) {
  sandbox_.writePackageFile("reference.xml", kCatalogue);
  SandboxRun run = Run(BASE_COMPONENT_PROGRAM);
  EXPECT_EQ(7, run.exitCode);
  EXPECT_EQ(kDiscovering + "WARNING! : No supported adapters found.\n", Log());
  EXPECT_EQ(Log(), run.out);
}

}  // namespace
