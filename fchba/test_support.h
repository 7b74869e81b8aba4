// Helpers for the adapter layer's tests: a scratch directory, staging copies
// of the fake libraries with their fixtures, reading the recorded calls, and
// a sandbox that runs a scenario against the real fixed paths.

#ifndef FCHBA_TEST_SUPPORT_H_
#define FCHBA_TEST_SUPPORT_H_

#include <functional>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace fchba_test {

// A fresh directory, removed with everything in it when the object goes.
class ScratchDir : public TempDir {
 public:
  std::string operator/(const std::string& relative) const { return file(relative); }
  // The file every fake library of a test records its calls in.
  std::string callLog() const { return file("calls.log"); }
};

// A scratch directory used as the root of a registry's fixed paths, with
// helpers to stage the configuration file and fake libraries in it.
class Stage {
 public:
  // Copies `library` to `relative` under the scratch directory; its calls
  // are recorded in the shared call log with `label` in front.
  std::string library(const char* library, const std::string& relative, const std::string& label,
                      const std::string& fixture = "") const;
  // Writes etc/hba.conf under the scratch directory.
  void config(const std::string& text) const;
  std::vector<std::string> calls() const;
  std::string root() const { return scratch.path(); }

  ScratchDir scratch;
};

// Copies the built library `library` to `path` and writes its fixture next to
// it, with "label" and "log" directives added in front.
void stageLibrary(const std::string& library, const std::string& path, const std::string& label,
                  const std::string& logPath, const std::string& fixture);
// The lines of a file; none when it does not exist.
std::vector<std::string> readLines(const std::string& path);
// The lines of `lines` that start with `prefix`.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix);

// The files of one PCI device in a fake sysfs tree under `sysfsDir`, at
// devices/pci0000:00/0000:00:02.0/`address` (or at `address` itself when it
// starts with "/", relative to `sysfsDir`). Each file holds its value and a
// newline; a file whose value is null is not made.
struct FakePciDevice {
  std::string address;
  const char* vendor = "0xd07a";
  const char* device = "0x0300";
  const char* subsystemVendor = "0xd07a";
  const char* subsystemDevice = "0x0301";
};
// Makes the device's directory and files; returns the directory.
std::string addPciDevice(const std::string& sysfsDir, const FakePciDevice& device);

// Runs `scenario` in a child process with a private mount namespace in which
// /etc, /usr/lib (and through it /lib) and /usr/lib64 are overlays whose
// upper layers are `scratch`/etc, `scratch`/usr-lib and `scratch`/usr-lib64.
// Files staged there before the call appear at the fixed paths; nothing the
// scenario writes reaches the host. Returns what the scenario returned, or
// fails the test when the sandbox could not be set up (skipped: `skipped` set).
std::string runInSandbox(const ScratchDir& scratch, const std::function<std::string()>& scenario,
                         bool& skipped);

}  // namespace fchba_test

#endif  // FCHBA_TEST_SUPPORT_H_
