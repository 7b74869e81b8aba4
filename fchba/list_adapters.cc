// fchba-adapters: lists the Fibre Channel adapters that the management
// libraries named in /etc/hba.conf report, as the component's default
// adapter discovery records them, in one aligned table. It lets an
// administrator see on a real server what the discovery finds (and what it
// reads from sysfs) without running the component or touching its log.
//
// Exit code 0 when at least one adapter was listed, 1 when none was found,
// 2 for an unknown argument.

#include <cstdio>
#include <cstring>

#include "driver/adapter_list.h"
#include "fchba/adapter_table.h"
#include "fchba/enumerate.h"

int main(int argc, char** argv) {
  if (argc > 1) {
    bool help = strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0;
    fputs("usage: fchba-adapters\n"
          "Lists the adapters that the libraries in /etc/hba.conf report: node and\n"
          "first port WWN, PCI and subsystem ids, driver, firmware and boot ROM\n"
          "versions, and model.\n",
          help ? stdout : stderr);
    return help ? 0 : 2;
  }

  AdapterList adapters;
  enumerateAdapters(adapters);
  if (adapters.empty()) {
    fputs("No adapters found: no library listed in /etc/hba.conf reported one.\n", stdout);
    return 1;
  }
  fputs(formatAdapterTable(adapters).c_str(), stdout);
  return 0;
}
