#include "testing/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  // No "-" in the name: library paths in hba.conf end at the first one.
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/component_test_XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary directory under " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  RemoveTree(path_);
}

void WriteFile(const std::string& path, const std::string& content) {
  fs::path target(path);
  if (target.has_parent_path())
    fs::create_directories(target.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  // Overlay work directories are left without permissions; open them first.
  for (auto it = fs::recursive_directory_iterator(
           path, fs::directory_options::skip_permission_denied, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path, ignored);
}
