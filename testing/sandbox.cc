#include "testing/sandbox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "driver/shell.h"

namespace {

int OpenForWriting(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0)
    throw std::runtime_error("cannot open " + path);
  return fd;
}

}  // namespace

Sandbox::Sandbox(std::vector<std::string> overlays)
    : overlays_(std::move(overlays)),
      state_(root_.file("state")),
      package_(root_.file("package")) {
  std::filesystem::create_directories(state_);
  std::filesystem::create_directories(package_);
  prepare("rm -rf /var/lbt /etc/redhat-release /etc/SuSE-release /etc/hba.conf");
}

void Sandbox::writePackageFile(const std::string& relative, const std::string& content) {
  WriteFile(packagePath(relative), content);
}

void Sandbox::plantFile(const std::string& absolutePath, const std::string& content) {
  upperPathOf(absolutePath);  // refuses paths outside the overlays
  std::string staged = state_ + "/plant/" + std::to_string(planted_++);
  WriteFile(staged, content);
  std::string parent = std::filesystem::path(absolutePath).parent_path().string();
  prepare("mkdir -p " + ShellQuote(parent) + " && cp " + ShellQuote(staged) + " " +
          ShellQuote(absolutePath) + " && rm " + ShellQuote(staged));
}

void Sandbox::removePath(const std::string& absolutePath) {
  upperPathOf(absolutePath);
  prepare("rm -rf " + ShellQuote(absolutePath));
}

void Sandbox::prepare(const std::string& shellLine) {
  prepareScript_ += shellLine + "\n";
}

SandboxRun Sandbox::run(const std::string& program, const std::vector<std::string>& args) {
  if (!prepareScript_.empty()) {
    WriteFile(state_ + "/prepare.sh", prepareScript_);
    prepareScript_.clear();
  }
  std::string started = state_ + "/started";
  unlink(started.c_str());

  std::string overlays;
  for (const std::string& dir : overlays_)
    overlays += (overlays.empty() ? "" : " ") + dir;
  std::string outPath = state_ + "/stdout";
  std::string errPath = state_ + "/stderr";

  std::vector<std::string> argv = {"/bin/sh", SANDBOX_RUN_SCRIPT, state_, package_, program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& arg : argv)
    cargv.push_back(arg.data());
  cargv.push_back(nullptr);

  int out = OpenForWriting(outPath);
  int err = OpenForWriting(errPath);
  pid_t child = fork();
  if (child == 0) {
    int in = open("/dev/null", O_RDONLY);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setenv("SANDBOX_OVERLAYS", overlays.c_str(), 1);
    execv(cargv[0], cargv.data());
    _exit(127);
  }
  close(out);
  close(err);

  int status = 0;
  waitpid(child, &status, 0);
  SandboxRun result;
  result.started = access(started.c_str(), F_OK) == 0;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(outPath).value_or("");
  result.err = ReadFile(errPath).value_or("");
  return result;
}

std::optional<std::string> Sandbox::writtenFile(const std::string& absolutePath) const {
  return ReadFile(upperPathOf(absolutePath));
}

std::string Sandbox::upperPathOf(const std::string& absolutePath) const {
  for (const std::string& dir : overlays_) {
    std::string prefix = "/" + dir + "/";
    if (absolutePath.compare(0, prefix.size(), prefix) == 0) {
      std::string name = dir;
      for (char& c : name) {
        if (c == '/')
          c = '_';
      }
      return state_ + "/upper/" + name + "/" + absolutePath.substr(prefix.size());
    }
  }
  throw std::invalid_argument(absolutePath + " is not under a sandboxed directory");
}
