// Loading a large catalogue against the XML library's own parse of the same
// file, and identity lookups for a server with many adapters.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cwchar>
#include <string>

#include "reference/reference_catalogue.h"
#include "testing/temp_dir.h"

namespace {

std::string Identity(int i) {
  char id[32];
  std::snprintf(id, sizeof id, "D07A.%04X.D07A.%04X", i & 0xFFFF, (i * 7) & 0xFFFF);
  return id;
}

// A catalogue of `devices` devices, written once per process.
const std::string& CatalogueFile(int devices) {
  static TempDir dir;
  static std::string path;
  if (path.empty()) {
    std::string xml = "<?xml version=\"1.0\"?>\n<pelmo_fchba_reference>\n  <devices>\n";
    for (int i = 0; i < devices; ++i) {
      xml += "    <device>\n      <type value=\"HBA\"/>\n      <device_id value=\"" + Identity(i) +
             "\"/>\n      <model value=\"ZRa200 4Gb FC HBA\"/>\n"
             "      <firmware value=\"2.82a4\"/>\n      <bios value=\"3.20a3\"/>\n"
             "      <boot value=\"1.71a0\"/>\n      <duration value=\"120\"/>\n    </device>\n";
    }
    xml += "  </devices>\n</pelmo_fchba_reference>\n";
    path = dir.file("reference.xml");
    WriteFile(path, xml);
  }
  return path;
}

constexpr int kDevices = 10000;

void BM_LibraryParseOnly(benchmark::State& state) {
  const std::string& path = CatalogueFile(kDevices);
  for (auto _ : state) {
    xmlInitParser();
    xmlDoc* doc = xmlParseFile(path.c_str());
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
    xmlCleanupParser();
  }
}
BENCHMARK(BM_LibraryParseOnly)->Unit(benchmark::kMillisecond);

void BM_LoadReferenceCatalogue(benchmark::State& state) {
  const std::string& path = CatalogueFile(kDevices);
  for (auto _ : state) {
    ReferenceCatalogue catalogue;
    bool ok = LoadReferenceCatalogue(catalogue, path.c_str());
    benchmark::DoNotOptimize(ok);
    if (catalogue.referenceDevices.size() != kDevices)
      state.SkipWithError("catalogue incomplete");
  }
}
BENCHMARK(BM_LoadReferenceCatalogue)->Unit(benchmark::kMillisecond);

// 1,000 adapters looked up in the 10,000-device catalogue, the last ones
// among them, as discovery does once per adapter.
void BM_ThousandLookups(benchmark::State& state) {
  ReferenceCatalogue catalogue;
  LoadReferenceCatalogue(catalogue, CatalogueFile(kDevices).c_str());
  std::vector<std::wstring> asked;
  for (int i = kDevices - 1000; i < kDevices; ++i) {
    std::string id = Identity(i);
    for (char& c : id)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    asked.emplace_back(id.begin(), id.end());
  }
  for (auto _ : state) {
    ReferenceCatalogue fresh = catalogue;  // the index is built within the run
    int found = 0;
    for (const std::wstring& id : asked)
      found += fresh.FindDeviceIndex(id) >= 0;
    if (found != 1000)
      state.SkipWithError("lookup missed");
  }
}
BENCHMARK(BM_ThousandLookups)->Unit(benchmark::kMillisecond);

// The same lookups as a plain scan by wcscasecmp would do them, for scale.
void BM_ThousandScans(benchmark::State& state) {
  ReferenceCatalogue catalogue;
  LoadReferenceCatalogue(catalogue, CatalogueFile(kDevices).c_str());
  std::vector<std::wstring> asked;
  for (int i = kDevices - 1000; i < kDevices; ++i) {
    std::string id = Identity(i);
    asked.emplace_back(id.begin(), id.end());
  }
  for (auto _ : state) {
    int found = 0;
    for (const std::wstring& id : asked) {
      for (const ReferenceDevice& device : catalogue.referenceDevices) {
        if (wcscasecmp(device.device_id.c_str(), id.c_str()) == 0) {
          ++found;
          break;
        }
      }
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_ThousandScans)->Unit(benchmark::kMillisecond);

}  // namespace

// "--once parse FILE" and "--once load FILE" do one of the two in a fresh
// process, as a run of the component does, for timing whole processes.
int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--once") {
    if (std::string(argv[2]) == "parse") {
      xmlInitParser();
      xmlDoc* doc = xmlParseFile(argv[3]);
      xmlFreeDoc(doc);
      xmlCleanupParser();
      return doc == nullptr;
    }
    ReferenceCatalogue catalogue;
    return LoadReferenceCatalogue(catalogue, argv[3]) ? 0 : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "--write-catalogue") {
    WriteFile(argv[2], ReadFile(CatalogueFile(kDevices)).value_or(""));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
