// The configuration line rules. The split prefers a tab anywhere in the line
// to an earlier space, so a name may hold spaces when a tab follows it. The
// path keeps only the characters a plain library path needs (letters, digits,
// "_", "." and "/"); the first other character ends it, which also drops a
// trailing comment, blanks or a carriage return.

#include "fchba/hba_conf.h"

#include <cstring>

namespace {

bool keptInPath(unsigned char c) {
  return c == '_' || c == '.' || c == '/' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
         (c >= 'a' && c <= 'z');
}

}  // namespace

bool parseHbaConfLine(const char* line, std::string& name, std::string& path) {
  if (line[0] == '#' || line[0] == '\n')
    return false;
  std::string text(line, strcspn(line, "\n"));

  size_t split = text.find('\t');
  if (split == std::string::npos)
    split = text.find(' ');
  if (split == std::string::npos)
    return false;

  size_t pathStart = text.find_first_not_of(" \t", split + 1);
  if (split == 0 || pathStart == std::string::npos)
    return false;

  name = text.substr(0, split);
  path.clear();
  for (size_t i = pathStart; i < text.size() && keptInPath(static_cast<unsigned char>(text[i]));
       ++i)
    path += text[i];
  return true;
}
