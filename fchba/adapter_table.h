// The adapter records as an aligned text table, one row per record, for
// administrators reading a terminal.

#ifndef FCHBA_ADAPTER_TABLE_H_
#define FCHBA_ADAPTER_TABLE_H_

#include <string>

#include "driver/adapter_list.h"

// A heading row and one row per record: node WWN, port WWN, PCI id,
// subsystem id, driver, firmware, boot ROM version and model, in columns two
// spaces apart. An empty text shows as "-"; control characters show as "?"
// so that no text can move the cursor or break a row.
std::string formatAdapterTable(const AdapterList& list);

#endif  // FCHBA_ADAPTER_TABLE_H_
