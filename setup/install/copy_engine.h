#pragma once
#include <cstdint>

#include "setup/install/copy_rules.h"
#include "setup/install/install_paths.h"

// The copy phase as steps: the copy dialog runs one step per timer tick,
// with the timer stopped while the step runs. Lists 0-2 are Install,
// InstallWindows and InstallSystem (entry = the list entry, from 1);
// FinishingList is the finishing sequence (entry = its step, 1-8).
constexpr int32_t FinishingList = CopyListCount;
constexpr int32_t FinishingSteps = 8;

// Kept from one step to the next, never reset between the lists.
struct CopyState {
  int32_t list;
  int32_t entry;
  CopyModeKind mode;
  char DestSubFolder[PathBufferSize];
  char SourceSubFolder[PathBufferSize];
  char MediaFolder[PathBufferSize];
  char ShowName[PathBufferSize];
  // The uninstall shortcut's file, empty when none is to be made.
  char UninstallShortcut[PathBufferSize];
};
extern CopyState Copy;

enum StepResult : int32_t {
  StepNext,      // start the timer again; Copy.list and Copy.entry say what comes
  StepStop,      // end the program: the folder could not be made, or the medium was refused
  StepFinished,  // installation complete; wait for the user to leave
};

// Back to list 0, entry 1, IfNotExit, no sub-folders.
void ResetCopyState();
// One step (list, entry). (0, 1) is the very first step: install folder,
// log and uninstaller before the first entry.
StepResult RunCopyStep(int32_t list, int32_t entry);
// One step (1-8) of the finishing sequence (finishing.cpp).
StepResult RunFinishingStep(int32_t step);

// The message for a file that could not be copied.
void MakeCopyFailedText(char* out, const char* source, const char* dest);
constexpr int32_t CopyFailedTextSize = 2 * DisplayPathSize + 64;
// Applies one directive (the text after its '.'); false when the user
// refused to insert a medium.
bool ApplyDirective(const char* text);
