#include "setup/install/host/fake_machine.h"

#include <algorithm>
#include <cstring>

#include "setup/install/path_chars.h"
#include "setup/install/setup_state.h"

FakeMachine Fake;

namespace {

std::string Parent(const std::string& path) {
  const char* cut = FindLastPathChar(path.c_str(), '\\');
  return cut ? path.substr(0, static_cast<size_t>(cut - path.c_str())) : std::string();
}

bool IsDrive(const std::string& key) { return key.size() == 2 && key[1] == ':'; }

FakeEntry* Find(const std::string& path) {
  auto found = Fake.entries.find(FakeKey(path));
  return found == Fake.entries.end() ? nullptr : &found->second;
}

bool ParentIsFolder(const std::string& path) {
  std::string parent = Parent(path);
  return !parent.empty() && FakeIsFolder(parent);
}

void Put(const std::string& path, const FakeEntry& entry) {
  Fake.entries[FakeKey(path)] = entry;
  Fake.spelled[FakeKey(path)] = path;
}

}  // namespace

std::string FakeKey(const std::string& path) {
  std::string key = path;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return key;
}

void ResetFake() {
  Fake = FakeMachine();
  FakeAddFolder("C:");
  FakeAddFolder("D:");
  Fake.currentFolder = "D:";
}

void FakeAddFolder(const std::string& path) {
  if (path.empty() || FakeIsFolder(path)) return;
  if (!IsDrive(FakeKey(path))) FakeAddFolder(Parent(path));
  FakeEntry entry;
  entry.folder = true;
  Put(path, entry);
}

void FakeAddFile(const std::string& path, const std::string& bytes, uint64_t time) {
  FakeAddFolder(Parent(path));
  FakeEntry entry;
  entry.bytes = bytes;
  entry.time = time;
  Put(path, entry);
}

void FakeAddLink(const std::string& path) {
  FakeAddFolder(path);
  Find(path)->link = true;
}

bool FakeExists(const std::string& path) { return Find(path) != nullptr; }

bool FakeIsFolder(const std::string& path) {
  const FakeEntry* entry = Find(path);
  return entry && entry->folder;
}

std::string FakeBytes(const std::string& path) {
  const FakeEntry* entry = Find(path);
  return entry ? entry->bytes : std::string("(missing)");
}

std::vector<std::string> FakePaths() {
  std::vector<std::string> paths;
  for (const auto& [key, spelling] : Fake.spelled) paths.push_back(spelling);
  std::sort(paths.begin(), paths.end());
  return paths;
}

// --- the port -----------------------------------------------------------------

uint32_t PortEntryAttributes(const char* path) {
  const FakeEntry* entry = Find(path);
  if (!entry) return NoSuchEntry;
  const uint32_t link = entry->link ? LinkAttribute : 0;
  return (entry->folder ? FolderAttribute : 0x20) | link;  // 0x20: FILE_ATTRIBUTE_ARCHIVE
}

bool PortMakeFolder(const char* path) {
  if (!path[0] || FakeExists(path) || !ParentIsFolder(path)) return false;
  FakeAddFolder(path);
  return true;
}

bool PortCopyFile(const char* source, const char* dest, bool failIfExists) {
  const FakeEntry* from = Find(source);
  if (!from || from->folder || !from->readable || !ParentIsFolder(dest)) return false;
  const FakeEntry* to = Find(dest);
  if (to && (failIfExists || to->folder)) return false;
  FakeEntry copy = *from;  // CopyFile keeps the write time
  Put(dest, copy);
  ++Fake.copies;
  return true;
}

bool PortLastWriteTime(const char* path, uint64_t* time) {
  const FakeEntry* entry = Find(path);
  if (!entry) return false;
  *time = entry->time;
  return true;
}

bool PortSetCurrentFolder(const char* path) {
  if (!FakeIsFolder(path)) return false;
  Fake.currentFolder = path;
  return true;
}

bool PortLogCreate(const char* name) {
  std::string path = Fake.currentFolder + "\\" + name;
  if (Fake.logCreateFails || !ParentIsFolder(path) || FakeIsFolder(path)) return false;
  FakeAddFile(path, "");
  Fake.logKey = FakeKey(path);
  return true;
}

void PortLogWrite(const char* bytes, int32_t count) {
  if (!Fake.logKey.empty()) Fake.entries[Fake.logKey].bytes.append(bytes, count);
}

void PortLogClose() { Fake.logKey.clear(); }

bool PortShellFolder(int32_t csidl, char* path) {
  auto found = Fake.shellFolders.find(csidl);
  if (found == Fake.shellFolders.end()) return false;
  std::strcpy(path, found->second.c_str());
  return true;
}

int32_t CreateShortcut(const char* target, const char* file, const char* workingFolder,
                       const char* arguments, int32_t icon) {
  if (!ParentIsFolder(file) || FakeIsFolder(file)) return static_cast<int32_t>(0x80004005u);
  FakeShortcut shortcut;
  shortcut.target = target;
  shortcut.workingFolder = workingFolder ? workingFolder : "(none)";
  shortcut.arguments = arguments ? arguments : "(none)";
  shortcut.icon = icon;
  Fake.shortcuts[FakeKey(file)] = shortcut;
  FakeAddFile(file, "lnk");
  return 0;
}

bool PortIsSystemFolder(const char* folder) {
  std::vector<std::string> all = Fake.knownFolders;
  for (const auto& [csidl, path] : Fake.shellFolders) all.push_back(path);
  all.push_back(WindowsFolder);
  all.push_back(SystemFolder);
  for (const std::string& f : all)
    if (FakeKey(f) == FakeKey(folder)) return true;
  return false;
}

void PortStartProgram(const char* commandLine) {
  Fake.started.push_back({commandLine, Fake.currentFolder});
}

bool PortUninstallBaseOpen() { return !Fake.registryFails; }
void PortUninstallBaseClose() {}

KeyOutcome PortUninstallKeyCreate(const char* subKey) {
  std::string key = FakeKey(subKey);
  bool existed = Fake.registry.count(key) != 0;
  Fake.registry[key];
  Fake.openKey = key;
  return existed ? KeyOpened : KeyCreated;
}

void PortUninstallKeyClose() { Fake.openKey.clear(); }

bool PortUninstallKeyDelete(const char* subKey) {
  std::string key = FakeKey(subKey);
  // As RegDeleteKeyA: a key that still has sub-keys stays.
  for (const auto& [name, values] : Fake.registry)
    if (name.size() > key.size() && name.compare(0, key.size() + 1, key + "\\") == 0) return false;
  return Fake.registry.erase(key) != 0;
}

void PortUninstallSetString(const char* name, const char* value) {
  Fake.registry[Fake.openKey][name] = std::string("sz:") + value;
}

void PortUninstallSetRecord(const char* bytes, int32_t count) {
  Fake.registry[Fake.openKey]["InstallRecord"] = "bin:" + std::string(bytes, static_cast<size_t>(count));
}

void PortUninstallSetNumber(const char* name, uint32_t value) {
  Fake.registry[Fake.openKey][name] = "dword:" + std::to_string(value);
}

bool PortShowMessage(InstallMessage kind, const char* text) {
  FakeMessage message{kind, text};
  Fake.messages.push_back(message);
  return Fake.answer ? Fake.answer(message) : true;
}

void PortShowCopyPaths(const char* source, const char* dest) {
  Fake.shownSource = source;
  Fake.shownDest = dest;
}

void PortHideCopyFields() { Fake.fieldsHidden = true; }
void PortShowInstallComplete() { Fake.complete = true; }
