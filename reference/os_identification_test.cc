#include "reference/os_identification.h"

#include <gtest/gtest.h>

#include "testing/sandbox.h"

namespace {

const char kRedHat[] = "/etc/redhat-release";
const char kSuse[] = "/etc/SuSE-release";

TEST(OsIdentificationTest, ReleaseTextsTable) {
  const struct {
    const char* file;
    const char* text;
    const wchar_t* tag;
  } kCases[] = {
      {kRedHat, "Red Hat Enterprise Linux AS release 4 (Nahant Update 8)\n", L"rhel4"},
      {kRedHat, "Red Hat Enterprise Linux Server release 5.4 (Tikanga)\n", L"rhel5"},
      {kRedHat, "Red Hat Enterprise Linux Server release 6.2 (Santiago)", L"rhel6"},
      {kRedHat, "Red Hat Enterprise Linux Server release 7.0 (Maipo)\n", L""},
      {kRedHat, "Red Hat Enterprise Linux Server release 14\n", L""},
      {kRedHat, "CentOS release 5.4 (Final) like Red Hat Enterprise Linux release 5\n", L""},
      {kRedHat, " Red Hat Enterprise Linux Server release 5.4\n", L""},
      {kRedHat, "red hat enterprise linux server release 5.4\n", L""},
      {kRedHat, "Red Hat Enterprise Linux\nServer release 6.1\n", L"rhel6"},
      {kRedHat, "", L""},
      {kRedHat, "ERROR", L""},
      {kRedHat, "SUSE Linux Enterprise Server 11 (x86_64)\n", L""},
      {kSuse, "SUSE Linux Enterprise Server 11 (x86_64)\nVERSION = 11\nPATCHLEVEL = 1\n",
       L"sles11"},
      {kSuse, "SUSE Linux Enterprise Server 10 (x86_64)\nVERSION = 10\n", L"sles10"},
      {kSuse, "SUSE Linux Enterprise Server 12 (x86_64)\n", L""},
      {kSuse, "SUSE Linux Enterprise Desktop 11 (x86_64)\n", L""},
      {kSuse, "Red Hat Enterprise Linux Server release 5.4\n", L""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DistributionTagOf(c.file, c.text), c.tag);
  }
}

// The release files are read where the program reads them, in the sandbox.
TEST(OsIdentificationTest, ReleaseFilesOnTheMachine) {
  const struct {
    const char* name;
    const char* redHat;  // nothing: no such file
    const char* suse;
    const char* tag;
  } kCases[] = {
      {"neither", nullptr, nullptr, ""},
      {"Red Hat", "Red Hat Enterprise Linux Server release 5.4 (Tikanga)\n", nullptr, "rhel5"},
      {"SUSE", nullptr, "SUSE Linux Enterprise Server 10 (x86_64)\n", "sles10"},
      {"both: Red Hat decides", "Red Hat Enterprise Linux Server release 6.2\n",
       "SUSE Linux Enterprise Server 11 (x86_64)\n", "rhel6"},
      {"both, unknown Red Hat: SUSE not looked at", "Fedora release 14\n",
       "SUSE Linux Enterprise Server 11 (x86_64)\n", ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Sandbox sandbox;
    if (c.redHat != nullptr)
      sandbox.plantFile(kRedHat, c.redHat);
    if (c.suse != nullptr)
      sandbox.plantFile(kSuse, c.suse);
    SandboxRun run = sandbox.run(OS_IDENTIFICATION_PROBE, {});
    ASSERT_TRUE(run.started) << run.err;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string(c.tag) + "\n");
  }
}

}  // namespace
