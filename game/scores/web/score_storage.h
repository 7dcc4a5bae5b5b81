#pragma once
#include <cstdint>

// score.dat in the page's storage: its bytes are kept in the browser's
// localStorage (under "zarvel/score.dat", one character a byte), brought
// into the page's file system before the game reads its table and put back
// after each save. The game reads and writes the file as it does on disk,
// with the same rules for a damaged one.
constexpr char WebScoreFile[] = "/scores/score.dat";
constexpr char WebScoreKey[] = "zarvel/score.dat";

// Before LoadScores: the stored bytes (if any) become the file; a character
// above 255, which no byte can be, reads as '?'. 0 when the page may keep
// nothing (storage switched off): the table then lives for the visit only.
int32_t RestoreScoreFile();
// After SaveScores: the file's bytes into the storage; 1 when kept.
int32_t KeepScoreFile();
