#include "driver/shell.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string RunCommand(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return "ERROR";

  std::string output;
  char piece[127];
  size_t got;
  while ((got = std::fread(piece, 1, sizeof piece, pipe)) > 0)
    output.append(piece, got);
  pclose(pipe);
  return output;
}

int RunShell(const std::string& command) {
  // Whatever the component echoed so far must reach standard output before
  // the child's own output does.
  std::fflush(stdout);
  return std::system(command.c_str());
}

bool ForEachOutputLine(const std::string& command,
                       const std::function<bool(const std::string& line)>& onLine) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return false;

  // getline grows the buffer, so a line of any length arrives whole.
  char* buffer = nullptr;
  size_t capacity = 0;
  ssize_t got;
  while ((got = getline(&buffer, &capacity, pipe)) > 0) {
    if (!onLine(std::string(buffer, static_cast<size_t>(got))))
      break;
  }
  std::free(buffer);
  pclose(pipe);
  return true;
}

std::string ShellQuote(const std::string& text) {
  const char kPlain[] = "_./:,+@%=-";
  bool plain = !text.empty();
  for (char c : text) {
    if (c == '\0' || (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr(kPlain, c)))
      plain = false;
  }
  if (plain)
    return text;

  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}
