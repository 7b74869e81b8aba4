#include "driver/component_log.h"

#include <cstdio>

#include "driver/shell.h"

ComponentLog::ComponentLog(const std::string& directory)
    : path(directory + "/" + kFileName) {
  RunShell("mkdir -p " + directory);
  RunShell("touch " + path);
}

ComponentLog& ComponentLog::Write(const std::string& text) {
  if (!quiet)
    std::fwrite(text.data(), 1, text.size(), stdout);

  std::FILE* file = std::fopen(path.c_str(), "a");
  if (file == nullptr) {
    std::fputs("ERROR : Unable to write to log file\n", stdout);
    std::fflush(stdout);
    return *this;
  }
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  return *this;
}

ComponentLog& ComponentLog::Write(const char* text) {
  return Write(std::string(text));
}

ComponentLog& ComponentLog::Write(int number) {
  return Write(std::to_string(number));
}
