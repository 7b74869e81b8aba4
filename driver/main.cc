// The component's entry point: one component, one pass, one exit code.
#include <cstdio>

#include "driver/command_line.h"
#include "vendor/component.h"

int main(int argc, char** argv) {
  DovaneComp::CComponent component;
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
