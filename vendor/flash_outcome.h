// What the flash engine's exit code means for the component: the lines the
// log receives and the component's own exit code.
#ifndef VENDOR_FLASH_OUTCOME_H_
#define VENDOR_FLASH_OUTCOME_H_

#include <string>
#include <vector>

struct FlashOutcome {
  std::vector<std::string> lines;  // each with its line end
  int result;
};

// The host named in the advice for converged adapters the engine skips.
constexpr const char* kSupportHost = "support.dovane.com";

FlashOutcome OutcomeOfEngineExit(int exitCode);

// The engine's exit code from the shell's wait status: bits 8 to 15 of it;
// 255 when no shell could be started; 128 plus the signal number when the
// shell itself was ended by a signal, as shells report a killed command.
int EngineExitCode(int waitStatus);

#endif  // VENDOR_FLASH_OUTCOME_H_
