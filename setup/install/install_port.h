#pragma once
#include <cstdint>

// What the copy engine, the shortcut phase and the registry entry ask of the
// machine, one small call each. win32/ calls Windows; host/ is an in-memory
// machine for the tests, with switches that make calls fail. Paths and texts
// are Shift-JIS (code page 932) on every system; win32/ hands them to the
// W functions.

// --- files and folders ------------------------------------------------------
constexpr uint32_t NoSuchEntry = 0xFFFFFFFFu;  // INVALID_FILE_ATTRIBUTES
constexpr uint32_t FolderAttribute = 0x10;     // FILE_ATTRIBUTE_DIRECTORY
constexpr uint32_t LinkAttribute = 0x400;      // FILE_ATTRIBUTE_REPARSE_POINT

// GetFileAttributes: the entry's attributes, NoSuchEntry when absent.
uint32_t PortEntryAttributes(const char* path);
// CreateDirectory: the parent must exist.
bool PortMakeFolder(const char* path);
// CopyFile: the destination's folder must exist; with failIfExists an
// existing destination makes the copy fail.
bool PortCopyFile(const char* source, const char* dest, bool failIfExists);
// The last-write time as the file system keeps it (FILETIME as one number).
bool PortLastWriteTime(const char* path, uint64_t* time);
bool PortSetCurrentFolder(const char* path);

// --- the install log: one file open at a time ------------------------------
// Creates (or replaces) the file in the current folder, shared for writing.
bool PortLogCreate(const char* name);
void PortLogWrite(const char* bytes, int32_t count);  // errors are ignored
void PortLogClose();

// --- shell ------------------------------------------------------------------
constexpr int32_t CsidlDesktop = 0;
constexpr int32_t CsidlPrograms = 2;
constexpr int32_t CsidlStartup = 7;
constexpr int32_t CsidlSendTo = 9;
// SHGetSpecialFolderLocation and SHGetPathFromIDList: false when the system
// cannot say.
bool PortShellFolder(int32_t csidl, char* path);
// Whether folder is one of the system's own folders as the system names
// them: a shell or known folder (Desktop, Documents, Downloads...), the
// Windows or system folder. Such a folder may be a link itself.
bool PortIsSystemFolder(const char* folder);
// A shell link through IShellLinkW and IPersistFile. workingFolder and
// arguments may be null; icon < 0 sets no icon. Returns the HRESULT.
int32_t CreateShortcut(const char* target, const char* file, const char* workingFolder,
                       const char* arguments, int32_t icon);
// Starts the command line as WinExec did (SW_SHOWNORMAL); the result is not
// looked at.
void PortStartProgram(const char* commandLine);

// --- the Uninstall key: HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion ----
enum KeyOutcome : int32_t { KeyFailed = 0, KeyCreated = 1, KeyOpened = 2 };
bool PortUninstallBaseOpen();
void PortUninstallBaseClose();
// RegCreateKeyEx below the base; the key stays open for the values.
KeyOutcome PortUninstallKeyCreate(const char* subKey);
void PortUninstallKeyClose();
bool PortUninstallKeyDelete(const char* subKey);
void PortUninstallSetString(const char* name, const char* value);  // REG_SZ
void PortUninstallSetNumber(const char* name, uint32_t value);     // REG_DWORD
// The value InstallRecord (REG_BINARY): the install record's bytes.
void PortUninstallSetRecord(const char* bytes, int32_t count);

// --- what the user sees -----------------------------------------------------
// Each message has its own icon, buttons and owner (win32/ keeps the table).
enum InstallMessage : int32_t {
  MessageFolderFailed,  // error icon, the copy dialog as owner
  MessageLogFailed,     // warning icon, no owner
  MessageCopyFailed,    // warning icon, the copy dialog as owner
  MessageInsertMedium,  // information icon, OK and Cancel, the copy dialog as owner
  MessageGroupFailed,   // warning icon, the main window as owner
};
// Returns true for OK.
bool PortShowMessage(InstallMessage kind, const char* text);
// The copy dialog's two path fields.
void PortShowCopyPaths(const char* source, const char* dest);
// Finishing: hide the path fields and labels; later the "complete" label,
// caption, exit button and the beep.
void PortHideCopyFields();
void PortShowInstallComplete();
