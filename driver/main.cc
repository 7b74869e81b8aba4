// The component's entry point: one component, one pass, one exit code.
#include "driver/command_line.h"
#include "vendor/component.h"

int main(int argc, char** argv) {
  DovaneComp::CComponent component;
  return RunFromCommandLine(component, argc, argv);
}
