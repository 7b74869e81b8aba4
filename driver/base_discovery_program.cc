// A test-only program: the component base on its own, with its default
// adapter discovery, started and run exactly as the real entry point runs
// the vendor component. The end-to-end tests use it to watch the default
// discovery inside the run sequence.
#include "driver/base_component.h"
#include "driver/command_line.h"

int main(int argc, char** argv) {
  CBaseCmp component;
  return RunFromCommandLine(component, argc, argv);
}
