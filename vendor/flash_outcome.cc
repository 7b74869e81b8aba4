#include "vendor/flash_outcome.h"

#include <sys/wait.h>

#include "driver/base_component.h"

namespace {

std::string AdviceLine() {
  return std::string(
             "For TQ770LNK or WB4400F CNAs, please use the \"Firmware image for offline update\" "
             "(Tessaline ISO) tool available on ") +
         kSupportHost + "\n";
}

FlashOutcome SkippedConverged(const char* summary) {
  return FlashOutcome{
      {std::string(summary) + "  Skipped any TQ770LNK or WB4400F CNAs.\n", AdviceLine()},
      kExitFailure};
}

}  // namespace

FlashOutcome OutcomeOfEngineExit(int exitCode) {
  switch (exitCode) {
    case 0:
      return {{"All updates were successful.  Reboot needed.\n"}, kExitUpdatedRebootNeeded};
    case 1:
      return {{"No operation performed.  No updates needed or discovery command executed.\n"},
              kExitNothingChanged};
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      return {{"All updates failed.\n"}, kExitFailure};
    case 11:
      return SkippedConverged("All updates were successful.");
    case 12:
      return SkippedConverged("No updates needed.");
    case 13:
      return SkippedConverged("All updates failed.");
    case 14:
      return SkippedConverged("Some updates failed.");
    case 15:
      return SkippedConverged("No supported hardware found.");
    case 16:
      return SkippedConverged("No updates available.");
    default:
      return {{}, exitCode};
  }
}

int EngineExitCode(int waitStatus) {
  if (waitStatus == -1)
    return 255;
  if (WIFSIGNALED(waitStatus))
    return 128 + WTERMSIG(waitStatus);
  return (waitStatus >> 8) & 0xFF;
}
