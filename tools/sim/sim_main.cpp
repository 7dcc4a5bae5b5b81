// tzk-sim: the game on a simulated clock, for scenarios, benchmarks and looking.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/sim/sim.h"

static int Fail(const std::string& message) {
  std::fprintf(stderr, "tzk-sim: %s\n", message.c_str());
  return 2;
}

int main(int argc, char** argv) {
  SimOptions options;
  std::string error;
  if (ParseSimArgs(argc, argv, options, error) != 0) return Fail(error);
  if (options.help) {
    std::fputs(SimUsage(), stdout);
    return 0;
  }
  std::vector<KeyChange> script;
  if (!options.keysFile.empty()) {
    std::ifstream file(options.keysFile, std::ios::binary);
    if (!file) return Fail("cannot read key script '" + options.keysFile + "'");
    std::stringstream text;
    text << file.rdbuf();
    if (!ParseKeyScript(text.str(), script, error)) return Fail(error);
  }
  SimRun run = RunSim(options, script);
  for (size_t i = 0; i < run.hashes.size(); ++i) std::printf("frame=%zu hash=%08x\n", i, run.hashes[i]);
  for (const StageReport& report : run.stages) {
    std::string clearing = FormatClearing(report);
    if (!clearing.empty()) std::printf("%s\n", clearing.c_str());
    std::printf("%s\n", FormatStageReport(report).c_str());
  }
  if (!options.audioFile.empty() && !run.audioWritten)
    return Fail("cannot write the audio file '" + options.audioFile + "'");
  if (run.shotsWritten != static_cast<int32_t>(options.shots.size()))
    return Fail(std::to_string(options.shots.size() - run.shotsWritten) +
                " screenshot(s) not written (frame not reached, or the file could not be made)");
  return 0;
}
