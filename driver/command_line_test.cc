#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "driver/base_component.h"
#include "testing/expected_usage.h"
#include "testing/temp_dir.h"

namespace {

const char* const kUsage = kExpectedUsage;

struct Case {
  std::vector<const char*> args;  // after the program name
  int result;
  bool quiet;
  bool force;
  bool discovery;
  const char* reportPath;
};

TEST(CommandLineTest, OptionsTable) {
  const Case kCases[] = {
      {{}, kCommandLineRun, false, false, false, ""},
      {{"/s"}, kCommandLineRun, true, false, false, ""},
      {{"-s", "-s"}, kCommandLineRun, true, false, false, ""},
      {{"/f"}, kCommandLineRun, false, true, false, ""},
      {{"-f"}, kCommandLineRun, false, true, false, ""},
      {{"/e"}, kCommandLineRun, false, true, false, ""},
      {{"-e"}, kCommandLineRun, false, true, false, ""},
      {{"/g"}, kCommandLineRun, false, true, false, ""},
      {{"-g"}, kCommandLineRun, false, true, false, ""},
      {{"/S", "/F", "/D", "--s", "s", "", "/ f"}, kCommandLineRun, false, false, false, ""},
      {{"/d", "report.xml"}, kCommandLineRun, false, false, true, "report.xml"},
      {{"-d", "out/r.xml", "/s"}, kCommandLineRun, true, false, true, "out/r.xml"},
      {{"/d", "a.xml", "-d", "b.xml"}, kCommandLineRun, false, false, true, "b.xml"},
      // The path is examined again as an argument of its own.
      {{"/d", "/s"}, kCommandLineRun, true, false, true, "/s"},
      {{"/d", "/f"}, kCommandLineRun, false, true, true, "/f"},
      {{"/d", "/d", "x.xml"}, kCommandLineRun, false, false, true, "x.xml"},
      {{"/d"}, kCommandLineUnusable, false, false, true, ""},
      {{"/s", "/d"}, kCommandLineUnusable, true, false, true, ""},
      {{"/d", "a.xml", "-d"}, kCommandLineUnusable, false, false, true, "a.xml"},
      {{"/h"}, kCommandLineHelpShown, false, false, false, ""},
      {{"/f", "/s", "-h"}, kCommandLineHelpShown, true, true, false, ""},
      // Nothing after help is examined.
      {{"/h", "/f", "/d"}, kCommandLineHelpShown, false, false, false, ""},
      {{"/d", "/h"}, kCommandLineHelpShown, false, false, true, "/h"},
  };
  TempDir dir;
  for (const Case& c : kCases) {
    std::vector<const char*> argv = {"component"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::string line;
    for (const char* arg : c.args)
      line += std::string(" [") + arg + "]";
    SCOPED_TRACE("arguments:" + line);

    CBaseCmp component(dir.path());
    testing::internal::CaptureStdout();
    int result = ParseCommandLine(component, static_cast<int>(argv.size()), argv.data());
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(result, c.result);
    EXPECT_EQ(component.log.quiet, c.quiet);
    EXPECT_EQ(component.force, c.force);
    EXPECT_EQ(component.discovery, c.discovery);
    EXPECT_EQ(component.reportPath, c.reportPath);
    EXPECT_EQ(out, c.result == kCommandLineRun ? "" : kUsage);
  }
}

TEST(CommandLineTest, ProgramNameIsExaminedLikeAnyArgument) {
  TempDir dir;
  CBaseCmp component(dir.path());
  const char* argv[] = {"/s"};
  EXPECT_EQ(ParseCommandLine(component, 1, argv), kCommandLineRun);
  EXPECT_TRUE(component.log.quiet);
}

}  // namespace
