#include "vendor/discovery_report.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "testing/temp_dir.h"

namespace {

const char kEmptyReport[] =
    "<?xml version=\"1.0\"?>\n"
    "<qv_rom_discovery version=\"2.0.0.0\">\n"
    "  <type value=\"\"/>\n"
    "  <alt_name value=\"\"/>\n"
    "  <version value=\"\"/>\n"
    "  <takes_effect value=\"\"/>\n"
    "  <devices/>\n"
    "</qv_rom_discovery>\n";

FirmwareItem Item(const wchar_t* type, const wchar_t* version, const wchar_t* active,
                  const wchar_t* action, const wchar_t* shared) {
  FirmwareItem item;
  item.type = type;
  item.version = version;
  item.active_version = active;
  item.action = action;
  item.duration = L"180";
  item.shared = shared;
  return item;
}

DeviceEntry TwoItemDevice() {
  DeviceEntry device;
  device.device_id = L"d07a.e200.d07a.e202";
  device.product_id = L"ZRa300";
  device.fw_items.push_back(Item(L"Firmware", L"11.1.183.21", L"11.1.179.6", L"upgrade", L"no"));
  device.fw_items.push_back(Item(L"Boot BIOS ROM", L"5.02a1", L"5.02a1", L"rewrite", L""));
  return device;
}

TEST(DiscoveryReportTest, EmptyDeviceListGivesAnEmptyDevicesElement) {
  TempDir dir;
  ASSERT_TRUE(SaveDiscoveryReport(dir.file("r.xml"), ReportTexts(), {}));
  EXPECT_EQ(ReadFile(dir.file("r.xml")), kEmptyReport);
}

TEST(DiscoveryReportTest, DevicesAndItemsInListOrder) {
  TempDir dir;
  DeviceEntry firmwareOnly;
  firmwareOnly.device_id = L"D07A.F100.D07A.F100";
  firmwareOnly.product_id = L"ZRa200";
  firmwareOnly.fw_items.push_back(Item(L"Firmware", L"2.82a4", L"2.72a2", L"upgrade", L"no"));
  ReportTexts texts{L"CNA", L"alt", L"1.0", L"reboot"};

  ASSERT_TRUE(SaveDiscoveryReport(dir.file("r.xml"), texts, {TwoItemDevice(), firmwareOnly}));
  EXPECT_EQ(ReadFile(dir.file("r.xml")),
            "<?xml version=\"1.0\"?>\n"
            "<qv_rom_discovery version=\"2.0.0.0\">\n"
            "  <type value=\"CNA\"/>\n"
            "  <alt_name value=\"alt\"/>\n"
            "  <version value=\"1.0\"/>\n"
            "  <takes_effect value=\"reboot\"/>\n"
            "  <devices>\n"
            "    <device>\n"
            "      <device_id value=\"d07a.e200.d07a.e202\"/>\n"
            "      <product_id value=\"ZRa300\"/>\n"
            "      <busnumber value=\"\"/>\n"
            "      <funcnumber value=\"\"/>\n"
            "      <fw_item>\n"
            "        <type value=\"Firmware\"/>\n"
            "        <firmware_id value=\"\"/>\n"
            "        <version value=\"11.1.183.21\"/>\n"
            "        <active_version value=\"11.1.179.6\"/>\n"
            "        <action value=\"upgrade\"/>\n"
            "        <duration value=\"180\"/>\n"
            "        <message value=\"\"/>\n"
            "        <shared value=\"no\"/>\n"
            "      </fw_item>\n"
            "      <fw_item>\n"
            "        <type value=\"Boot BIOS ROM\"/>\n"
            "        <firmware_id value=\"\"/>\n"
            "        <version value=\"5.02a1\"/>\n"
            "        <active_version value=\"5.02a1\"/>\n"
            "        <action value=\"rewrite\"/>\n"
            "        <duration value=\"180\"/>\n"
            "        <message value=\"\"/>\n"
            "        <shared value=\"\"/>\n"
            "      </fw_item>\n"
            "    </device>\n"
            "    <device>\n"
            "      <device_id value=\"D07A.F100.D07A.F100\"/>\n"
            "      <product_id value=\"ZRa200\"/>\n"
            "      <busnumber value=\"\"/>\n"
            "      <funcnumber value=\"\"/>\n"
            "      <fw_item>\n"
            "        <type value=\"Firmware\"/>\n"
            "        <firmware_id value=\"\"/>\n"
            "        <version value=\"2.82a4\"/>\n"
            "        <active_version value=\"2.72a2\"/>\n"
            "        <action value=\"upgrade\"/>\n"
            "        <duration value=\"180\"/>\n"
            "        <message value=\"\"/>\n"
            "        <shared value=\"no\"/>\n"
            "      </fw_item>\n"
            "    </device>\n"
            "  </devices>\n"
            "</qv_rom_discovery>\n");
}

TEST(DiscoveryReportTest, BytesAreThoseOfTheLibrarysOwnFormattedFileSave) {
  TempDir dir;
  DeviceEntry device = TwoItemDevice();
  device.product_id = std::wstring(L"a<b & \"c\" ") + wchar_t(0xC3) + wchar_t(0xA9);
  ASSERT_TRUE(SaveDiscoveryReport(dir.file("ours.xml"), ReportTexts(), {device}));

  // The same document saved by the library to a file name of its own choosing.
  xmlDoc* doc = xmlReadFile(dir.file("ours.xml").c_str(), nullptr, XML_PARSE_NOBLANKS);
  ASSERT_NE(doc, nullptr);
  ASSERT_GT(xmlSaveFormatFile(dir.file("library.xml").c_str(), doc, 1), 0);
  xmlFreeDoc(doc);
  EXPECT_EQ(ReadFile(dir.file("ours.xml")), ReadFile(dir.file("library.xml")));
}

TEST(DiscoveryReportTest, ValuesAreWrittenOneBytePerCharacterAndEscaped) {
  TempDir dir;
  DeviceEntry device;
  // Code 0x141 keeps its low byte 0x41; the UTF-8 bytes of "é" reach the
  // library, which writes the character as a reference.
  device.product_id = std::wstring(L"a<b&\"") + wchar_t(0x141) + wchar_t(0xC3) + wchar_t(0xA9);
  ASSERT_TRUE(SaveDiscoveryReport(dir.file("r.xml"), ReportTexts(), {device}));
  std::string report = ReadFile(dir.file("r.xml")).value_or("");
  EXPECT_NE(report.find("<product_id value=\"a&lt;b&amp;&quot;A&#xE9;\"/>"), std::string::npos)
      << report;
}

TEST(DiscoveryReportTest, PathIsTakenLiterally) {
  TempDir dir;
  // The XML library alone would write "-" to standard output and "%41" as "A".
  for (const char* name : {"-", "r%41.xml", "with space.xml"}) {
    SCOPED_TRACE(name);
    std::string path = dir.file(name);
    ASSERT_TRUE(SaveDiscoveryReport(path, ReportTexts(), {}));
    EXPECT_EQ(ReadFile(path), kEmptyReport);
  }
  EXPECT_FALSE(ReadFile(dir.file("rA.xml")).has_value());
}

TEST(DiscoveryReportTest, ExistingFileIsReplaced) {
  TempDir dir;
  WriteFile(dir.file("r.xml"), std::string(10000, 'x'));
  ASSERT_TRUE(SaveDiscoveryReport(dir.file("r.xml"), ReportTexts(), {}));
  EXPECT_EQ(ReadFile(dir.file("r.xml")), kEmptyReport);
}

TEST(DiscoveryReportTest, UnwritablePathFails) {
  TempDir dir;
  WriteFile(dir.file("plain"), "");
  for (const std::string& path :
       {dir.file("missing/r.xml"), dir.path(), dir.file("plain/r.xml"), std::string()}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(SaveDiscoveryReport(path, ReportTexts(), {TwoItemDevice()}));
  }
  EXPECT_FALSE(ReadFile(dir.file("missing/r.xml")).has_value());
}

}  // namespace
