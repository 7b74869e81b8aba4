#include "vendor/firmware_items.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// type, version, active_version, action, shared of every item, joined.
std::string Describe(const DeviceEntry& entry) {
  std::string text = Narrow(entry.device_id) + " " + Narrow(entry.product_id);
  for (const FirmwareItem& item : entry.fw_items) {
    text += " [" + Narrow(item.type) + "|" + Narrow(item.version) + "|" +
            Narrow(item.active_version) + "|" + Narrow(item.action) + "|" + Narrow(item.duration) +
            "|" + Narrow(item.shared) + "]";
    EXPECT_EQ(item.firmware_id, L"");
    EXPECT_EQ(item.message, L"");
  }
  EXPECT_EQ(entry.busnumber, L"");
  EXPECT_EQ(entry.funcnumber, L"");
  return text;
}

ReferenceDevice Reference(const wchar_t* firmware, const wchar_t* bios, bool hasBootRom = true) {
  ReferenceDevice device;
  device.device_id = L"D07A.0200.D07A.0201";
  device.model = L"Model";
  device.firmware = firmware;
  device.bios = bios;
  device.duration = L"90";
  device.has_boot_rom = hasBootRom;
  return device;
}

TEST(FirmwareItemsTest, ItemsAndActionsByModel) {
  const struct {
    const char* name;
    QueryLine line;
    ReferenceDevice reference;
    const char* entry;
  } kCases[] = {
      {"upgrade both",
       {"ZRa200", "200", "d07a", "201", "d07a", "FW2.72a2", "BC1.70a0"},
       Reference(L"2.82a4", L"1.71a0"),
       "d07a.0200.d07a.0201 Model [Firmware|2.82a4|2.72a2|upgrade|90|no]"
       " [Boot BIOS ROM|1.71a0|1.70a0|upgrade|90|]"},
      {"ZRa300 carries its own firmware version and keeps the installed text whole",
       {"ZRa300 CNA", "0300", "D07A", "0301", "D07A", "11.1.183.21", "BC5.03a0"},
       Reference(L"1.0", L"5.02a1"),
       "D07A.0300.D07A.0301 Model [Firmware|11.1.183.21|11.1.183.21|rewrite|90|no]"
       " [Boot BIOS ROM|5.02a1|5.03a0|downgrade|90|]"},
      {"Vyn keeps both texts whole",
       {"Vyn 8Gb", "0b10", "d07a", "0b11", "d07a", "2.01a10", "3.20a1"},
       Reference(L"2.01a12", L"3.20a1"),
       "d07a.0b10.d07a.0b11 Model [Firmware|2.01a12|2.01a10|upgrade|90|no]"
       " [Boot BIOS ROM|3.20a1|3.20a1|rewrite|90|]"},
      {"dotless catalogue version compares with a dotless installed one",
       {"ZRa200", "200", "d07a", "201", "d07a", "FW2.82a4", "BC1.71a0"},
       Reference(L"282a4", L"1.71a0"),
       "d07a.0200.d07a.0201 Model [Firmware|282a4|282a4|rewrite|90|no]"
       " [Boot BIOS ROM|1.71a0|1.71a0|rewrite|90|]"},
      {"no boot ROM",
       {"ZRa200", "200", "d07a", "201", "d07a", "FW2.82a4", "BC1.71a0"},
       Reference(L"2.82a4", L"", false), "d07a.0200.d07a.0201 Model [Firmware|2.82a4|2.82a4|rewrite|90|no]"},
      {"two-character fields leave empty installed versions",
       {"ZRa200", "200", "d07a", "201", "d07a", "FW", "B"},
       Reference(L"2.82a4", L"1.71a0"),
       "d07a.0200.d07a.0201 Model [Firmware|2.82a4||upgrade|90|no]"
       " [Boot BIOS ROM|1.71a0||upgrade|90|]"},
      // Other models compare dotted versions piece by piece: 10 is above 9.
      {"dotted comparison for other models",
       {"ZRa100", "100", "d07a", "101", "d07a", "FW2.9", "BC1.0"},
       Reference(L"2.10", L"1.0"),
       "d07a.0100.d07a.0101 Model [Firmware|2.10|2.9|upgrade|90|no]"
       " [Boot BIOS ROM|1.0|1.0|rewrite|90|]"},
      // ZRa70 compares split at the first non-digit: 2 against 2, then 9 against 10.
      {"split comparison for ZRa70",
       {"ZRa70", "70", "d07a", "71", "d07a", "FW2.10", "BC1.0"},
       Reference(L"2.9", L"1.0"),
       "d07a.0070.d07a.0071 Model [Firmware|2.9|2.10|downgrade|90|no]"
       " [Boot BIOS ROM|1.0|1.0|rewrite|90|]"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Describe(MakeDeviceEntry(c.line, c.reference)), c.entry);
  }
}

TEST(FirmwareItemsTest, ActionOfComparison) {
  EXPECT_STREQ(ActionOfComparison(1), L"upgrade");
  EXPECT_STREQ(ActionOfComparison(0), L"rewrite");
  EXPECT_STREQ(ActionOfComparison(-1), L"downgrade");
}

}  // namespace
