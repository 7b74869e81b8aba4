#include "driver/command_line.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "driver/base_component.h"

namespace {

bool IsOneOf(const char* argument, std::initializer_list<const char*> words) {
  for (const char* word : words) {
    if (std::strcmp(argument, word) == 0)
      return true;
  }
  return false;
}

}  // namespace

int ParseCommandLine(CBaseCmp& component, int argc, const char* const* argv) {
  for (int i = 0; i < argc; ++i) {
    const char* argument = argv[i];
    if (IsOneOf(argument, {"/s", "-s"})) {
      component.log.quiet = true;
    } else if (IsOneOf(argument, {"/f", "-f", "/e", "-e", "/g", "-g"})) {
      component.force = true;
    } else if (IsOneOf(argument, {"/h", "-h"})) {
      PrintUsage();
      return kCommandLineHelpShown;
    } else if (IsOneOf(argument, {"/d", "-d"})) {
      component.discovery = true;
      if (i + 1 >= argc) {
        PrintUsage();
        return kCommandLineUnusable;
      }
      // The path is examined next like any argument: a path spelled like an
      // option word also takes effect as that option.
      component.reportPath = argv[i + 1];
    }
  }
  return kCommandLineRun;
}

void PrintUsage() {
  const char* const kLines[] = {
      "QZXXXXXX.tovix [options]",
      "    options",
      "    --------------------------",
      "    /f = Force the installation",
      "    /s = Execute silently",
      "    /d [path] = Perform self-discovery and output to [path]",
  };
  for (const char* line : kLines) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

int RunFromCommandLine(CBaseCmp& component, int argc, const char* const* argv) {
  switch (ParseCommandLine(component, argc, argv)) {
    case kCommandLineUnusable:
      // Not through the log: shown also when silent, never kept in the file.
      std::fputs("ERROR! : Failed to parse command line\n", stdout);
      return kExitFailure;
    case kCommandLineHelpShown:
      return kExitNothingChanged;
    default:
      return component.RunSequence();
  }
}
