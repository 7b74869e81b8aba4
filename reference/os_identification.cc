#include "reference/os_identification.h"

#include <sys/stat.h>

#include "driver/shell.h"
#include "regex/regex.h"

namespace {

const char kRedHatRelease[] = "/etc/redhat-release";
const char kSuseRelease[] = "/etc/SuSE-release";

struct Distribution {
  const char* releaseFile;
  const char* pattern;
  const wchar_t* tag;
};

// Tried in this order within their file; the first match wins.
const Distribution kDistributions[] = {
    {kRedHatRelease, "Red Hat Enterprise Linux.*release 4.*", L"rhel4"},
    {kRedHatRelease, "Red Hat Enterprise Linux.*release 5.*", L"rhel5"},
    {kRedHatRelease, "Red Hat Enterprise Linux.*release 6.*", L"rhel6"},
    {kSuseRelease, "SUSE Linux Enterprise Server 10.*", L"sles10"},
    {kSuseRelease, "SUSE Linux Enterprise Server 11.*", L"sles11"},
};

bool Exists(const char* path) {
  struct stat status;
  return stat(path, &status) == 0;
}

}  // namespace

std::wstring DistributionTagOf(const std::string& releaseFile, const std::string& releaseText) {
  for (const Distribution& distribution : kDistributions) {
    if (releaseFile != distribution.releaseFile)
      continue;
    if (Pattern::matchesEntire(distribution.pattern, releaseText,
                               Pattern::DOT_ALL | Pattern::MULTI_LINE))
      return distribution.tag;
  }
  return std::wstring();
}

std::wstring IdentifyDistribution() {
  for (const char* releaseFile : {kRedHatRelease, kSuseRelease}) {
    if (Exists(releaseFile))
      return DistributionTagOf(releaseFile, RunCommand(std::string("cat ") + releaseFile));
  }
  return std::wstring();
}
