#include "setup/uninstall/host/fake_system.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "setup/uninstall/uninstall_port.h"

namespace {

struct Entry {
  std::string name;  // as created
  bool folder = false;
  bool inUse = false;
  std::string alias;
  bool link = false;
};

std::map<std::string, Entry> entries;  // by upper-cased path
std::vector<std::string> calls;
std::vector<std::string> delayed;
bool delayedWorks = true;
std::string windowsFolder = "C:\\WINDOWS";
std::map<std::string, std::vector<std::string>> profiles;  // file|section

std::string Key(const std::string& path) {
  std::string k = path;
  for (char& c : k)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  while (k.size() > 3 && k.back() == '\\') k.pop_back();
  return k;
}

bool HasChildren(const std::string& key) {
  const std::string prefix = key + "\\";
  auto it = entries.lower_bound(prefix);
  return it != entries.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

int32_t CopyOut(const std::string& s, char* buffer, int32_t size) {
  if (size <= 0) return 0;
  const size_t n = std::min(s.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, s.data(), n);
  buffer[n] = '\0';
  return static_cast<int32_t>(n);
}

}  // namespace

void FakeDiskReset() {
  entries.clear();
  calls.clear();
  delayed.clear();
  delayedWorks = true;
  windowsFolder = "C:\\WINDOWS";
  profiles.clear();
}

void FakeDiskAddFolder(const std::string& path) { entries[Key(path)] = Entry{path, true, false, ""}; }

void FakeDiskAddFile(const std::string& path, const std::string& alias, bool inUse) {
  entries[Key(path)] = Entry{path, false, inUse, alias};
}

void FakeDiskAddLink(const std::string& path) {
  entries[Key(path)] = Entry{path, true, false, "", true};
}

void FakeDiskSetAlias(const std::string& path, const std::string& alias) { entries[Key(path)].alias = alias; }

bool FakeDiskExists(const std::string& path) { return entries.count(Key(path)) != 0; }

std::vector<std::string> FakeDiskPaths() {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.second.name);
  std::sort(out.begin(), out.end());
  return out;
}

const std::vector<std::string>& FakeDiskCalls() { return calls; }
void FakeDiskSetDelayedDeletion(bool works) { delayedWorks = works; }
const std::vector<std::string>& FakeDiskDelayedDeletions() { return delayed; }
void FakeDiskSetWindowsFolder(const std::string& folder) { windowsFolder = folder; }

std::vector<std::string> FakeDiskProfileSection(const std::string& file, const std::string& section) {
  return profiles[Key(file) + "|" + Key(section)];
}

void FakeDiskSetProfileSection(const std::string& file, const std::string& section,
                           const std::vector<std::string>& lines) {
  profiles[Key(file) + "|" + Key(section)] = lines;
}

int32_t FsDeleteFile(const char* path) {
  calls.push_back(std::string("delete ") + path);
  auto it = entries.find(Key(path));
  if (it == entries.end() || it->second.folder || it->second.inUse) return 0;
  entries.erase(it);
  return 1;
}

int32_t FsIsFolder(const char* path) {
  calls.push_back(std::string("isfolder ") + path);
  auto it = entries.find(Key(path));
  return it != entries.end() && it->second.folder;
}

// A query only: not among the recorded calls.
int32_t FsIsLink(const char* path) {
  auto it = entries.find(Key(path));
  return it != entries.end() && it->second.link;
}

// The entry of folder whose name or 8.3 alias is component, as its name.
bool FindComponent(const std::string& folder, const std::string& component, std::string* name) {
  const std::string wanted = Key(component);
  for (const auto& [key, entry] : entries) {
    if (key.size() <= folder.size() + 1 || key.compare(0, folder.size(), Key(folder)) != 0 ||
        key[folder.size()] != '\\' || key.find('\\', folder.size() + 1) != std::string::npos)
      continue;
    if (key.substr(folder.size() + 1) == wanted || Key(entry.alias) == wanted) {
      *name = entry.name.substr(entry.name.rfind('\\') + 1);
      return true;
    }
  }
  return false;
}

// A query only: not among the recorded calls.
int32_t FsLongPath(const char* path, char* buffer, int32_t size) {
  if (size > 0) buffer[0] = '\0';
  const std::string p = path;
  if (p.size() < 2 || p[1] != ':') return 0;
  std::string out = p.substr(0, 2);
  for (size_t at = 2; at < p.size();) {
    if (p[at] == '\\') {
      ++at;
      continue;
    }
    const size_t end = std::min(p.find('\\', at), p.size());
    std::string name;
    if (!FindComponent(out, p.substr(at, end - at), &name)) return 0;
    out += "\\" + name;
    at = end;
  }
  if (out.size() == 2) out += "\\";
  if (static_cast<int32_t>(out.size()) >= size) return 0;
  CopyOut(out, buffer, size);
  return 1;
}

int32_t FsRemoveFolder(const char* path) {
  calls.push_back(std::string("rmdir ") + path);
  const std::string key = Key(path);
  auto it = entries.find(key);
  if (it == entries.end() || !it->second.folder || HasChildren(key)) return 0;
  entries.erase(it);
  return 1;
}

int32_t FsFindShortName(const char* path, char* alias, int32_t size) {
  calls.push_back(std::string("find ") + path);
  auto it = entries.find(Key(path));
  if (it == entries.end()) return 0;
  CopyOut(it->second.alias, alias, size);
  return 1;
}


int32_t SysDeleteAtReboot(const char* path) {
  calls.push_back(std::string("reboot ") + path);
  if (!delayedWorks) return 0;
  delayed.push_back(path);
  return 1;
}

int32_t SysWindowsFolder(char* buffer, int32_t size) {
  if (windowsFolder.empty()) return 0;
  return CopyOut(windowsFolder, buffer, size) > 0;
}

int32_t SysReadProfileSection(const char* file, const char* section, char* buffer, int32_t size) {
  std::string all;
  for (const std::string& line : profiles[Key(file) + "|" + Key(section)]) {
    all += line;
    all += '\0';
  }
  if (static_cast<int32_t>(all.size()) + 1 > size) return size - 2;  // as the system says "too small"
  std::memcpy(buffer, all.data(), all.size());
  buffer[all.size()] = '\0';
  return static_cast<int32_t>(all.size());
}

int32_t SysWriteProfileSection(const char* file, const char* section, const char* lines) {
  std::vector<std::string> out;
  for (const char* p = lines; *p; p += std::strlen(p) + 1) out.push_back(p);
  profiles[Key(file) + "|" + Key(section)] = out;
  return 1;
}
