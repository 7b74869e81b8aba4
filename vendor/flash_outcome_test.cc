#include "vendor/flash_outcome.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>

namespace {

const std::string kAdvice =
    "For TQ770LNK or WB4400F CNAs, please use the \"Firmware image for offline update\" "
    "(Tessaline ISO) tool available on support.dovane.com\n";

TEST(FlashOutcomeTest, EveryExitCode) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    std::vector<std::string> lines;
    int result = code;
    if (code == 0) {
      lines = {"All updates were successful.  Reboot needed.\n"};
      result = 1;
    } else if (code == 1) {
      lines = {"No operation performed.  No updates needed or discovery command executed.\n"};
      result = 3;
    } else if (code >= 2 && code <= 6) {
      lines = {"All updates failed.\n"};
      result = 7;
    } else if (code >= 11 && code <= 16) {
      const char* kSummaries[] = {"All updates were successful.", "No updates needed.",
                                  "All updates failed.",          "Some updates failed.",
                                  "No supported hardware found.", "No updates available."};
      lines = {std::string(kSummaries[code - 11]) + "  Skipped any TQ770LNK or WB4400F CNAs.\n",
               kAdvice};
      result = 7;
    }
    FlashOutcome outcome = OutcomeOfEngineExit(code);
    EXPECT_EQ(outcome.lines, lines);
    EXPECT_EQ(outcome.result, result);
  }
}

TEST(FlashOutcomeTest, ExitCodeFromWaitStatus) {
  EXPECT_EQ(EngineExitCode(0), 0);
  EXPECT_EQ(EngineExitCode(1 << 8), 1);
  EXPECT_EQ(EngineExitCode(255 << 8), 255);
  EXPECT_EQ(EngineExitCode(137 << 8), 137);  // the shell's report of a killed engine
  EXPECT_EQ(EngineExitCode(-1), 255);        // no shell could be started

  // The shell itself killed: a failure, never "all updates were successful".
  for (int signal : {SIGKILL, SIGTERM, SIGSEGV}) {
    pid_t child = fork();
    if (child == 0) {
      std::signal(signal, SIG_DFL);
      raise(signal);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(EngineExitCode(status), 128 + signal);
    EXPECT_NE(OutcomeOfEngineExit(EngineExitCode(status)).result, 1);
  }
}

}  // namespace
