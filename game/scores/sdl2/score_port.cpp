#include "game/scores/score_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "game/scores/sdl2/native_places.h"

namespace {
std::string ScoreFolder;
int LockFile = -1;
int32_t Unsaved = 0;

bool IsFolder(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}
}  // namespace

std::string NativeDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/zarvel";
  if (home && home[0] == '/') return std::string(home) + "/.local/share/zarvel";
  return std::string();
}

int32_t MakeFolders(const std::string& folder) {
  if (folder.empty()) return 0;
  for (size_t at = 1; at <= folder.size(); ++at) {
    if (at < folder.size() && folder[at] != '/') continue;
    std::string part = folder.substr(0, at);
    if (!IsFolder(part)) mkdir(part.c_str(), 0700);
  }
  return IsFolder(folder) ? 1 : 0;
}

void SetScoreFolder(const std::string& folder) { ScoreFolder = folder; }

int (*InstanceLockCall)(int fd, int operation) = flock;

LockResult TakeInstanceLock(const std::string& path, int32_t* error) {
  ReleaseInstanceLock();
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    if (error) *error = errno;
    return LockFailed;
  }
  if (InstanceLockCall(fd, LOCK_EX | LOCK_NB) != 0) {
    int32_t why = errno;
    close(fd);
    if (error) *error = why;
    // Only a lock that another process holds means another game; a folder
    // without locks (ENOLCK on NFS) plays on without one.
    return why == EWOULDBLOCK ? LockHeld : LockFailed;
  }
  LockFile = fd;
  return LockTaken;
}

void ReleaseInstanceLock() {
  if (LockFile < 0) return;
  close(LockFile);  // the lock goes with the last descriptor
  LockFile = -1;
}

// One file, in the player's folder: there is no folder the game cannot
// write that would need a second place.
std::string PortScorePath() { return ScoreFolder.empty() ? ScoreFolder : ScoreFolder + "/score.dat"; }
std::string PortFallbackScorePath() { return std::string(); }

int32_t PortCanWriteFile(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd >= 0) return close(fd), 1;
  if (errno != ENOENT) return 0;  // a folder of that name, or no right to write
  fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return 0;
  close(fd);
  unlink(path.c_str());
  return 1;
}
int32_t PortMakeFallbackFolder() { return 0; }

int32_t PortWriteWholeFile(const std::string& path, const std::string& text) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return 0;
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a full disk, a quota, a size limit
    done += size_t(n);
  }
  bool whole = done == text.size() && fsync(fd) == 0;
  return close(fd) == 0 && whole ? 1 : 0;
}

// rename replaces in one step; the folder's own entry reaches the disk too.
int32_t PortReplaceFile(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) return 0;
  std::string folder = to.substr(0, to.find_last_of('/') + 1);
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) fsync(fd), close(fd);
  return 1;
}

void PortRemoveFile(const std::string& path) { unlink(path.c_str()); }
std::FILE* PortOpenScoreFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

// Said only where a file was meant to be kept (a scripted run keeps none);
// the score file says something only when the scores were not written.
void PortScoreDebug(const char* text) {
  if (ScoreFolder.empty()) return;
  std::fputs(text, stderr);
  Unsaved = 1;
}

int32_t ScoresUnsaved() { return Unsaved; }
