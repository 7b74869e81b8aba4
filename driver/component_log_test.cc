#include "driver/component_log.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "testing/temp_dir.h"

namespace {

std::string CapturedWrites(ComponentLog& log, void (*writes)(ComponentLog&)) {
  testing::internal::CaptureStdout();
  writes(log);
  return testing::internal::GetCapturedStdout();
}

TEST(ComponentLogTest, MakingTheLogCreatesDirectoryAndEmptyFile) {
  TempDir dir;
  ComponentLog log(dir.file("a/b/lbt"));
  EXPECT_EQ(log.path, dir.file("a/b/lbt/Component.log"));
  EXPECT_EQ(ReadFile(log.path), "");
}

TEST(ComponentLogTest, ShippedLogPathIsFixed) {
  EXPECT_STREQ(ComponentLog::kDirectory, "/var/lbt");
  EXPECT_STREQ(ComponentLog::kFileName, "Component.log");
}

TEST(ComponentLogTest, WritesAppendChainAndEcho) {
  TempDir dir;
  WriteFile(dir.file("Component.log"), "earlier run\n");
  ComponentLog log(dir.path());
  std::string out = CapturedWrites(log, [](ComponentLog& l) {
    l.Write("Loading references...");
    l.Write("done.\n");
    l.Write("Flash complete [").Write(-1).Write("]\n").Write(0).Write(2147483647);
  });
  const std::string written = "Loading references...done.\nFlash complete [-1]\n02147483647";
  EXPECT_EQ(out, written);
  EXPECT_EQ(ReadFile(log.path), "earlier run\n" + written);
}

TEST(ComponentLogTest, QuietLogPrintsNothingButKeepsEverything) {
  TempDir dir;
  ComponentLog log(dir.path());
  log.quiet = true;
  std::string out = CapturedWrites(log, [](ComponentLog& l) { l.Write("a\n").Write(7); });
  EXPECT_EQ(out, "");
  EXPECT_EQ(ReadFile(log.path), "a\n7");
}

TEST(ComponentLogTest, UnwritableFileReportsEveryWriteOnStandardOutput) {
  TempDir dir;
  WriteFile(dir.file("lbt"), "a plain file where the directory should be");
  ComponentLog log(dir.file("lbt"));

  std::string out = CapturedWrites(log, [](ComponentLog& l) { l.Write("one").Write(2); });
  EXPECT_EQ(out,
            "oneERROR : Unable to write to log file\n"
            "2ERROR : Unable to write to log file\n");

  log.quiet = true;
  out = CapturedWrites(log, [](ComponentLog& l) { l.Write("three"); });
  EXPECT_EQ(out, "ERROR : Unable to write to log file\n");
}

TEST(ComponentLogTest, DeletedFileIsCreatedAgainByTheNextWrite) {
  TempDir dir;
  ComponentLog log(dir.path());
  log.quiet = true;
  log.Write("before\n");
  std::remove(log.path.c_str());
  log.Write("after\n");
  EXPECT_EQ(ReadFile(log.path), "after\n");
}

}  // namespace
