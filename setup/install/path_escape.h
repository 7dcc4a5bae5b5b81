#pragma once

// Whether a relative name from setup.ini, joined onto a folder, lands
// outside that folder: an absolute path ('\x', 'C:\x', 'C:x', '\\server'),
// or '..' components that climb above where it starts. The installer joins
// such names as they stand (setup.ini is the packager's own); setup-check
// warns about them.
bool LeavesFolder(const char* relative);
