// Temporary directories and whole-file reads and writes for tests.
#ifndef TESTING_TEMP_DIR_H_
#define TESTING_TEMP_DIR_H_

#include <optional>
#include <string>

// A fresh directory under $TMPDIR (or /tmp), removed with all it holds.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

// Writes the file, creating missing parent directories.
void WriteFile(const std::string& path, const std::string& content);
// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

// Removes a tree whatever the modes of its directories.
void RemoveTree(const std::string& path);

#endif  // TESTING_TEMP_DIR_H_
