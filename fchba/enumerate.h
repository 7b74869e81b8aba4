// The default adapter discovery: every adapter of every management library,
// walked in order, becomes one AdapterRecord of fixed-width texts (WWNs,
// PCI and subsystem ids, versions, model) appended to an AdapterList.

#ifndef FCHBA_ENUMERATE_H_
#define FCHBA_ENUMERATE_H_

#include <string>

#include "driver/adapter_list.h"

class FcHbaAdapter;
class FcHbaRegistry;

// Walks the adapters of the process registry ("/etc/hba.conf") and appends
// one record per adapter to `list`, searching /sys for each one's PCI ids.
// An adapter whose load failed is recorded all the same, after the line
// "MRA get returned failed status!" on standard output. Never empties `list`
// first; always returns 1.
int enumerateAdapters(AdapterList& list);
// The same over `registry`, searching `sysfsDir` instead of /sys.
int enumerateAdapters(AdapterList& list, FcHbaRegistry& registry, const std::string& sysfsDir);

// The record of one loaded adapter. A text longer than its field is cut to
// the field; an adapter without ports gets an empty port WWN.
AdapterRecord makeAdapterRecord(const FcHbaAdapter& adapter, const std::string& sysfsDir);

#endif  // FCHBA_ENUMERATE_H_
