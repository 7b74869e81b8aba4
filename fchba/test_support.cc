// The test helpers. The sandbox forks so that the mount namespace, and the
// process registry the scenario fills, die with the child; the parent only
// reads the scenario's report from a pipe.

#include "fchba/test_support.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace fchba_test {

void stageLibrary(const std::string& library, const std::string& path, const std::string& label,
                  const std::string& logPath, const std::string& fixture) {
  fs::create_directories(fs::path(path).parent_path());
  fs::copy_file(library, path, fs::copy_options::overwrite_existing);
  WriteFile(path + ".fixture", "label " + label + "\nlog " + logPath + "\n" + fixture);
}

std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (line.compare(0, prefix.size(), prefix) == 0)
      kept.push_back(line);
  }
  return kept;
}

std::string addPciDevice(const std::string& sysfsDir, const FakePciDevice& device) {
  std::string directory = device.address[0] == '/'
                              ? sysfsDir + device.address
                              : sysfsDir + "/devices/pci0000:00/0000:00:02.0/" + device.address;
  fs::create_directories(directory);
  const std::pair<const char*, const char*> files[] = {
      {"vendor", device.vendor},
      {"device", device.device},
      {"subsystem_vendor", device.subsystemVendor},
      {"subsystem_device", device.subsystemDevice},
  };
  for (const auto& file : files) {
    if (file.second)
      WriteFile(directory + "/" + file.first, std::string(file.second) + "\n");
  }
  return directory;
}

std::string Stage::library(const char* library, const std::string& relative,
                           const std::string& label, const std::string& fixture) const {
  std::string path = scratch / relative;
  stageLibrary(library, path, label, scratch.callLog(), fixture);
  return path;
}

void Stage::config(const std::string& text) const { WriteFile(scratch / "etc/hba.conf", text); }

std::vector<std::string> Stage::calls() const { return readLines(scratch.callLog()); }

namespace {

constexpr int kSandboxUnavailable = 77;

bool overlay(const std::string& target, const std::string& scratch, const std::string& name) {
  std::string upper = scratch + "/" + name;
  std::string work = scratch + "/.work-" + name;
  fs::create_directories(upper);
  fs::create_directories(work);
  std::string options = "lowerdir=" + target + ",upperdir=" + upper + ",workdir=" + work;
  return mount("overlay", target.c_str(), "overlay", 0, options.c_str()) == 0;
}

}  // namespace

std::string runInSandbox(const ScratchDir& scratch, const std::function<std::string()>& scenario,
                         bool& skipped) {
  skipped = false;
  int report[2];
  if (pipe(report) != 0)
    abort();
  pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        !overlay("/etc", scratch.path(), "etc") ||
        !overlay("/usr/lib", scratch.path(), "usr-lib") ||
        !overlay("/usr/lib64", scratch.path(), "usr-lib64"))
      _exit(kSandboxUnavailable);
    std::string text = scenario();
    if (write(report[1], text.data(), text.size()) < 0)
      _exit(1);
    _exit(0);
  }
  close(report[1]);
  std::string text;
  char buffer[4096];
  ssize_t got;
  while ((got = read(report[0], buffer, sizeof(buffer))) > 0)
    text.append(buffer, static_cast<size_t>(got));
  close(report[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kSandboxUnavailable)
    skipped = true;
  else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    text += "\n<scenario process failed>";
  return text;
}

}  // namespace fchba_test
