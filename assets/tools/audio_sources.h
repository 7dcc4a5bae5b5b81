#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The game's sounds and music, made from text descriptions.

// A sound description (assets/sounds/*.txt) rendered to 16-bit mono PCM at
// 22050 Hz and normalised. Returns 0 (message on stderr) for a bad text.
int MakeEffect(const std::string& text, const std::string& where, std::string& fileName,
               std::vector<int16_t>& samples);
// A song's note text (assets/music/*.txt) compiled to a MIDI stream file
// image. Returns 0 (message on stderr) for a bad text.
int MakeSong(const std::string& text, const std::string& where, std::string& fileName,
             std::vector<uint8_t>& mds);
std::vector<uint8_t> MonoWaveFile(const std::vector<int16_t>& samples, int32_t rate);
// Every description in SOURCE/sounds and SOURCE/music made into OUT.
int MakeAudio(const std::string& sourceDir, const std::string& outDir);
