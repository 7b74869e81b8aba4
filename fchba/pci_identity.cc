// The sysfs search behind probePciIdentity.
//
// Every directory name that find printed goes into a command line as one
// shell word (quoted when it holds anything but plain path characters), so
// no path text can end the word or run a command of its own.

#include "fchba/pci_identity.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "driver/shell.h"

namespace {

bool exists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::string format(const char* pattern, unsigned a, unsigned b, unsigned c = 0) {
  char text[64];
  snprintf(text, sizeof(text), pattern, a, b, c);
  return text;
}

// The command listing the subsystem_vendor files of devices at the address:
// four hex digits of domain, two of bus, any slot, a dot and the function.
std::string findCommand(const std::string& sysfsDir, uint8_t domain, uint8_t bus,
                        uint8_t function) {
  return "find " + ShellQuote(sysfsDir) + " -name subsystem_vendor | grep -i -e '" +
         format("%.4x:%.2x:\\(\\w\\)*\\.%x", domain, bus, function) + "'";
}

// How many of the directory's two subsystem id files mention one of the ids.
int subsystemMentions(const std::string& directory, uint16_t vendorId, uint16_t deviceId) {
  std::string quoted = ShellQuote(directory);
  std::string command = "cat " + quoted + "/subsystem_vendor " + quoted +
                        "/subsystem_device | grep -i -E '" +
                        format("%.4x|%.4x", vendorId, deviceId) + "' | wc -l";
  int count = 0;
  ForEachOutputLine(command, [&](const std::string& line) {
    count = atoi(line.c_str());
    return false;
  });
  return count;
}

// A hexadecimal number at the start of the line, "0x" allowed.
bool parseHex(const std::string& line, unsigned long& value) {
  char* end = nullptr;
  value = strtoul(line.c_str(), &end, 16);
  return end != line.c_str();
}

// "%.4x%.4x" of the ids in the directory's vendor and device files, or "N/A".
std::string readVendorAndDevice(const std::string& directory) {
  std::string quoted = ShellQuote(directory);
  unsigned long ids[2];
  int read = 0;
  ForEachOutputLine("cat " + quoted + "/vendor " + quoted + "/device",
                    [&](const std::string& line) {
                      if (!parseHex(line, ids[read]))
                        return false;
                      return ++read < 2;
                    });
  if (read < 2)
    return "N/A";
  char text[40];
  snprintf(text, sizeof(text), "%.4lx%.4lx", ids[0], ids[1]);
  return text;
}

}  // namespace

std::string probePciIdentity(uint8_t pciDomain, uint8_t pciBus, uint8_t pciFunction,
                             uint16_t subsystemVendorId, uint16_t subsystemDeviceId,
                             const std::string& sysfsDir) {
  std::string chosen;
  ForEachOutputLine(findCommand(sysfsDir, pciDomain, pciBus, pciFunction),
                    [&](const std::string& line) {
                      // The cut at the last "/" drops the file name and the
                      // newline; a line without one names no file.
                      size_t slash = line.rfind('/');
                      if (slash == std::string::npos)
                        return true;
                      std::string directory = line.substr(0, slash);
                      if (!exists(directory + "/subsystem_device") ||
                          !exists(directory + "/vendor") || !exists(directory + "/device"))
                        return true;
                      if (subsystemMentions(directory, subsystemVendorId, subsystemDeviceId) != 2)
                        return true;
                      chosen = directory;
                      return false;
                    });
  if (chosen.empty())
    return "N/A";
  return readVendorAndDevice(chosen);
}
