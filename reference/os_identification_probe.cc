// Prints the distribution tag of the machine it runs on; the tests run it in
// their sandbox with release files of their own.
#include <cstdio>

#include "reference/os_identification.h"

int main() {
  std::printf("%ls\n", IdentifyDistribution().c_str());
  return 0;
}
