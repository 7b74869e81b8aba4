// The component log: one plain-text file that accumulates the messages of
// every run, echoed to standard output unless the run is silent.
//
// Callers bring their own severity words and line ends and may build one line
// from several writes ("Loading references..." then "done.\n"). The file is
// opened, appended to and closed again for every write, so that the flash
// engine, which the shell appends to the same file, lands between two writes.
#ifndef DRIVER_COMPONENT_LOG_H_
#define DRIVER_COMPONENT_LOG_H_

#include <string>

class ComponentLog {
 public:
  static constexpr const char* kDirectory = "/var/lbt";
  static constexpr const char* kFileName = "Component.log";

  // Creates the directory and the file through the shell; failures show later,
  // when a write cannot open the file. Tests give a directory of their own.
  explicit ComponentLog(const std::string& directory = kDirectory);

  ComponentLog& Write(const std::string& text);
  ComponentLog& Write(const char* text);
  ComponentLog& Write(int number);

  std::string path;
  bool quiet = false;
};

#endif  // DRIVER_COMPONENT_LOG_H_
