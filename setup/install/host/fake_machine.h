#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "setup/install/install_port.h"

// An in-memory Windows for the installer's tests: files and folders with
// write times, one open log, shell folders, shortcuts, the Uninstall key,
// started programs and the messages the user saw. Paths compare without
// regard to the case of ASCII letters, as on Windows.
struct FakeEntry {
  bool folder = false;
  std::string bytes;
  uint64_t time = 0;
  bool readable = true;
  bool link = false;  // a junction: what lies behind it is elsewhere
};
struct FakeShortcut {
  std::string target;
  std::string workingFolder;  // "(none)" when not set
  std::string arguments;      // "(none)" when not set
  int32_t icon = -1;
};
struct FakeMessage {
  InstallMessage kind;
  std::string text;
};
struct FakeStart {
  std::string commandLine;
  std::string currentFolder;
};

struct FakeMachine {
  std::map<std::string, FakeEntry> entries;  // by upper-cased path
  std::map<std::string, std::string> spelled;  // upper-cased path -> as created
  std::string currentFolder;
  std::string logKey;  // the open log's entry, empty when none
  bool logCreateFails = false;
  std::map<int32_t, std::string> shellFolders;
  // Further folders the system names (known folders); the shell folders,
  // WindowsFolder and SystemFolder count as well.
  std::vector<std::string> knownFolders;
  std::map<std::string, FakeShortcut> shortcuts;  // by upper-cased file path
  bool registryFails = false;
  // Keys below the base, as "Uninstall\Name" -> value name -> "sz:text" or "dword:n".
  std::map<std::string, std::map<std::string, std::string>> registry;
  std::string openKey;
  std::vector<FakeStart> started;
  std::vector<FakeMessage> messages;
  // The user's answer to a message (true = OK); it may change the machine,
  // like a person inserting a disk before pressing OK.
  std::function<bool(const FakeMessage&)> answer;
  std::string shownSource;
  std::string shownDest;
  bool fieldsHidden = false;
  bool complete = false;
  int32_t copies = 0;
};
extern FakeMachine Fake;

// A fresh machine with the drives C: and D: and nothing else.
void ResetFake();
std::string FakeKey(const std::string& path);
void FakeAddFolder(const std::string& path);  // with its parents
void FakeAddFile(const std::string& path, const std::string& bytes, uint64_t time = 1);
// A junction where a folder would be (with its parents).
void FakeAddLink(const std::string& path);
bool FakeExists(const std::string& path);
bool FakeIsFolder(const std::string& path);
std::string FakeBytes(const std::string& path);
// Every path, as created, sorted.
std::vector<std::string> FakePaths();
