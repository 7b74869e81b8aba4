// The usage text exactly as the program prints it, for the tests that check
// it: written out here rather than taken from the program, so that a change
// to the text fails them.
#ifndef TESTING_EXPECTED_USAGE_H_
#define TESTING_EXPECTED_USAGE_H_

inline constexpr char kExpectedUsage[] =
    "QZXXXXXX.tovix [options]\n"
    "    options\n"
    "    --------------------------\n"
    "    /f = Force the installation\n"
    "    /s = Execute silently\n"
    "    /d [path] = Perform self-discovery and output to [path]\n";

#endif  // TESTING_EXPECTED_USAGE_H_
