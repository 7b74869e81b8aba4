// The component's whole job, end to end in the sandbox: the engine's query,
// the matching against the catalogue, the report, and the flash decisions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/sandbox.h"

namespace {

const char kLogPath[] = "/var/lbt/Component.log";
const char kKitZip[] = "zarnflashStandalone-5.1.42.zip";
const char kStateFile[] = "zarnflash-sim.state";

class InventoryTest : public testing::Test {
 protected:
  SandboxRun Run(const std::vector<std::string>& args) {
    SandboxRun run = sandbox_.run(COMPONENT_BINARY, args);
    EXPECT_TRUE(run.started) << "the sandbox could not be set up: " << run.err;
    return run;
  }
  std::string Log() { return sandbox_.writtenFile(kLogPath).value_or("<no log>"); }
  std::string Report() { return ReadFile(sandbox_.packagePath("report.xml")).value_or("<none>"); }

  // The demo package: its catalogue and the simulated engine kit.
  void StageDemoPackage() {
    sandbox_.writePackageFile("reference.xml", *ReadFile(DEMO_CATALOGUE));
    sandbox_.writePackageFile(kKitZip, *ReadFile(ENGINE_KIT_ZIP));
  }

  Sandbox sandbox_;
};

// The values of one attribute of the report, in document order.
std::vector<std::string> ReportValues(const std::string& report, const std::string& element) {
  std::vector<std::string> values;
  const std::string open = "<" + element + " value=\"";
  for (size_t at = report.find(open); at != std::string::npos; at = report.find(open, at + 1)) {
    size_t start = at + open.size();
    values.push_back(report.substr(start, report.find('"', start) - start));
  }
  return values;
}

TEST_F(InventoryTest, QueryLinesBecomeReportedDevices) {
  sandbox_.writePackageFile(
      "reference.xml",
      "<pelmo_fchba_reference><devices>\n"
      "<device><device_id value=\"D07A.0300.D07A.0301\"/><model value=\"ZRa300 CNA\"/>"
      "<firmware value=\"1.0\"/><bios value=\"5.02a1\"/><duration value=\"300\"/></device>\n"
      "<device><device_id value=\"D07A.0B10.D07A.0B11\"/><model value=\"Vyn 8Gb\"/>"
      "<firmware value=\"2.01a12\"/><bios value=\"3.20a3\"/><duration value=\"180\"/></device>\n"
      "<device><device_id value=\"D07A.0200.D07A.0201\"/><model value=\"ZRa200\"/>"
      "<firmware value=\"2.82a4\"/><bios value=\"\"/><duration value=\"120\"/></device>\n"
      "<device><device_id value=\"D07A.00E1.D07A.00E2\"/><model value=\"ZRa100\"/>"
      "<firmware value=\"282a4\"/><bios value=\"1.0\"/><duration value=\"60\"/></device>\n"
      "</devices></pelmo_fchba_reference>\n");
  // An engine of the test's own, already unpacked: it prints a fixed query.
  sandbox_.writePackageFile("zarnflashStandalone-t/lx/zarnflash.sh",
                            "#!/bin/sh\ncat \"$(dirname \"$0\")/query.txt\"\n");
  sandbox_.writePackageFile(
      "zarnflashStandalone-t/lx/query.txt",
      "Engine header, no adapters here\n"
      "HBA=ZRa100, PCI ID=e1, VID=d07a, SSID=e2, SVID=d07a, Firmware=FW2.82a4, "
      "Boot Code=BC1.0, Mode=NIC\n"
      "HBA=ZRa100, PCI ID=e1, VID=d07a, SSID=e2, SVID=d07a, Firmware=FW2.82a4, "
      "Boot Code=BC1.0, Mode=NIC\n"
      "HBA=ZRa300 CNA, PCI ID=0300, VID=D07A, SSID=0301, SVID=D07A, "
      "Firmware=11.1.179.6, Boot Code=BC5.02a1, NIC\r\n"
      "HBA=Vyn 8Gb, PCI ID=b10, VID=D07A, SSID=b11, SVID=D07A, Firmware=2.01a12, "
      "Boot Code=3.20a3 NIC\n"
      "NIC 5: not an adapter line\n"
      "HBA=ZRa200, PCI ID=0999, VID=D07A, SSID=0201, SVID=D07A, Firmware=FW2.82a4, "
      "Boot Code=BC1.0, NIC\n"
      "HBA=ZRa200, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=FW2.82a4, "
      "Boot Code=BC1.0 (without the filter word, never reaches the component)\n"
      "HBA=ZRa200, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=FW, "
      "Boot Code=B, NIC");

  SandboxRun run = Run({"/d", "report.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(ReportValues(Report(), "device_id"),
            (std::vector<std::string>{"d07a.00e1.d07a.00e2", "d07a.00e1.d07a.00e2",
                                      "D07A.0300.D07A.0301", "D07A.0b10.D07A.0b11",
                                      "D07A.0200.D07A.0201"}));
  EXPECT_EQ(ReportValues(Report(), "product_id"),
            (std::vector<std::string>{"ZRa100", "ZRa100", "ZRa300 CNA", "Vyn 8Gb", "ZRa200"}));
  // Per item: type, package version, installed version, action, duration, shared.
  std::vector<std::string> items;
  std::vector<std::string> types = ReportValues(Report(), "type");
  std::vector<std::string> versions = ReportValues(Report(), "version");
  std::vector<std::string> active = ReportValues(Report(), "active_version");
  std::vector<std::string> actions = ReportValues(Report(), "action");
  std::vector<std::string> durations = ReportValues(Report(), "duration");
  std::vector<std::string> shared = ReportValues(Report(), "shared");
  ASSERT_EQ(active.size(), 9u);
  for (size_t i = 0; i < active.size(); ++i) {
    // The first "type" and "version" are the report's own.
    items.push_back(types[i + 1] + "|" + versions[i + 1] + "|" + active[i] + "|" + actions[i] +
                    "|" + durations[i] + "|" + shared[i]);
  }
  EXPECT_EQ(items, (std::vector<std::string>{
                       "Firmware|282a4|282a4|rewrite|60|no",
                       "Boot BIOS ROM|1.0|1.0|rewrite|60|",
                       "Firmware|282a4|282a4|rewrite|60|no",
                       "Boot BIOS ROM|1.0|1.0|rewrite|60|",
                       "Firmware|11.1.183.21|11.1.179.6|upgrade|300|no",
                       "Boot BIOS ROM|5.02a1|5.02a1|rewrite|300|",
                       "Firmware|2.01a12|2.01a12|rewrite|180|no",
                       "Boot BIOS ROM|3.20a3|3.20a3|rewrite|180|",
                       "Firmware|2.82a4||upgrade|120|no",
                   }));
}

TEST_F(InventoryTest, DemoPackageDiscoversThenFlashesThenHasNothingToDo) {
  StageDemoPackage();

  SandboxRun run = Run({"/d", "report.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(ReportValues(Report(), "product_id"),
            (std::vector<std::string>{"ZRa300 CNA", "Vyn 8Gb FC HBA", "ZRa200 4Gb FC HBA"}));
  EXPECT_EQ(ReportValues(Report(), "action"),
            (std::vector<std::string>{"upgrade", "upgrade", "upgrade", "upgrade", "upgrade"}));

  sandbox_.removePath(kLogPath);
  run = Run({"/s"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  const std::string log = Log();
  const std::string executing =
      "Performing flash -- DO NOT INTERRUPT!\n"
      "Executing flash engine: ./zarnflashStandalone*/lx/zarnflash.sh  /update "
      "1>> /var/lbt/Component.log 2>> /var/lbt/Component.log 3>> /var/lbt/Component.log\n"
      "Dovane zarnflash standalone SIMULATOR";
  EXPECT_NE(log.find(executing), std::string::npos) << log;
  const std::string ending =
      "Flashed 3, failed 0, skipped 0; exit code 0\n"
      "Flash Engine exit code: 0\n"
      "All updates were successful.  Reboot needed.\n"
      "Flash complete [1]\n";
  ASSERT_GE(log.size(), ending.size());
  EXPECT_EQ(log.substr(log.size() - ending.size()), ending) << log;

  sandbox_.removePath(kLogPath);
  run = Run({});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(Log(), std::string(51, '-') +
                       "\nLoading references...done.\nPerforming discovery...\n"
                       "Preparing the Dovane CNA Kit...done\n"
                       "NOTICE : No operation was done.\n");

  Run({"/d", "report.xml"});
  EXPECT_EQ(ReportValues(Report(), "action"),
            (std::vector<std::string>{"rewrite", "rewrite", "rewrite", "rewrite", "rewrite"}));
}

TEST_F(InventoryTest, OnlyAnUpgradeOrForceFlashes) {
  const struct {
    const char* name;
    const char* state;
    std::vector<std::string> args;
    int exitCode;
    const char* tail;
  } kCases[] = {
      {"all rewrite",
       "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.183.21|BC5.02a1\n", {}, 3,
       "NOTICE : No operation was done.\n"},
      {"all rewrite, forced",
       "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.183.21|BC5.02a1\n", {"/f"}, 1,
       "Flash Engine exit code: 0\nAll updates were successful.  Reboot needed.\n"
       "Flash complete [1]\n"},
      {"downgrade only",
       "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.190.1|BC5.02a1\n", {}, 3,
       "NOTICE : No operation was done.\n"},
      {"a downgrade and an upgrade",
       "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.190.1|BC5.02a1\n"
       "adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0\n",
       {}, 1,
       "Flash Engine exit code: 0\nAll updates were successful.  Reboot needed.\n"
       "Flash complete [1]\n"},
      {"no adapter the package serves, forced",
       "adapter|ZRa300 CNA|0399|D07A|0301|D07A|11.1.183.21|BC5.02a1\n", {"-g"}, 3,
       "ERROR! : No supported hardware was found.\n"},
      {"engine killed while flashing",
       "adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0\nkill|KILL\n", {}, 137,
       "Flash Engine exit code: 137\nFlash complete [137]\n"},
      {"engine fails",
       "adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0\nfail|1\n", {}, 7,
       "Flash Engine exit code: 2\nAll updates failed.\nFlash complete [7]\n"},
  };
  StageDemoPackage();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    sandbox_.writePackageFile(kStateFile, c.state);
    sandbox_.removePath(kLogPath);
    SandboxRun run = Run(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    const std::string log = Log();
    const std::string tail = c.tail;
    ASSERT_GE(log.size(), tail.size()) << log;
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
    EXPECT_EQ(log.find(" /f 1>>") != std::string::npos,
              c.args == std::vector<std::string>{"/f"});
  }
}

}  // namespace
