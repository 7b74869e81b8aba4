#include "vendor/query_line.h"

#include <gtest/gtest.h>

namespace {

std::string Describe(const std::optional<QueryLine>& line) {
  if (!line)
    return "nomatch";
  return line->hba + "|" + line->pciId + "|" + line->vid + "|" + line->ssid + "|" + line->svid +
         "|" + line->firmware + "|" + line->bootCode;
}

TEST(QueryLineTest, ParsesTheEngineLines) {
  const struct {
    std::string line;
    const char* fields;
  } kCases[] = {
      {"HBA=ZRa300 CNA, PCI ID=0300, VID=D07A, SSID=0301, SVID=D07A, "
       "Firmware=11.1.179.6, Boot Code=BC5.01a9, Port=1, Mode=NIC",
       "ZRa300 CNA|0300|D07A|0301|D07A|11.1.179.6|BC5.01a9"},
      {"HBA=M,PCI ID=e1,VID=d07a,SSID=1,SVID=d07a,Firmware=F,Boot Code=B",
       "M|e1|d07a|1|d07a|F|B"},
      // Fields between the model and PCI ID belong to the model; likewise
      // to the firmware before Boot Code.
      {"HBA=ZRa200, Port 0, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=FW2.72a2, "
       "Stepping B, Boot Code=BC1.71a0",
       "ZRa200, Port 0|0200|D07A|0201|D07A|FW2.72a2, Stepping B|BC1.71a0"},
      // A carriage return at the end is taken by the closing ".*".
      {"HBA=M, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=FW2, Boot Code=BC1.7\r",
       "M|0200|D07A|0201|D07A|FW2|BC1.7"},
      {"HBA=M, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=B_1.x-y",
       "M|0200|D07A|0201|D07A|F|B_1.x"},
      {"", "nomatch"},
      {"HBA=M, PCI ID=02000, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=B", "nomatch"},
      // The whole line must match: nothing may come before "HBA=".
      {"NIC 1: HBA=M, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=B",
       "nomatch"},
      {"HBA=M, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=", "nomatch"},
      {"HBA=, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=B", "nomatch"},
      {"HBA=M, PCI ID=0200, VID=D07A, SVID=D07A, Firmware=F, Boot Code=B", "nomatch"},
      {"hba=M, PCI ID=0200, VID=D07A, SSID=0201, SVID=D07A, Firmware=F, Boot Code=B", "nomatch"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Describe(ParseQueryLine(c.line)), c.fields);
  }
}

TEST(QueryLineTest, LongLineEndsAsNoMatchOrMatchWithoutCrashing) {
  std::string line = "HBA=" + std::string(200000, 'x') +
                     ", PCI ID=0300, VID=D07A, SSID=0301, SVID=D07A, Firmware=F1, Boot Code=B1";
  std::optional<QueryLine> parsed = ParseQueryLine(line);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->hba.size(), 200000u);
  EXPECT_FALSE(ParseQueryLine(std::string(200000, ',')).has_value());
}

TEST(QueryLineTest, OutputIsCutAtLineFeeds) {
  const struct {
    std::string output;
    std::vector<std::string> lines;
  } kCases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\r\nb\r\n", {"a\r", "b\r"}},
      {"\n", {""}},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(SplitQueryOutput(c.output), c.lines);
}

TEST(QueryLineTest, IdentityIsPaddedAndOrdered) {
  EXPECT_EQ(PadHex4(""), "0000");
  EXPECT_EQ(PadHex4("e1"), "00e1");
  EXPECT_EQ(PadHex4("D07A"), "D07A");
  QueryLine line{"M", "e1", "d07a", "1", "7a", "F", "B"};
  // vendor . device . subsystem vendor . subsystem device
  EXPECT_EQ(DeviceIdentity(line), "d07a.00e1.007a.0001");
}

TEST(QueryLineTest, InstalledVersionsByModel) {
  const struct {
    const char* hba;
    const char* firmware;
    const char* boot;
    const char* installedFirmware;
    const char* installedBoot;
  } kCases[] = {
      {"ZRa300 CNA", "11.1.179.6", "BC5.01a9", "11.1.179.6", "5.01a9"},
      {"Vyn 8Gb", "2.01a10", "3.20a1", "2.01a10", "3.20a1"},
      {"ZRa300 Vyn", "11.1.179.6", "3.20a1", "11.1.179.6", "3.20a1"},
      {"ZRa200", "FW2.72a2", "BC1.71a0", "2.72a2", "1.71a0"},
      {"ZRa200", "FW", "BC", "", ""},
      {"ZRa200", "F", "B", "", ""},
      {"zra300", "FW1", "BC1", "1", "1"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.hba);
    QueryLine line{c.hba, "0200", "D07A", "0201", "D07A", c.firmware, c.boot};
    EXPECT_EQ(InstalledFirmware(line), c.installedFirmware);
    EXPECT_EQ(InstalledBootCode(line), c.installedBoot);
  }
}

}  // namespace
