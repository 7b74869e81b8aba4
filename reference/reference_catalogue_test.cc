#include "reference/reference_catalogue.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <cwchar>
#include <string>
#include <vector>

#include "reference/attribute_text.h"
#include "testing/temp_dir.h"

namespace {

// The shape of a device, compactly: its texts joined by "|", then whether it
// has a boot ROM.
std::string Describe(const ReferenceDevice& d) {
  std::wstring texts = d.type + L"|" + d.device_id + L"|" + d.model + L"|" + d.firmware + L"|" +
                       d.bios + L"|" + d.boot + L"|" + d.duration;
  return std::string(texts.begin(), texts.end()) + (d.has_boot_rom ? " rom" : " no-rom");
}

struct Loaded {
  bool ok = false;
  ReferenceCatalogue catalogue;
  std::vector<std::string> devices;
};

Loaded Load(const std::string& xml) {
  TempDir dir;
  WriteFile(dir.file("reference.xml"), xml);
  Loaded loaded;
  loaded.ok = LoadReferenceCatalogue(loaded.catalogue, dir.file("reference.xml").c_str());
  for (const ReferenceDevice& device : loaded.catalogue.referenceDevices)
    loaded.devices.push_back(Describe(device));
  return loaded;
}

const char kFullDevice[] =
    "<device>\n"
    "  <type value=\"CNA\"/>\n"
    "  <device_id value=\"D07A.E200.D07A.E202\"/>\n"
    "  <model value=\"ZRa300 dual port\"/>\n"
    "  <firmware value=\"11.1.183.21\"/>\n"
    "  <bios value=\"5.02a1\"/>\n"
    "  <boot value=\"2.82a4\"/>\n"
    "  <duration value=\"180\"/>\n"
    "</device>\n";

TEST(ReferenceCatalogueTest, ReadsDevicesAndPaths) {
  Loaded loaded = Load(std::string("<?xml version=\"1.0\"?>\n<!-- package catalogue -->\n") +
                       "<pelmo_fchba_reference>\n"
                       "  <discovery_app_path><![CDATA[./discover.sh]]></discovery_app_path>\n"
                       "  <installer_app_path><![CDATA[./install.sh]]></installer_app_path>\n"
                       "  <devices>\n" +
                       kFullDevice + "  <other/>\n  <device/>\n  </devices>\n"
                       "</pelmo_fchba_reference>\n");
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.catalogue.discovery_app_path, L"./discover.sh");
  EXPECT_EQ(loaded.catalogue.installer_app_path, L"./install.sh");
  EXPECT_EQ(loaded.devices,
            (std::vector<std::string>{
                "CNA|D07A.E200.D07A.E202|ZRa300 dual port|11.1.183.21|5.02a1|2.82a4|180 rom",
                "|||||| rom"}));
}

TEST(ReferenceCatalogueTest, DeviceFieldsTable) {
  const struct {
    const char* device;
    const char* expected;
  } kCases[] = {
      {"<device><bios value=\"\"/></device>", "|||||| no-rom"},
      {"<device><model value=\"M\"/></device>", "||M|||| rom"},
      {"<device><bios value=\"\"/><bios value=\"3.1\"/></device>", "||||3.1|| no-rom"},
      {"<device><bios value=\"3.1\"/><bios value=\"\"/></device>", "|||||| no-rom"},
      {"<device><bios/></device>", "|||||| no-rom"},
      {"<device><firmware value=\"1\"/><firmware value=\"2\"/></device>", "|||2||| rom"},
      {"<device><model value=\"M\">ignored content</model><size value=\"9\"/></device>",
       "||M|||| rom"},
      {"<device><model Value=\"x\" value=\"M\" other=\"y\"/></device>", "||M|||| rom"},
      {"<device><model value=\"a &amp; b &#233;\"/></device>", "||a & b \xC3\xA9|||| rom"},
      {"<device><!-- c --><?pi x?><type value=\"T\"/></device>", "T|||||| rom"},
      {"<device><group><type value=\"nested\"/></group></device>", "|||||| rom"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.device);
    Loaded loaded = Load(std::string("<pelmo_fchba_reference><devices>") + c.device +
                         "</devices></pelmo_fchba_reference>");
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.devices, std::vector<std::string>{c.expected});
  }
}

TEST(ReferenceCatalogueTest, TextsKeepTheirUtf8BytesOneCharacterEach) {
  Loaded loaded = Load(
      "<pelmo_fchba_reference><devices><device><model value=\"caf\xC3\xA9\"/></device>"
      "</devices></pelmo_fchba_reference>");
  ASSERT_EQ(loaded.catalogue.referenceDevices.size(), 1u);
  EXPECT_EQ(loaded.catalogue.referenceDevices[0].model,
            (std::wstring{L'c', L'a', L'f', 0xC3, 0xA9}));
}

TEST(ReferenceCatalogueTest, DocumentShapesTable) {
  const struct {
    const char* name;
    std::string xml;
    size_t devices;
    const wchar_t* discoveryPath;
  } kCases[] = {
      {"no blanks anywhere",
       "<pelmo_fchba_reference><devices><device/><device/></devices></pelmo_fchba_reference>", 2,
       L""},
      {"several devices elements add up",
       "<pelmo_fchba_reference><devices><device/></devices><x/><devices><device/></devices>"
       "</pelmo_fchba_reference>",
       2, L""},
      {"another root yields nothing", "<catalogue><devices><device/></devices></catalogue>", 0,
       L""},
      {"devices as the root", "<devices><device/></devices>", 1, L""},
      {"elements after the root are not visited",
       "<pelmo_fchba_reference/><!-- <devices><device/></devices> -->", 0, L""},
      {"nothing at all", "<pelmo_fchba_reference/>", 0, L""},
      {"path as plain text",
       "<pelmo_fchba_reference><discovery_app_path>./d.sh</discovery_app_path>"
       "</pelmo_fchba_reference>",
       0, L""},
      {"blank before the section",
       "<pelmo_fchba_reference><discovery_app_path>\n<![CDATA[./d.sh]]></discovery_app_path>"
       "</pelmo_fchba_reference>",
       0, L""},
      {"section keeps markup characters",
       "<pelmo_fchba_reference><discovery_app_path><![CDATA[a<b & c]]></discovery_app_path>"
       "</pelmo_fchba_reference>",
       0, L"a<b & c"},
      {"document type declaration named like the root",
       "<!DOCTYPE pelmo_fchba_reference>\n<pelmo_fchba_reference><devices><device/></devices>"
       "</pelmo_fchba_reference>",
       1, L""},
      {"processing instruction named like an element",
       "<?devices x?><pelmo_fchba_reference><devices><device/></devices></pelmo_fchba_reference>",
       1, L""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Loaded loaded = Load(c.xml);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.devices.size(), c.devices);
    EXPECT_EQ(loaded.catalogue.discovery_app_path, c.discoveryPath);
  }
}

TEST(ReferenceCatalogueTest, UnreadableFilesFail) {
  const struct {
    const char* name;
    std::string content;
  } kCases[] = {
      {"empty", ""},
      {"not well-formed", "<pelmo_fchba_reference><devices></pelmo_fchba_reference>"},
      {"binary garbage", std::string("\x00\xFF\xFE<\x01\x02", 6) + std::string(4096, '\x9C')},
      {"repeated attribute", "<r><model value=\"a\" value=\"b\"/></r>"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    testing::internal::CaptureStderr();  // the XML library's own diagnostics
    Loaded loaded = Load(c.content);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.devices.empty());
  }

  ReferenceCatalogue catalogue;
  TempDir dir;
  EXPECT_FALSE(LoadReferenceCatalogue(catalogue, dir.file("reference.xml").c_str()));
}

TEST(ReferenceCatalogueTest, LargeCatalogueLoadsCompletely) {
  // About 50 MB: every device has padding the loader skips.
  const std::string padding(200, ' ');
  std::string xml = "<pelmo_fchba_reference><devices>\n";
  const int kDevices = 200000;
  for (int i = 0; i < kDevices; ++i) {
    xml += "<device><device_id value=\"d07a." + std::to_string(i) + "\"/>" + padding +
           "<firmware value=\"1.2.3\"/>" + padding + "</device>\n";
  }
  xml += "</devices></pelmo_fchba_reference>\n";
  ASSERT_GT(xml.size(), 50u * 1000 * 1000);

  Loaded loaded = Load(xml);
  ASSERT_TRUE(loaded.ok);
  ASSERT_EQ(loaded.catalogue.referenceDevices.size(), static_cast<size_t>(kDevices));
  EXPECT_EQ(loaded.catalogue.FindDeviceIndex(L"D07A.199999"), kDevices - 1);
}

TEST(ReferenceCatalogueTest, LookupIgnoresCaseAndGivesTheFirstMatch) {
  ReferenceCatalogue catalogue;
  for (const wchar_t* id : {L"D07A.E200.D07A.E202", L"d07a.e200.d07a.e202", L"d07a.f100.d07a.f100",
                            L"ABC\u00C9", L""}) {
    ReferenceDevice device;
    device.device_id = id;
    catalogue.referenceDevices.push_back(device);
  }
  const struct {
    const wchar_t* id;
    int index;
  } kCases[] = {
      {L"d07a.e200.d07a.e202", 0}, {L"D07A.E200.D07A.E202", 0}, {L"D07a.F100.d07A.f100", 2},
      {L"abc\u00C9", 3},           {L"", 4},
      {L"d07a.e200.d07a.e20", -1}, {L"d07a.e200.d07a.e2022", -1},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(catalogue.FindDeviceIndex(c.id), c.index);

  // Whatever the text, the lookup agrees with a plain scan by wcscasecmp.
  for (const wchar_t* id : {L"abc\u00E9", L"ABC\u00C9", L"\u0130", L"D07A.e200.D07A.e202"}) {
    int scanned = -1;
    for (size_t i = 0; i < catalogue.referenceDevices.size() && scanned < 0; ++i) {
      if (wcscasecmp(catalogue.referenceDevices[i].device_id.c_str(), id) == 0)
        scanned = static_cast<int>(i);
    }
    EXPECT_EQ(catalogue.FindDeviceIndex(id), scanned);
  }

  // Devices added after a lookup are found too.
  ReferenceDevice late;
  late.device_id = L"c0de.0250.c0de.0151";
  catalogue.referenceDevices.push_back(late);
  EXPECT_EQ(catalogue.FindDeviceIndex(L"c0de.0250.c0de.0151"), 5);
  EXPECT_EQ(ReferenceCatalogue().FindDeviceIndex(L"d07a.e200.d07a.e202"), -1);
}

TEST(AttributeTextTest, LastOfRepeatedAttributesCountsAndOnlyElementsHaveAttributes) {
  xmlDoc* doc = xmlNewDoc(nullptr);
  xmlNode* element = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar*>("bios"), nullptr);
  xmlDocSetRootElement(doc, element);
  xmlNewProp(element, reinterpret_cast<const xmlChar*>("value"),
             reinterpret_cast<const xmlChar*>("first"));
  xmlNewProp(element, reinterpret_cast<const xmlChar*>("value"),
             reinterpret_cast<const xmlChar*>("last"));
  xmlNode* text = xmlNewDocText(doc, reinterpret_cast<const xmlChar*>("x"));
  xmlAddChild(element, text);

  EXPECT_EQ(GetAttributeText(element, "value"), L"last");
  EXPECT_EQ(GetAttributeText(element, "missing"), L"");
  EXPECT_EQ(GetAttributeText(text, "value"), L"");
  EXPECT_EQ(GetAttributeText(nullptr, "value"), L"");
  xmlFreeDoc(doc);
}

}  // namespace
