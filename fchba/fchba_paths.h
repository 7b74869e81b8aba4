// Where the adapter layer finds the management library configuration and the
// vendor attribute libraries. The shipped program always uses the fixed
// locations; tests give a root directory under which the same fixed paths
// are looked up, so nothing outside their scratch directory is read.

#ifndef FCHBA_FCHBA_PATHS_H_
#define FCHBA_FCHBA_PATHS_H_

#include <string>

struct FcHbaPaths {
  // Prefixed to every fixed path; empty for the real system.
  std::string root;

  std::string configFile() const { return root + "/etc/hba.conf"; }
  // `fixedPath` is one of the absolute vendor library paths.
  std::string under(const char* fixedPath) const { return root + fixedPath; }
};

#endif  // FCHBA_FCHBA_PATHS_H_
