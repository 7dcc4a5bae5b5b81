// The installer's two icons (setup.exe's 103, the uninstaller's 106), drawn
// here like the game's sheets and written as .ico files with 16, 32 and 48
// pixel images in 32-bit colour with an alpha channel and a 1-bit mask.
#pragma once
#include <string>

// Writes setup_icon.ico and uninstall_icon.ico into outDir; 0 on failure.
int WriteSetupIcons(const std::string& outDir);
