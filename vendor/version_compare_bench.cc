// Cost of one CompareVersions call over the documented example rows.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "vendor/version_compare.h"

namespace {

const std::pair<const wchar_t*, const wchar_t*> kRows[] = {
    {L"11.1.183.21", L"11.1.179.6"}, {L"2.10", L"2.9"}, {L"2.10a", L"2.9"}, {L"01.2", L"1.2"},
    {L"1.0", L"1"},                  {L"1", L"1.0"},    {L"5.02A1", L"5.02a1"}, {L"", L""},
};

void BM_CompareVersions(benchmark::State& state) {
  const size_t rows = sizeof kRows / sizeof kRows[0];
  std::wstring a[rows];
  std::wstring b[rows];
  for (size_t i = 0; i < rows; ++i) {
    a[i] = kRows[i].first;
    b[i] = kRows[i].second;
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DovaneComp::CompareVersions(a[i], b[i]));
    i = (i + 1) % rows;
  }
}
BENCHMARK(BM_CompareVersions);

}  // namespace
