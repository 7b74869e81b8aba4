// The real program, run end to end inside the sandbox: command line, log,
// catalogue and report as an update manager sees them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "testing/expected_usage.h"
#include "testing/sandbox.h"

namespace {

const std::string kBanner = std::string(51, '-') + "\n";
const std::string kLoaded = kBanner +
                            "Loading references...done.\nPerforming discovery...\n"
                            "Preparing the Dovane CNA Kit...done\n";
const char kLogPath[] = "/var/lbt/Component.log";
const char* const kUsage = kExpectedUsage;
const char kCatalogue[] =
    "<?xml version=\"1.0\"?>\n"
    "<pelmo_fchba_reference>\n"
    "  <devices>\n"
    "    <device>\n"
    "      <type value=\"CNA\"/>\n"
    "      <device_id value=\"D07A.E200.D07A.E202\"/>\n"
    "      <model value=\"ZRa300\"/>\n"
    "      <firmware value=\"11.1.183.21\"/>\n"
    "      <bios value=\"5.02a1\"/>\n"
    "      <duration value=\"180\"/>\n"
    "    </device>\n"
    "  </devices>\n"
    "</pelmo_fchba_reference>\n";
const char kEmptyReport[] =
    "<?xml version=\"1.0\"?>\n"
    "<qv_rom_discovery version=\"2.0.0.0\">\n"
    "  <type value=\"\"/>\n"
    "  <alt_name value=\"\"/>\n"
    "  <version value=\"\"/>\n"
    "  <takes_effect value=\"\"/>\n"
    "  <devices/>\n"
    "</qv_rom_discovery>\n";

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override { sandbox_.writePackageFile("reference.xml", kCatalogue); }

  SandboxRun Run(const std::vector<std::string>& args) {
    SandboxRun run = sandbox_.run(COMPONENT_BINARY, args);
    EXPECT_TRUE(run.started) << "the sandbox could not be set up: " << run.err;
    return run;
  }
  std::string Log() { return sandbox_.writtenFile(kLogPath).value_or("<no log>"); }

  Sandbox sandbox_;
};

TEST_F(ProgramTest, UpdateRunWithNothingFoundDoesNothing) {
  SandboxRun run = Run({});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(Log(), kLoaded + "NOTICE : No operation was done.\n");
  EXPECT_EQ(run.out, Log());
}

TEST_F(ProgramTest, EngineKitIsUnpackedInThePackageDirectory) {
  sandbox_.writePackageFile("zarnflashStandalone-5.1.42.zip", *ReadFile(ENGINE_KIT_ZIP));
  SandboxRun run = Run({"/d", "report.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(Log(), kLoaded + "Generating self-discovery XML...done.\n");
  struct stat status;
  ASSERT_EQ(stat(sandbox_.packagePath("zarnflashStandalone-5.1.42/lx/zarnflash.sh").c_str(), &status),
            0);
  EXPECT_EQ(status.st_mode & 07777, 0777u);
}

TEST_F(ProgramTest, ForceAndItsAliasesReportMissingHardware) {
  for (const char* option : {"/f", "-f", "/e", "-e", "/g", "-g"}) {
    SCOPED_TRACE(option);
    sandbox_.removePath(kLogPath);
    SandboxRun run = Run({option});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(Log(), kLoaded + "ERROR! : No supported hardware was found.\n");
  }
}

TEST_F(ProgramTest, SilentRunPrintsNothingAndLogsEverything) {
  SandboxRun run = Run({"-s"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Log(), kLoaded + "NOTICE : No operation was done.\n");
}

TEST_F(ProgramTest, RunsAppendToTheLog) {
  Run({"/s"});
  Run({"/s", "/f"});
  EXPECT_EQ(Log(), kLoaded + "NOTICE : No operation was done.\n" + kLoaded +
                       "ERROR! : No supported hardware was found.\n");
}

TEST_F(ProgramTest, DiscoveryWritesTheReport) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/d", "report.xml"}, {"-d", "report.xml", "/f"}}) {
    SCOPED_TRACE(args.size());
    sandbox_.removePath(kLogPath);
    SandboxRun run = Run(args);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(Log(), kLoaded + "Generating self-discovery XML...done.\n");
    EXPECT_EQ(ReadFile(sandbox_.packagePath("report.xml")), kEmptyReport);
  }
}

TEST_F(ProgramTest, LastReportPathWins) {
  SandboxRun run = Run({"/d", "a.xml", "/d", "b.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_FALSE(ReadFile(sandbox_.packagePath("a.xml")).has_value());
  EXPECT_EQ(ReadFile(sandbox_.packagePath("b.xml")), kEmptyReport);
}

TEST_F(ProgramTest, ReportPathSpelledLikeAnOptionAlsoSetsIt) {
  // The report goes to "/s", which the read-only host root refuses; the run
  // is silent all the same.
  SandboxRun run = Run({"/d", "/s"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Log(), kLoaded + "Generating self-discovery XML...FAILED!\n");
}

TEST_F(ProgramTest, UnwritableReportIsAFailureOfTheStepOnly) {
  sandbox_.writePackageFile("dir/keep", "");
  for (const char* path : {"missing/report.xml", "dir", "."}) {
    SCOPED_TRACE(path);
    sandbox_.removePath(kLogPath);
    SandboxRun run = Run({"/d", path});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(Log(), kLoaded + "Generating self-discovery XML...FAILED!\n");
  }
  EXPECT_FALSE(ReadFile(sandbox_.packagePath("missing")).has_value());
  EXPECT_EQ(ReadFile(sandbox_.packagePath("dir/keep")), "");
}

TEST_F(ProgramTest, HelpShowsUsageAndRunsNothing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/h"}, {"/s", "/f", "-h"}, {"/d", "r.xml", "/h"}}) {
    SCOPED_TRACE(args.back());
    SandboxRun run = Run(args);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, kUsage);
    EXPECT_EQ(Log(), "");  // made when the component was made, never written
  }
  EXPECT_FALSE(ReadFile(sandbox_.packagePath("r.xml")).has_value());
}

TEST_F(ProgramTest, DiscoveryWithoutPathIsUnusable) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/d"}, {"/s", "-d"}, {"/d", "r.xml", "/d"}}) {
    SCOPED_TRACE(args.size());
    SandboxRun run = Run(args);
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(run.out, std::string(kUsage) + "ERROR! : Failed to parse command line\n");
    EXPECT_EQ(Log(), "");
  }
}

TEST_F(ProgramTest, UnreadableCatalogueFailsTheRun) {
  const struct {
    const char* name;
    const char* content;  // nothing: no file
  } kCases[] = {
      {"missing", nullptr},
      {"empty", ""},
      {"not well-formed", "<pelmo_fchba_reference><devices>"},
      {"binary", "\x01\x02\xFF\xFE garbage"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    std::remove(sandbox_.packagePath("reference.xml").c_str());
    if (c.content != nullptr)
      sandbox_.writePackageFile("reference.xml", c.content);
    sandbox_.removePath(kLogPath);
    SandboxRun run = Run({"/d", "report.xml"});
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(Log(), kBanner + "Loading references...FAILED!\n");
    EXPECT_FALSE(ReadFile(sandbox_.packagePath("report.xml")).has_value());
  }
}

TEST_F(ProgramTest, CatalogueWithAnotherRootLoadsEmpty) {
  sandbox_.writePackageFile("reference.xml", "<catalogue><devices><device/></devices></catalogue>");
  SandboxRun run = Run({"/d", "report.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(Log(), kLoaded + "Generating self-discovery XML...done.\n");
  EXPECT_EQ(ReadFile(sandbox_.packagePath("report.xml")), kEmptyReport);
}

TEST_F(ProgramTest, UnwritableLogIsReportedOnEveryWriteAndChangesNothingElse) {
  sandbox_.plantFile("/var/lbt", "a plain file where the log directory belongs");
  const std::string kError = "ERROR : Unable to write to log file\n";

  SandboxRun run = Run({"/d", "report.xml"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, kBanner + kError + "Loading references..." + kError + "done.\n" + kError +
                         "Performing discovery...\n" + kError + "Preparing the Dovane CNA Kit..." +
                         kError + "done\n" + kError + "Generating self-discovery XML..." + kError +
                         "done.\n" + kError);
  EXPECT_EQ(ReadFile(sandbox_.packagePath("report.xml")), kEmptyReport);

  // Silent: one complaint for each of the seven writes, and nothing else.
  run = Run({"/s"});
  EXPECT_EQ(run.exitCode, 3);
  std::string complaints;
  for (int i = 0; i < 7; ++i)
    complaints += kError;
  EXPECT_EQ(run.out, complaints);
  EXPECT_EQ(sandbox_.writtenFile("/var/lbt"), "a plain file where the log directory belongs");
}

}  // namespace
