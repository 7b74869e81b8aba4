// The component's only ways into the system shell. Every external command
// (mkdir, unzip, the flash engine, ...) goes through one of these two.
#ifndef DRIVER_SHELL_H_
#define DRIVER_SHELL_H_

#include <string>

// Runs the command line through /bin/sh with a read pipe and returns all it
// wrote to standard output; its exit status is not reported. Returns "ERROR"
// when the pipe cannot be opened.
std::string RunCommand(const std::string& command);

// Runs the command line through /bin/sh, waits for it and returns the wait
// status as system() gives it (-1 when no child could be made).
int RunShell(const std::string& command);

#endif  // DRIVER_SHELL_H_
