#include "vendor/component.h"

#include "driver/shell.h"
#include "driver/wide_text.h"
#include "vendor/firmware_items.h"
#include "vendor/flash_outcome.h"
#include "vendor/query_line.h"

namespace DovaneComp {

namespace {

constexpr const char* kEngineScript = "./zarnflashStandalone*/lx/zarnflash.sh";
// Only the engine's adapter lines carry "NIC".
constexpr const char* kQueryCommand = "./zarnflashStandalone*/lx/zarnflash.sh /q|grep NIC";

}  // namespace

bool CComponent::DiscoverDevices() {
  if (PrepareFlashKit() != 0)
    return false;
  // A missing kit or a failed query yields no adapter line, which is no
  // failure: the run sequence then finds nothing to do.
  for (const std::string& text : SplitQueryOutput(RunCommand(kQueryCommand))) {
    std::optional<QueryLine> line = ParseQueryLine(text);
    if (!line)
      continue;
    const int index = FindReferenceDevice(Widen(DeviceIdentity(*line)));
    if (index < 0)
      continue;  // an adapter this package does not serve
    deviceList.push_back(MakeDeviceEntry(*line, catalogue.referenceDevices[index]));
  }
  return true;
}

std::wstring CComponent::NormalizeModel(const std::wstring& model) {
  return model.substr(0, model.find(L' '));
}

int CComponent::PrepareFlashKit() {
  log.Write("Preparing the Dovane CNA Kit...");
  // A damaged or missing kit shows later: the query then finds no adapter.
  RunCommand("unzip -o zarnflashStandalone*.zip");
  log.Write("done\n");
  RunShell(std::string("chmod 777 ") + kEngineScript);
  return 0;
}

int CComponent::FlashAdapters() {
  // The engine's standard output, standard error and descriptor 3 all go to
  // the component log, between the two lines written around the run.
  const std::string command = std::string(kEngineScript) + " " + (force ? " /f " : " /update ") +
                              "1>> " + log.path + " 2>> " + log.path + " 3>> " + log.path;
  log.Write("Executing flash engine: ").Write(command).Write("\n");
  const int exitCode = EngineExitCode(RunShell(command));
  log.Write("Flash Engine exit code: ").Write(exitCode).Write("\n");

  FlashOutcome outcome = OutcomeOfEngineExit(exitCode);
  for (const std::string& line : outcome.lines)
    log.Write(line);
  return outcome.result;
}

}  // namespace DovaneComp
