// Tests of the adapter table's layout: aligned columns, placeholders for
// empty texts, and texts that cannot break a row.

#include "fchba/adapter_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

AdapterRecord record(const char* nodeWwn, const char* portWwn, const char* model,
                     const char* driver) {
  AdapterRecord r;
  strcpy(r.nodeWwn, nodeWwn);
  strcpy(r.portWwn, portWwn);
  strcpy(r.pciId, "d07a0300");
  strcpy(r.subsystemId, "d07a0301");
  strcpy(r.driverVersion, driver);
  strcpy(r.firmwareVersion, "11.1.183.21");
  strcpy(r.optionRomVersion, "5.02a1");
  strcpy(r.model, model);
  return r;
}

TEST(AdapterTable, AlignsColumnsAndMarksEmptyTexts) {
  AdapterList list = {
      record("10:00:00:00:00:00:00:01", "11:00:00:00:00:00:00:01", "ZRa300 CNA", "8.3.7"),
      record("20:00:00:00:00:00:00:02", "", "Vyn", "10.2.370.9"),
  };
  EXPECT_EQ(
      "NODE WWN                 PORT WWN                 PCI ID    SUBSYSTEM  DRIVER      "
      "FIRMWARE     BOOT ROM  MODEL\n"
      "10:00:00:00:00:00:00:01  11:00:00:00:00:00:00:01  d07a0300  d07a0301   8.3.7       "
      "11.1.183.21  5.02a1    ZRa300 CNA\n"
      "20:00:00:00:00:00:00:02  -                        d07a0300  d07a0301   10.2.370.9  "
      "11.1.183.21  5.02a1    Vyn\n",
      formatAdapterTable(list));
}

TEST(AdapterTable, ControlCharactersCannotBreakARow) {
  AdapterList list = {record("N", "P", "two\nlines\x1b[2J", "d\tv")};
  std::string table = formatAdapterTable(list);
  EXPECT_NE(std::string::npos, table.find("d?v"));
  EXPECT_NE(std::string::npos, table.find("two?lines?[2J\n"));
  EXPECT_EQ(2, std::count(table.begin(), table.end(), '\n'));
}

}  // namespace
