#include "driver/shell.h"

#include <cstdio>
#include <cstdlib>

std::string RunCommand(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return "ERROR";

  std::string output;
  char piece[127];
  size_t got;
  while ((got = std::fread(piece, 1, sizeof piece, pipe)) > 0)
    output.append(piece, got);
  pclose(pipe);
  return output;
}

int RunShell(const std::string& command) {
  // Whatever the component echoed so far must reach standard output before
  // the child's own output does.
  std::fflush(stdout);
  return std::system(command.c_str());
}
