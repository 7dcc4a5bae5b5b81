// setup-check's command line, run as its users run it: each option, the
// exit codes 0, 1 and 2, and bad usage. Native builds only (the program is
// started through the shell).
#include <gtest/gtest.h>

#ifdef ZARVEL_SETUP_CHECK_EXE

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs setup-check with `arguments` (shell words) in `folder`.
Outcome RunSetupCheck(const std::string& folder, const std::string& arguments) {
  const std::string err = folder + "/stderr.txt";
  const std::string command =
      "cd '" + folder + "' && '" ZARVEL_SETUP_CHECK_EXE "' " + arguments + " 2>'" + err + "'";
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return o;
  char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) o.out.append(chunk, n);
  const int status = pclose(pipe);
  o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.err = ReadAll(err);
  return o;
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A medium folder with setup.ini and what its lists name.
std::string MakeMedium() {
  const std::string folder = ::testing::TempDir() + "setup_check_cli";
  mkdir(folder.c_str(), 0755);
  mkdir((folder + "/medium").c_str(), 0755);
  Write(folder + "/setup.ini",
        "[init]\nBigTitle=  ZARVEL\n[Install]\ntzk.exe\ndata.dat\n[UninstallSetting]\n"
        "UseUninstaller=1\nUninstallProgramName=zu.exe\nRegName=ZARVEL\nShowName=ZARVEL\n"
        "ShowUninstallProgramName=ZARVEL\n");
  Write(folder + "/odd.ini", "[Install]\n. DustSubDir = ..\nx.dat\n");
  for (const char* name : {"tzk.exe", "data.dat", "setup.exe", "setup.bmp"})
    Write(folder + "/medium/" + name, "x");
  return folder;
}

}  // namespace

TEST(SetupCheckCommandLine, OptionsAndExitCodes) {
  const std::string folder = MakeMedium();
  struct Case {
    const char* arguments;
    int code;
    const char* out;  // the whole output, or (for reports) its start
    const char* err;  // a part of the error output, "" for none
  };
  const Case cases[] = {
      {"setup.ini", 0, "setup-check: setup.ini\n", ""},
      {"--medium medium setup.ini", 0, "setup-check: setup.ini\n", ""},
      {"odd.ini", 1, "setup-check: odd.ini\n", ""},                    // a warning
      {"--medium . setup.ini", 1, "setup-check: setup.ini\n", ""},      // files missing there
      {"missing.ini", 2, "", "cannot read missing.ini"},
      {"--get init BigTitle setup.ini", 0, "ZARVEL\n", ""},
      {"--get init BigTitle --verbatim setup.ini", 0, "  ZARVEL\n", ""},
      {"--get init Title setup.ini", 1, "", ""},                        // absent
      {"--get init BigTitle missing.ini", 2, "", "cannot read"},
      {"--entry Install 2 setup.ini", 0, "data.dat\n", ""},
      {"--entry Install 3 setup.ini", 1, "", ""},
      {"", 2, "", "usage:"},
      {"--get init setup.ini", 2, "", "usage:"},                        // too few words
      {"--entry Install 0 setup.ini", 2, "", "usage:"},
      {"--entry Install two setup.ini", 2, "", "usage:"},
      {"--get init BigTitle --entry Install 1 setup.ini", 2, "", "usage:"},
      {"--frobnicate setup.ini", 2, "", "usage:"},
      {"setup.ini odd.ini", 2, "", "usage:"},
  };
  for (const Case& c : cases) {
    const Outcome o = RunSetupCheck(folder, c.arguments);
    EXPECT_EQ(o.code, c.code) << c.arguments;
    const std::string want = c.out;
    if (want.rfind("setup-check: ", 0) == 0)
      EXPECT_EQ(o.out.substr(0, want.size()), want) << c.arguments;
    else
      EXPECT_EQ(o.out, want) << c.arguments;
    EXPECT_NE(o.err.find(c.err), std::string::npos) << c.arguments << ": " << o.err;
    if (!c.err[0]) {
      EXPECT_EQ(o.err, "") << c.arguments;
    }
  }
}

#endif  // ZARVEL_SETUP_CHECK_EXE
