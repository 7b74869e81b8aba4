// Which supported enterprise Linux distribution the component runs on, as a
// short tag ("rhel5", "sles11", ...), or an empty text for any other system.
#ifndef REFERENCE_OS_IDENTIFICATION_H_
#define REFERENCE_OS_IDENTIFICATION_H_

#include <string>

// The tag that the release text of a release file gives, or empty. The whole
// text must match, from its first character; what follows the release number
// (further lines included) does not matter.
std::wstring DistributionTagOf(const std::string& releaseFile, const std::string& releaseText);

// Reads "/etc/redhat-release" when it exists, otherwise "/etc/SuSE-release",
// through the shell, and gives the tag of its text. A Red Hat release file
// decides alone, even when a SUSE one exists too.
std::wstring IdentifyDistribution();

#endif  // REFERENCE_OS_IDENTIFICATION_H_
