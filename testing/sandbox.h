// Runs the real program in a private mount namespace whose /etc and /var are
// overlays with throwaway upper layers (see sandbox-run.sh), from a temporary
// package directory that the test fills. Files the test plants or removes
// under /etc and /var exist only inside the sandbox; what the program writes
// there is read back from the upper layers. The layers live as long as the
// Sandbox object, so consecutive runs see each other's effects.
//
// Before the first run the sandbox removes the component's log directory and
// the platform files the component reads, so that every test starts from a
// machine that has none of them, whatever the host holds.
#ifndef TESTING_SANDBOX_H_
#define TESTING_SANDBOX_H_

#include <optional>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

struct SandboxRun {
  bool started = false;  // false when the sandbox itself could not be set up
  int exitCode = -1;     // the program's exit code, 128 + signal when killed
  std::string out;       // standard output
  std::string err;       // standard error (and the sandbox's own complaints)
};

class Sandbox {
 public:
  // `overlays` are the directories (without their leading "/") that get a
  // throwaway upper layer.
  explicit Sandbox(std::vector<std::string> overlays = {"etc", "var"});

  const std::string& packageDir() const { return package_; }
  std::string packagePath(const std::string& relative) const { return package_ + "/" + relative; }
  void writePackageFile(const std::string& relative, const std::string& content);

  // Effective from the next run, in the order given: a file planted at an
  // absolute path under an overlaid directory, a path removed, or any shell
  // line run as root inside the namespace before the program.
  void plantFile(const std::string& absolutePath, const std::string& content);
  void removePath(const std::string& absolutePath);
  void prepare(const std::string& shellLine);

  SandboxRun run(const std::string& program, const std::vector<std::string>& args);

  // A file as the runs left it in an overlaid directory; nothing when the
  // runs did not write it (or removed it).
  std::optional<std::string> writtenFile(const std::string& absolutePath) const;

 private:
  std::string upperPathOf(const std::string& absolutePath) const;

  TempDir root_;
  std::vector<std::string> overlays_;
  std::string state_;
  std::string package_;
  std::string prepareScript_;
  int planted_ = 0;
};

#endif  // TESTING_SANDBOX_H_
