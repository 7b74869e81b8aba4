// Formatting the adapter table: column widths from the longest cell, every
// column but the last padded to its width.

#include "fchba/adapter_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kColumns = 8;
using Row = std::array<std::string, kColumns>;

template <size_t size>
std::string cell(const char (&field)[size]) {
  std::string text(field, strnlen(field, size));
  if (text.empty())
    return "-";
  for (char& c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f)
      c = '?';
  }
  return text;
}

}  // namespace

std::string formatAdapterTable(const AdapterList& list) {
  std::vector<Row> rows = {{"NODE WWN", "PORT WWN", "PCI ID", "SUBSYSTEM", "DRIVER", "FIRMWARE",
                            "BOOT ROM", "MODEL"}};
  for (const AdapterRecord& record : list) {
    rows.push_back({cell(record.nodeWwn), cell(record.portWwn), cell(record.pciId),
                    cell(record.subsystemId), cell(record.driverVersion),
                    cell(record.firmwareVersion), cell(record.optionRomVersion),
                    cell(record.model)});
  }

  std::array<size_t, kColumns> widths = {};
  for (const Row& row : rows) {
    for (size_t column = 0; column < kColumns; ++column)
      widths[column] = std::max(widths[column], row[column].size());
  }

  std::string table;
  for (const Row& row : rows) {
    for (size_t column = 0; column < kColumns; ++column) {
      table += row[column];
      if (column + 1 < kColumns)
        table += std::string(widths[column] - row[column].size() + 2, ' ');
    }
    table += '\n';
  }
  return table;
}
