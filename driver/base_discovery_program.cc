// A test-only program: the component base on its own, with its default
// adapter discovery, started and run exactly as the real entry point runs
// the vendor component. The end-to-end tests use it to watch the default
// discovery inside the run sequence.
#include <cstdio>

#include "driver/base_component.h"
#include "driver/command_line.h"

int main(int argc, char** argv) {
  CBaseCmp component;
  switch (ParseCommandLine(component, argc, argv)) {
    case kCommandLineUnusable:
      std::fputs("ERROR! : Failed to parse command line\n", stdout);
      return kExitFailure;
    case kCommandLineHelpShown:
      return kExitNothingChanged;
    default:
      return component.RunSequence();
  }
}
