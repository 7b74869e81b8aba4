// The component's only ways into the system shell. Every external command
// (mkdir, unzip, the flash engine, the sysfs search, ...) goes through one of
// these.
#ifndef DRIVER_SHELL_H_
#define DRIVER_SHELL_H_

#include <functional>
#include <string>

// Runs the command line through /bin/sh with a read pipe and returns all it
// wrote to standard output; its exit status is not reported. Returns "ERROR"
// when the pipe cannot be opened.
std::string RunCommand(const std::string& command);

// Runs the command line through /bin/sh, waits for it and returns the wait
// status as system() gives it (-1 when no child could be made).
int RunShell(const std::string& command);

// Runs the command line through /bin/sh with a read pipe and hands each line
// of its standard output, whole and with its newline, to `onLine` until the
// output ends or `onLine` returns false; then closes the pipe, which waits
// for the command. False when the pipe could not be opened.
bool ForEachOutputLine(const std::string& command,
                       const std::function<bool(const std::string& line)>& onLine);

// `text` as one shell word: unchanged when it is made only of letters, digits
// and "_./:,+@%=-" (as sysfs paths are), otherwise in single quotes with each
// quote inside spelled '\''. No text so quoted can end the word or run a
// command.
std::string ShellQuote(const std::string& text);

#endif  // DRIVER_SHELL_H_
