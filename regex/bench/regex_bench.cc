// The engine side by side with std::regex (libstdc++) and PCRE2's interpreter
// (no JIT) on the work the component gives it: the inventory query over one
// query line, the release-text test of the operating-system identification,
// and searches over a 1 MB text. Compare the rows of one workload; each row
// includes what one call of the component would pay (a compiled pattern is
// reused where the component reuses it).
#define PCRE2_CODE_UNIT_WIDTH 8
#include <benchmark/benchmark.h>
#include <pcre2.h>

#include <memory>
#include <regex>
#include <string>

#include "regex/regex.h"

namespace {

const char kInventory[] =
    "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
    ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*";
const char kInventoryLine[] =
    "HBA=ZRa200-X NIC,Port=0,PCI ID=e1,VID=d07a,SSID=e2,SVID=d07a,Firmware=2.82A4,"
    "Boot Code=5.02a1\r";
const char kRelease[] = "Red Hat Enterprise Linux.*release 5.*";
const char kReleaseText[] =
    "Red Hat Enterprise Linux Server release 5.3 (Tikanga)\nKernel \\r on an \\m\n";

// About 1 MB of words and punctuation with one address near the end.
const std::string& megabyteText() {
  static const std::string text = [] {
    std::string t;
    const char* words[] = {"adapter ", "firmware, ", "port ", "link-up ", "speed=8G ",
                           "queue: ", "reset. "};
    for (unsigned i = 0; t.size() < (1u << 20); ++i) t += words[(i * 7 + i / 5) % 7];
    t += " mail admin@example now";
    return t;
  }();
  return text;
}

// PCRE2 interpreter, compiled once per benchmark like the others.
class Pcre2 {
 public:
  Pcre2(const char* pattern, uint32_t options) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, options,
                          &error, &offset, nullptr);
    data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
  }
  ~Pcre2() {
    pcre2_match_data_free(data_);
    pcre2_code_free(code_);
  }
  bool match(const std::string& text, PCRE2_SIZE from = 0) {
    return pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), from, 0,
                       data_, nullptr) >= 0;
  }
  PCRE2_SIZE end() const { return pcre2_get_ovector_pointer(data_)[1]; }

 private:
  pcre2_code* code_;
  pcre2_match_data* data_;
};

// --- Inventory query: whole-line match with DOT_ALL, seven groups taken.

void BM_Inventory_Ours(benchmark::State& state) {
  auto p = Pattern::compile(kInventory, Pattern::DOT_ALL);
  for (auto _ : state) {
    auto m = p->newMatcher(kInventoryLine);
    bool ok = m->matchesEntire();
    auto groups = m->groupTexts(false);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(groups);
  }
}
BENCHMARK(BM_Inventory_Ours);

void BM_Inventory_StdRegex(benchmark::State& state) {
  // ECMAScript has no dot-all flag: [\s\S] stands for an unescaped '.'.
  std::string pattern;
  for (const char* c = kInventory; *c != '\0'; ++c) {
    if (*c == '\\') {
      pattern += *c++;
      pattern += *c;
    } else if (*c == '.') {
      pattern += "[\\s\\S]";
    } else {
      pattern += *c;
    }
  }
  std::regex re(pattern);
  std::string line = kInventoryLine;
  for (auto _ : state) {
    std::smatch m;
    bool ok = std::regex_match(line, m, re);
    std::string first = m[1];
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(first);
  }
}
BENCHMARK(BM_Inventory_StdRegex);

void BM_Inventory_Pcre2(benchmark::State& state) {
  Pcre2 re(kInventory, PCRE2_DOTALL | PCRE2_ANCHORED | PCRE2_ENDANCHORED);
  std::string line = kInventoryLine;
  for (auto _ : state) benchmark::DoNotOptimize(re.match(line));
}
BENCHMARK(BM_Inventory_Pcre2);

// --- Release text: one-shot whole match with DOT_ALL + MULTI_LINE, as the
// identification calls it (the pattern is compiled on every call).

void BM_Release_Ours(benchmark::State& state) {
  std::string text = kReleaseText;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Pattern::matchesEntire(kRelease, text, Pattern::DOT_ALL | Pattern::MULTI_LINE));
  }
}
BENCHMARK(BM_Release_Ours);

void BM_Release_StdRegex(benchmark::State& state) {
  std::string text = kReleaseText;
  for (auto _ : state) {
    std::regex re("Red Hat Enterprise Linux[\\s\\S]*release 5[\\s\\S]*",
                  std::regex::ECMAScript | std::regex::multiline);
    benchmark::DoNotOptimize(std::regex_match(text, re));
  }
}
BENCHMARK(BM_Release_StdRegex);

void BM_Release_Pcre2(benchmark::State& state) {
  std::string text = kReleaseText;
  for (auto _ : state) {
    Pcre2 re(kRelease, PCRE2_DOTALL | PCRE2_MULTILINE | PCRE2_ANCHORED | PCRE2_ENDANCHORED);
    benchmark::DoNotOptimize(re.match(text));
  }
}
BENCHMARK(BM_Release_Pcre2);

// The same with the pattern compiled once, to separate match from compile.
void BM_ReleaseMatchOnly_Ours(benchmark::State& state) {
  auto p = Pattern::compile(kRelease, Pattern::DOT_ALL | Pattern::MULTI_LINE);
  std::string text = kReleaseText;
  for (auto _ : state) benchmark::DoNotOptimize(p->matchesEntire(text));
}
BENCHMARK(BM_ReleaseMatchOnly_Ours);

void BM_ReleaseMatchOnly_StdRegex(benchmark::State& state) {
  std::regex re("Red Hat Enterprise Linux[\\s\\S]*release 5[\\s\\S]*",
                std::regex::ECMAScript | std::regex::multiline);
  std::string text = kReleaseText;
  for (auto _ : state) benchmark::DoNotOptimize(std::regex_match(text, re));
}
BENCHMARK(BM_ReleaseMatchOnly_StdRegex);

void BM_ReleaseMatchOnly_Pcre2(benchmark::State& state) {
  Pcre2 re(kRelease, PCRE2_DOTALL | PCRE2_MULTILINE | PCRE2_ANCHORED | PCRE2_ENDANCHORED);
  std::string text = kReleaseText;
  for (auto _ : state) benchmark::DoNotOptimize(re.match(text));
}
BENCHMARK(BM_ReleaseMatchOnly_Pcre2);

// --- Searches over 1 MB: a short literal, and \w+@\w+.

void searchOurs(benchmark::State& state, const char* pattern) {
  auto p = Pattern::compile(pattern, 0);
  auto m = p->newMatcher(megabyteText());
  for (auto _ : state) {
    bool found = m->findFirst();
    if (!found) state.SkipWithError("not found");
    benchmark::DoNotOptimize(m->groupEnd(0));
  }
  state.SetBytesProcessed(state.iterations() * megabyteText().size());
}

void searchStd(benchmark::State& state, const char* pattern) {
  std::regex re(pattern);
  const std::string& text = megabyteText();
  for (auto _ : state) {
    std::smatch m;
    if (!std::regex_search(text, m, re)) state.SkipWithError("not found");
    benchmark::DoNotOptimize(m.position(0));
  }
  state.SetBytesProcessed(state.iterations() * megabyteText().size());
}

void searchPcre2(benchmark::State& state, const char* pattern) {
  Pcre2 re(pattern, 0);
  const std::string& text = megabyteText();
  for (auto _ : state) {
    if (!re.match(text)) state.SkipWithError("not found");
    benchmark::DoNotOptimize(re.end());
  }
  state.SetBytesProcessed(state.iterations() * megabyteText().size());
}

BENCHMARK_CAPTURE(searchOurs, Literal, "admin");
BENCHMARK_CAPTURE(searchStd, Literal, "admin");
BENCHMARK_CAPTURE(searchPcre2, Literal, "admin");
BENCHMARK_CAPTURE(searchOurs, WordAtWord, "\\w+@\\w+");
BENCHMARK_CAPTURE(searchStd, WordAtWord, "\\w+@\\w+");
BENCHMARK_CAPTURE(searchPcre2, WordAtWord, "\\w+@\\w+");

}  // namespace
