// The component's command line: option words into the component's options.
#ifndef DRIVER_COMMAND_LINE_H_
#define DRIVER_COMMAND_LINE_H_

class CBaseCmp;

// Results of ParseCommandLine.
constexpr int kCommandLineUnusable = 0;
constexpr int kCommandLineRun = 1;
constexpr int kCommandLineHelpShown = 2;

// Sets quiet, force, discovery and reportPath from the arguments, in order,
// argument 0 included. Option words are case-sensitive; other arguments are
// ignored. "/h" shows the usage and stops the scan; "/d" without a following
// argument shows the usage and makes the command line unusable.
int ParseCommandLine(CBaseCmp& component, int argc, const char* const* argv);

void PrintUsage();

// What the entry point does with a made component: parses the command line,
// then shows the parse error, stops after help, or runs the run sequence.
// Returns the process exit code.
int RunFromCommandLine(CBaseCmp& component, int argc, const char* const* argv);

#endif  // DRIVER_COMMAND_LINE_H_
