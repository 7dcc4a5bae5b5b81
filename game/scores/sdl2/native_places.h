#pragma once
#include <cstdint>
#include <string>

// Where the native program keeps its files: the player's data folder
// ($XDG_DATA_HOME/zarvel, else ~/.local/share/zarvel) holds score.dat (the
// Windows program's format) and the lock file that keeps to one running
// game.

// The folder for these values of XDG_DATA_HOME and HOME (either may be
// null); a relative XDG_DATA_HOME counts as unset, as the XDG rules say.
// "" when neither gives an absolute path.
std::string NativeDataFolder(const char* xdgDataHome, const char* home);
// Makes the folder and its missing parents (mode 0700); 1 when it is a
// folder afterwards.
int32_t MakeFolders(const std::string& folder);
// The score port's folder; "" keeps no file at all.
void SetScoreFolder(const std::string& folder);
// 1 once the scores could not be written to that folder (read-only, full).
int32_t ScoresUnsaved();

enum LockResult : int32_t {
  LockTaken = 0,
  LockHeld = 1,     // another running game has it
  LockFailed = 2,   // no lock here (the file cannot be made, the folder
                    // takes no locks): the game plays on without one
};
// Takes the lock on `path` for as long as the program runs (the system
// lets it go when the process ends, crash or not). `error`, when given,
// gets the errno of a result other than LockTaken.
LockResult TakeInstanceLock(const std::string& path, int32_t* error = nullptr);
void ReleaseInstanceLock();
// The call that takes the lock (flock); tests put in one that fails.
extern int (*InstanceLockCall)(int fd, int operation);
