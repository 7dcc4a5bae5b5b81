#include "setup/install/copy_engine.h"

#include <cstdio>
#include <cstring>

#include "setup/install/ensure_folder.h"
#include "setup/install/ini_text.h"
#include "setup/install/install_log.h"
#include "setup/install/install_port.h"
#include "setup/install/install_record.h"
#include "setup/install/setup_state.h"
#include "setup/install/shortcuts.h"

CopyState Copy;

namespace {

constexpr const char* FolderFailedText = "フォルダを作成できませんでした。";
constexpr const char* LogFailedText =
    "ログファイルの作成に失敗しました\nアンインストール機能は使えません\n";
constexpr const char* InsertMediumText = " のラベルの付いたディスクを入れてください";
constexpr const char* ThroughLinkText =
    "インストール先のフォルダ\n%s\nは、ジャンクションかシンボリックリンクであるか、"
    "その中にあります。\nリンクの先には書き込みません。別のフォルダを指定して、"
    "もう一度セットアップを実行してください。";

const char* ListDestination(int32_t list) {
  return list == 0 ? InstallFolder : list == 1 ? WindowsFolder : SystemFolder;
}

// The log, records 1 and 2, and the uninstaller. Every path is joined before
// anything is made, so a refused one turns the log off instead of logging
// half an installation.
void StartLog() {
  char logPath[PathBufferSize];
  char setupPath[PathBufferSize];
  bool ok = JoinPath(logPath, InstallFolder, InstallLogName) >= 0 &&
            JoinPath(setupPath, SourceFolder, "setup.exe") >= 0 && !WritesThroughLink(logPath) &&
            PortSetCurrentFolder(InstallFolder) && OpenInstallLog();
  if (!ok) {
    PortShowMessage(MessageLogFailed, LogFailedText);
    LogEnabled = false;
    return;
  }
  WriteLogLine(InstallFolder);
  WriteLogLine(logPath);
  if (InPlaceInstall)
    CopyText(UninstallerPath, PathBufferSize, setupPath);
  else if (!WritesThroughLink(UninstallerPath))
    PortCopyFile(setupPath, UninstallerPath, false);  // a failure here is not reported
}

bool FirstStep() {
  // A folder that is, or lies behind, a link would take every file
  // somewhere else: refused, naming the folder, before anything is made.
  if (WritesThroughLink(InstallFolder)) {
    char text[SetupPathSize + 512];
    std::snprintf(text, sizeof text, ThroughLinkText, InstallFolder);
    PortShowMessage(MessageFolderFailed, text);
    return false;
  }
  if (!InPlaceInstall && !EnsureFolder(InstallFolder)) {
    PortShowMessage(MessageFolderFailed, FolderFailedText);
    return false;
  }
  RecordItems = true;
  LogEnabled = UninstallerEnabled;
  if (LogEnabled) StartLog();
  return true;
}

bool CopyByMode(const char* source, const char* dest) {
  uint64_t destTime = 0;
  uint64_t sourceTime = 0;
  bool destExists = false;
  bool sourceExists = false;
  if (Copy.mode == CopyNewDateOverWrite) {
    destExists = PortLastWriteTime(dest, &destTime);
    sourceExists = PortLastWriteTime(source, &sourceTime);
  }
  switch (DecideCopy(Copy.mode, destExists, destTime, sourceExists, sourceTime)) {
    case KeepDestination:
      return true;
    case CopyReplacing:
      return PortCopyFile(source, dest, false);
    case CopyUnlessPresent:
      break;
  }
  return PortCopyFile(source, dest, true);
}

void InstallFile(int32_t list, const char* entry) {
  char shownSource[DisplayPathSize];
  char shownDest[DisplayPathSize];
  JoinForDisplay(shownSource, SourceFolder, Copy.MediaFolder, Copy.SourceSubFolder, entry);
  JoinForDisplay(shownDest, ListDestination(list), Copy.DestSubFolder, entry);
  PortShowCopyPaths(shownSource, shownDest);
  char source[PathBufferSize];
  char dest[PathBufferSize];
  // A path too long to name the file is refused: the entry fails like a copy.
  bool joined = JoinPath(source, SourceFolder, Copy.MediaFolder, Copy.SourceSubFolder, entry) >= 0 &&
                JoinPath(dest, ListDestination(list), Copy.DestSubFolder, entry) >= 0;
  // Nor is a destination behind a link: the copy would land elsewhere.
  if (joined && !WritesThroughLink(dest) && CopyByMode(source, dest)) {
    WriteLogLine(dest);
    return;
  }
  if (ShowsCopyFailure(list, Copy.mode)) {
    char text[CopyFailedTextSize];
    MakeCopyFailedText(text, shownSource, shownDest);
    PortShowMessage(MessageCopyFailed, text);
  }
}

void SetSubFolder(char* folder, const char* value) { CopyText(folder, PathBufferSize, value); }

void MakeDestSubFolder(const char* value) {
  SetSubFolder(Copy.DestSubFolder, value);
  // An empty value only takes the sub-folder away again: 'InstallFolder\'
  // is no folder of its own to make or to log.
  if (!value[0]) return;
  char path[PathBufferSize];
  if (JoinPath(path, InstallFolder, value) < 0 || WritesThroughLink(path)) return;
  EnsureFolder(path);
  WriteLogLine(path);
}

bool WaitForMedium(const char* value) {
  char name[PathBufferSize];
  const char* label;
  // Without a comma there is nothing to wait for; with no name before it
  // the files come from the medium's root again.
  if (!SplitChangeMedia(value, name, sizeof name, &label)) return true;
  if (!name[0]) {
    Copy.MediaFolder[0] = '\0';
    return true;
  }
  char path[PathBufferSize];
  if (JoinPath(path, SourceFolder, name) < 0) return true;
  SetSubFolder(Copy.MediaFolder, name);
  char text[2 * PathBufferSize];
  std::snprintf(text, sizeof text, "%s%s", label, InsertMediumText);
  uint32_t attributes;
  while ((attributes = PortEntryAttributes(path)) == NoSuchEntry) {
    if (!PortShowMessage(MessageInsertMedium, text)) return false;
  }
  if (!MediaIsFolder(attributes)) Copy.MediaFolder[0] = '\0';
  return true;
}

}  // namespace

void ResetCopyState() {
  std::memset(&Copy, 0, sizeof Copy);
  Copy.entry = 1;
  Copy.mode = CopyIfNotExit;
  GroupFolder[0] = '\0';
  GroupFolderReady = false;
}

void MakeCopyFailedText(char* out, const char* source, const char* dest) {
  std::snprintf(out, CopyFailedTextSize, "コピーできませんでした：%s -> %s", source, dest);
}

bool ApplyDirective(const char* text) {
  const char* value = "";
  switch (ParseDirective(text, &value)) {
    case DirectiveDustSubDir:
      MakeDestSubFolder(value);
      break;
    case DirectiveSrcSubDir:
      SetSubFolder(Copy.SourceSubFolder, value);
      break;
    case DirectiveChangeMedia:
      return WaitForMedium(value);
    case DirectiveCopyMode: {
      int mode = ParseCopyMode(value);
      if (mode >= 0) Copy.mode = static_cast<CopyModeKind>(mode);
      break;
    }
    case DirectiveUninstallDelete:
      RecordItems = value[0] == '1';
      break;
    case DirectiveIgnored:
      break;
  }
  return true;
}

namespace {

StepResult RunStep(int32_t list, int32_t entry) {
  Copy.list = list;
  Copy.entry = entry;
  if (list >= FinishingList) return RunFinishingStep(entry);
  if (list == 0 && entry == 1 && !FirstStep()) return StepStop;
  char text[PathBufferSize];
  if (GetEntry(IniText, CopyListSections[list], entry, text, sizeof text) == 0) {
    Copy.list = list + 1;
    Copy.entry = 1;
    return StepNext;
  }
  if (IsDirectiveEntry(text)) {
    if (!ApplyDirective(SkipBlanks(SkipBlanks(text) + 1))) return StepStop;
  } else {
    InstallFile(list, text);
  }
  Copy.entry = entry + 1;
  return StepNext;
}

}  // namespace

StepResult RunCopyStep(int32_t list, int32_t entry) {
  const StepResult result = RunStep(list, entry);
  SaveInstallRecord();
  return result;
}
