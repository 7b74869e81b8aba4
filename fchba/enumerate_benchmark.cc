// Cost of the default adapter discovery per adapter. Every adapter costs one
// search of the whole sysfs tree plus a small command per candidate device,
// so the cost grows with the number of adapters and with the size of the
// tree. Measured over fake management libraries reporting N adapters, once
// on a fake sysfs tree holding just their devices and once on this machine's
// real /sys. Measured in wall time, since the work is done by the commands
// the shell runs; items_per_second is adapters per second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "fchba/enumerate.h"
#include "fchba/pci_identity.h"
#include "fchba/registry.h"
#include "fchba/test_support.h"

namespace {

using fchba_test::addPciDevice;
using fchba_test::FakePciDevice;
using fchba_test::Stage;

// A library serving `count` adapters at 0000:BB:00.1 (BB = index + 1), each
// with its device in the fake tree under `stage`.
void stageAdapters(const Stage& stage, int count) {
  std::string fixture;
  for (int i = 0; i < count; ++i) {
    char line[160];
    snprintf(line, sizeof(line),
             "adapter Dovane-%d wwn=10000000000000%02x identity=0x0301d07a bus=%d function=1\n", i,
             i, i + 1);
    fixture += line;
    char address[32];
    snprintf(address, sizeof(address), "0000:%02x:00.1", i + 1);
    FakePciDevice device;
    device.address = address;
    addPciDevice(stage.scratch / "sys", device);
  }
  std::string path = stage.library(FAKE_MANAGEMENT_VENDOR_LIBRARY, "opt/libdvsdm.so", "m", fixture);
  stage.config("m " + path + "\n");
}

void runDiscovery(benchmark::State& state, bool realSysfs) {
  Stage stage;
  int count = static_cast<int>(state.range(0));
  stageAdapters(stage, count);
  std::string sysfs = realSysfs ? kSysfsDir : stage.scratch / "sys";
  for (auto _ : state) {
    FcHbaRegistry registry(FcHbaPaths{stage.root()});
    AdapterList list;
    enumerateAdapters(list, registry, sysfs);
    if (list.size() != static_cast<size_t>(count)) {
      state.SkipWithError("the discovery missed adapters");
      return;
    }
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_DiscoveryOnFakeTree(benchmark::State& state) { runDiscovery(state, false); }
void BM_DiscoveryOnRealSys(benchmark::State& state) { runDiscovery(state, true); }

BENCHMARK(BM_DiscoveryOnFakeTree)
    ->Arg(1)
    ->Arg(8)
    ->Arg(64)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DiscoveryOnRealSys)
    ->Arg(1)
    ->Arg(8)
    ->Arg(64)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
