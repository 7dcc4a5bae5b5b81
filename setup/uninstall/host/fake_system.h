#pragma once
#include <string>
#include <vector>

// The host stand-in for the uninstaller's port: an in-memory file system
// (names compared without case, as on Windows), a switchable delayed
// deletion and a profile store. Every call is recorded in order.

void FakeDiskReset();
void FakeDiskAddFolder(const std::string& path);
// alias: the 8.3 alias the file system reports, empty when the name is short.
void FakeDiskAddFile(const std::string& path, const std::string& alias = "", bool inUse = false);
// A junction: a folder whose contents lie elsewhere.
void FakeDiskAddLink(const std::string& path);
void FakeDiskSetAlias(const std::string& path, const std::string& alias);
bool FakeDiskExists(const std::string& path);
std::vector<std::string> FakeDiskPaths();  // every entry, sorted

// "delete PATH", "isfolder PATH", "rmdir PATH", "find PATH", "reboot PATH".
const std::vector<std::string>& FakeDiskCalls();

void FakeDiskSetDelayedDeletion(bool works);
const std::vector<std::string>& FakeDiskDelayedDeletions();
void FakeDiskSetWindowsFolder(const std::string& folder);  // empty: the query fails
// A profile section as "key=value" lines in file order.
std::vector<std::string> FakeDiskProfileSection(const std::string& file, const std::string& section);
void FakeDiskSetProfileSection(const std::string& file, const std::string& section,
                           const std::vector<std::string>& lines);
