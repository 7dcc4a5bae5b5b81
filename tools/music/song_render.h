#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A stream file played as a stage starts its music (every channel's
// volume at 127, then the song from its start), once, through the game's
// synthesizer at SongRenderRate: `seconds` of stereo samples, or with
// `seconds` <= 0 the whole song and two seconds after it. 0 when the
// game's loader refuses the file.
constexpr int32_t SongRenderRate = 22050;
int32_t RenderMds(const std::vector<uint8_t>& mds, double seconds, std::vector<int16_t>& out);
