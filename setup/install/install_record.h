// The install record: every record the log gets, byte for byte as the log
// gets it, kept in memory and saved where only administrators can write -
// the value InstallRecord of the installation's Uninstall entry
// (HKLM\...\Uninstall\<RegName>), made at the first step, before the entry
// has its other values. The uninstaller runs elevated and the log lies in
// the install folder, which users may write: it deletes only what this
// record names too.
#pragma once
#include <cstdint>

// Forgets the record (a new installation starts).
void ResetInstallRecord();
// Appends one record and CR LF; when memory runs out the record stops
// growing, and the uninstaller refuses what it lacks.
void AddToInstallRecord(const char* text);
// Writes the record under RegName when it changed since it was last
// written; nothing while the log is off. Run after every step, so that a
// cancel between steps leaves the record whole.
void SaveInstallRecord();
// The record as kept (for the tests).
const char* InstallRecordBytes(int32_t* count);
