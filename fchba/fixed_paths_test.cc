// The shipped paths, exercised for real: inside a private mount namespace,
// overlays put a staged "/etc/hba.conf" and staged libraries under /usr/lib,
// /usr/lib64 and /lib/cim, and the process registry (which knows no other
// paths) loads them. Nothing reaches the host's directories.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fchba/mra.h"
#include "fchba/registry.h"
#include "fchba/test_support.h"
#include "fchba/vendor_route.h"

namespace {

using fchba_test::runInSandbox;
using fchba_test::Stage;
using fchba_test::stageLibrary;

TEST(FixedPaths, ProcessRegistryAndVendorLibrariesAtTheirShippedPaths) {
  Stage stage;
  const std::string log = stage.scratch.callLog();
  // /usr/lib is the upper layer "usr-lib", and /lib/cim lies inside it.
  stageLibrary(FAKE_MANAGEMENT_VENDOR_LIBRARY, stage.scratch / "usr-lib/libqlsdm.so", "q", log,
               "adapter qlogic0 wwn=1000000000000001 identity=0x0101c0de bus=3 function=0\n");
  stageLibrary(FAKE_MANAGEMENT_LIBRARY, stage.scratch / "usr-lib/fc/libfc.so", "m", log,
               "adapter hba1 wwn=1000000000000002\nadapter Dovane2 wwn=1000000000000003\n");
  stageLibrary(FAKE_VENDOR_LIBRARY, stage.scratch / "usr-lib/cim/bfahbaapi.so", "b", log,
               "adapter hba1 wwn=1000000000000002 identity=0x02021657 bus=4 function=1 domain=1\n");
  stageLibrary(FAKE_VENDOR_LIBRARY, stage.scratch / "usr-lib64/libdvsdm.so", "d", log,
               "adapter Dovane2 wwn=1000000000000003 identity=0x03031234 bus=6 function=2\n");
  WriteFile(stage.scratch / "etc/hba.conf",
            "# management libraries\n"
            "qla\t/usr/lib64/libqlsdm-x86_64.so\n"
            "ql2 /usr/lib/libqlsdm.so\n"
            "fc /usr/lib/fc/libfc.so\n");

  bool skipped = false;
  std::string report = runInSandbox(
      stage.scratch,
      [] {
        std::ostringstream out;
        FcHbaMRA mra;
        FcHbaRegistry& registry = FcHbaRegistry::processRegistry();
        out << "adapters " << mra.adapterCount() << "\n";
        for (int slot = 0; slot < 3; ++slot) {
          out << "slot " << slot << " " << registry.librarySlot(slot).path << " "
              << static_cast<int>(registry.librarySlot(slot).state) << "\n";
        }
        FcHbaVendorRoute route(registry);
        for (uint32_t index = 0; index < mra.adapterCount(); ++index) {
          std::string name;
          registry.getAdapterName(index, name);
          uint32_t handle = registry.openAdapter(name);
          HBA_ADAPTERATTRIBUTES attributes = {};
          registry.getAdapterAttributes(handle, &attributes);
          registry.closeAdapter(handle);
          VendorIdentity identity;
          route.loadVendorIdentity(static_cast<int32_t>(index), name, attributes.NodeWWN, identity);
          out << name << " " << std::hex << identity.identityWord << " " << int(identity.pciBus)
              << " " << int(identity.pciFunction) << " " << int(identity.pciDomain) << std::dec
              << "\n";
        }
        return out.str();
      },
      skipped);
  if (skipped)
    GTEST_SKIP() << "no private mount namespace with overlays here";

  EXPECT_EQ(
      "adapters 3\n"
      "slot 0 /usr/lib64/libqlsdm 0\n"
      "slot 1 /usr/lib/libqlsdm.so 1\n"
      "slot 2 /usr/lib/fc/libfc.so 1\n"
      "qlogic0 101c0de 3 0 0\n"
      "hba1 2021657 4 1 1\n"
      "Dovane2 3031234 6 2 0\n",
      report);
  // The qlogic adapter took route A: the search libraries were loaded only
  // for the other two.
  const std::vector<std::string> calls = stage.calls();
  EXPECT_EQ(1u, fchba_test::linesStartingWith(calls, "q LBTFC_GetAdapterAttributes2").size());
  EXPECT_EQ(1u, fchba_test::linesStartingWith(calls, "b LBTFC_LoadLibrary").size());
  EXPECT_EQ(1u, fchba_test::linesStartingWith(calls, "d LBTFC_LoadLibrary").size());
}

}  // namespace
