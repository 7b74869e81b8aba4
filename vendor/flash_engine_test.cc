// Kit preparation and flash runs with the simulated flash engine kit, in a
// package directory of the test's own and with a log beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "testing/temp_dir.h"
#include "vendor/component.h"

namespace {

const char kPreparing[] = "Preparing the Dovane CNA Kit...done\n";
const char kScript[] = "zarnflashStandalone-5.1.42/lx/zarnflash.sh";
const char kSimulatorHeader[] =
    "Dovane zarnflash standalone SIMULATOR, kit 5.1.42 -- no hardware is touched\n";

class FlashEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(package_.path().c_str()), 0);
  }
  void TearDown() override {
    EXPECT_EQ(chdir(previous_), 0);
    free(previous_);
  }

  void AddKit() {
    WriteFile(package_.file("zarnflashStandalone-5.1.42.zip"), *ReadFile(ENGINE_KIT_ZIP));
  }
  std::string Log() { return ReadFile(logPath_).value_or("<none>"); }
  void ClearLog() { WriteFile(logPath_, ""); }

  // A prepared component, its log cleared.
  std::unique_ptr<DovaneComp::CComponent> Prepared(bool force = false) {
    auto component = std::make_unique<DovaneComp::CComponent>(package_.file("lbt"));
    component->log.quiet = true;
    component->force = force;
    EXPECT_EQ(component->PrepareFlashKit(), 0);
    ClearLog();
    return component;
  }

  std::string ExecutingLine(const char* option) {
    return "Executing flash engine: ./zarnflashStandalone*/lx/zarnflash.sh  " + std::string(option) +
           " 1>> " + logPath_ + " 2>> " + logPath_ + " 3>> " + logPath_ + "\n";
  }

  TempDir package_;
  std::string logPath_ = package_.file("lbt/Component.log");
  char* previous_ = nullptr;
};

TEST_F(FlashEngineTest, PreparingUnpacksTheKitAndMakesTheEngineRunnable) {
  AddKit();
  DovaneComp::CComponent component(package_.file("lbt"));
  component.log.quiet = true;
  EXPECT_EQ(component.PrepareFlashKit(), 0);
  EXPECT_EQ(Log(), kPreparing);

  struct stat status;
  ASSERT_EQ(stat(package_.file(kScript).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0777u);

  // A second unpacking overwrites the first without asking.
  WriteFile(package_.file(kScript), "#!/bin/sh\nexit 99\n");
  EXPECT_EQ(component.PrepareFlashKit(), 0);
  EXPECT_NE(ReadFile(package_.file(kScript))->find("SIMULATOR"), std::string::npos);
  EXPECT_EQ(Log(), std::string(kPreparing) + kPreparing);
}

TEST_F(FlashEngineTest, MissingOrDamagedKitIsPreparedAllTheSame) {
  for (const char* zip : {static_cast<const char*>(nullptr), "", "PK\x03\x04 not really a zip"}) {
    SCOPED_TRACE(zip == nullptr ? "no kit" : zip);
    if (zip != nullptr)
      WriteFile(package_.file("zarnflashStandalone-5.1.42.zip"), zip);
    ClearLog();
    DovaneComp::CComponent component(package_.file("lbt"));
    component.log.quiet = true;
    testing::internal::CaptureStderr();  // unzip's complaints
    EXPECT_TRUE(component.DiscoverDevices());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Log(), kPreparing);
    EXPECT_TRUE(component.deviceList.empty());
  }
}

TEST_F(FlashEngineTest, UpdateFlashesOlderAdaptersThenFindsNothingToDo) {
  AddKit();
  auto component = Prepared();
  EXPECT_EQ(component->FlashAdapters(), 1);
  EXPECT_EQ(Log(), ExecutingLine("/update") + kSimulatorHeader +
                       "zarnflash trace: flash run started\n"
                       "Adapter 1 (ZRa300 CNA): flashing firmware 11.1.179.6 -> 11.1.183.21, "
                       "boot code BC5.01a9 -> BC5.02a1\n"
                       "Adapter 1 (ZRa300 CNA): done\n"
                       "Adapter 2 (Vyn 8Gb FC HBA): flashing firmware 2.01a10 -> 2.01a12, "
                       "boot code 3.20a1 -> 3.20a3\n"
                       "Adapter 2 (Vyn 8Gb FC HBA): done\n"
                       "Adapter 3 (ZRa200 4Gb FC HBA): flashing firmware FW2.72a2 -> FW2.82a4, "
                       "boot code BC1.71a0 -> BC1.71a0\n"
                       "Adapter 3 (ZRa200 4Gb FC HBA): done\n"
                       "Flashed 3, failed 0, skipped 0; exit code 0\n"
                       "Flash Engine exit code: 0\n"
                       "All updates were successful.  Reboot needed.\n");

  ClearLog();
  EXPECT_EQ(component->FlashAdapters(), 3);
  std::string log = Log();
  EXPECT_NE(log.find("Flashed 0, failed 0, skipped 0; exit code 1\n"
                     "Flash Engine exit code: 1\n"
                     "No operation performed.  No updates needed or discovery command executed.\n"),
            std::string::npos)
      << log;
}

TEST_F(FlashEngineTest, ForceRewritesEveryAdapter) {
  AddKit();
  WriteFile(package_.file("zarnflash-sim.state"),
            "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.183.21|BC5.02a1\n");
  auto component = Prepared(/*force=*/true);
  EXPECT_EQ(component->FlashAdapters(), 1);
  std::string log = Log();
  EXPECT_EQ(log.rfind(ExecutingLine("/f"), 0), 0u) << log;
  EXPECT_NE(log.find("Adapter 1 (ZRa300 CNA): done\n"), std::string::npos) << log;
}

TEST_F(FlashEngineTest, EngineExitCodesReachTheComponent) {
  AddKit();
  const struct {
    const char* state;
    int engineCode;
    int result;
    const char* outcome;
  } kCases[] = {
      {"fail|all\n", 2, 7, "All updates failed.\n"},
      {"fail|2\n", 3, 7, "All updates failed.\n"},
      {"adapter|TQ770LNK CNA|0700|D07A|0701|D07A|1.0|1.0\n", 11, 7,
       "All updates were successful.  Skipped any TQ770LNK or WB4400F CNAs.\n"},
      {"exit|8\n", 8, 8, ""},
      {"exit|255\n", 255, 255, ""},
      {"kill|KILL\n", 137, 137, ""},
      {"kill|TERM\n", 143, 143, ""},
  };
  const std::string kAdapters =
      "adapter|ZRa300 CNA|0300|D07A|0301|D07A|11.1.179.6|BC5.01a9\n"
      "adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0\n";
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.state);
    WriteFile(package_.file("zarnflash-sim.state"), kAdapters + c.state);
    auto component = Prepared();
    EXPECT_EQ(component->FlashAdapters(), c.result);
    std::string log = Log();
    std::string tail = "Flash Engine exit code: " + std::to_string(c.engineCode) + "\n" + c.outcome;
    if (c.engineCode >= 11 && c.engineCode <= 16)
      tail += "For TQ770LNK or WB4400F CNAs, please use the \"Firmware image for offline update\" "
              "(Tessaline ISO) tool available on support.dovane.com\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
    EXPECT_EQ(log.find("Reboot needed"), std::string::npos);
  }
}

TEST_F(FlashEngineTest, MissingEngineIsReportedByItsShellCode) {
  // A kit whose archive lacks the script, and no kit at all.
  for (bool withKit : {true, false}) {
    SCOPED_TRACE(withKit);
    if (withKit)
      WriteFile(package_.file("zarnflashStandalone-5.1.42/lx/readme.txt"), "no engine here\n");
    auto component = Prepared();
    EXPECT_EQ(component->FlashAdapters(), 127);
    std::string log = Log();
    // The shell's complaint lands in the log; no outcome line follows the code.
    const std::string tail = "not found\nFlash Engine exit code: 127\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
  }
}

TEST_F(FlashEngineTest, LongEngineOutputIsKeptWhole) {
  AddKit();
  WriteFile(package_.file("zarnflash-sim.state"),
            "adapter|ZRa200 4Gb FC HBA|200|D07A|0201|D07A|FW2.72a2|BC1.71a0\nnoise|100000\n");
  auto component = Prepared();
  EXPECT_EQ(component->FlashAdapters(), 1);
  std::string log = Log();
  EXPECT_GT(log.size(), 2u * 1000 * 1000);
  EXPECT_NE(log.find("Adapter 1: writing block 1\n"), std::string::npos);
  EXPECT_NE(log.find("Adapter 1: writing block 100000\nAdapter 1 (ZRa200 4Gb FC HBA): done\n"),
            std::string::npos);
  EXPECT_EQ(log.rfind(ExecutingLine("/update"), 0), 0u);
}

}  // namespace
